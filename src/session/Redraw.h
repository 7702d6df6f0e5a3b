#pragma once
// The redraw cycle: the chart is drawn on the covered one of the two chart
// surfaces and comes to the front only at the next call, so the screen never
// shows a half-drawn chart. A change of setting calls RedrawSky twice.

struct SkyState;
struct SkyControls;

// RedrawSky: sidereal angle; present the previous drawing (BringToFront, Refresh); flip
// BufferIndex; clear the covered surface and draw the frame; stars; read-outs.
void RedrawSky(SkyState& Sky, SkyControls& Ui);

// WriteReadouts: clears the four read-outs and prints azimuth, latitude, elevation and
// longitude, each followed by the degree sign.
void WriteReadouts(SkyState& Sky, SkyControls& Ui);
