#pragma once
// Shared set-up for the drawing tests: a sky in the start-up view on a square
// chart of a chosen radius, over an empty catalogue.

#include <memory>

#include "core/SkyState.h"
#include "geometry/Projection.h"
#include "render/RasterSurface.h"

inline std::unique_ptr<SkyState> ChartSky(float center, double radius, std::int16_t elevation = 10,
                                          double poleAngle = 125) {
    auto Sky = std::make_unique<SkyState>();
    Sky->Pi = 3.14159265358979;
    Sky->CenterX = Sky->CenterY = center;
    Sky->ChartRadius = radius;
    Sky->PoleAngle = poleAngle;
    Sky->ViewElevation = elevation;
    Sky->SphereGrey = 80;
    Sky->HorizonGrey = 128;
    Sky->CompassGrey = 160;
    Sky->LimitMag = 3.5;
    Sky->Longitude = 135;
    Sky->StarMag.fill(99);  // Nothing passes the limit unless a test puts it there.
    UpdateViewTrig(*Sky);
    return Sky;
}

inline QRgb Grey(int level) { return qRgb(level, level, level); }

inline std::unique_ptr<RasterSurface> ChartRaster(int side) {
    auto s = std::make_unique<RasterSurface>(side, side, 0, ChartFont());
    s->FillStyle = FillStyleKind::Solid;
    s->FillColor = RGB(255, 255, 255);
    return s;
}
