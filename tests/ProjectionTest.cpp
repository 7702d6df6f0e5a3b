#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "catalogue/StarData.h"
#include "core/Convert.h"
#include "core/SkyState.h"
#include "geometry/Projection.h"

namespace {
constexpr double PixelTolerance = 1e-6;  // pixels: the worked values are given to six decimals.

// Default view at ChartRadius 1000, with one star at the sidereal angle plus Ra.
std::unique_ptr<SkyState> DefaultView(int elevation = 10) {
    auto Sky = std::make_unique<SkyState>();
    Sky->Pi = 3.14159265358979;
    Sky->PoleAngle = 125;
    Sky->ViewElevation = static_cast<std::int16_t>(elevation);
    Sky->ChartRadius = 1000;
    Sky->SiderealAngle = -260.40341156871386;
    UpdateViewTrig(*Sky);
    return Sky;
}

void ProjectStarAt(SkyState& Sky, double raPastSidereal, double dec) {
    Sky.StarIndex = 7;
    Sky.StarRA[7] = Sky.SiderealAngle + raPastSidereal;
    Sky.StarDec[7] = dec;
    ProjectStar(Sky);
}
}  // namespace

TEST(ProjectStar, GivesTheWorkedPointsOfTheDefaultView) {
    auto Sky = DefaultView();
    ProjectStarAt(*Sky, 0, 90);  // The north celestial pole.
    EXPECT_EQ(Sky->Depth, -574);
    EXPECT_NEAR(Sky->ViewX, 819.152044, PixelTolerance);
    EXPECT_NEAR(Sky->ViewY, 0, PixelTolerance);
    EXPECT_NEAR(Sky->OffsetX, 0, PixelTolerance);
    EXPECT_NEAR(Sky->OffsetY, -707.523910, PixelTolerance);

    ProjectStarAt(*Sky, 0, 0);  // Equator on the meridian.
    EXPECT_EQ(Sky->Depth, -819);
    EXPECT_NEAR(Sky->ViewX, -573.576436, PixelTolerance);
    EXPECT_NEAR(Sky->OffsetX, 0, PixelTolerance);
    EXPECT_NEAR(Sky->OffsetY, -706.957047, PixelTolerance);

    ProjectStarAt(*Sky, 90, 0);  // The east point.
    EXPECT_EQ(Sky->Depth, 0);
    EXPECT_NEAR(Sky->ViewY, 1000, PixelTolerance);
    EXPECT_NEAR(Sky->OffsetX, 1000, PixelTolerance);
    EXPECT_NEAR(Sky->OffsetY, 0, 1e-12);

    ProjectStarAt(*Sky, 0, 35);  // The zenith at latitude 35.
    EXPECT_EQ(Sky->Depth, -1000);
    EXPECT_NEAR(Sky->OffsetY, -984.807753, PixelTolerance);
}

TEST(ProjectStar, SeenFromStraightAboveTheMeridianStarIsSouthOfCentre) {
    auto Sky = DefaultView(90);
    ProjectStarAt(*Sky, 0, 0);
    EXPECT_NEAR(Sky->OffsetY, 573.576436, PixelTolerance);
}

TEST(ProjectStar, PolarCacheGivesBitIdenticalResults) {
    auto cached = DefaultView();
    auto plain = DefaultView();
    for (int i = 0; i < StarCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        cached->StarRA[k] = plain->StarRA[k] = i * 0.1137;
        cached->StarDec[k] = plain->StarDec[k] = -90 + i * 180.0 / (StarCount - 1);
    }
    PrepareStarPolarCache(*cached);
    for (std::int16_t i = 0; i < StarCount; ++i) {
        cached->StarIndex = plain->StarIndex = i;
        ProjectStar(*cached);
        ProjectStar(*plain);
        ASSERT_EQ(cached->OffsetX, plain->OffsetX) << i;
        ASSERT_EQ(cached->OffsetY, plain->OffsetY) << i;
        ASSERT_EQ(cached->Depth, plain->Depth) << i;
        ASSERT_EQ(cached->SinPolarDist, plain->SinPolarDist) << i;
        ASSERT_EQ(cached->CosPolarDist, plain->CosPolarDist) << i;
    }
}

TEST(ProjectPoint, RoundsDepthTiesToEvenAndUsesTheRoundedDepth) {
    auto Sky = DefaultView();
    // With x = 0 the unrounded depth is z x CosPole; choose z to hit exact halves.
    Sky->SinPole = 0;
    Sky->CosPole = 1;
    ProjectPoint(*Sky, 0, 0, 0.5);
    EXPECT_EQ(Sky->Depth, 0);
    ProjectPoint(*Sky, 0, 0, 1.5);
    EXPECT_EQ(Sky->Depth, 2);
    ProjectPoint(*Sky, 0, 0, -2.5);
    EXPECT_EQ(Sky->Depth, -2);
    // OffsetY = -ViewX sin(el) + Depth cos(el), with the rounded Depth 2.
    ProjectPoint(*Sky, 0, 0, 1.5);
    EXPECT_EQ(Sky->OffsetY, ((-Sky->ViewX) * Sky->SinElevation) + (2 * Sky->CosElevation));
}

TEST(ProjectPoint, OverflowsOutsideTheSixteenBitDepth) {
    auto Sky = DefaultView();
    EXPECT_THROW(ProjectPoint(*Sky, -50000, 0, 0), RunTimeError);
}

TEST(ProjectStar, GivesZerosOnTheZeroCacheAndCatalogue) {
    SkyState Sky;
    Sky.ChartRadius = 163.6;
    Sky.Pi = 3.14159265358979;
    for (std::int16_t i : {std::int16_t{0}, std::int16_t{3145}}) {
        Sky.StarIndex = i;
        ProjectStar(Sky);
        EXPECT_EQ(Sky.Depth, 0);
        EXPECT_EQ(Sky.OffsetX, 0);
        EXPECT_EQ(Sky.OffsetY, 0);
        EXPECT_EQ(Sky.ViewX, 0);
        EXPECT_EQ(Sky.ViewY, 0);
    }
    Sky.StarIndex = StarCount;
    EXPECT_THROW(ProjectStar(Sky), RunTimeError);
}

TEST(Round16, RoundsHalvesToEvenAndOverflowsOutOfRange) {
    EXPECT_EQ(Round16(82.5), 82);
    EXPECT_EQ(Round16(83.5), 84);
    EXPECT_EQ(Round16(-0.5), 0);
    EXPECT_EQ(Round16(32767.4), 32767);
    EXPECT_EQ(Round16(-32768.5), -32768);
    EXPECT_THROW(Round16(32767.5), RunTimeError);
    EXPECT_THROW(Round16(-32769), RunTimeError);
    EXPECT_THROW(Round16(std::nan("")), RunTimeError);
    EXPECT_EQ(Round32(2147483647.0), 2147483647);
    EXPECT_THROW(Round32(2147483647.5), RunTimeError);
}

TEST(ProjectStarBatch, MatchesProjectStarBitForBit) {
    auto Sky = DefaultView();
    LoadStarDataFrom(*Sky, std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    std::vector<std::int16_t> all(StarCount);
    for (int i = 0; i < StarCount; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i);
    std::vector<StarProjection> out(StarCount);
    struct View {
        double PoleAngle;
        std::int16_t Azimuth, Elevation;
        double ChartRadius, SiderealAngle;
    };
    constexpr View Views[] = {{125, 0, 10, 163.2, -260.40341156871386},
                              {180, 90, -90, 640, 131499.34590349975},
                              {3, 287, 45, 0.5, 12.75},
                              {90, 360, 0, 1196.8, -7}};
    for (const View& view : Views) {
        Sky->PoleAngle = view.PoleAngle;
        Sky->ViewAzimuth = view.Azimuth;
        Sky->ViewElevation = view.Elevation;
        Sky->ChartRadius = view.ChartRadius;
        Sky->SiderealAngle = view.SiderealAngle;
        UpdateViewTrig(*Sky);
        ProjectStarBatch(*Sky, all.data(), StarCount, out.data());
        for (std::int16_t i = 0; i < StarCount; ++i) {
            Sky->StarIndex = i;
            ProjectStar(*Sky);
            const StarProjection& p = out[static_cast<std::size_t>(i)];
            ASSERT_EQ(p.Depth, Sky->Depth) << i;
            ASSERT_EQ(p.OffsetX, Sky->OffsetX) << i;
            ASSERT_EQ(p.OffsetY, Sky->OffsetY) << i;
        }
    }
}

TEST(Floor, RoundsTowardMinusInfinityLikeTheLibrary) {
    constexpr double Values[] = {0.0,
                                 -0.0,
                                 0.5,
                                 -0.5,
                                 1.0,
                                 -1.0,
                                 2.999999999,
                                 -2.000000001,
                                 7.96 / 3.5,
                                 (7.96 - 0.96) / 3.5,
                                 (7.96 + 2.54) / 3.5,
                                 4503599627370495.5,
                                 -4503599627370495.5,
                                 1e300,
                                 -1e300};
    for (double v : Values) EXPECT_EQ(Floor(v), std::floor(v)) << v;
    EXPECT_TRUE(std::isnan(Floor(std::nan(""))));
}
