#pragma once
// The four cardinal points of the observer's horizon, placed on the chart
// sphere in the sphere frame so that ProjectPoint turns them into screen
// positions exactly as it turns stars.

struct SkyState;

// BuildCompassPoints: entries 0..3 (north, west, south, east) of CompassX, CompassY,
// CompassZ (north and south only) and CompassLabels, from ChartRadius, PoleAngle and Pi.
void BuildCompassPoints(SkyState& Sky);
