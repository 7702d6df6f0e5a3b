#pragma once
// The constellations on the dome: their lines, their Japanese names at their
// label positions, and the names of the brightest stars beside them. Each is
// drawn above the horizon only, fainter behind the dome.

#include <string>
#include <vector>

#include "render/DrawingSurface.h"
#include "render/Labels.h"

struct Scene;

// A labelled point of the chart, for the snapshot's point table.
struct ChartLabel {
    std::string Kind;     // "constellation" or "star-name".
    std::string Label;    // The Japanese name.
    double X = 0, Y = 0;  // Pixels from the surface's top-left corner, y down.
    double Altitude = 0;  // Degrees above the horizon.
    double Azimuth = 0;   // Degrees from north through east, 0..360.
};

// Colours: pale blue lines, warm constellation names, pale yellow star names; behind the
// dome each is dimmer (FarInk), and all of them ringed in LabelHalo.
inline constexpr Colour LineColourFront = RGB(110, 160, 240);
inline constexpr Colour LineColourBehind = FarInk(LineColourFront);
inline constexpr Colour NameColourFront = RGB(255, 196, 120);
inline constexpr Colour NameColourBehind = FarInk(NameColourFront);
inline constexpr Colour StarNameColourFront = RGB(255, 250, 170);
inline constexpr Colour StarNameColourBehind = FarInk(StarNameColourFront);

// Longest piece of a constellation line drawn straight: longer segments are cut into
// pieces along the great circle, so they bend with the dome and stop at the horizon.
inline constexpr double LinePieceDegrees = 2.0;

// DrawConstellationLines: every line of every constellation, where above the horizon.
// Reads:   scene    the sky's Figures (Constellations[].Lines), sidereal angle, projection.
// Writes:  S        one-pixel lines; a piece is drawn when both its ends are above the
//                   horizon; LineColourFront, or LineColourBehind behind the dome, over a
//                   ring of LabelHalo.
// Notes:   1) Vertices are placed as the star pass places stars: a vertex at a catalogue
//             star's coordinates ends exactly on that star.
// Tested:  Orion's lines are drawn on the south view of a February evening and none of
//          the south polar constellations' lines at 35 degrees north.
void DrawConstellationLines(const Scene& scene, DrawingSurface& S);

// NameConstellations: asks for each constellation's Japanese name on each of its label
// positions that is above the horizon, centred there, in NameColourFront or
// NameColourBehind. Appends one "constellation" point per name asked for to points when
// it is given.
void NameConstellations(const Scene& scene, std::vector<LabelRequest>* requests,
                        std::vector<ChartLabel>* points = nullptr);

// NameStars: asks for the name of each named star brighter than LimitMag and above the
// horizon, right of its disc, in StarNameColourFront or StarNameColourBehind; the brighter
// the star, the sooner it is placed. Appends one "star-name" point (at the star) per name
// to points when it is given.
void NameStars(const Scene& scene, std::vector<LabelRequest>* requests,
               std::vector<ChartLabel>* points = nullptr);
