#pragma once
// The life of the main window as the engine sees it: start-up with the
// default state, fitting the chart to the window, and the chart geometry.
// No toolkit here: the window layer calls these from its Load and Resize.

#include <filesystem>

struct SkyState;
struct SkyControls;

// StartUp: the window's start.
// Reads:   the catalogue file starData.
// Writes:  the whole state, by SetStartValues; clears both charts; shows the window (its
//          first OnResize, FitChartToWindow, runs inside Show); UpdateViewTrig; redraws twice.
void StartUp(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData = "StarData");

// SetStartValues: the start values.
// Reads:   the catalogue file starData (StarData in the current directory unless a tool
//          names another).
// Writes:  longitude 135, its epoch, the greys, clock 0 (1 January 00:00), azimuth 0, pole
//          angle 125 (35 N), elevation 10, Pi, the chart geometry, limit 3.5; fills the six
//          lists (their Click handlers redraw the still hidden charts); the compass points;
//          the catalogue; BufferIndex 0; both charts solid-filled white and cleared.
// Notes:   The order is fixed: later values overwrite what the lists' handlers computed.
void SetStartValues(SkyState& Sky, SkyControls& Ui,
                    const std::filesystem::path& starData = "StarData");

// FitChartToWindow: the charts after a change of the window's size.
// Reads:   the window's InnerWidth and InnerHeight, pixels, and its PixelRatio.
// Writes:  both charts square, side ChartSideFor(width, height) in device pixels; CenterX,
//          CenterY (half the side, single precision) and ChartRadius (0.8 x CenterX);
//          UpdateViewTrig; redraws twice.
// Notes:   1) A window too small for a chart keeps the previous size and geometry and is
//             not redrawn.
//          2) When the side changes, the chart is drawn first on the surface that the first
//             redraw brings to the screen, so the screen never shows a cleared chart.
void FitChartToWindow(SkyState& Sky, SkyControls& Ui);

// The chart side that FitChartToWindow gives an inner area of width x height pixels;
// zero or less when the window is too small for a chart.
int ChartSideFor(float width, float height);
