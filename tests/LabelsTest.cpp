// The label layout: with every overlay on, no two labels overlap, none leaves the chart or
// lies under the Sun's disc or a compass letter, and what is dropped is said; the overlay
// inks read against every ground they lie on.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Snapshot.h"
#include "catalogue/FileChars.h"
#include "catalogue/StarData.h"
#include "catalogue/StarDataPath.h"
#include "core/RunTimeError.h"
#include "render/Frame.h"
#include "render/Ground.h"
#include "render/LabelFont.h"
#include "render/Labels.h"
#include "render/Overlays.h"
#include "support/TestSky.h"

namespace {
bool Apart(const LabelBox& a, const LabelBox& b) {
    return a.X + a.Width <= b.X || b.X + b.Width <= a.X || a.Y + a.Height <= b.Y ||
           b.Y + b.Height <= a.Y;
}

const Sky& SkyWithFigures() {
    static const Sky* sky = [] {
        auto* s = new Sky;
        TakeCatalogue(*s, ReadCatalogueFiles(Catalogue));
        return s;
    }();
    return *sky;
}
}  // namespace

TEST(PlaceLabels, NoOverlapsOnAGridOfStatesWithEverythingOn) {
    auto S = ChartRaster(408);
    std::size_t most = 0;
    std::string densest, dropped;
    for (const double latitude : {-35.0, 35.0, 66.6})
        for (const int day : {45, 172, 355})
            for (const int hour : {9, 12, 20})
                for (const int azimuth : {0, 160})
                    for (const ViewKind kind : {ViewKind::Dome, ViewKind::Sky, ViewKind::Horizon}) {
                        const Moment at = MomentAt(day, hour, latitude);
                        View look;
                        look.Kind = kind;
                        look.Azimuth = static_cast<std::int16_t>(azimuth);
                        look.Elevation = 25;
                        look.Side = 408;
                        look.LimitMag = 5;
                        look.Overlays = {true, true, true, false, true, true};
                        look.Overlays.Orbit = true;
                        ChartCache cache;
                        LabelOutcome out;
                        DrawChart(SkyWithFigures(), at, look, *S, cache, nullptr, &out);
                        const Scene scene = SceneOf(SkyWithFigures(), at, look);
                        const MarkedPoint sun = ListMarkedPoints(scene).front();
                        const double sunRadius = std::max(4.0, scene.Proj.R * 0.04);
                        std::vector<LabelBox> fixed = CompassBoxes(scene.Proj, *S);
                        const std::string state = std::to_string(latitude) + " day " +
                                                  std::to_string(day) + " " + std::to_string(hour) +
                                                  "h az " + std::to_string(azimuth) + " view " +
                                                  std::to_string(static_cast<int>(kind));
                        for (std::size_t i = 0; i < out.Placed.size(); ++i) {
                            const LabelBox& a = out.Placed[i];
                            // Within the chart, but for the corner notes of a path that never rises.
                            EXPECT_TRUE((a.X >= 0 && a.Y >= 0 && a.X + a.Width <= 408 &&
                                         a.Y + a.Height <= 408) ||
                                        a.X == 2)
                                << a.Text << " " << state;
                            for (std::size_t j = i + 1; j < out.Placed.size(); ++j)
                                EXPECT_TRUE(Apart(a, out.Placed[j]))
                                    << a.Text << " / " << out.Placed[j].Text << " " << state;
                            for (const LabelBox& letter : fixed)
                                EXPECT_TRUE(Apart(a, letter)) << a.Text << " " << state;
                            if (sun.Drawn) {
                                const double nx = std::clamp(sun.X, a.X, a.X + a.Width);
                                const double ny = std::clamp(sun.Y, a.Y, a.Y + a.Height);
                                EXPECT_GE(std::hypot(nx - sun.X, ny - sun.Y), sunRadius)
                                    << a.Text << " " << state;
                            }
                        }
                        if (out.Dropped.size() > most) {
                            most = out.Dropped.size();
                            densest = state;
                            dropped.clear();
                            for (const LabelBox& d : out.Dropped) dropped += " " + d.Text;
                        }
                    }
    std::printf("Densest state (latitude %s): %zu labels dropped:%s\n", densest.c_str(), most,
                dropped.c_str());
    EXPECT_LE(most, 50u);
}

// A label of a higher class takes the place first; one that finds none is dropped, listed.
TEST(PlaceLabels, HigherClassWinsAndTheLoserMovesOrIsDropped) {
    auto S = ChartRaster(100);
    struct Row {
        LabelClass First, Second;
        std::vector<KeepClear> Discs;
        std::size_t Placed;
        const char* Winner;  // Placed at its preferred place.
    };
    const Row rows[] = {
        {LabelClass::Sun, LabelClass::Far, {}, 2, "a"},
        {LabelClass::Far, LabelClass::BrightStar, {}, 2, "b"},
        {LabelClass::Near, LabelClass::Body, {{50, 50, 45}}, 0, ""},  // All under a disc.
    };
    for (const Row& row : rows) {
        std::vector<LabelRequest> asked = {{{"a"}, 50, 50, White, row.First, LabelSide::Right},
                                           {{"b"}, 50, 50, White, row.Second, LabelSide::Right}};
        const LabelOutcome out = PlaceLabels(asked, row.Discs, {}, *S);
        ASSERT_EQ(out.Placed.size(), row.Placed);
        EXPECT_EQ(out.Dropped.size(), 2 - row.Placed);
        if (row.Placed > 0) {
            EXPECT_EQ(out.Placed[0].Text, row.Winner);
            EXPECT_EQ(out.Placed[0].X, 55);  // Right of the anchor by the gap.
        }
    }
}

// WCAG's 3:1 for graphics: every ink, near and far, against the halo it lies on; the halo
// against the horizon's grey; the near inks against the sphere's grey without it; the far
// ones visibly dimmer.
TEST(OverlayInks, ReadAgainstEveryGround) {
    const Colour dome = GreyColour(SphereGrey), disc = GreyColour(HorizonGrey);
    EXPECT_GE(ContrastRatio(LabelHalo, disc), 3.0);
    for (const OverlayInk& ink : OverlayInks()) {
        const Colour far = FarInk(ink.Near);
        EXPECT_GE(ContrastRatio(ink.Near, LabelHalo), 3.0) << ink.Name;
        EXPECT_GE(ContrastRatio(far, LabelHalo), 3.0) << ink.Name;
        EXPECT_GE(ContrastRatio(ink.Near, dome), 3.0) << ink.Name;
        EXPECT_GE(ContrastRatio(ink.Near, DaylightSky(90)), 3.0) << ink.Name;  // 昼の空.
        EXPECT_GE(ContrastRatio(ink.Near, LabelHalo) / ContrastRatio(far, LabelHalo), 1.5)
            << ink.Name;
        std::printf("%-18s near %5.2f on the dome, %5.2f on the halo; far %5.2f on the halo\n",
                    ink.Name, ContrastRatio(ink.Near, dome), ContrastRatio(ink.Near, LabelHalo),
                    ContrastRatio(far, LabelHalo));
    }
}

// On a screen of density R (domarium-snapshot --scale) the chart is R times as wide and
// its labels R times as tall; beyond 408 pixels at that density they grow with the chart's
// side too (in eighths): never smaller than at density 1 and 408 pixels.
TEST(PlaceLabels, GrowWithTheScreensDensityAndTheChartsSide) {
    SnapshotOptions options;
    options.StarData = Catalogue.string();
    options.Month = 2;
    options.Day = 15;
    options.Hour = 20;
    options.Elevation = -25;
    options.Overlays = {true, false, false, false, true, true};
    std::vector<PlottedStar> stars;
    LabelOutcome one;
    DrawSnapshot(options, stars, nullptr, nullptr, &one);
    ASSERT_FALSE(one.Placed.empty());
    struct Row {
        double Scale;
        int Size;
        double Growth;
    };
    std::vector<Row> rows = {{1, 300, 1}, {1, 700, 1.75}, {1, 1040, 2.5}, {2, 600, 2 * 1.5}};
    for (const int hundredths : DrawScaleHundredths)
        rows.push_back({hundredths / 100.0, 408, hundredths / 100.0});
    for (const Row& row : rows) {
        options.Scale = row.Scale;
        options.Size = row.Size;
        LabelOutcome scaled;
        const QImage chart = DrawSnapshot(options, stars, nullptr, nullptr, &scaled);
        EXPECT_EQ(chart.width(), std::lround(row.Size * row.Scale));
        ASSERT_FALSE(scaled.Placed.empty());
        const double growth = scaled.Placed[0].Height / one.Placed[0].Height;
        EXPECT_NEAR(growth, row.Growth, 0.05 * row.Growth) << row.Scale << " " << row.Size;
    }
}

// The label font is read at its first use: a file missing, not a TrueType font or cut
// short is refused with its name, and so is a character it lacks; the same font at twice
// the size gives a string twice as wide.
TEST(LabelFont, RefusesWhatItCannotDrawAndGrowsWithItsSize) {
    const std::string font = ReadWholeFile(LabelFontFile());
    ASSERT_FALSE(font.empty());
    struct Row {
        const char* What;
        std::string Bytes;
        ErrorKind Kind;
    };
    const Row rows[] = {{"missing", "", ErrorKind::FileNotFound},
                        {"not a font", "StarData\n1,2,3\n", ErrorKind::SurfaceFailure},
                        {"cut short", font.substr(0, font.size() / 2), ErrorKind::SurfaceFailure}};
    for (const Row& row : rows) {
        const LabelFont bad([&row] { return row.Bytes; }, "LabelFont");
        const LabelGlyphs glyphs(bad, 13);
        try {
            glyphs.MaskFor("北極星");
            ADD_FAILURE() << row.What;
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.Kind(), row.Kind) << row.What;
            EXPECT_NE(std::string(error.what()).find("LabelFont"), std::string::npos) << row.What;
        }
    }
    const LabelFont good([&font] { return font; }, "LabelFont");
    for (const char* text : {"\xEE\x80\x80", "\xFF"})  // A private-use character; not UTF-8.
        EXPECT_THROW(LabelGlyphs(good, 13).MaskFor(text), RunTimeError) << text;
    const auto advance = [&good](float pixels) {
        const GlyphMask mask = LabelGlyphs(good, pixels).MaskFor("オリオン座 12.3°");
        return mask.Width - 2 * mask.MarginLeft;
    };
    EXPECT_NEAR(advance(26), 2 * advance(13), 1);
}
