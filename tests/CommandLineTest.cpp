#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SnapshotOptions.h"
#include "cmdline/CommandLine.h"

namespace {
CommandLine Window(std::vector<std::string> args) { return ParseCommandLine(WindowSyntax(), args); }

struct Refusal {
    std::vector<std::string> Args;
    const char* Message;  // A part of the Japanese message.
};
}  // namespace

TEST(ParseCommandLine, TakesBothValueFormsAndTheLastOccurrence) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--month=6", "--limit=-1.4", "--latitude=-35"},
             {"--month", "6", "--limit", "-1.4", "--latitude", "-35"},
             {"--month", "2", "--month=6", "--limit", "-1.4", "--latitude", "-35"}}) {
        const CommandLine line = Window(args);
        ASSERT_EQ(line.What, CommandLine::Outcome::Run) << line.Text;
        EXPECT_EQ(line.Number[Month], 6);
        EXPECT_EQ(line.Number[Limit], 0);  // The list's first item.
        EXPECT_EQ(line.Number[Latitude], -35);
        EXPECT_FALSE(line.Number[Day]);  // Not given: the start-up's own value stays.
    }
    const CommandLine none = Window({});
    ASSERT_EQ(none.What, CommandLine::Outcome::Run);
    for (const auto& number : none.Number) EXPECT_FALSE(number);
    EXPECT_EQ(ParseSnapshotOptions({"-o-"}).Options->Output, "-");
    EXPECT_EQ(ParseSnapshotOptions({"-o", "-", "--size=16"}).Options->Size, 16);
}

TEST(ParseCommandLine, RefusesWithAMessageNamingTheFault) {
    const Refusal refusals[] = {
        {{"--colour", "red"}, "「--colour」は知らないオプションです"},
        {{"-x"}, "「-x」は知らないオプションです"},
        {{"-o", "a.png"}, "「-o」は知らないオプションです"},  // The window writes no picture.
        {{"--month"}, "--month の値がありません"},
        {{"--help=1"}, "--help は値をとりません"},
        {{"extra"}, "「extra」は知らない引数です"},
        {{"--", "--month"}, "「--month」は知らない引数です"},
        {{"--latitude=+-5"}, "緯度 (--latitude) の値「+-5」は整数ではありません"},
        {{"--month=13"}, "月 (--month) は 1 から 12 までです（13 が指定されました）"},
        {{"--limit", "3.55"}, "限界等級 (--limit) は -1.4 から 7.9 までの 0.1 きざみの数です"},
        {{"--limit", "1e1"}, "0.1 きざみ"},
        // A wrong value is refused even when a later one would override it.
        {{"--month", "13", "--month", "3"}, "1 から 12"},
    };
    for (const Refusal& refusal : refusals) {
        const CommandLine line = Window(refusal.Args);
        EXPECT_EQ(line.What, CommandLine::Outcome::Error) << refusal.Args.front();
        EXPECT_NE(line.Text.find(refusal.Message), std::string::npos) << line.Text;
        EXPECT_TRUE(line.Number.empty());
    }
}

TEST(ParseCommandLine, HelpAndVersionWinOverSoundOptions) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"-h"}, {"--help"}, {"--month", "3", "--help"}}) {
        const CommandLine line = Window(args);
        EXPECT_EQ(line.What, CommandLine::Outcome::Help);
        // Every setting of the shared table, with its range, in both programs' help.
        for (const OptionSpec& entry : SkySettingOptions) {
            EXPECT_NE(line.Text.find(std::string("--") + entry.Name), std::string::npos)
                << entry.Name;
            EXPECT_NE(SnapshotUsage().find(entry.Help), std::string::npos) << entry.Name;
        }
    }
    const CommandLine version = Window({"--version"});
    EXPECT_EQ(version.What, CommandLine::Outcome::Version);
    EXPECT_EQ(version.Text.rfind("domarium ", 0), 0u);
    EXPECT_TRUE(ParseSnapshotOptions({"--version"}).Version);
}
