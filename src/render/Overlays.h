#pragma once
// The lesson overlays, drawn with the stars when switched on in SkyState's
// Overlays: the Sun with its daily path and hourly marks (the transparent-
// hemisphere picture), the Sun's paths at the solstices and equinoxes, the
// sky's circles (poles, polar axis, celestial equator, meridian, pole altitude),
// star trails, constellation lines, and constellation and star names.
// Everything is drawn through DrawingSurface; parts on the far side of the
// sphere, seen from outside, are drawn dimmer and dashed.

#include <string>
#include <vector>

#include "render/DrawingSurface.h"
#include "render/Scene.h"

struct OverlayCache;
struct TrailCache;
struct GroundTrailCache;
struct LabelOutcome;
class DrawingSurface;

// The near-side ink of every overlay line, dot and label (the far side's is FarInk of it),
// by a name of its own, for checking their contrast.
struct OverlayInk {
    const char* Name;
    Colour Near;
};
std::vector<OverlayInk> OverlayInks();

// ListMarkedPoints: every marked point of the chart's date and place, in the order
// sun, 24 sun-hour rows (0..23 h zone time), sunrise, sunset (where the Sun crosses
// the horizon that day), transit, pole-north, pole-south, zenith; then, with the names
// overlay on, one constellation row per name written and one star-name row per star
// named (at the star), as they are drawn.
// Reads:   the scene: the moment, the sky's figures, the view's overlays and projection.
// Tested:  pole altitude = |latitude|; transit altitude; hourly marks 15 deg apart.
std::vector<MarkedPoint> ListMarkedPoints(const Scene& scene);

// DrawOverlaysUnderStars: the overlays that the stars cover, drawn before PlotStars: star
// trails over TrailHours, then the constellation lines. With both off it returns at once.
// Reads:   the scene as PlotStars reads it, and the sky's figures.
// Writes:  pixels of S; the dome's or the ground views' trail cache.
// Tested:  byte-identical charts with every overlay off; trails end on the plotted stars.
void DrawOverlaysUnderStars(const Scene& scene, TrailCache& trails, GroundTrailCache& groundTrails,
                            DrawingSurface& S);

// KeepOverlayShapes: brings the kept drawing up to date for S (records the circles, the
// seasons and the Sun's day again where their key changed) and sets kept.Layer, 0 with all
// three off. Called before the frame, whose key carries the Layer.
// Reads:   as ListMarkedPoints; S's size, line height, FillColor and FillStyle.
// Writes:  kept only.
void KeepOverlayShapes(const Scene& scene, OverlayCache& kept, DrawingSurface& S);

// DrawOverlaysOverStars: the overlays drawn after PlotStars: the sky's circles, the
// seasons' paths, the Sun's day and the Sun, then every label of them and the constellation
// and star names, laid out together (PlaceLabels); placed, when given, gets the layout. With
// all of them off it returns at once, touching neither the cache nor the surface.
// Reads:   as ListMarkedPoints, and the sky's figures.
// Writes:  pixels of S; kept, the drawing of the circles, the seasons and
//          the Sun's day, made again only when the date, the place, the view, the chart
//          or the choice of overlays changes. S's colours and text position are put back.
// Notes:   Within one day only the Sun's disc moves; the rest is replayed, or, where
//          the surface kept it with the frame (FrameKey.Layer), laid again only over the
//          pixels the stars wrote, so an animation step costs little more than without.
// Tested:  drawing at every latitude; a replay draws what a fresh drawing draws.
void DrawOverlaysOverStars(const Scene& scene, OverlayCache& kept, DrawingSurface& S,
                           LabelOutcome* placed = nullptr);
