#pragma once
// The redraw cycle: the chart is drawn on the covered one of the two chart
// surfaces and comes to the front only at the next call, so the screen never
// shows a half-drawn chart. A change of setting calls RedrawSky twice.

struct SkyState;
struct SkyControls;

// RedrawSky: sidereal angle; present the previous drawing (ZOrder, Refresh); flip
// BufferIndex; clear the covered surface and draw the frame; stars; overlays; read-outs.
void RedrawSky(SkyState& Sky, SkyControls& Ui);
