#pragma once
// Star trails: each star's path over the last hours of the clock, placed
// through the one projection, so a trail ends exactly where its star is plotted.

#include <cstdint>
#include <vector>

#include "core/Settings.h"
#include "geometry/Projection.h"

struct Sky;

// The trail spans the window offers, in hours (the table of settings' TrailHours), and the
// clock step between trail points.
inline constexpr const int (&TrailHourChoices)[6] = TrailHourValues;
inline constexpr int TrailStepMinutes = 10;
inline constexpr int TrailStepsPerHour = 60 / TrailStepMinutes;
inline constexpr int MaxTrailPoints = 24 * TrailStepsPerHour + 1;
// Degrees of sidereal angle per clock minute: the clock's SiderealRate, written out again
// because geometry sits below the clock; a test keeps the two equal.
inline constexpr double TrailSiderealRate = ((360.0 / 365) * 366 / 24) / 60;

// PlaceStarTrail: the trail of catalogue star Star over Hours hours of the clock ending now.
// Reads:   Star   0..3145; Hours 1..24; the sky's StarRA and polar values; the chart's
//                 siderealAngle (degrees, not reduced).
// Writes:  Trail  Hours x TrailStepsPerHour + 1 placements; entry k is the star k x
//                 TrailStepMinutes clock minutes ago, at sidereal angle siderealAngle -
//                 (k x TrailStepMinutes) x TrailSiderealRate. Entry 0 is the star's chart
//                 position, bit-identical to the star pass's.
// Notes:   1) A star index or span outside its range raises the subscript run-time error.
//          2) The hour angle grows along the trail's reverse: 15.04 degrees an hour, 366 turns
//             in a 365-day year, as the chart's own clock turns the sky.
// Tested:  the polar distance of every point; the span of hour angle of each choice of hours;
//          24-hour trails above the horizon exactly for circumpolar stars.
void PlaceStarTrail(const Sky& sky, const Projection& p, double siderealAngle, int star, int hours,
                    std::vector<ChartPoint>& trail);
