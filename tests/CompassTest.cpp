#include <gtest/gtest.h>

#include "core/RunTimeError.h"
#include "core/SkyState.h"
#include "geometry/Compass.h"

namespace {
constexpr double PixelTolerance = 1e-4;  // pixels: worked values are given to four decimals.

SkyState Compass(double poleAngle, double radius) {
    SkyState Sky;
    Sky.Pi = 3.14159265358979;
    Sky.PoleAngle = poleAngle;
    Sky.ChartRadius = radius;
    BuildCompassPoints(Sky);
    return Sky;
}
}  // namespace

TEST(BuildCompassPoints, PlacesTheFourPointsAtLatitude35) {
    const SkyState Sky = Compass(125, 100);
    EXPECT_NEAR(Sky.CompassX[0], -57.3576, PixelTolerance);
    EXPECT_EQ(Sky.CompassY[0], 0);
    EXPECT_EQ(Sky.CompassZ[0], 82);
    EXPECT_EQ(Sky.CompassX[1], 0);
    EXPECT_EQ(Sky.CompassY[1], -100);
    EXPECT_EQ(Sky.CompassZ[1], 0);
    EXPECT_NEAR(Sky.CompassX[2], 57.3576, PixelTolerance);
    EXPECT_EQ(Sky.CompassZ[2], -82);
    EXPECT_EQ(Sky.CompassY[3], 100);
    EXPECT_EQ(Sky.CompassZ[3], 0);
    EXPECT_EQ(Compass(125, 160).CompassZ[0], 131);
    EXPECT_EQ(Compass(125, 160).CompassZ[2], -131);
    const std::array<std::string, 9> labels = {"北", "西", "南", "東", "", "", "", "", ""};
    EXPECT_EQ(Sky.CompassLabels, labels);
    EXPECT_EQ(Sky.CompassX[4], 0);
    EXPECT_EQ(Sky.CompassZ[4], 0);
}

TEST(BuildCompassPoints, HandlesThePoleAndTheEquator) {
    const SkyState pole = Compass(180, 100);
    EXPECT_EQ(pole.CompassX[0], -100);
    EXPECT_EQ(pole.CompassZ[0], 0);
    EXPECT_EQ(pole.CompassX[2], 100);
    EXPECT_EQ(pole.CompassZ[2], 0);
    const SkyState equator = Compass(90, 100);
    EXPECT_EQ(equator.CompassZ[0], 100);
    EXPECT_EQ(equator.CompassZ[2], -100);
    EXPECT_NE(equator.CompassX[0], 0);  // cos of the 15-digit Pi / 2 is not zero.
    EXPECT_NEAR(equator.CompassX[0], 0, 1e-12);
}

TEST(BuildCompassPoints, RoundsZHalvesToEven) {
    // With PoleAngle 90 the sine is 1 to the last bit, so z = R exactly.
    EXPECT_EQ(Compass(90, 82.5).CompassZ[0], 82);
    EXPECT_EQ(Compass(90, 83.5).CompassZ[0], 84);
    EXPECT_EQ(Compass(90, 83.5).CompassZ[2], -84);
    EXPECT_THROW(Compass(90, 40000), RunTimeError);
}
