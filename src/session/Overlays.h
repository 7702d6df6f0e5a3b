#pragma once
// The lesson overlays, drawn with the stars when switched on in SkyState's
// Overlays: the Sun with its daily path and hourly marks (the transparent-
// hemisphere picture), the Sun's paths at the solstices and equinoxes, the
// sky's circles (poles, polar axis, celestial equator, meridian, pole altitude),
// star trails, constellation lines, and constellation and star names. The
// dispatch lives here, in the session, because the Sun's overlays need the clock.
// Everything is drawn through DrawingSurface; parts on the far side of the
// sphere, seen from outside, are drawn dimmer and dashed.

#include <string>
#include <vector>

struct SkyState;
struct SkyControls;
struct OverlaySet;
class DrawingSurface;

// One marked point of the overlays, drawn or not.
struct MarkedPoint {
    // sun, sun-hour, sunrise, sunset, transit, pole-north, pole-south, zenith,
    // constellation, star-name.
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
// the horizon that day), transit, pole-north, pole-south, zenith; then, with the names
// overlay on, one constellation row per name written and one star-name row per star
// named (at the star), as they are drawn.
// Reads:   MinuteOfYear, SiderealAngle, Figures (after UpdateSiderealAngle), EpochMinute,
//          PoleAngle, Overlays, CenterX/Y, ChartRadius and the view cache.
// Tested:  pole altitude = |latitude|; transit altitude; hourly marks 15 deg apart.
std::vector<MarkedPoint> ListMarkedPoints(const SkyState& Sky);

// DrawOverlaysUnderStars: the overlays that the stars cover, drawn before PlotStars: star
// trails over TrailHours, then the constellation lines. With both off it returns at once.
// Reads:   Overlays, Figures, the catalogue and the view as PlotStars reads them.
// Writes:  pixels of S only.
// Tested:  byte-identical charts with every overlay off; trails end on the plotted stars.
void DrawOverlaysUnderStars(SkyState& Sky, DrawingSurface& S);

// KeepOverlayShapes: brings OverlayShapes up to date for S (records the circles, the
// seasons and the Sun's day again where ShapesKey changed) and sets OverlayShapes.Layer,
// 0 with all three off. Called before the frame, whose key carries the Layer.
// Reads:   as ListMarkedPoints; S's size, line height, FillColor and FillStyle.
// Writes:  OverlayShapes only.
void KeepOverlayShapes(SkyState& Sky, DrawingSurface& S);

// DrawOverlaysOverStars: the overlays drawn after PlotStars: the sky's circles, the
// seasons' paths, the Sun's day and the Sun, then the constellation and star names. With
// all of them off it returns at once, touching neither the state nor the surface.
// Reads:   as ListMarkedPoints, and Figures.
// Writes:  pixels of S; OverlayShapes, the kept drawing of the circles, the seasons and
//          the Sun's day, made again only when the date, the place, the view, the chart
//          or the choice of overlays changes. S's colours and text position are put back.
// Notes:   Within one day only the Sun's disc moves; the rest is replayed, or, where
//          the surface kept it with the frame (FrameKey.Layer), laid again only over the
//          pixels the stars wrote, so an animation step costs little more than without.
// Tested:  drawing at every latitude; a replay draws what a fresh drawing draws.
void DrawOverlaysOverStars(SkyState& Sky, DrawingSurface& S);

// SetOverlays: switches the lesson overlays to `overlays` and redraws twice, as every
// change of a setting does, so both chart surfaces show the new choice. For the window's
// 表示 menu: one call per toggled item.
void SetOverlays(SkyState& Sky, SkyControls& Ui, const OverlaySet& overlays);
