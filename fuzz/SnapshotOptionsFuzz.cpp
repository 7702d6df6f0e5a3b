// The command lines of domarium-snapshot and domarium on arbitrary arguments:
// the input is split at NUL bytes into arguments and read by both programs.
// Every parse ends in exactly one of help, version, an error message, or
// options whose every value lies in its control's range
// and was written as a plain number (one optional sign, then digits, and for
// the limit a decimal point); and options that were accepted, written back as
// a command line, parse to the same options.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "SnapshotOptions.h"
#include "cmdline/CommandLine.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "fault: %s\n", what);
    std::abort();
}

bool Within(int value, int min, int max) { return value >= min && value <= max; }

bool Digit(char c) { return c >= '0' && c <= '9'; }

// One optional sign, then digits; with a decimal point as well when Fraction is set.
bool PlainNumber(const std::string& text, bool fraction) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0, points = 0;
    for (; i < text.size(); ++i) {
        if (Digit(text[i])) {
            ++digits;
        } else if (fraction && text[i] == '.' && points == 0) {
            ++points;
        } else {
            return false;
        }
    }
    return digits > 0;
}

bool NumericOption(const std::string& name) {
    for (const char* option : {"--month", "--day", "--hour", "--minute", "--longitude",
                               "--latitude", "--azimuth", "--elevation", "--size", "--limit"}) {
        if (name == option) return true;
    }
    return false;
}

// The limit as the magnitude list shows it: item index 0 is -1.4, 93 is 7.9.
std::string LimitText(int index) {
    const int tenths = index - 14;
    const int magnitude = tenths < 0 ? -tenths : tenths;
    return std::string(tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
           std::to_string(magnitude % 10);
}

std::vector<std::string> AsArguments(const SnapshotOptions& o) {
    std::vector<std::string> args = {
        "--month",     std::to_string(o.Month),
        "--day",       std::to_string(o.Day),
        "--hour",      std::to_string(o.Hour),
        "--minute",    std::to_string(o.Minute),
        "--longitude", std::to_string(o.Longitude),
        "--latitude",  std::to_string(o.Latitude),
        "--azimuth",   std::to_string(o.Azimuth),
        "--elevation", std::to_string(o.Elevation),
        "--size",      std::to_string(o.Size),
        "--limit",     LimitText(o.LimitIndex),
        "-o",          o.Output,
    };
    if (!o.StarData.empty()) {
        args.push_back("--stardata");
        args.push_back(o.StarData);
    }
    if (!o.StarsCsv.empty()) {
        args.push_back("--stars");
        args.push_back(o.StarsCsv);
    }
    return args;
}

bool Same(const SnapshotOptions& a, const SnapshotOptions& b) {
    return a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour && a.Minute == b.Minute &&
           a.Longitude == b.Longitude && a.Latitude == b.Latitude && a.Azimuth == b.Azimuth &&
           a.Elevation == b.Elevation && a.LimitIndex == b.LimitIndex && a.Size == b.Size &&
           a.Output == b.Output && a.StarsCsv == b.StarsCsv && a.StarData == b.StarData;
}

}  // namespace

// domarium's reading: the same outcomes, the settings within range and surviving
// a round trip through their own command line.
void CheckWindow(const std::vector<std::string>& args) {
    const CommandLine line = ParseCommandLine(WindowSyntax(), args);
    const bool texted = !line.Text.empty();
    if ((line.What == CommandLine::Outcome::Run) == texted)
        Fault("window: text without a reason, or none with one");
    if (line.What != CommandLine::Outcome::Run) return;
    if (line.Number.size() != SkySettingCount) Fault("window: not one slot per setting");
    std::vector<std::string> again;
    for (int setting = 0; setting < SkySettingCount; ++setting) {
        const OptionSpec& entry = SkySettingOptions[static_cast<std::size_t>(setting)];
        const std::optional<int> value = line.Number[static_cast<std::size_t>(setting)];
        if (!value) continue;
        const bool limit = entry.Kind == ValueKind::Tenths;
        const int shown = limit ? *value + LimitTenthsAtItemZero : *value;
        if (!Within(shown, entry.Min, entry.Max))
            Fault("window: an accepted value outside its range");
        again.push_back(std::string("--") + entry.Name + "=" +
                        (limit ? LimitText(*value) : std::to_string(*value)));
    }
    const CommandLine reread = ParseCommandLine(WindowSyntax(), again);
    if (reread.What != CommandLine::Outcome::Run || reread.Number != line.Number)
        Fault("window: accepted settings do not survive a round trip");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    if (size > 0) {
        args.emplace_back();
        for (std::size_t i = 0; i < size; ++i) {
            if (data[i] == 0) {
                args.emplace_back();
            } else {
                args.back().push_back(static_cast<char>(data[i]));
            }
        }
    }
    // DOMARIUM_FUZZ_PROGRAM=domarium or domarium-snapshot fuzzes one program's reading alone.
    static const std::string only =
        std::getenv("DOMARIUM_FUZZ_PROGRAM") ? std::getenv("DOMARIUM_FUZZ_PROGRAM") : "";
    if (only != "domarium-snapshot") CheckWindow(args);
    if (only == "domarium") return 0;
    const SnapshotParse parse = ParseSnapshotOptions(args);
    const int outcomes = (parse.Help ? 1 : 0) + (parse.Version ? 1 : 0) + (parse.Options ? 1 : 0) +
                         (parse.Error.empty() ? 0 : 1);
    if (outcomes != 1) Fault("not exactly one of help, options and error");
    if (!parse.Options) return 0;

    const SnapshotOptions& o = *parse.Options;
    if (!Within(o.Month, 1, 12) || !Within(o.Day, 1, 31) || !Within(o.Hour, 0, 23) ||
        !Within(o.Minute, 0, 59) || !Within(o.Longitude, 120, 150) ||
        !Within(o.Latitude, -90, 90) || !Within(o.Azimuth, 0, 360) ||
        !Within(o.Elevation, -90, 90) || !Within(o.LimitIndex, 0, 93) ||
        !Within(o.Size, 1, MaxSnapshotSize)) {
        Fault("an accepted value outside its range");
    }
    if (o.Output.empty()) Fault("an accepted empty output name");
    // Accepted, every value given to a numeric option is a plain number.
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::size_t equals = args[i].find('=');
        if (equals != std::string::npos && NumericOption(args[i].substr(0, equals)) &&
            !PlainNumber(args[i].substr(equals + 1), args[i].rfind("--limit", 0) == 0)) {
            Fault("an accepted value that is not a plain number");
        }
        if (equals == std::string::npos && NumericOption(args[i]) && i + 1 < args.size()) {
            if (!PlainNumber(args[i + 1], args[i] == "--limit"))
                Fault("an accepted value that is not a plain number");
            ++i;
        } else if (args[i] == "-o" || args[i] == "--stars" || args[i] == "--stardata") {
            ++i;  // A file name, whatever it holds.
        }
    }

    const SnapshotParse again = ParseSnapshotOptions(AsArguments(o));
    if (!again.Options || !Same(o, *again.Options))
        Fault("accepted options do not survive a round trip");
    return 0;
}
