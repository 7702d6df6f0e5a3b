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

// The help lines made from the table of settings say what the hand-written ones said.
TEST(HelpText, DescribesEachSettingAsTheControlsOfferIt) {
    const char* const lines[] = {
        "  --month M           月 (1..12、既定 1)\n",
        "  --day D             日 (1..31、既定 1。2月31日は3月3日になります)\n",
        "  --hour H            時 (0..23、既定 0)\n",
        "  --minute M          分 (0..59、既定 0)\n",
        "  --limit M           限界等級 (-1.4..7.9、0.1 きざみ、既定 3.5)\n",
        "  --longitude L       東経 (120..150 の整数、既定 135)\n",
        "  --latitude L        緯度 (-90..90 の整数、北緯は＋、既定 35)\n",
        "  --azimuth A         方位角 (0..360 の整数、既定 0)\n",
        "  --elevation E       仰角 (-90..90 の整数、－は見下ろす形、既定 -10)\n",
        "  --overlays LIST     重ねて描く図（コンマ区切り）: "
        "sun（太陽と日周経路）、seasons（季節の太陽の通り道）、"
        "circles（天の北極と天の赤道）、trails（星の軌跡）、constellations（星座線）、names（星座名"
        "と星の名前）、moon（月）、planets（惑星）、space（宇宙から見た図）、ecliptic（黄道と星座）"
        "、orbit（地球の公転）、daylight（昼の空）\n",
        "  --view NAME         図の見え方: "
        "dome（外から見た天球）、sky（全天）、horizon（地平）。既定 "
        "dome。sky と horizon では --azimuth が上（正面）の方位\n",
        "  --year Y            年 (2000..2100、太陽・月・惑星と星空の年、既定 2026)\n",
        "  --trail-hours H     星の軌跡の時間 (1, 2, 3, 6, 12, 24、既定 12)\n",
    };
    const std::string window = Window({"--help"}).Text;
    const std::string snapshot = SnapshotUsage();
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        EXPECT_NE(snapshot.find(lines[i]), std::string::npos) << lines[i];
        if (i < SkySettingCount) {
            EXPECT_NE(window.find(lines[i]), std::string::npos) << lines[i];
        }
    }
}
