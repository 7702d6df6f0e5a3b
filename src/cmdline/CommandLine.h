#pragma once
// The command lines of domarium and domarium-snapshot, read with Qt's
// QCommandLineParser. Both programs take the same sky settings (a teacher's
// desktop shortcut and a worksheet picture use the same words), each named,
// ranged and described by the table of settings (core/Settings.h), so a value
// no control offers is refused with a Japanese message before anything is
// drawn, and the help says what the controls offer.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/View.h"

enum class ValueKind {
    Flag,     // No value.
    Integer,  // A plain integer: one optional sign, then digits.
    Tenths,   // A decimal in steps of 0.1; kept as the list's item index (tenths - Min).
    Choice,   // An Integer that must be one of Choices.
    Text,     // Any non-empty text (a file name).
};

struct OptionSpec {
    const char* Name;       // Without dashes; a single letter is a short option (-o).
    const char* ValueName;  // As the help shows the value; "" for a flag.
    ValueKind Kind;
    int Min, Max;         // Integer: the range. Tenths: the range in tenths (-14..79).
    const char* Meaning;  // The control's caption, for messages; "" when none.
    std::string Help;     // The help line's text.
    std::span<const int> Choices = {};  // Choice: the values taken, in the help's order.
};

// The sky settings both programs take, in the order the help lists them.
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
inline constexpr std::array<Setting, SkySettingCount> SkySettingIds = {
    Setting::Month,     Setting::Day,      Setting::Hour,    Setting::Minute,   Setting::Limit,
    Setting::Longitude, Setting::Latitude, Setting::Azimuth, Setting::Elevation};
extern const std::array<OptionSpec, SkySettingCount> SkySettingOptions;

// The limiting magnitude list: item 0 is -1.4, item 93 is 7.9.
inline constexpr int LimitTenthsAtItemZero = SettingOf(Setting::Limit).Min;

// SettingOption: the option of a setting, named, ranged and described from its entry
// in the table: a list of tenths as Tenths, a list of chosen values as Choice, any
// other list or bar as Integer in the values it shows.
OptionSpec SettingOption(Setting id);

// The overlays as one comma list (--overlays, the page's overlays=): the help's text,
// and CheckOverlayList, which gives the Japanese message for a list that names an
// overlay there is not (empty when sound, and then on holds the overlays named).
std::string OverlayListHelp();
std::string CheckOverlayList(const std::string& list, std::vector<Setting>& on);
// The chart's palette by its name (--palette, the page's palette=): the Japanese message
// for a name there is not (empty when sound, and then palette holds the one named).
std::string CheckPaletteName(const std::string& name, Palette& palette);
// The view by its name (--view, the page's view=): the Japanese message for a name there
// is not, as CheckPaletteName; ViewHelp, the option's help.
std::string CheckViewName(const std::string& name, ViewKind& kind);
std::string ViewHelp();

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
// it is sound, and then number holds an Integer's or a Choice's value or a Tenths' list
// item index.
// Qt-free (OptionValues.cpp), shared with the web edition's address.
std::string CheckOptionValue(const OptionSpec& entry, const std::string& value, int& number);

// The window program's command line: the sky settings only.
const ProgramSyntax& WindowSyntax();

// The help text of a program: usage, summary and one line per option.
std::string HelpText(const ProgramSyntax& syntax);
