#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "Snapshot.h"
#include "SnapshotOptions.h"
#include "core/RunTimeError.h"
#include "support/TestSky.h"

namespace {
SnapshotParse Parse(std::vector<std::string> args) { return ParseSnapshotOptions(args); }

SnapshotOptions Defaults() {
    SnapshotOptions options = *Parse({"-o", "x.png"}).Options;
    options.StarData = (Catalogue).string();
    return options;
}
}  // namespace

TEST(ParseSnapshotOptions, TakesEachSettingWithinItsControlsRange) {
    const SnapshotParse parsed = Parse(
        {"--month",     "2",           "--day",   "31",         "--hour", "23",        "--minute",
         "59",          "--longitude", "120",     "--latitude", "-90",    "--azimuth", "360",
         "--elevation", "90",          "--limit", "-1.4",       "--size", "1600",      "-o",
         "chart.png",   "--stars",     "s.csv",   "--stardata", "cat"});
    ASSERT_TRUE(parsed.Options) << parsed.Error;
    const SnapshotOptions& o = *parsed.Options;
    EXPECT_EQ(o.Month, 2);
    EXPECT_EQ(o.Day, 31);
    EXPECT_EQ(o.Latitude, -90);
    EXPECT_EQ(o.Elevation, 90);
    EXPECT_EQ(o.LimitIndex, 0);
    EXPECT_EQ(o.Size, 1600);
    EXPECT_EQ(o.StarsCsv, "s.csv");
    EXPECT_EQ(Parse({"-o", "a", "--limit", "7.9"}).Options->LimitIndex, 93);
    EXPECT_EQ(Parse({"-o", "a", "--limit", "3.5"}).Options->LimitIndex, 49);
    EXPECT_EQ(Parse({"-o", "a", "--limit", "0"}).Options->LimitIndex, 14);
    EXPECT_EQ(Parse({"-o", "a"}).Options->LimitIndex, 49);
    EXPECT_TRUE(Parse({"-h"}).Help);
}

TEST(ParseSnapshotOptions, RejectsWhatNoControlOffers) {
    const std::vector<std::vector<std::string>> Rejected = {
        {"-o", "a", "--month", "13"},
        {"-o", "a", "--month", "0"},
        {"-o", "a", "--day", "32"},
        {"-o", "a", "--hour", "24"},
        {"-o", "a", "--minute", "-1"},
        {"-o", "a", "--longitude", "119"},
        {"-o", "a", "--latitude", "91"},
        {"-o", "a", "--azimuth", "361"},
        {"-o", "a", "--elevation", "-91"},
        {"-o", "a", "--limit", "8"},
        {"-o", "a", "--limit", "-1.5"},
        {"-o", "a", "--limit", "3.55"},
        {"-o", "a", "--limit", "nan"},
        {"-o", "a", "--size", "0"},
        {"-o", "a", "--month", "1x"},
        {"-o", "a", "--month", ""},
        {"-o", "a", "--month", "1.0"},
        {"-o", "a", "--month"},
        {"-o"},
        {"--month", "3"},
        {"-o", "a", "--colour", "red"},
        {"-o", "a", "extra"},
        {"-o", "a", "--size", "99999999999"},
        {"-o", "a", "--latitude", "+-5"},
        {"-o", "a", "--limit", "+-.1"},
        {"-o", "a", "--limit", "-+1"},
        {"-o", "a", "--trail-hours", "5"},
        {"-o", "a", "--overlays", "sun,,names"}};
    for (const auto& args : Rejected) {
        const SnapshotParse parsed = Parse(args);
        EXPECT_FALSE(parsed.Options) << args.back();
        EXPECT_FALSE(parsed.Error.empty()) << args.back();
    }
}

TEST(DrawSnapshot, MatchesTheStartedWindowAndListsItsStars) {
    std::vector<PlottedStar> stars;
    const QImage chart = DrawSnapshot(Defaults(), stars);
    EXPECT_EQ(chart.width(), 408);
    ASSERT_FALSE(stars.empty());
    for (const PlottedStar& star : stars) {
        EXPECT_EQ(chart.pixel(static_cast<int>(std::floor(star.X + 0.5f)),
                              static_cast<int>(std::floor(star.Y + 0.5f))),
                  qRgb(255, 255, 255));
        EXPECT_EQ(star.Disc, star.Radius > 0);
    }
    for (std::size_t k = 1; k < stars.size(); ++k) EXPECT_LT(stars[k - 1].Index, stars[k].Index);
    const std::string table =
        StarTable({{7, 1.5f, 2.25f, 2.0f, true}, {9, 3.0f, 4.0f, 0.0f, false}});
    EXPECT_EQ(table,
              "index,x,y,radius,kind\n7,1.500000,2.250000,2,disc\n9,3.000000,4.000000,0,pixel\n");
}

TEST(DrawSnapshot, RunsThirtyFirstFebruaryIntoMarch) {
    SnapshotOptions february = Defaults(), march = Defaults();
    february.Month = 2;
    february.Day = 31;
    march.Month = 3;
    march.Day = 3;
    std::vector<PlottedStar> stars;
    EXPECT_EQ(DrawSnapshot(february, stars), DrawSnapshot(march, stars));
}

TEST(DrawSnapshot, RaisesTheCatalogueError) {
    SnapshotOptions options = Defaults();
    options.StarData = "/nonexistent/StarData";
    std::vector<PlottedStar> stars;
    EXPECT_THROW(DrawSnapshot(options, stars), RunTimeError);
}
