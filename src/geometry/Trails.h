#pragma once
// Star trails' geometry: each star's circle of daily motion as a view shows it,
// through the one projection's rotation chain, and the stretch of it that a
// trail over the last hours of the clock covers.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Settings.h"
#include "geometry/Projection.h"

struct Sky;

// The trail spans the window offers, in hours (the table of settings' TrailHours).
inline constexpr const int (&TrailHourChoices)[6] = TrailHourValues;
// Degrees of sidereal angle per clock minute: the clock's SiderealRate, written out again
// because geometry sits below the clock; a test keeps the two equal.
inline constexpr double TrailSiderealRate = ((360.0 / 365) * 366 / 24) / 60;
// Pixels a trail's chords may stray from the star's circle: the chart's own half-pixel
// rounding leaves this as much again before a point lands in the wrong pixel.
inline constexpr double TrailChordTolerance = 0.25;

// A point of a diurnal circle as the chart places it, nothing rounded.
struct CirclePoint {
    double OffsetX = 0.0, OffsetY = 0.0;  // Pixels from the chart centre, y down.
    double Depth = 0.0;                   // Pixels below the horizon plane.
    double Facing = 0.0;                  // As ChartPoint's.
};

// A star's circle of daily motion as one view shows it. The chart's rotation chain is
// linear in the sphere point, so every quantity of CirclePoint is Centre + AlongCos x
// cos t + AlongSin x sin t, with t = (RA - sidereal angle) x Pi / 180 radians.
struct DiurnalCircle {
    CirclePoint Centre, AlongCos, AlongSin;
    CirclePoint At(double cosT, double sinT) const;
};

// DiurnalCircleOf: the circle of the polar distance whose sine and cosine are given.
// Reads:   the projection's radius and trigonometry.
// Notes:   At(cos t, sin t) is PlaceSkyPoint's place before its depth is rounded.
DiurnalCircle DiurnalCircleOf(const Projection& p, double sinPolar, double cosPolar);

// An angle t of a diurnal circle with its cosine and sine; t in radians, not reduced.
struct CircleAngle {
    double T = 0.0, Cos = 1.0, Sin = 0.0;
};

// A drawn part of a trail: from From to To (To.T > From.T, so from later to earlier
// clock times), all above the horizon, all on one side of the dome.
struct TrailPiece {
    CircleAngle From, To;
    bool Behind = false;  // Facing < 0: on the far half of the dome.
};

// The longest list of pieces a trail can have: a span of up to 361 degrees of the circle
// crosses each of its four changes (two at the horizon, two at the dome's rim) twice.
inline constexpr int MaxTrailPieces = 10;

// TrailShapes: every catalogue star's diurnal circle in one view, with its chords, kept
// between redraws: only the lit stretch of a circle moves with the clock.
// Per star: the circle; where on it the star crosses the horizon (at a depth of half a
// pixel, where the star pass stops drawing it) and the rim of the dome (Facing = 0); and
// GridCount(star) points at t = j x 2 pi / GridCount(star), j = 0, 1, ..., whose chords
// stray from the circle by under TrailChordTolerance.
// Tested:  in six views, every chord within half a pixel of the exact circle (0.25 pixel
//          at most, measured) and every point within 1e-6 pixel; the pieces cover the
//          span's hours above the horizon and no others; trails for the plotted stars only.
class TrailShapes {
public:
    // Update: makes the circles again when the view or the catalogue changed since the
    // last call (true when it did); each star's crossings and grid follow in Pieces.
    // Reads:   the sky's StarRA and StarDec; the projection's radius and trigonometry.
    // Notes:   The view and the catalogue are compared bit for bit with copies kept here:
    //          some 50 kilobytes read at each call, a few microseconds.
    bool Update(const Sky& sky, const Projection& p);

    // Pieces: the parts of star's trail over the hours of the clock ending at the moment
    // of PrepareMoment that lie above the horizon, in order back from now; returns their
    // count, 0 when the star is below the horizon now (as the star pass judges it, to
    // 1e-12 of the chart radius).
    // Reads:   star 0..3145 (unchecked); PrepareMoment's hours 1..24 and sidereal angle
    //          (degrees, |s| < 1e6).
    // Notes:   1) The angles come from the star's right ascension and the sidereal angle
    //             by a rotation, no library sine or cosine per star: one pair per call of
    //             PrepareMoment.
    //          2) The first piece starts at the star now, unless the star is exactly on
    //             the horizon; its place is the star pass's before the depth is rounded.
    //          3) Makes the star's crossings and grid for the view where not yet made,
    //             adding its points at the end of the grid points.
    int Pieces(int star, TrailPiece (&pieces)[MaxTrailPieces]);
    // PrepareMoment: the moment and span Pieces works at, after Update: the sidereal
    // angle's sine and cosine and the span's, once for all stars.
    void PrepareMoment(double siderealAngle, int hours);

    // The star now, at the moment of PrepareMoment: t = RA - sidereal angle in 0..2 pi.
    CircleAngle Now(int star) const;

    const DiurnalCircle& Circle(int star) const { return Circles[static_cast<std::size_t>(star)]; }
    int GridCount(int star) const { return Grids[static_cast<std::size_t>(star)].Count; }
    // Where star's grid starts among all stars' grid points, one after another.
    std::size_t GridFirst(int star) const { return Grids[static_cast<std::size_t>(star)].First; }
    // Point j (0..GridCount - 1) of star's grid: pixels from the chart centre.
    double GridX(int star, int j) const {
        return GridPoints[Grids[static_cast<std::size_t>(star)].First + static_cast<std::size_t>(j)]
            .X;
    }
    double GridY(int star, int j) const {
        return GridPoints[Grids[static_cast<std::size_t>(star)].First + static_cast<std::size_t>(j)]
            .Y;
    }
    // The grid points strictly inside piece p of star's trail: j = first .. end - 1, point
    // j mod GridCount(star) at angle j x 2 pi / GridCount(star); first = end for none.
    void GridBetween(int star, const TrailPiece& p, long long& first, long long& end) const;
    // How many grid points all stars' grids made so far hold together, and point k of them
    // (GridFirst(star) + j for star's point j), pixels from the chart centre.
    std::size_t GridPointCount() const { return GridPoints.size(); }
    double PointX(std::size_t k) const { return GridPoints[k].X; }
    double PointY(std::size_t k) const { return GridPoints[k].Y; }
    // Counts the rebuilds, for the callers' own caches made from these shapes.
    std::uint64_t Version() const { return Builds; }

private:
    struct Change {
        CircleAngle At;    // 0 <= At.T < 2 pi.
        bool Above, Near;  // The state from here to the next change.
    };
    struct Grid {
        std::size_t First = 0;
        int Count = 0;  // 0 until the star's crossings and grid are made.
    };
    struct Point {
        double X, Y;
    };
    struct Changes {
        Change List[4];
        int Count = 0;
        bool Above = false, Near = false;  // Where Count is 0: the whole circle.
    };
    std::vector<double> KeyView;         // Radius, the trigonometric cache.
    std::vector<double> KeyRA, KeyDec;   // The catalogue the shapes were made for.
    std::vector<DiurnalCircle> Circles;  // By star.
    std::vector<Changes> StarChanges;    // By star.
    void Prepare(std::size_t star);
    std::vector<double> SinPolar, CosPolar;  // Of each star's polar distance.
    std::vector<double> RaT, CosRA, SinRA;   // RA x ChartPi / 180 in 0..2 pi, its cosine and sine.
    std::vector<Grid> Grids;                 // By star.
    std::vector<Point> GridPoints;           // Every star's grid, one after another.
    double MomentCos = 1.0, MomentSin = 0.0, MomentT = 0.0;  // Of the sidereal angle.
    double SpanT = 0.0, SpanCos = 1.0, SpanSin = 0.0;        // Of the span, radians.
    double Radius = 0.0;
    std::uint64_t Builds = 0;
};
