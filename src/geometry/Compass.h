#pragma once
// The four cardinal points of the observer's horizon, placed on the chart
// sphere in the sphere frame so that ProjectPoint turns them into screen
// positions exactly as it turns stars.

struct SkyState;

// BuildCompassPoints: the horizon's cardinal points in the sphere frame.
// Reads:   ChartRadius  pixels; PoleAngle  degrees, 90 + latitude; Pi.
// Writes:  CompassX, CompassY  pixels, and CompassLabels, entries 0..3 (north, west,
//          south, east); CompassZ  rounded pixels, north and south only.
// Notes:   Entry 4 is never written.
// Tested:  R = 100, latitude 35: north (-57.3576, 0, 82), west (0, -100), south
//          (57.3576, 0, -82), east (0, 100); latitude 90: north (-100, 0, 0).
void BuildCompassPoints(SkyState& Sky);
