#pragma once
// Everything on the chart except the stars: the grey sphere, the black lower
// half, the horizon plane seen from above, edge-on or from below, and the
// labelled north-south and west-east lines.

#include <cstdint>

#include "render/DrawingSurface.h"

struct Projection;

// The frame's greys.
inline constexpr std::int16_t SphereGrey = 80;
inline constexpr std::int16_t HorizonGrey = 128;
inline constexpr std::int16_t CompassGrey = 160;

// DrawFrame: the frame on the surface.
// Reads:   the projection's centre, radius, elevation (which side of the horizon plane is
//          seen), pole angle (no compass at the poles, 0 and 180) and trigonometry.
// Writes:  the surface's pixels, FillColor, ForeColor (grey 160 after a compass) and text
//          position.
// Notes:   Leaves FillColor white for the star discs that follow.
void DrawFrame(const Projection& p, DrawingSurface& S);

// FrameKeyOf: what a frame drawn now on S with p depends on, the surface's part read from
// S; layer as ClearAndDrawFrame's. The callers set what their own frame adds.
FrameKey FrameKeyOf(const Projection& p, std::uint64_t layer, const DrawingSurface& S);

// ClearAndDrawFrame: Clear, then DrawFrame.
// Notes:   The frame depends only on the view and the chart size, not on the clock, so
//          where the surface keeps the pixels of the same frame they are put back instead
//          of drawn again, with the same colours and text position left on the surface.
//          The key also carries layer: a surface may keep the day's overlay drawing with
//          the frame (DrawingSurface::KeepLayer).
//          trails: star trails follow on this frame (FrameKey::Trails).
void ClearAndDrawFrame(const Projection& p, std::uint64_t layer, DrawingSurface& S,
                       bool trails = false);
