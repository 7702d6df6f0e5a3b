#pragma once
// Everything on the chart except the stars: the grey sphere, the black lower
// half, the horizon plane seen from above, edge-on or from below, and the
// labelled north-south and west-east lines.

struct SkyState;
class DrawingSurface;

// DrawFrame: the frame on the chart surface being drawn (Charts(BufferIndex)).
// Reads:   CenterX, CenterY, ChartRadius  pixels; ViewElevationRad (which side of the horizon
//          plane is seen); PoleAngle (no compass at the poles, 0 and 180); the view cache;
//          SphereGrey 80, HorizonGrey 128, CompassGrey 160.
// Writes:  the surface's pixels, FillColor, ForeColor (grey 160 after a compass) and text
//          position; ShadeLevel, 255 at the end; the compass points and Depth/Offset fields.
// Notes:   Leaves FillColor white for the star discs that follow.
void DrawFrame(SkyState& Sky, DrawingSurface& S);

// ClearAndDrawFrame: Clear, then DrawFrame.
// Reads:   as DrawFrame.
// Writes:  as Clear and DrawFrame, to the last bit of SkyState, the pixels, the colours and
//          the text position.
// Notes:   The frame depends only on the view and the chart size, not on the clock, so
//          where the surface keeps the pixels of the same frame they are put back instead
//          of drawn again. The key also carries OverlayShapes.Layer: a surface may keep
//          the day's overlay drawing with the frame (DrawingSurface::KeepLayer).
void ClearAndDrawFrame(SkyState& Sky, DrawingSurface& S);
