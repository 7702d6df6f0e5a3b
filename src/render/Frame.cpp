#include "render/Frame.h"

#include <cmath>

#include "core/SkyState.h"
#include "geometry/Compass.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"

namespace {
inline float Single(double v) { return static_cast<float>(v); }
}  // namespace

void DrawFrame(SkyState& Sky, DrawingSurface& S) {
    const double cx = Sky.CenterX, cy = Sky.CenterY, R = Sky.ChartRadius;

    // 1. The sphere as a filled grey disc.
    Sky.ShadeLevel = Sky.SphereGrey;
    S.FillColor = GreyColour(Sky.ShadeLevel);
    S.Circle(Single(cx), Single(cy), Single(R), GreyColour(Sky.ShadeLevel));

    // 2. Black from the horizontal diameter down to the bottom edge.
    Sky.ShadeLevel = 0;
    S.FillColor = GreyColour(Sky.ShadeLevel);
    S.Box(0.0f, Single(cy), Single(2 * cx), Single(2 * cy), GreyColour(Sky.ShadeLevel));

    // 3.
    Sky.ShadeLevel = 255;
    S.FillColor = GreyColour(Sky.ShadeLevel);

    // 4-5. The horizon plane, by the side from which the dome is seen.
    const double s = std::sin(Sky.ViewElevationRad);
    if (s > 0) {
        Sky.ShadeLevel = Sky.HorizonGrey;
        S.FillColor = GreyColour(Sky.ShadeLevel);
        S.Circle(Single(cx), Single(cy), Single(R), GreyColour(Sky.ShadeLevel), Single(s));
    } else if (s == 0) {
        Sky.ShadeLevel = Sky.HorizonGrey;
        S.Line(Single(cx - R), Single(cy), Single(cx + R), Single(cy), GreyColour(Sky.ShadeLevel));
    } else {
        Sky.ShadeLevel = 0;
        S.FillColor = GreyColour(Sky.ShadeLevel);
        // The outline is a fixed grey 80, not taken from SphereGrey.
        S.Circle(Single(cx), Single(cy), Single(R), RGB(80, 80, 80), Single(-s));
    }

    // 6. Compass labels and lines, except at the two poles.
    if (Sky.PoleAngle != 0 && Sky.PoleAngle != 180) {
        BuildCompassPoints(Sky);
        Sky.ShadeLevel = Sky.CompassGrey;
        S.ForeColor = GreyColour(Sky.ShadeLevel);
        double LabelX[5] = {}, LabelY[5] = {};
        for (int k = 0; k <= 3; ++k) {
            ProjectPoint(Sky, Sky.CompassX[k], Sky.CompassY[k], Sky.CompassZ[k]);
            LabelX[k] = cx + Sky.OffsetX;
            LabelY[k] = cy + Sky.OffsetY;
            S.CurrentX = Single(LabelX[k]);
            S.CurrentY = Single(LabelY[k]);
            S.Print({Sky.CompassLabels[k]});
        }
        S.Line(Single(LabelX[0]), Single(LabelY[0]), Single(LabelX[2]), Single(LabelY[2]));
        S.Line(Single(LabelX[1]), Single(LabelY[1]), Single(LabelX[3]), Single(LabelY[3]));
    }

    // 7. White for the star discs that follow.
    Sky.ShadeLevel = 255;
    S.FillColor = GreyColour(Sky.ShadeLevel);
}
