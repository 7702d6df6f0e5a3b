#pragma once
// The star pass: every star bright enough and above the horizon, as a pixel or a disc.

struct SkyState;
class DrawingSurface;

// Disc threshold and size: stars brighter than magnitude 3 are discs of radius
// floor((7.96 - m) / 3.5); the others single pixels.
inline constexpr double DiscMagnitude = 3;
inline constexpr double RadiusOffset = 7.96;
inline constexpr double RadiusStep = 3.5;

// PlotStars: every star brighter than LimitMag and not below the horizon, in white.
void PlotStars(SkyState& Sky, DrawingSurface& S);
