#pragma once
// The chart as a picture, without a window: the sky, moment and view of the given
// settings, drawn by the chart call that every window draws with.

#include <string>
#include <vector>

#include "SnapshotOptions.h"
#include "render/Chart.h"
#include "render/Overlays.h"

class QImage;

// Moment and view of the options, as the window's controls would set them.
Moment MomentOf(const SnapshotOptions& options);
View ViewOf(const SnapshotOptions& options);

// Reads the catalogue files, draws the chart and returns it with the stars plotted, in
// plotting order. Raises RunTimeError as the program would (a missing or damaged
// catalogue, say). With `points`, also the overlays' marked points of that chart.
// With `bodies`, also the body table of that chart (BodyTable).
QImage DrawSnapshot(const SnapshotOptions& options, std::vector<PlottedStar>& stars,
                    std::vector<MarkedPoint>* points = nullptr, std::string* bodies = nullptr,
                    LabelOutcome* labels = nullptr);

// The star table: "index,x,y,radius,kind" and one row per star.
std::string StarTable(const std::vector<PlottedStar>& stars);

// The label table: "text,x,y,width,height" and one row per label drawn, its box in chart
// pixels from its top-left corner.
std::string LabelTable(const std::vector<LabelBox>& labels);

// The marked-point table: "kind,label,x,y,altitude,azimuth" and one row per point;
// x and y empty where the point is not drawn.
std::string PointTable(const std::vector<MarkedPoint>& points);
