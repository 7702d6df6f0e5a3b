#pragma once
// The life of the main window as the engine sees it: start-up with the
// default state, fitting the chart to the window, and the chart geometry.
// No toolkit here: the window layer calls these from its Load and Resize.

#include <filesystem>
#include <functional>
#include <memory>

#include "catalogue/StarData.h"
#include "core/ConstellationCatalogue.h"

struct SkyState;
struct SkyControls;

// The files the start reads: StarData, and beside it the constellations and star names.
struct CatalogueFiles {
    std::unique_ptr<StarColumns> Stars;
    ConstellationCatalogue Figures;  // Empty when neither file is there.
};

// ReadCatalogueFiles: the files beside starData, read and checked, StarData first; no state
// is touched, so that a front end may read them on a thread of its own while it starts.
// Raises:  the loaders' errors: a missing or damaged StarData, a damaged constellation file.
CatalogueFiles ReadCatalogueFiles(const std::filesystem::path& starData);

// Hands the start its files, or raises the error their reading met.
using CatalogueReader = std::function<CatalogueFiles()>;

// StartUp: the window's start.
// Reads:   the catalogue file starData, or the files the reader hands over.
// Writes:  the whole state, by SetStartValues; clears both charts; shows the window (its
//          first OnResize, FitChartToWindow, runs inside Show); UpdateViewTrig; redraws twice.
void StartUp(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData = "StarData");
void StartUp(SkyState& Sky, SkyControls& Ui, const CatalogueReader& read);

// SetStartValues: the start values.
// Reads:   the catalogue file starData (StarData in the current directory unless a tool
//          names another).
// Writes:  longitude 135, its epoch, the greys, clock 0 (1 January 00:00), azimuth 0, pole
//          angle 125 (35 N), elevation 10, Pi, the chart geometry, limit 3.5; fills the six
//          lists (their Click handlers redraw the still hidden charts); the compass points;
//          the catalogue; BufferIndex 0; both charts solid-filled white and cleared.
// Notes:   The order is fixed: later values overwrite what the lists' handlers computed.
//          The catalogue is taken where the files are read, so their errors come after the
//          lists are filled, whoever read them.
void SetStartValues(SkyState& Sky, SkyControls& Ui,
                    const std::filesystem::path& starData = "StarData");
void SetStartValues(SkyState& Sky, SkyControls& Ui, const CatalogueReader& read);

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
