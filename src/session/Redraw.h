#pragma once
// The redraw cycle: the chart is drawn on the covered one of the two chart
// surfaces and comes to the front only at the next call, so the screen never
// shows a half-drawn chart. A change of setting calls RedrawSky twice.

struct WindowState;
struct SkyControls;

// RedrawSky: one redraw.
// Reads:   the window's sky, moment and view; Ui's two charts and four read-outs.
// Writes:  brings Charts(BufferIndex) to the front and refreshes it; flips BufferIndex
//          0 <-> 1; draws the chart on the now covered one (DrawChart, with the window's
//          chart cache); rewrites the read-outs.
// Notes:   A chart is seen only from the next redraw on, so a single redraw shows the
//          previous state: a change of setting redraws twice.
void RedrawSky(WindowState& State, SkyControls& Ui);

// WriteReadouts: the four read-outs.
// Reads:   the view's Azimuth, PoleAngle - 90 (latitude), -Elevation (as the bar shows it),
//          Longitude: degrees.
// Writes:  clears each read-out and prints its value followed by "°" (" 35 °", "-10 °").
void WriteReadouts(const WindowState& State, SkyControls& Ui);
