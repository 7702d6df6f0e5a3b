#pragma once
// Points of the sky that the star pass does not place: any right ascension and
// declination at any sidereal angle (constellation lines and names, star
// trails), projected with ProjectStar's arithmetic in ProjectStar's order, so a
// point at a star's coordinates and the current sidereal angle lands exactly
// where the star is plotted. None of these procedures writes SkyState.

#include <cstdint>
#include <vector>

#include "core/Settings.h"

struct SkyState;

// A point of the sky as the chart places it.
struct SkyPlacement {
    double OffsetX = 0.0, OffsetY = 0.0;  // Pixels from the chart centre, y down.
    std::int16_t Depth = 0;  // Pixels below the horizon plane, rounded as ProjectStar's;
                             // 0 or less is above the horizon.
    double Toward = 0.0;     // Pixels toward the viewer from the plane through the centre
                             // across the line of sight; negative behind the dome.
};

// The trail spans the window offers, in hours (the table of settings' TrailHours), and the
// clock step between trail points.
inline constexpr const int (&TrailHourChoices)[6] = TrailHourValues;
inline constexpr int TrailStepMinutes = 10;
inline constexpr int TrailStepsPerHour = 60 / TrailStepMinutes;
inline constexpr int MaxTrailPoints = 24 * TrailStepsPerHour + 1;
// Degrees of sidereal angle per clock minute: the clock's SiderealRate, written out again
// because geometry sits below the clock; a test keeps the two equal.
inline constexpr double TrailSiderealRate = ((360.0 / 365) * 366 / 24) / 60;

// PlaceSkyPoint: where the chart puts a point of the sky at a sidereal angle.
// Reads:   RA, Dec        degrees; any values (no range check).
//          SiderealAngle  degrees, as SkyState.SiderealAngle (not reduced).
//          Sky            ChartRadius, Pi and the view's trigonometric cache.
// Writes:  the result only.
// Notes:   1) The steps of ProjectStar with StarRA, StarDec and SiderealAngle replaced by the
//             arguments: the same results to the last bit.
//          2) Toward is -(ViewX x CosElevation + Depth x SinElevation): the viewer stands
//             outside the dome on the side opposite ViewAzimuth, ViewElevation above the
//             horizon plane.
// Tested:  every catalogue star at the current sidereal angle equals ProjectStar's placement.
SkyPlacement PlaceSkyPoint(const SkyState& Sky, double ra, double dec, double siderealAngle);

// PlaceSpherePoint: the same for a point given in the sphere frame (x toward the meridian
// point of the equator, y east, z the north pole), scaled to the chart as ProjectPoint's.
SkyPlacement PlaceSpherePoint(const SkyState& Sky, double x, double y, double z);

// SpherePointOf: the sphere-frame point of RA and Dec (degrees) at a sidereal angle, at
// distance ChartRadius from the centre, with ProjectStar's steps 1 to 4.
void SpherePointOf(const SkyState& Sky, double ra, double dec, double siderealAngle, double& x,
                   double& y, double& z);

// PlaceStarTrail: the trail of catalogue star Star over Hours hours of the clock ending now.
// Reads:   Star   0..3145; Hours 1..24.
//          Sky    StarRA, StarDec (and the polar cache where it holds), SiderealAngle,
//                 ChartRadius, Pi and the trigonometric cache.
// Writes:  Trail  Hours x TrailStepsPerHour + 1 placements; entry k is the star k x
//                 TrailStepMinutes clock minutes ago, at sidereal angle SiderealAngle -
//                 (k x TrailStepMinutes) x TrailSiderealRate. Entry 0 is the star's chart position,
//                 bit-identical to ProjectStar's.
// Notes:   1) A star index or span outside its range raises the subscript run-time error.
//          2) The hour angle grows along the trail's reverse: 15.04 degrees an hour, 366 turns
//             in a 365-day year, as the chart's own clock turns the sky.
// Tested:  the polar distance of every point; the span of hour angle of each choice of hours;
//          24-hour trails above the horizon exactly for circumpolar stars.
void PlaceStarTrail(const SkyState& Sky, int star, int hours, std::vector<SkyPlacement>& trail);
