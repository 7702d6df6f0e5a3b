#pragma once
// The chart's labels beyond the compass letters, laid out together at the end of a
// chart: each overlay asks for its labels, and one pass places them, most important
// first, each at the first of a few places round its anchor where it overlaps no label
// placed before it, no disc to keep clear (the Sun's, the Moon's) and no compass letter.
// A label that finds no such place is dropped, and said to be.

#include <cstdint>
#include <string>
#include <vector>

#include "render/DrawingSurface.h"

// Who wins a place, first to last: the Sun with its marks, the bodies (the Moon, the
// planets), bright stars' names, names on the near half of the sphere, on the far half.
enum class LabelClass : std::uint8_t { Sun, Body, BrightStar, Near, Far };

// Where a label prefers to stand against its anchor; the other places round it follow.
enum class LabelSide : std::uint8_t {
    Right,   // Beside, right of the anchor.
    Left,    // Beside, left of it.
    Centre,  // On it (constellation names).
    Fixed    // Exactly at the anchor, its top-left corner, always: the text of a figure drawn
             // where it is (an inset, a corner note); the others keep clear of it.
};

struct LabelRequest {
    // Printed in order, each where the ones before it end: a value written one character
    // at a time, so that glyph masks made ahead of time need only its characters.
    std::vector<std::string> Pieces;
    double X = 0, Y = 0;  // The anchor, chart pixels.
    Colour Ink = White;
    LabelClass Class = LabelClass::Near;
    LabelSide Side = LabelSide::Right;
    float Gap = 5;    // From the anchor to the text's near edge, pixels.
    double Rank = 0;  // Within a class, lower first (a star's magnitude).
};

// A disc no label may cover.
struct KeepClear {
    double X = 0, Y = 0, Radius = 0;
};

// A label's box: its text position (top-left corner) and its advance by one line.
struct LabelBox {
    std::string Text;
    double X = 0, Y = 0, Width = 0, Height = 0;
};

struct LabelOutcome {
    std::vector<LabelBox> Placed;   // In drawing order.
    std::vector<LabelBox> Dropped;  // At their preferred place, which was taken.
};

// The dark ring round every label and overlay line, so that both read on the sphere's
// grey, the horizon's lighter grey and the black alike.
inline constexpr Colour LabelHalo = Black;

// The ink of an overlay's line or label on the far half of the sphere: each component at
// 70 %, visibly dimmer than the near half and still 3:1 against the halo.
constexpr Colour FarInk(Colour c) {
    return RGB(c % 256 * 70 / 100, c / 256 % 256 * 70 / 100, c / 65536 * 70 / 100);
}

// One straight piece of an overlay's line.
struct InkSegment {
    float X1, Y1, X2, Y2;
    Colour Ink;
};

// DrawHaloed: the segments, each over a ring of LabelHalo as wide as the line: all the
// rings first, so that the pieces of one path join without dark notches.
void DrawHaloed(DrawingSurface& S, const std::vector<InkSegment>& segments);

// PlaceLabels: lays the requests out on S's chart and prints those placed, each with a
// ring of LabelHalo.
// Reads:   S's size, line height and text advances; blocked, boxes already on the chart
//          that no label may overlap (the compass letters).
// Writes:  S's pixels; S's ForeColor, TextOutline and text position are put back.
// Notes:   A label stays within the chart and clear of every disc; no two overlap.
LabelOutcome PlaceLabels(std::vector<LabelRequest> requests, const std::vector<KeepClear>& discs,
                         const std::vector<LabelBox>& blocked, DrawingSurface& S);

// The boxes of the four compass letters as DrawFrame prints them; none at the poles.
struct Projection;
// In the ground views, GroundCompassBoxes'.
std::vector<LabelBox> CompassBoxes(const Projection& p, DrawingSurface& S);
// GroundCompassBoxes: the direction letters of a ground view, where its frame prints them:
// 全天, 北 東 南 西 just outside the rim; 地平, the eight directions (北, 北東, ...) just under
// the horizon, those on the chart. Text boxes from the top-left corner, pixels.
std::vector<LabelBox> GroundCompassBoxes(const Projection& p, DrawingSurface& S);
// The eight directions from north through east, as GroundCompassBoxes writes them.
inline constexpr const char* GroundCompassLabels[8] = {"北", "北東", "東", "南東",
                                                       "南", "南西", "西", "北西"};

// WCAG's contrast ratio of two colours, 1..21.
double ContrastRatio(Colour a, Colour b);
