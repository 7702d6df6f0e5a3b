#include "Snapshot.h"

#include <QImage>
#include <cstdio>
#include <filesystem>

#include "app/HeadlessWindow.h"
#include "catalogue/Constellations.h"
#include "render/Constellations.h"
#include "render/Redraw.h"
#include "render/Stars.h"
#include "render/Trails.h"

namespace {
// The lesson overlays on the finished chart: trails and lines under the stars, which are
// plotted again on top, then the names.
void DrawLessonOverlays(const SnapshotOptions& options, SkyState& Sky, DrawingSurface& S) {
    if (!options.Trails && !options.ConstellationLines && !options.Names) return;
    ConstellationCatalogue figures;
    if (options.ConstellationLines || options.Names) {
        const std::filesystem::path folder = std::filesystem::path(options.StarData).parent_path();
        LoadConstellationsFrom(figures, folder / ConstellationDataFileName,
                               folder / StarNamesFileName);
    }
    if (options.Trails) DrawStarTrails(Sky, S, options.TrailHours);
    if (options.ConstellationLines) DrawConstellationLines(Sky, figures, S);
    PlotStars(Sky, S);
    if (options.Names) {
        DrawConstellationNames(Sky, figures, S);
        DrawStarNames(Sky, figures, S);
    }
}
}  // namespace

QImage DrawSnapshot(const SnapshotOptions& options, std::vector<PlottedStar>& stars) {
    auto window = HeadlessWindow::Create();
    // An inner area whose height limits the chart to the requested side.
    const float height = static_cast<float>(options.Size + 8);
    window->Form1.Width = height + 104 + 64;
    window->Form1.Height = height;
    window->Load(options.StarData);
    // The settings, through the same controls and handlers as the window's.
    window->Combo3.SetListIndex(options.Month - 1);
    window->Combo4.SetListIndex(options.Day - 1);
    window->Combo5.SetListIndex(options.Hour);
    window->Combo6.SetListIndex(options.Minute);
    window->Combo1.SetListIndex(options.LimitIndex);
    window->HScroll2.MoveTo(options.Longitude);
    window->VScroll2.MoveTo(90 - options.Latitude);
    window->HScroll1.MoveTo(options.Azimuth);
    window->VScroll1.MoveTo(90 + options.Elevation);

    RedrawSky(window->Sky, window->Ui);
    stars.clear();
    auto record = [&](const RasterSurface::PlotCall& call) {
        // Stars are the only white figures and the only single pixels.
        if (!call.Disc || call.Ink == White) {
            stars.push_back(
                {window->Sky.StarIndex, call.X, call.Y, call.Disc ? call.Radius : 0.0f, call.Disc});
        }
    };
    window->Picture1_0.OnPlot = record;
    window->Picture1_1.OnPlot = record;
    RedrawSky(window->Sky, window->Ui);
    window->Picture1_0.OnPlot = nullptr;
    window->Picture1_1.OnPlot = nullptr;
    DrawLessonOverlays(options, window->Sky, window->Front());
    return window->Front().Picture().copy();
}

std::string StarTable(const std::vector<PlottedStar>& stars) {
    std::string table = "index,x,y,radius,kind\n";
    char row[160];
    for (const PlottedStar& star : stars) {
        std::snprintf(row, sizeof row, "%d,%.6f,%.6f,%g,%s\n", star.Index,
                      static_cast<double>(star.X), static_cast<double>(star.Y),
                      static_cast<double>(star.Radius), star.Disc ? "disc" : "pixel");
        table += row;
    }
    return table;
}
