#pragma once
// The redraw cycle: the chart is drawn on the covered one of the two chart
// surfaces and comes to the front only at the next call, so the screen never
// shows a half-drawn chart. A change of setting calls RedrawSky twice.

struct SkyState;
struct SkyControls;

// RedrawSky: one redraw.
// Reads:   the whole state; Ui's two charts and four read-outs.
// Writes:  SiderealAngle; brings Charts(BufferIndex) to the front and refreshes it; flips
//          BufferIndex 0 <-> 1; clears the now covered chart and draws frame and stars on
//          it; rewrites the read-outs.
// Notes:   A chart is seen only from the next redraw on, so a single redraw shows the
//          previous state: a change of setting redraws twice.
void RedrawSky(SkyState& Sky, SkyControls& Ui);

// WriteReadouts: the four read-outs.
// Reads:   ViewAzimuth, PoleAngle - 90 (latitude), -ViewElevation (as the bar shows it),
//          Longitude: degrees.
// Writes:  clears each read-out and prints its value followed by "°" (" 35 °", "-10 °").
void WriteReadouts(SkyState& Sky, SkyControls& Ui);
