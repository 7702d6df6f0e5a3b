#pragma once
// The star pass and the four read-outs: the last two steps of a redraw.

struct SkyState;
struct SkyControls;
class DrawingSurface;

// Disc threshold and size: stars brighter than magnitude 3 are discs of radius
// floor((7.96 - m) / 3.5); the others single pixels.
inline constexpr double DiscMagnitude = 3;
inline constexpr double RadiusOffset = 7.96;
inline constexpr double RadiusStep = 3.5;

// PlotStars: every star brighter than LimitMag and not below the horizon, in white.
void PlotStars(SkyState& Sky, DrawingSurface& S);

// WriteReadouts: clears Picture2..Picture5 and prints azimuth, latitude, elevation and
// longitude, each followed by the degree sign.
void WriteReadouts(SkyState& Sky, SkyControls& Ui);
