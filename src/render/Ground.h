#pragma once
// What only the ground views (全天 and 地平) draw: their frame (the sky's disc or the
// ground under the horizon, the altitude circles, the direction letters), the daytime sky
// of 昼の空 and the stars it leaves, and the star trails as the ground mapping bends them.
// Every point goes through PlaceGroundPoint, as the other layers' do in these views.

#include <cstdint>

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

// DrawGroundTrails: each plotted star's trail over the last hours as a chain of chords
// through the ground mapping, in TrailColour: 5 to 30 minutes of the clock apart, by the
// chart's size, so that they stray from the curve by about a quarter pixel at most.
void DrawGroundTrails(const Scene& scene, DrawingSurface& S, int hours);
