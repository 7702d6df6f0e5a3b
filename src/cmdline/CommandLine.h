#pragma once
// The command lines of domarium and domarium-snapshot, read with Qt's
// QCommandLineParser. One table holds the sky settings that both programs
// take (a teacher's desktop shortcut and a worksheet picture use the same
// words), each with the range of the control that offers it in the window;
// a value no control offers is refused with a Japanese message before
// anything is drawn.

#include <array>
#include <optional>
#include <string>
#include <vector>

enum class ValueKind {
    Flag,     // No value.
    Integer,  // A plain integer: one optional sign, then digits.
    Tenths,   // A decimal in steps of 0.1; kept as the magnitude list's item index.
    Text,     // Any non-empty text (a file name).
};

struct OptionSpec {
    const char* Name;       // Without dashes; a single letter is a short option (-o).
    const char* ValueName;  // As the help shows the value; "" for a flag.
    ValueKind Kind;
    int Min, Max;         // Integer: the range. Tenths: the range in tenths (-14..79).
    const char* Meaning;  // The control's caption, for messages; "" when none.
    const char* Help;     // The help line's text.
};

// The sky settings, in the order the programs apply them.
enum SkySetting {
    Month,
    Day,
    Hour,
    Minute,
    Limit,
    Longitude,
    Latitude,
    Azimuth,
    Elevation,
    SkySettingCount
};
extern const std::array<OptionSpec, SkySettingCount> SkySettingOptions;

// The limiting magnitude list: item 0 is -1.4, item 93 is 7.9.
inline constexpr int LimitTenthsAtItemZero = -14;

// A program's command line: the sky settings, then its own options.
struct ProgramSyntax {
    const char* Program;  // domarium, domarium-snapshot.
    const char* Usage;    // The help's first line, after "使い方: ".
    const char* Summary;  // The help's second line.
    std::vector<OptionSpec> Own;
};

struct CommandLine {
    enum class Outcome { Run, Help, Version, Error };
    Outcome What = Outcome::Error;
    // Help or version text (for stdout), or the Japanese message of an error.
    std::string Text;
    // For each option, settings first then the program's own: the value of its
    // last occurrence. Integer options are set in Number (Tenths as the list's
    // item index), Text options in Value, a given flag in Value as "".
    std::vector<std::optional<int>> Number;
    std::vector<std::optional<std::string>> Value;
};

// ParseCommandLine: reads args (without the program name) against syntax.
// Notes: --option=value and --option value; -o value and -ovalue; every
//        occurrence of an option must be sound, the last one counts. -h/--help and --version win over
//        anything else that is sound. Arguments that are not options, options
//        that the program lacks, missing values and values outside their
//        control's range are errors.
CommandLine ParseCommandLine(const ProgramSyntax& syntax, const std::vector<std::string>& args);

// CheckOptionValue: the Japanese message for a value the option does not take; empty when
// it is sound, and then number holds an Integer's value or a Tenths' list item index.
// Qt-free (OptionValues.cpp), shared with the web edition's address.
std::string CheckOptionValue(const OptionSpec& entry, const std::string& value, int& number);

// The window program's command line: the sky settings only.
const ProgramSyntax& WindowSyntax();

// The help text of a program: usage, summary and one line per option.
std::string HelpText(const ProgramSyntax& syntax);
