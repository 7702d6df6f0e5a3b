#pragma once
// The chart as a picture, without a window: the state the window would have
// after start-up and the given settings, drawn by the same procedures.

#include <string>
#include <vector>

#include "SnapshotOptions.h"

class QImage;

struct PlottedStar {
    int Index;     // Catalogue index.
    float X, Y;    // As handed to the surface.
    float Radius;  // DotRadius of a disc; 0 for a pixel.
    bool Disc;
};

// Builds the state, runs the redraw pair and returns the front chart and the
// stars that the second redraw plotted, in plotting order. Raises RunTimeError
// as the program would (a missing or damaged catalogue, say).
QImage DrawSnapshot(const SnapshotOptions& options, std::vector<PlottedStar>& stars);

// The star table: "index,x,y,radius,kind" and one row per star.
std::string StarTable(const std::vector<PlottedStar>& stars);
