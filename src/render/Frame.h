#pragma once
// Everything on the chart except the stars: the grey sphere, the black lower
// half, the horizon plane seen from above, edge-on or from below, and the
// labelled north-south and west-east lines.

struct SkyState;
class DrawingSurface;

// DrawFrame: draws the frame on the given chart surface (Charts(BufferIndex)).
// Leaves ShadeLevel 255 and the surface's FillColor white for the star discs;
// after a compass, ForeColor stays grey 160.
void DrawFrame(SkyState& Sky, DrawingSurface& S);

// ClearAndDrawFrame: Clear and DrawFrame. The frame depends only on the view and the
// chart size, not on the clock, so where the surface still holds the pixels of the
// same frame they are put back instead of drawn again; SkyState and the surface's
// colours and text position end exactly as after Clear and DrawFrame.
void ClearAndDrawFrame(SkyState& Sky, DrawingSurface& S);
