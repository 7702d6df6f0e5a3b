#pragma once
// The star pass: every star bright enough and above the horizon, as a pixel or a disc.

struct SkyState;
class DrawingSurface;

// Disc threshold and size: stars brighter than magnitude 3 are discs of radius
// floor((7.96 - m) / 3.5) pixels, so the brightest (Sirius, -1.44) gets 2 and a star
// of magnitude 0.96..2.99 gets 1; the others are single pixels. The rule keeps the
// first-magnitude stars of a lesson's constellations visible at the default size.
inline constexpr double DiscMagnitude = 3;
inline constexpr double RadiusOffset = 7.96;
inline constexpr double RadiusStep = 3.5;

// PlotStars: the star pass, after the frame.
// Reads:   StarRA, StarDec, StarMag; LimitMag (a star is drawn when its magnitude is below
//          it); SiderealAngle; CenterX, CenterY, ChartRadius; the view cache.
// Writes:  the surface's pixels (white pixels and discs); StarIndex = 3145 at the end;
//          DotRadius of the last star drawn; the projection fields as ProjectStar leaves
//          them for the last star that passed the limit; the polar cache when not ready.
// Notes:   On a surface that draws nothing (DrawsNothing) only those fields are worked out:
//          the sky is not projected.
void PlotStars(SkyState& Sky, DrawingSurface& S);
