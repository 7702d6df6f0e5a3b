#pragma once
// The star pass: every star bright enough and above the horizon, as a pixel or a disc.

#include <vector>

struct Scene;
struct PlottedStar;
class DrawingSurface;

// Disc threshold and size: stars brighter than magnitude 3 are discs of radius
// floor((7.96 - m) / 3.5) pixels, so the brightest (Sirius, -1.44) gets 2 and a star
// of magnitude 0.96..2.99 gets 1; the others are single pixels. The rule keeps the
// first-magnitude stars of a lesson's constellations visible at the default size.
inline constexpr double DiscMagnitude = 3;
inline constexpr double RadiusOffset = 7.96;
inline constexpr double RadiusStep = 3.5;

// PlotStars: the star pass, after the frame.
// Reads:   the sky's stars; the view's LimitMag (a star is drawn when its magnitude is below
//          it); the chart's sidereal angle and projection.
// Writes:  the surface's pixels (white pixels and discs, radius x DrawScale); plotted, when
//          given, each star as handed to the surface, in that order.
// Notes:   A surface that draws nothing (DrawsNothing) gets nothing: the sky is not projected.
void PlotStars(const Scene& scene, DrawingSurface& S, std::vector<PlottedStar>* plotted = nullptr);
