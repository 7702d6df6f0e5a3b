#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "catalogue/Constellations.h"
#include "catalogue/StarData.h"
#include "core/RunTimeError.h"
#include "geometry/Trails.h"
#include "render/Constellations.h"
#include "render/Overlays.h"
#include "support/RecordingSurface.h"
#include "support/TestSky.h"
#include "time/Clock.h"

namespace {
const std::filesystem::path Source(DOMARIUM_SOURCE_DIR);

// The committed data over the committed catalogue, loaded once.
struct Committed {
    ConstellationCatalogue Figures;
    std::unique_ptr<::Sky> Sky = std::make_unique<::Sky>();
    Committed() {
        LoadConstellationsFrom(Figures, Source / ConstellationDataFileName,
                               Source / StarNamesFileName);
        LoadStarDataFrom(*Sky, Source / "StarData");
    }
};
const Committed& Data() {
    static const Committed data;
    return data;
}

// A sound ConstellationData of Count made-up constellations, two lines each.
std::string Figures(int count = ConstellationCount) {
    std::ostringstream out;
    for (int i = 0; i < count; ++i) {
        out << "constellation,C" << i << ",星座" << i << "\nlabel," << i << ",-5\n"
            << "line,1,2,3.5,-4\nline," << i << ",0,0,0,359.9,89.9\n";
        if (i % 2 == 1) out << "bound,350,-10,10,-10,10,10,350,10\n";
    }
    return out.str();
}

// The error a read raises; the catalogue must be left as it was.
RunTimeError ReadError(const std::string& text, bool starNames) {
    ConstellationCatalogue figures;
    figures.StarNames.push_back({5, "前の名前"});
    figures.Constellations.resize(1);
    std::istringstream input(text);
    try {
        if (starNames)
            ReadStarNames(figures, input, "StarNames");
        else
            ReadConstellationData(figures, input, "ConstellationData");
    } catch (const RunTimeError& error) {
        EXPECT_EQ(figures.StarNames.size(), 1u) << "a failed read changed the catalogue";
        EXPECT_EQ(figures.Constellations.size(), 1u) << "a failed read changed the catalogue";
        return error;
    }
    ADD_FAILURE() << "no error for:\n" << text.substr(0, 200);
    return RunTimeError(ErrorKind::Overflow);
}

// The sky of 35 degrees north, 135 east, on 15 February at 20:00, looking south.
std::unique_ptr<TestChart> FebruaryEvening() {
    auto Sky = ChartSky(204, 163.2, 10, 125);
    Sky->Stars = *Data().Sky;
    Sky->Stars.Figures = Data().Figures;
    Sky->Look.Azimuth = 180;
    Sky->At.Month = 2;
    Sky->At.DayIndex = 14;
    Sky->At.Hour = 20;
    ComposeMinuteOfYear(Sky->At);
    return Sky;
}

const Constellation& Named(const std::string& abbreviation) {
    for (const Constellation& c : Data().Figures.Constellations)
        if (c.Abbreviation == abbreviation) return c;
    throw std::runtime_error("no " + abbreviation);
}
}  // namespace

TEST(ReadConstellationData, ReadsEveryItem) {
    ConstellationCatalogue figures;
    std::istringstream input("\r\n  \n" + Figures());
    ReadConstellationData(figures, input, "ConstellationData");
    ASSERT_EQ(figures.Constellations.size(), static_cast<std::size_t>(ConstellationCount));
    const Constellation& last = figures.Constellations.back();
    EXPECT_EQ(last.Abbreviation, "C87");
    EXPECT_EQ(last.Name, "星座87");
    ASSERT_EQ(last.Labels.size(), 1u);
    EXPECT_EQ(last.Labels[0].RA, 87);
    ASSERT_EQ(last.Lines.size(), 2u);
    ASSERT_EQ(last.Lines[1].size(), 3u);
    EXPECT_EQ(last.Lines[1][2].RA, 359.9);
    EXPECT_EQ(last.Lines[1][2].Dec, 89.9);
    ASSERT_EQ(last.Bounds.size(), 1u);
    EXPECT_EQ(last.Bounds[0].size(), 4u);
    EXPECT_EQ(last.Bounds[0][3].RA, 350);
    EXPECT_TRUE(figures.Constellations[86].Bounds.empty());
}

TEST(ReadConstellationData, RejectsEachKindOfDamageNamingTheLine) {
    const std::string sound = Figures();
    struct Row {
        std::string Text;
        ErrorKind Kind;
        const char* Where;
    };
    const Row Rows[] = {
        {"star,1,2\n" + sound, ErrorKind::BadCatalogue, "1 行目"},   // unknown item
        {"label,1,2\n" + sound, ErrorKind::BadCatalogue, "1 行目"},  // before a constellation
        {"constellation,C,名前,3\n" + sound, ErrorKind::BadCatalogue, "1 行目"},  // extra field
        {"constellation,,名前\n" + sound, ErrorKind::BadCatalogue, "1 行目"},  // empty abbreviation
        {sound + "constellation,C0,again\nlabel,1,1\nline,1,1,2,2\n", ErrorKind::BadCatalogue,
         "397 行目"},  // repeated abbreviation
        {"constellation,X,名前\nlabel,1,2\n" + sound, ErrorKind::BadCatalogue,
         "3 行目"},  // no line
        {"constellation,X,名前\nline,1,2,3,4\n" + sound, ErrorKind::BadCatalogue,
         "3 行目"},                                                                  // no label
        {"constellation,X,名前\nlabel,1x,2\n", ErrorKind::BadCatalogue, "2 行目"},   // not a number
        {"constellation,X,名前\nlabel,,2\n", ErrorKind::BadCatalogue, "2 行目"},     // empty number
        {"constellation,X,名前\nlabel,nan,2\n", ErrorKind::BadCatalogue, "2 行目"},  // not finite
        {"constellation,X,名前\nlabel,1,90.5\n", ErrorKind::BadCatalogue,
         "2 行目"},  // out of range
        {"constellation,X,名前\nlabel,360.1,0\n", ErrorKind::BadCatalogue, "2 行目"},
        {"constellation,X,名前\nlabel,1,2\nline,1,2,3\n", ErrorKind::BadCatalogue,
         "3 行目"},  // odd
        {"constellation,X,名前\nlabel,1,2\nline,1,2\n", ErrorKind::BadCatalogue,
         "3 行目"},  // one vertex
        {"constellation,X,名前\nlabel,1,2\nline,1,2,3,4\nbound,1,2,3,4\n", ErrorKind::BadCatalogue,
         "4 行目"},  // a boundary of two vertices
        {"bound,1,2,3,4,5,6\n" + sound, ErrorKind::BadCatalogue, "1 行目"},
        {"constellation,X,名前\nlabel,1," + std::string(5000, '1') + "\n", ErrorKind::BadCatalogue,
         "2 行目"},                                          // overlong line
        {Figures(87), ErrorKind::InputPastEnd, "87 個"},     // too few
        {Figures(89), ErrorKind::BadCatalogue, "397 行目"},  // too many
        {"", ErrorKind::InputPastEnd, "0 個"},
    };
    for (const Row& row : Rows) {
        const RunTimeError error = ReadError(row.Text, false);
        EXPECT_EQ(error.Kind(), row.Kind) << row.Text.substr(0, 60);
        EXPECT_NE(std::string(error.what()).find(row.Where), std::string::npos)
            << error.what() << "\nexpected " << row.Where;
        EXPECT_NE(std::string(error.what()).find("ConstellationData"), std::string::npos);
    }
}

TEST(ReadStarNames, RejectsEachKindOfDamageNamingTheLine) {
    struct Row {
        const char* Text;
        ErrorKind Kind;
        const char* Where;
    };
    constexpr Row Rows[] = {
        {"0,a\n3146,b\n", ErrorKind::BadCatalogue, "2 行目"},  // past the catalogue
        {"-1,b\n", ErrorKind::BadCatalogue, "1 行目"},
        {"12a,b\n", ErrorKind::BadCatalogue, "1 行目"},   // not an integer
        {"12,\n", ErrorKind::BadCatalogue, "1 行目"},     // no name
        {"12,b,c\n", ErrorKind::BadCatalogue, "1 行目"},  // extra field
        {"\n\n", ErrorKind::InputPastEnd, "ありません"},  // no names at all
    };
    for (const Row& row : Rows) {
        const RunTimeError error = ReadError(row.Text, true);
        EXPECT_EQ(error.Kind(), row.Kind) << row.Text;
        EXPECT_NE(std::string(error.what()).find(row.Where), std::string::npos) << error.what();
    }
}

TEST(LoadConstellationsFrom, ChangesNothingUnlessBothFilesAreSound) {
    const auto folder = std::filesystem::temp_directory_path() / "domarium-constellations-test";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "ConstellationData") << Figures();
    std::ofstream(folder / "StarNames") << "0,a\n7,b\n";
    std::ofstream(folder / "DamagedNames") << "0,a\n7\n";
    ConstellationCatalogue figures;
    LoadConstellationsFrom(figures, folder / "ConstellationData", folder / "StarNames");
    ASSERT_EQ(figures.StarNames.size(), 2u);
    EXPECT_EQ(figures.StarNames[1].Index, 7);
    figures.Constellations.resize(3);
    struct Row {
        const char* Data;
        const char* Names;
        ErrorKind Kind;
    };
    constexpr Row Rows[] = {{"ConstellationData", "DamagedNames", ErrorKind::BadCatalogue},
                            {"Missing", "StarNames", ErrorKind::FileNotFound},
                            {"ConstellationData", "Missing", ErrorKind::FileNotFound},
                            {".", "StarNames", ErrorKind::FileNotFound}};
    for (const Row& row : Rows) {
        try {
            LoadConstellationsFrom(figures, folder / row.Data, folder / row.Names);
            ADD_FAILURE() << row.Data << " " << row.Names;
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.Kind(), row.Kind) << error.what();
            EXPECT_NE(
                std::string(error.what())
                    .find(row.Data == std::string("ConstellationData") ? row.Names : row.Data),
                std::string::npos)
                << error.what();
        }
        EXPECT_EQ(figures.Constellations.size(), 3u) << "half-loaded by " << row.Data;
        EXPECT_EQ(figures.StarNames.size(), 2u) << "half-loaded by " << row.Names;
    }
    std::filesystem::remove_all(folder);
}

TEST(ConstellationData, HoldsEightyEightDistinctNamesOnePerIauAbbreviation) {
    constexpr const char* Iau[ConstellationCount] = {
        "And", "Ant", "Aps", "Aqr", "Aql", "Ara", "Ari", "Aur", "Boo", "Cae", "Cam", "Cnc", "CVn",
        "CMa", "CMi", "Cap", "Car", "Cas", "Cen", "Cep", "Cet", "Cha", "Cir", "Col", "Com", "CrA",
        "CrB", "Crv", "Crt", "Cru", "Cyg", "Del", "Dor", "Dra", "Equ", "Eri", "For", "Gem", "Gru",
        "Her", "Hor", "Hya", "Hyi", "Ind", "Lac", "Leo", "LMi", "Lep", "Lib", "Lup", "Lyn", "Lyr",
        "Men", "Mic", "Mon", "Mus", "Nor", "Oct", "Oph", "Ori", "Pav", "Peg", "Per", "Phe", "Pic",
        "Psc", "PsA", "Pup", "Pyx", "Ret", "Sge", "Sgr", "Sco", "Scl", "Sct", "Ser", "Sex", "Tau",
        "Tel", "Tri", "TrA", "Tuc", "UMa", "UMi", "Vel", "Vir", "Vol", "Vul"};
    std::set<std::string> abbreviations, names;
    for (const Constellation& c : Data().Figures.Constellations) {
        abbreviations.insert(c.Abbreviation);
        names.insert(c.Name);
        EXPECT_EQ(c.Name.substr(c.Name.size() - 3), "座") << c.Abbreviation;
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(ConstellationCount));
    EXPECT_EQ(abbreviations, std::set<std::string>(std::begin(Iau), std::end(Iau)));
    struct Row {
        const char *Abbreviation, *Name;
    };
    constexpr Row Rows[] = {{"Ori", "オリオン座"},       {"UMa", "おおぐま座"},
                            {"Cru", "みなみじゅうじ座"}, {"PsA", "みなみのうお座"},
                            {"Cas", "カシオペヤ座"},     {"Peg", "ペガスス座"},
                            {"Men", "テーブルさん座"},   {"Ser", "へび座"}};
    for (const Row& row : Rows) EXPECT_EQ(Named(row.Abbreviation).Name, row.Name);
    EXPECT_EQ(Named("Ser").Labels.size(), 2u) << "Serpens' head and tail";
}

TEST(ConstellationData, EveryVertexLiesOnACatalogueStar) {
    // Vertices at stars fainter than the catalogue keep the source's own coordinates.
    constexpr SkyPoint Fainter[] = {{34.8366, -2.9776}, {282.3958, -43.4341}, {44.9162, 41.0329}};
    constexpr double Tolerance = 0.1;  // degrees
    const ::Sky& Sky = *Data().Sky;
    const double cosTolerance = std::cos(Tolerance * std::numbers::pi / 180);
    auto unit = [](double ra, double dec, double v[3]) {
        const double r = ra * std::numbers::pi / 180, d = dec * std::numbers::pi / 180;
        v[0] = std::cos(d) * std::cos(r), v[1] = std::cos(d) * std::sin(r), v[2] = std::sin(d);
    };
    int vertices = 0, fainter = 0;
    for (const Constellation& c : Data().Figures.Constellations) {
        for (const auto& line : c.Lines) {
            for (const SkyPoint& p : line) {
                ++vertices;
                double a[3], b[3];
                unit(p.RA, p.Dec, a);
                bool near = false;
                for (std::size_t i = 0; i < StarCount && !near; ++i) {
                    unit(Sky.StarRA[i], Sky.StarDec[i], b);
                    near = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] >= cosTolerance;
                }
                if (near) continue;
                bool listed = false;
                for (const SkyPoint& f : Fainter)
                    listed = listed || (f.RA == p.RA && f.Dec == p.Dec);
                EXPECT_TRUE(listed) << c.Abbreviation << " vertex " << p.RA << ", " << p.Dec;
                ++fainter;
            }
        }
    }
    EXPECT_GT(vertices, 800);
    EXPECT_EQ(fainter, 3);
}

TEST(StarNames, NameTheBrightStarsAndPolaris) {
    struct Row {
        const char* Name;
        double RA, Dec;  // degrees, to 0.01
    };
    constexpr Row Rows[] = {{"シリウス", 101.29, -16.72},
                            {"ベガ", 279.23, 38.78},
                            {"北極星", 37.95, 89.26},
                            {"ベテルギウス", 88.79, 7.41},
                            {"アンタレス", 247.35, -26.43}};
    const ::Sky& Sky = *Data().Sky;
    for (const Row& row : Rows) {
        const StarName* found = nullptr;
        for (const StarName& s : Data().Figures.StarNames)
            if (s.Name == row.Name) found = &s;
        ASSERT_NE(found, nullptr) << row.Name;
        const auto i = static_cast<std::size_t>(found->Index);
        EXPECT_NEAR(Sky.StarRA[i], row.RA, 0.01) << row.Name;
        EXPECT_NEAR(Sky.StarDec[i], row.Dec, 0.01) << row.Name;
    }
    // Every star brighter than 1.5 is named, but for the companion of リギル・ケンタウルス.
    std::set<int> named;
    for (const StarName& s : Data().Figures.StarNames) named.insert(s.Index);
    int unnamed = 0;
    for (int i = 0; i < StarCount; ++i)
        unnamed += Sky.StarMag[static_cast<std::size_t>(i)] < 1.5 && !named.count(i);
    EXPECT_EQ(unnamed, 1);
    EXPECT_EQ(named.size(), Data().Figures.StarNames.size());
}

TEST(NameConstellations, ShowsOrionOnTheFebruaryEveningChartLookingSouth) {
    auto Sky = FebruaryEvening();
    std::vector<LabelRequest> asked;
    std::vector<ChartLabel> points;
    NameConstellations(Sky->Make(), &asked, &points);
    NameStars(Sky->Make(), &asked, &points);
    const ChartLabel* orion = nullptr;
    for (const ChartLabel& p : points)
        if (p.Label == "オリオン座") orion = &p;
    ASSERT_NE(orion, nullptr);
    EXPECT_EQ(orion->Kind, "constellation");
    EXPECT_GT(orion->Altitude, 30);
    EXPECT_NEAR(orion->Azimuth, 180, 40);
    EXPECT_GT(orion->X, 0);
    EXPECT_LT(orion->X, 408);
    EXPECT_GT(orion->Y, 0);
    EXPECT_LT(orion->Y, 408);
    const auto isAsked = [&](const char* name) {
        return std::any_of(asked.begin(), asked.end(),
                           [&](const LabelRequest& r) { return r.Pieces[0] == name; });
    };
    EXPECT_TRUE(isAsked("オリオン座"));
    // Names are asked for only above the horizon: the Southern Cross never rises at 35 N,
    // Vega is below the horizon in the evening.
    EXPECT_FALSE(isAsked("みなみじゅうじ座"));
    EXPECT_FALSE(isAsked("ベガ"));
    EXPECT_TRUE(isAsked("シリウス"));
    EXPECT_EQ(asked.size(), points.size());
    for (const ChartLabel& p : points) {
        EXPECT_GE(p.Altitude, -0.5) << p.Label;  // a depth of half a pixel rounds to 0
        EXPECT_TRUE(p.Kind == "constellation" || p.Kind == "star-name");
    }
}

TEST(DrawConstellationLines, EndsLinesOnTheirStarsAndOnlyAboveTheHorizon) {
    auto Sky = FebruaryEvening();
    Sky->Stars.Figures.Constellations = {Named("Ori"), Named("Cru")};
    RecordingSurface S;
    DrawConstellationLines(Sky->Make(), S);
    ASSERT_FALSE(S.Lines.empty());
    // Betelgeuse, a vertex of Orion's lines, as the star pass plots it.
    const Scene scene = Sky->Make();
    StarProjection betelgeuse;
    const std::int16_t index = 764;
    ProjectStarBatch(scene.Stars, scene.Proj, scene.SiderealAngle, &index, 1, &betelgeuse);
    const auto x = static_cast<float>(static_cast<double>(Sky->Center) + betelgeuse.OffsetX);
    const auto y = static_cast<float>(static_cast<double>(Sky->Center) + betelgeuse.OffsetY);
    int atBetelgeuse = 0;
    for (const auto& line : S.Lines)
        atBetelgeuse += (line.X1 == x && line.Y1 == y) + (line.X2 == x && line.Y2 == y);
    EXPECT_GE(atBetelgeuse, 2);
    // Orion is behind the dome seen from the north, the Southern Cross below the horizon.
    // Each piece over four strokes of its halo.
    EXPECT_EQ(S.LinesIn(LineColourBehind) * 5, static_cast<int>(S.Lines.size()));
    EXPECT_EQ(S.LinesIn(LabelHalo), 4 * S.LinesIn(LineColourBehind));
    Sky->Stars.Figures.Constellations = {Named("Cru")};
    RecordingSurface none;
    DrawConstellationLines(Sky->Make(), none);
    EXPECT_TRUE(none.Lines.empty());
}

// The Sun's constellation by the IAU boundaries on one date a month of 2026, each at
// least two days from an entry. The published entry dates (the almanacs' table of the
// Sun's passage through the IAU constellations, as in Wikipedia's "Zodiac": いて座 from
// 18 December, やぎ座 19/20 January, みずがめ座 16 February, うお座 11/12 March, おひつじ座
// 18 April, おうし座 13/14 May, ふたご座 21 June, かに座 20 July, しし座 10 August, おとめ座
// 16 September, てんびん座 30/31 October, さそり座 23 November, へびつかい座 29/30 November)
// hold within a day; the dates here leave room for that day.
TEST(ListMarkedPoints, NamesTheSunsConstellationByTheBoundaries) {
    struct Row {
        int Month, Day;
        const char* Name;
    };
    constexpr Row Rows[] = {{1, 10, "いて座"},       {2, 5, "やぎ座"},       {3, 5, "みずがめ座"},
                            {4, 5, "うお座"},        {5, 5, "おひつじ座"},   {6, 5, "おうし座"},
                            {7, 5, "ふたご座"},      {8, 5, "かに座"},       {9, 5, "しし座"},
                            {10, 5, "おとめ座"},     {11, 10, "てんびん座"}, {11, 26, "さそり座"},
                            {12, 5, "へびつかい座"}, {12, 22, "いて座"}};
    auto Sky = ChartSky(204, 160);
    Sky->Stars.Figures = Data().Figures;
    Sky->Look.Overlays.Ecliptic = true;
    for (const Row& row : Rows) {
        Sky->At.MinuteOfYear = (MonthStartDay[row.Month - 1] + row.Day - 1) * 1440 + 720;
        bool found = false;
        for (const MarkedPoint& m : ListMarkedPoints(Sky->Make())) {
            if (m.Kind != "sun-constellation") continue;
            found = true;
            EXPECT_EQ(m.Label, row.Name) << row.Month << "/" << row.Day;
        }
        EXPECT_TRUE(found);
    }
    Sky->Look.Overlays.Ecliptic = false;
    for (const MarkedPoint& m : ListMarkedPoints(Sky->Make()))
        EXPECT_NE(m.Kind, "sun-constellation") << "listed only with the ecliptic on";
}
