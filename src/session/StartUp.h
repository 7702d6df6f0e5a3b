#pragma once
// The life of the main window as the engine sees it: start-up with the
// default state, fitting the chart to the window, and the chart geometry.
// No toolkit here: the window layer calls these from its Load and Resize.

#include <filesystem>

struct SkyState;
struct SkyControls;

// StartUp: SetStartValues, clear both chart surfaces, show the window (its first
// Resize runs inside Show), refresh the view trigonometry and redraw twice.
void StartUp(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData = "StarData");

// SetStartValues: the start values, in their fixed order, interleaved with the clock, the
// six lists (whose Click handlers redraw the still hidden surfaces), the compass
// points and the catalogue (StarData in the current directory, unless a tool names
// another file); ends by preparing both chart surfaces.
void SetStartValues(SkyState& Sky, SkyControls& Ui,
                    const std::filesystem::path& starData = "StarData");

// FitChartToWindow: keeps both chart surfaces square and as large as the window allows
// (Reads the window's inner size, pixels, and its PixelRatio; the surfaces' side is in
// device pixels), takes the chart centre and radius from their size, and redraws twice.
// A window too small for a chart keeps the previous size and geometry and is not redrawn.
// Notes: when the side changes, the chart is drawn first on the surface that the first
// redraw brings to the screen, so the screen never shows a cleared chart.
// Tested values: WindowTest (laid-out and resized windows), ClassroomWindowTest (no
// cleared chart on the screen during a resize).
void FitChartToWindow(SkyState& Sky, SkyControls& Ui);

// The chart side that FitChartToWindow gives an inner area of width x height pixels;
// zero or less when the window is too small for a chart.
int ChartSideFor(float width, float height);
