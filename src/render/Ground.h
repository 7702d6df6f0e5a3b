#pragma once
// What only the ground views (全天 and 地平) draw: their frame (the sky's disc or the
// ground under the horizon, the altitude circles, the direction letters), the daytime sky
// of 昼の空 and the stars it leaves, and the star trails as the ground mapping bends them.
// Every point goes through PlaceGroundPoint, as the other layers' do in these views.

#include <cstdint>
#include <vector>

#include "geometry/Projection.h"
#include "render/DrawingSurface.h"

struct Scene;
struct Moment;
struct View;

// The ground's and the frame lines' colours.
inline constexpr Colour GroundInk = RGB(26, 34, 22);
inline constexpr Colour AltitudeCircleGrey = RGB(100, 100, 100);

// SunAltitudeNow: the Sun's altitude at the moment and place, degrees, no refraction: the
// Sun of the overlays through the engine's alt-azimuth.
double SunAltitudeNow(const Moment& moment);

// DaylightSky: the sky's colour for a Sun at that altitude (degrees): black below -18,
// through twilight's deepening blues to the day's blue from 10 up.
// Tested:  black at night; each step toward the day no darker than the one before.
Colour DaylightSky(double sunAltitude);

// DaylightLimit: the faintest magnitude the sky of a Sun at that altitude lets be seen:
// none in daylight (-2, brighter than any star), 1 at the end of civil twilight, 3.5 at
// nautical, 6 (no limit the lists offer) from astronomical twilight's end down.
double DaylightLimit(double sunAltitude);

// GroundViewOf: the view as a ground view draws it: with 昼の空 on, the limiting magnitude
// lowered to DaylightLimit; otherwise view itself. sky gets the sky's colour (Black without
// 昼の空).
View GroundViewOf(const View& view, const Moment& moment, Colour& sky);

// ClearAndDrawGroundFrame: the ground view's frame, as ClearAndDrawFrame the dome's: kept
// by the surface with its key (which carries sky) and put back where it is the same.
// Writes:  S's pixels; CurrentX and CurrentY at 0, ForeColor the compass grey, FillColor
//          white, whether drawn or put back.
void ClearAndDrawGroundFrame(const Projection& p, Colour sky, std::uint64_t layer,
                             DrawingSurface& S);

// What the ground trails keep between charts: each star's circle of daily motion through the
// ground mapping, as points at fixed angles of the circle, made for one view and catalogue.
// The circles stand still in the ground frame while the clock runs (a later trail is another
// stretch of the same circle), so a step only joins the kept points of the lit stretch.
// It only saves work: a drawing with a fresh cache gives the same pixels.
struct GroundTrailCache {
    Projection Key;
    bool Made = false;
    std::vector<double> KeyRA, KeyDec;  // The catalogue the circles were made for.
    struct Point {
        int X, Y;    // The pixel, as the surface rounds a chart point handed to it.
        bool Above;  // Depth <= 0: drawn.
    };
    // By star: its Count points at t = j x 2 pi / Count from First in Points, then its two
    // crossings of the horizon at angles Crossing (-1 for none); Count 0 until made.
    struct Circle {
        std::size_t First = 0;
        int Count = 0;
        double Crossing[2] = {-1.0, -1.0};
        double SinPolar = 0.0, CosPolar = 0.0;  // Of the polar distance, as SpherePointOf's.
    };
    std::vector<Circle> Circles;
    std::vector<Point> Points;
    std::vector<ChartPoint> Making;  // A circle's points while its count is chosen.
    // By a circle's point count N: the cosine and sine of each point's angle j 2 pi / N and
    // of each chord's middle, four numbers a point; the same bits as taken afresh, made once
    // for every circle and view that uses N.
    std::vector<std::vector<double>> Turns;
    // The trails of one drawing as the palette number of each pixel's last stroke (0 for
    // none), row by row over the surface, handed over at once; all 0 between drawings.
    std::vector<std::uint16_t> Strokes;
    int Width = 0, Height = 0;
    std::vector<double> KeyMag;       // The magnitudes Inks were made for.
    std::vector<std::uint16_t> Inks;  // By star: its trail's number in Palette.
    std::vector<Colour> Palette;      // By number; entry 0 unused.
    std::vector<float> Scratch;       // The hand-over's points where the surface takes no raster.
};

// DrawGroundTrails: each plotted star's trail over the last hours through the ground mapping,
// in TrailColour: from the star now along chords between the kept points of its circle (as
// many as keep each chord within TrailChordTolerance of the curve, by the circle's size in
// the view) to its place hours back. A chord with an end below the horizon runs from the
// end above to where the circle crosses the horizon.
// Reads:   hours 1..24; the sky's stars, the view's LimitMag, the sidereal angle, projection.
// Writes:  S; cache, its circles made again when the view or the catalogue changed.
// Notes:   1) In the 全天 view the trail's two ends lie on their chords (the star's pixel
//             within the tolerance), not mapped afresh; where a chord's end is hidden they
//             are mapped.
//          2) The chords are stepped into the cache's raster and reach S once per pixel:
//             where trails cross, the later star's stroke is the one seen, as when drawn in
//             turn. A surface that takes no raster gets the pixels a colour at a time; one
//             that watches each plot, one-pixel lines.
//          3) Surfaces up to 8192 pixels a side; beyond, the trails stop at that edge.
// Tested:  kept circles draw what fresh ones draw through steps on and back and changes of
//          view; kept pixels on the exact circle, chords within half a pixel of it.
void DrawGroundTrails(const Scene& scene, DrawingSurface& S, int hours, GroundTrailCache& cache);
