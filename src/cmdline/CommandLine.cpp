#include "cmdline/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#ifndef DOMARIUM_VERSION
#error "DOMARIUM_VERSION is the project's version; CMake defines it"
#endif

namespace {

const OptionSpec HelpOption = {"help", "", ValueKind::Flag, 0, 0, "", "この説明を表示する"};
const OptionSpec VersionOption = {"version", "", ValueKind::Flag, 0, 0, "", "バージョンを表示する"};

std::string Dashed(const std::string& name) { return (name.size() == 1 ? "-" : "--") + name; }

std::vector<OptionSpec> AllOptions(const ProgramSyntax& syntax) {
    std::vector<OptionSpec> all(SkySettingOptions.begin(), SkySettingOptions.end());
    all.insert(all.end(), syntax.Own.begin(), syntax.Own.end());
    return all;
}

const OptionSpec* Find(const std::vector<OptionSpec>& options, const std::string& name) {
    for (const OptionSpec& entry : options) {
        if (name == entry.Name) return &entry;
    }
    return nullptr;
}

std::string Unknown(const std::string& option) {
    return "「" + option + "」は知らないオプションです。--help で使い方を表示します。";
}

// Why QCommandLineParser refused the arguments, in Japanese: the arguments are
// walked the way it walks them, and the first fault found is named.
std::string Refusal(const std::vector<OptionSpec>& options, const std::vector<std::string>& args,
                    const QCommandLineParser& parser) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break;
        if (arg.size() < 2 || arg[0] != '-') continue;
        if (arg[1] == '-') {
            const std::size_t equals = arg.find('=');
            const std::string name =
                arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const OptionSpec* entry = Find(options, name);
            if (entry == nullptr) return Unknown("--" + name);
            if (entry->Kind == ValueKind::Flag) {
                if (equals != std::string::npos) return "--" + name + " は値をとりません。";
            } else if (equals == std::string::npos) {
                if (i + 1 == args.size()) return "--" + name + " の値がありません。";
                ++i;
            }
            continue;
        }
        // Short options, several letters to one dash; a letter taking a value takes the rest.
        for (std::size_t j = 1; j < arg.size(); ++j) {
            const OptionSpec* entry = Find(options, std::string(1, arg[j]));
            if (entry == nullptr) return Unknown(std::string("-") + arg[j]);
            if (entry->Kind == ValueKind::Flag) continue;
            if (j + 1 == arg.size()) {
                if (i + 1 == args.size()) return std::string("-") + arg[j] + " の値がありません。";
                ++i;
            }
            break;
        }
    }
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) return Unknown(Dashed(unknown.first().toStdString()));
    return "コマンドラインを読めません。--help で使い方を表示します。";
}

}  // namespace

std::string HelpText(const ProgramSyntax& syntax) {
    std::string text = std::string("使い方: ") + syntax.Usage + "\n" + syntax.Summary + "\n\n";
    std::vector<OptionSpec> options = AllOptions(syntax);
    options.push_back(HelpOption);
    options.push_back(VersionOption);
    for (const OptionSpec& entry : options) {
        std::string names = entry.Name == HelpOption.Name ? "-h, --help" : Dashed(entry.Name);
        if (*entry.ValueName != '\0') names += std::string(" ") + entry.ValueName;
        // Columns in characters as a terminal shows them: the value names are ASCII.
        names.resize(names.size() < 20 ? 20 : names.size() + 1, ' ');
        text += "  " + names + entry.Help + "\n";
    }
    return text;
}

CommandLine ParseCommandLine(const ProgramSyntax& syntax, const std::vector<std::string>& args) {
    const std::vector<OptionSpec> options = AllOptions(syntax);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const OptionSpec& entry : options) {
        QCommandLineOption option(QString::fromUtf8(entry.Name));
        if (entry.Kind != ValueKind::Flag) option.setValueName(QString::fromUtf8(entry.ValueName));
        parser.addOption(option);
    }
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));

    QStringList arguments{QString::fromUtf8(syntax.Program)};
    for (const std::string& arg : args)
        arguments << QString::fromLocal8Bit(arg.data(), static_cast<qsizetype>(arg.size()));

    CommandLine result;
    if (!parser.parse(arguments)) {
        std::vector<OptionSpec> known = options;
        known.insert(known.end(),
                     {HelpOption, VersionOption, {"h", "", ValueKind::Flag, 0, 0, "", ""}});
        result.Text = Refusal(known, args, parser);
        return result;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        result.What = CommandLine::Outcome::Help;
        result.Text = HelpText(syntax);
        return result;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        result.What = CommandLine::Outcome::Version;
        result.Text = std::string(syntax.Program) + " " + DOMARIUM_VERSION + "\n";
        return result;
    }
    const QStringList extra = parser.positionalArguments();
    if (!extra.isEmpty()) {
        result.Text = std::string("「") + extra.first().toStdString() +
                      "」は知らない引数です。--help で使い方を表示します。";
        return result;
    }
    result.Number.resize(options.size());
    result.Value.resize(options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        const OptionSpec& entry = options[i];
        const QString name = QString::fromUtf8(entry.Name);
        if (!parser.isSet(name)) continue;
        // Every occurrence is checked, though only the last counts: a wrong
        // value is a mistake the user should hear about even when overridden.
        const QStringList given =
            entry.Kind == ValueKind::Flag ? QStringList{QString()} : parser.values(name);
        std::string value;
        int number = 0;
        for (const QString& each : given) {
            value = each.toStdString();
            const std::string fault = CheckOptionValue(entry, value, number);
            if (!fault.empty()) {
                result.Text = fault;
                result.Number.clear();
                result.Value.clear();
                return result;
            }
        }
        if (entry.Kind != ValueKind::Text && entry.Kind != ValueKind::Flag) {
            result.Number[i] = number;
        } else {
            result.Value[i] = value;
        }
    }
    result.What = CommandLine::Outcome::Run;
    return result;
}

const ProgramSyntax& WindowSyntax() {
    static const ProgramSyntax syntax = {
        "domarium",
        "domarium [オプション]",
        "天球と星空を表示します。オプションで、起動したときの設定を選べます。",
        {SettingOption(Setting::Year)}};
    return syntax;
}
