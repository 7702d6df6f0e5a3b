#pragma once
// The orthographic projection of the celestial sphere onto the chart: one
// value per view (its trigonometry, the sphere's radius and the chart's
// centre) and one rotation chain that turns a point of the sphere frame into
// a chart point. Stars, the Sun, trails, lines and labels all go through it.

#include <cstdint>

#include "core/Horizontal.h"

struct Sky;
struct Moment;
struct View;

// A view's projection, made by ProjectionOf and only read after.
struct Projection {
    double R = 0.0;                        // Radius of the sphere on the chart, pixels.
    float CenterX = 0.0f, CenterY = 0.0f;  // The chart's centre, pixels from the top-left corner.
    double PoleAngle = 0.0;                // 90 + latitude, degrees.
    double ElevationRad = 0.0;  // The view's elevation, radians (ChartPi); positive from above.
    // Sines and cosines of the pole angle, the view's azimuth, elevation and roll.
    double SinPole = 0.0, CosPole = 0.0, SinAzimuth = 0.0, CosAzimuth = 0.0;
    double SinElevation = 0.0, CosElevation = 0.0, SinRoll = 0.0, CosRoll = 0.0;
    // The ground views (ViewKind Sky, Horizon as 1, 2; Dome 0): every point goes through
    // PlaceGroundPoint instead of the rotation chain. Azimuth: the view's, degrees.
    std::uint8_t Ground = 0;
    double Azimuth = 0.0;
    // The ground mapping's constants: the view azimuth's sine and cosine, the 地平 view's
    // centre altitude's, and twice its stereographic focal length (pixels).
    double GroundSinAzimuth = 0.0, GroundCosAzimuth = 1.0, GroundSinTilt = 0.0, GroundCosTilt = 1.0,
           GroundFocal2 = 0.0;
    bool operator==(const Projection&) const = default;
};

// ProjectionOf: the projection of a view for a place.
// Reads:   moment.PoleAngle; view.Azimuth, Elevation, Roll (degrees) and its chart geometry.
// Returns: the angles in radians as (angle x ChartPi) / 180, their sines and cosines.
// Tested:  the worked stars of ProjectionTest at R = 1000 in the start-up view, exactly.
Projection ProjectionOf(const Moment& moment, const View& view);

// The 地平 view's geometry: the altitude at the chart's centre and the half width, degrees.
// With the centre 30 degrees up and 60 degrees to each side, the zenith touches the top edge
// above the centre and the horizon crosses the chart at about three quarters of its height.
inline constexpr double HorizonViewCentreAltitude = 30.0;
inline constexpr double HorizonViewHalfWidth = 60.0;

// A point on the chart, with what decides how it is drawn.
struct ChartPoint {
    double OffsetX = 0.0, OffsetY = 0.0;  // Pixels from the chart centre, y down.
    std::int16_t Depth = 0;   // Pixels below the horizon plane, rounded (halves to even); the
                              // point is above the horizon, and drawn, when Depth <= 0.
    double DepthExact = 0.0;  // The same before rounding.
    // Pixels toward the viewer from the plane through the centre across the line of sight:
    // positive on the half of the sphere that faces the viewer (seen from outside).
    double Facing = 0.0;
    double X(const Projection& p) const { return p.CenterX + OffsetX; }
    double Y(const Projection& p) const { return p.CenterY + OffsetY; }
};

// PlaceSpherePoint: a point of the sphere frame on the chart: the rotation chain, once.
// Reads:   x toward the meridian point of the equator, y east, z the north pole; pixels.
// Notes:   1) Pole tilt, view azimuth, view elevation, roll, in exactly this order; the rounded
//             Depth feeds the last two steps, so results agree to the last bit everywhere.
//          2) A Depth outside 16 bits is the overflow error.
//          3) Facing is -(ViewX cos elevation + DepthExact sin elevation): the viewer stands
//             outside the dome on the side opposite the view azimuth, above the horizon plane
//             for a positive elevation.
ChartPoint PlaceSpherePoint(const Projection& p, double x, double y, double z);

// LinearSpherePoint: the same chain with the depth left unrounded in every step, so that
// the offsets, DepthExact and Facing are linear in (x, y, z) (Depth is left 0): the exact
// curve that a circle of the sphere makes on the chart.
ChartPoint LinearSpherePoint(const Projection& p, double x, double y, double z);

// SpherePointOf: the sphere-frame point of right ascension ra and declination dec (degrees)
// at a sidereal angle (degrees, not reduced), at distance R from the centre.
void SpherePointOf(const Projection& p, double ra, double dec, double siderealAngle, double& x,
                   double& y, double& z);

// PlaceSkyPoint: a point of the celestial sphere at a sidereal angle on the chart.
// Notes:   For a catalogue star at the chart's sidereal angle, the same bits as the star pass.
// Tested:  every catalogue star against the star batch in several views.
ChartPoint PlaceSkyPoint(const Projection& p, double ra, double dec, double siderealAngle);

// PlaceHorizontalPoint: a point given by altitude and azimuth (degrees, azimuth from north
// through east), at `scale` times the sphere's radius (1 on the sphere, 0 at the centre).
// Tested:  the zenith at (0, -R cos elevation); the north point of the default view.
ChartPoint PlaceHorizontalPoint(const Projection& p, double altitude, double azimuth,
                                double scale = 1.0);

// PlaceGroundPoint: a horizontal direction on a ground view's chart: the one mapping of the
// 全天 and 地平 views, which every layer's points go through (PlaceSpherePoint,
// PlaceSkyPoint and PlaceHorizontalPoint hand theirs on to it in those views).
// Reads:   at: altitude (degrees, -90..90) and azimuth (degrees from north through east);
//          the projection's kind, azimuth, radius and centre.
// Returns: Sky: azimuthal equidistant, the zenith at the centre, altitude 0 at R, the view's
//          azimuth straight up and azimuths increasing counter-clockwise (east left of north).
//          Horizon: stereographic about the direction at the view's azimuth and
//          HorizonViewCentreAltitude, HorizonViewHalfWidth to the chart's side edges, higher
//          up, azimuths increasing to the right.
//          DepthExact is -R sin(altitude); Depth is 0 from altitude 0 up and positive below, so
//          the layers' horizon test (Depth <= 0) is the altitude's own. In the Horizon view a
//          direction more than 90 degrees from the centre (off the chart) counts as below.
//          Facing is R: seen from inside, no part of the sky is on a far side.
// Tested:  every plotted star against HorizontalOf within a pixel; Vega rising in the
//          north-east lies left of north in the Sky view.
ChartPoint PlaceGroundPoint(const Projection& p, const Horizontal& at);
// PlaceGroundDirection: the same mapping for a direction given by its north, east and up
// components (any common length but zero), as the sphere points and the stars come to it:
// no azimuth worked out and turned back into a sine and a cosine.
ChartPoint PlaceGroundDirection(const Projection& p, double north, double east, double up);

// The horizon's cardinal points in the sphere frame (pixels), entries 0..3 north, west,
// south, east; Z rounded, as the compass is drawn. West and east lie in the equator's plane.
struct CompassPoints {
    double X[4] = {}, Y[4] = {};
    std::int16_t Z[4] = {};
};

// CompassPointsOf: the cardinal points for the projection's radius and pole angle.
// Tested:  R = 100, latitude 35: north (-57.3576, 0, 82), west (0, -100), south
//          (57.3576, 0, -82), east (0, 100); latitude 90: north (-100, 0, 0).
CompassPoints CompassPointsOf(const Projection& p);
inline constexpr const char* CompassLabels[4] = {"北", "西", "南", "東"};

// A catalogue star on the chart, as the star pass places it.
struct StarProjection {
    double OffsetX, OffsetY;
    std::int16_t Depth;
    std::int16_t Index;  // The star, as ProjectStarsAboveHorizon lists it; not set by the batch.
};

// ProjectStarBatch: the star pass's fast path: PlaceSkyPoint for several catalogue stars.
// Reads:   the stars of indices[0..count), their polar values from the sky; siderealAngle.
// Writes:  out[0..count): OffsetX, OffsetY and Depth.
// Notes:   The same arithmetic in the same order as PlaceSkyPoint, so each result is
//          bit-identical; the library sines and cosines of all right-ascension offsets are
//          taken first, then the rotations, which the compiler runs on several stars at once.
// Tested:  against PlaceSkyPoint for every star in four views.
void ProjectStarBatch(const Sky& sky, const Projection& p, double siderealAngle,
                      const std::int16_t* indices, int count, StarProjection* out);

// ProjectStarsAboveHorizon: ProjectStarBatch for the stars of the list that may be drawn.
// Writes:  out[0..n-1] for the n stars kept, in list order, each with its Index; returns n.
// Notes:   1) A star is left out only where a cheap bound on its depth (the sky's unit point
//             turned by the sidereal angle, off by under 1e-12 R) proves that rounding makes
//             the depth positive, so that the star pass would not draw it. Stars within the
//             bound's margin of 1e-9 R of the horizon are always projected exactly.
//          2) Left out, a star costs no library sine or cosine: about half the catalogue.
// Tested:  against PlaceSkyPoint over fixed views and 100,000 random clock steps.
int ProjectStarsAboveHorizon(const Sky& sky, const Projection& p, double siderealAngle,
                             const std::int16_t* indices, int count, StarProjection* out);
