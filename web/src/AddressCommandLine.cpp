// ParseCommandLine for the web edition, where the snapshot tool's options come one at a
// time from the page's address as "--name value" (WebSession's ParseOne) and Qt's parser
// is not at hand. The values are checked by the desktop's own CheckOptionValue, so a bad
// value in the address gets the message the command line gives.

#include "cmdline/CommandLine.h"

namespace {
const OptionSpec* Find(const std::vector<OptionSpec>& options, const std::string& name) {
    for (const OptionSpec& entry : options) {
        if (name == entry.Name) return &entry;
    }
    return nullptr;
}
}  // namespace

CommandLine ParseCommandLine(const ProgramSyntax& syntax, const std::vector<std::string>& args) {
    std::vector<OptionSpec> options(SkySettingOptions.begin(), SkySettingOptions.end());
    options.insert(options.end(), syntax.Own.begin(), syntax.Own.end());
    CommandLine result;
    result.Number.resize(options.size());
    result.Value.resize(options.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t dashes = arg.rfind("--", 0) == 0 ? 2 : arg.rfind('-', 0) == 0 ? 1 : 0;
        const OptionSpec* entry = dashes > 0 ? Find(options, arg.substr(dashes)) : nullptr;
        if (entry == nullptr) {
            result.Text = "「" + arg + "」という設定はありません。";
            return result;
        }
        std::string value;
        if (entry->Kind != ValueKind::Flag) {
            if (i + 1 == args.size()) {
                result.Text = arg + " の値がありません。";
                return result;
            }
            value = args[++i];
        }
        int number = 0;
        const std::string fault = CheckOptionValue(*entry, value, number);
        if (!fault.empty()) {
            result.Text = fault;
            return result;
        }
        const auto index = static_cast<std::size_t>(entry - options.data());
        if (entry->Kind == ValueKind::Integer || entry->Kind == ValueKind::Tenths) {
            result.Number[index] = number;
        } else {
            result.Value[index] = value;
        }
    }
    result.What = CommandLine::Outcome::Run;
    return result;
}
