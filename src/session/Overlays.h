#pragma once
// The lesson overlays, drawn over the stars when switched on in SkyState's
// Overlays: the Sun with its daily path and hourly marks (the transparent-
// hemisphere picture), the Sun's paths at the solstices and equinoxes, and the
// sky's circles (poles, polar axis, celestial equator, meridian, pole altitude).
// Everything is drawn through DrawingSurface; parts on the far side of the
// sphere, seen from outside, are drawn dimmer and dashed.

#include <string>
#include <vector>

struct SkyState;
class DrawingSurface;

// One marked point of the overlays, drawn or not.
struct MarkedPoint {
    // sun, sun-hour, sunrise, sunset, transit, pole-north, pole-south, zenith.
    std::string Kind;
    std::string Label;    // sun-hour: the hour 0..23; transit: its altitude, 0.1 deg; else empty.
    bool Drawn = false;   // On the chart: its overlay is on and the point is above the horizon.
    double X = 0, Y = 0;  // Chart pixels from the top-left corner, y down; where Drawn.
    double Facing = 0;    // Positive on the near half of the sphere (SkyPointProjection).
    double Altitude = 0;  // Degrees, -90..90, no refraction.
    double Azimuth = 0;   // Degrees from north through east, 0..360.
};

// ListMarkedPoints: every marked point of the chart's date and place, in the order
// sun, 24 sun-hour rows (0..23 h zone time), sunrise, sunset (where the Sun crosses
// the horizon that day), transit, pole-north, pole-south, zenith.
// Reads:   MinuteOfYear, SiderealAngle (after UpdateSiderealAngle), EpochMinute,
//          PoleAngle, Overlays, CenterX/Y, ChartRadius and the view cache.
// Tested:  pole altitude = |latitude|; transit altitude; hourly marks 15 deg apart.
std::vector<MarkedPoint> ListMarkedPoints(const SkyState& Sky);

// DrawOverlays: draws the overlays that are on, after the stars; with every overlay
// off it returns at once, touching neither the state nor the surface.
// Reads:   as ListMarkedPoints. Writes: pixels of S only; S's colours and text
//          position are put back as they were.
// Tested:  byte-identical charts with every overlay off; drawing at every latitude.
void DrawOverlays(SkyState& Sky, DrawingSurface& S);
