#include "Snapshot.h"

#include <QImage>
#include <cstdio>

#include "qttext/QtText.h"
#include "session/HeadlessWindow.h"
#include "session/Layout.h"
#include "session/Redraw.h"

QImage DrawSnapshot(const SnapshotOptions& options, std::vector<PlottedStar>& stars) {
    const QtGlyphSource chartText(ChartFont()), readoutText(ReadoutFont());
    auto window = HeadlessWindow::Create(chartText, readoutText);
    // An inner area whose height limits the chart to the requested side.
    const float height = static_cast<float>(options.Size + ChartMargin);
    window->Window.Width = height + PanelAllowance + 64;
    window->Window.Height = height;
    window->Load(options.StarData);
    // The settings, through the same controls and handlers as the window's.
    window->MonthList.SetListIndex(options.Month - 1);
    window->DayList.SetListIndex(options.Day - 1);
    window->HourList.SetListIndex(options.Hour);
    window->MinuteList.SetListIndex(options.Minute);
    window->MagnitudeList.SetListIndex(options.LimitIndex);
    window->LongitudeBar.MoveTo(options.Longitude);
    window->LatitudeBar.MoveTo(90 - options.Latitude);
    window->AzimuthBar.MoveTo(options.Azimuth);
    window->ElevationBar.MoveTo(90 + options.Elevation);

    RedrawSky(window->Sky, window->Ui);
    stars.clear();
    auto record = [&](const RasterSurface::PlotCall& call) {
        // Stars are the only white figures and the only single pixels.
        if (!call.Disc || call.Ink == White) {
            stars.push_back(
                {window->Sky.StarIndex, call.X, call.Y, call.Disc ? call.Radius : 0.0f, call.Disc});
        }
    };
    window->Chart0.OnPlot = record;
    window->Chart1.OnPlot = record;
    RedrawSky(window->Sky, window->Ui);
    window->Chart0.OnPlot = nullptr;
    window->Chart1.OnPlot = nullptr;
    return ImageOf(window->Front()).copy();
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
