#include "Snapshot.h"

#include <QImage>
#include <cmath>
#include <cstdio>

#include "catalogue/FileChars.h"
#include "catalogue/StarData.h"
#include "catalogue/StarDataPath.h"
#include "cmdline/CommandLine.h"
#include "core/Convert.h"
#include "qttext/QtText.h"
#include "render/Bodies.h"
#include "render/RasterSurface.h"
#include "time/Clock.h"

Moment MomentOf(const SnapshotOptions& options) {
    Moment moment;
    moment.Year = static_cast<std::int16_t>(options.Year);  // Before the date: 29 February.
    moment.Month = static_cast<std::int16_t>(options.Month);
    moment.DayIndex = options.Day - 1;  // 31 February runs into March.
    moment.Hour = options.Hour;
    moment.Minute = options.Minute;
    ComposeMinuteOfYear(moment);
    SplitMinuteOfYear(moment);
    moment.Longitude = options.Longitude;
    moment.PoleAngle = 90 + options.Latitude;
    return moment;
}

View ViewOf(const SnapshotOptions& options) {
    View view;
    view.Kind = options.View;
    view.Azimuth = static_cast<std::int16_t>(options.Azimuth);
    view.Elevation = static_cast<std::int16_t>(-options.Elevation);  // Positive looks down.
    // The window's chart on a screen of that density: as many device pixels a side.
    view.Side = options.Scale == 1.0 ? options.Size
                                     : static_cast<int>(std::lround(options.Size * options.Scale));
    // The magnitude list's item: tenths from -1.4.
    view.LimitMag = static_cast<double>(Checked16(options.LimitIndex + LimitTenthsAtItemZero)) / 10;
    view.Overlays = options.Overlays;
    view.Palette = options.Palette;
    return view;
}

QImage DrawSnapshot(const SnapshotOptions& options, std::vector<PlottedStar>& stars,
                    std::vector<MarkedPoint>* points, std::string* bodies, LabelOutcome* labels) {
    Sky sky;
    TakeCatalogue(sky, ReadCatalogueFiles(options.StarData));
    const Moment moment = MomentOf(options);
    const View view = ViewOf(options);
    const QtGlyphSource chartText(ScaledFont(ChartFont(), options.Scale));
    const std::filesystem::path labelFile = LabelFontFile();
    const LabelFont labelFont([&labelFile] { return ReadWholeFile(labelFile); },
                              labelFile.string());
    // A chart surface as a window's: black, discs filled white.
    RasterSurface chart(view.Side, view.Side, Black, chartText);
    chart.SetLabelFont(&labelFont);
    chart.FillStyle = FillStyleKind::Solid;
    chart.FillColor = White;
    chart.DrawScale = static_cast<float>(
        options.Large ? LargeFiguresScale(options.Scale, options.Size) : options.Scale);
    SetLargeFigures(chart, options.Large);
    ChartCache cache;
    stars.clear();
    DrawChart(sky, moment, view, chart, cache, &stars, labels);
    if (points != nullptr) *points = ListMarkedPoints(SceneOf(sky, moment, view));
    if (bodies != nullptr) {
        Scene scene = SceneOf(sky, moment, view);
        if (!scene.Bodies) scene.Bodies = BodiesOfScene(scene);
        *bodies = BodyTable(scene);
    }
    return ImageOf(chart).copy();
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

std::string LabelTable(const std::vector<LabelBox>& labels) {
    std::string table = "text,x,y,width,height\n";
    char row[200];
    for (const LabelBox& label : labels) {
        std::snprintf(row, sizeof row, "%s,%.3f,%.3f,%.3f,%.3f\n", label.Text.c_str(), label.X,
                      label.Y, label.Width, label.Height);
        table += row;
    }
    return table;
}

std::string PointTable(const std::vector<MarkedPoint>& points) {
    std::string table = "kind,label,x,y,altitude,azimuth\n";
    char row[200];
    for (const MarkedPoint& point : points) {
        if (point.Drawn) {
            std::snprintf(row, sizeof row, "%s,%s,%.3f,%.3f,%.4f,%.4f\n", point.Kind.c_str(),
                          point.Label.c_str(), point.X, point.Y, point.Altitude, point.Azimuth);
        } else {
            std::snprintf(row, sizeof row, "%s,%s,,,%.4f,%.4f\n", point.Kind.c_str(),
                          point.Label.c_str(), point.Altitude, point.Azimuth);
        }
        table += row;
    }
    return table;
}
