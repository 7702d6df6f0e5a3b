#include "core/Horizontal.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double Radian = std::numbers::pi / 180;
}  // namespace

double Wrap360(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    // A tiny negative remainder would round up to 360 itself.
    const double wrapped = r < 0 ? r + 360 : r;
    return wrapped < 360 ? wrapped : 0.0;
}

Horizontal HorizontalOf(double poleAngle, double siderealAngle, double ra, double dec) {
    const double phi = (poleAngle - 90) * Radian;
    const double h = (siderealAngle - ra) * Radian;
    const double d = dec * Radian;
    // North, east and up components of the unit vector.
    const double north = std::sin(d) * std::cos(phi) - std::cos(d) * std::cos(h) * std::sin(phi);
    const double east = -std::cos(d) * std::sin(h);
    const double up = std::sin(d) * std::sin(phi) + std::cos(d) * std::cos(h) * std::cos(phi);
    return HorizontalOfVector(north, east, up);
}

Horizontal HorizontalOfVector(double north, double east, double up) {
    const double altitude = std::atan2(up, std::hypot(north, east)) / Radian;
    return {altitude, Wrap360(std::atan2(east, north) / Radian)};
}
