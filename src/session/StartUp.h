#pragma once
// The life of the main window as the engine sees it: start-up with the
// default state, fitting the chart to the window, and the chart geometry.
// No toolkit here: the window layer calls these from its Load and Resize.

#include <filesystem>
#include <functional>
#include <memory>

#include "catalogue/StarData.h"

struct WindowState;
struct SkyControls;

// Hands the start its files, or raises the error their reading met.
using CatalogueReader = std::function<CatalogueFiles()>;

// StartUp: the window's start.
// Reads:   the catalogue file starData, or the files the reader hands over.
// Writes:  the whole state, by SetStartValues; clears both charts; shows the window (its
//          first OnResize, FitChartToWindow, runs inside Show); redraws twice.
void StartUp(WindowState& State, SkyControls& Ui,
             const std::filesystem::path& starData = "StarData");
void StartUp(WindowState& State, SkyControls& Ui, const CatalogueReader& read);

// SetStartValues: the start values.
// Reads:   the catalogue file starData (StarData in the current directory unless a tool
//          names another).
// Writes:  longitude 135, clock 0 (1 January 00:00), azimuth 0, pole angle 125 (35 N),
//          elevation 10, the chart side of the first chart surface, limit 3.5; fills the six
//          lists (their Click handlers redraw the still hidden charts); the sky, made whole
//          from the files; BufferIndex 0; both charts solid-filled white and cleared.
// Notes:   The order is fixed: later values overwrite what the lists' handlers computed.
//          The catalogue is taken where the files are read, so their errors come after the
//          lists are filled, whoever read them.
void SetStartValues(WindowState& State, SkyControls& Ui,
                    const std::filesystem::path& starData = "StarData");
void SetStartValues(WindowState& State, SkyControls& Ui, const CatalogueReader& read);

// FitChartToWindow: the charts after a change of the window's size.
// Reads:   the window's ChartSide, device pixels.
// Writes:  both charts square with that side, and the view's Side; redraws twice.
// Notes:   1) A window too small for a chart keeps the previous size and geometry and is
//             not redrawn.
//          2) When the side changes, the chart is drawn first on the surface that the first
//             redraw brings to the screen, so the screen never shows a cleared chart.
void FitChartToWindow(WindowState& State, SkyControls& Ui);

// The chart side that the main window's layout gives an inner area of width x height
// pixels; zero or less when the window is too small for a chart.
int ChartSideFor(float width, float height);
// The same in device pixels on a screen of the given ratio.
int ChartSideFor(float width, float height, double pixelRatio);
