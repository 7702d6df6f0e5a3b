#include "render/Frame.h"

#include <cmath>

#include "geometry/Projection.h"
#include "render/DrawingSurface.h"

namespace {
inline float Single(double v) { return static_cast<float>(v); }
}  // namespace

void DrawFrame(const Projection& p, DrawingSurface& S) {
    const double cx = p.CenterX, cy = p.CenterY, R = p.R;

    // 1. The sphere as a filled grey disc.
    S.FillColor = GreyColour(SphereGrey);
    S.Circle(Single(cx), Single(cy), Single(R), GreyColour(SphereGrey));

    // 2. Black from the horizontal diameter down to the bottom edge.
    S.FillColor = GreyColour(0);
    S.Box(0.0f, Single(cy), Single(2 * cx), Single(2 * cy), GreyColour(0));

    // 3-5. The horizon plane, by the side from which the dome is seen.
    S.FillColor = GreyColour(255);
    const double s = std::sin(p.ElevationRad);
    if (s > 0) {
        S.FillColor = GreyColour(HorizonGrey);
        S.Circle(Single(cx), Single(cy), Single(R), GreyColour(HorizonGrey), Single(s));
    } else if (s == 0) {
        S.Line(Single(cx - R), Single(cy), Single(cx + R), Single(cy), GreyColour(HorizonGrey));
    } else {
        S.FillColor = GreyColour(0);
        // The outline is a fixed grey 80, not the sphere's grey.
        S.Circle(Single(cx), Single(cy), Single(R), RGB(80, 80, 80), Single(-s));
    }

    // 6. Compass labels and lines, except at the two poles.
    if (p.PoleAngle != 0 && p.PoleAngle != 180) {
        const CompassPoints compass = CompassPointsOf(p);
        S.ForeColor = GreyColour(CompassGrey);
        double LabelX[4] = {}, LabelY[4] = {};
        for (int k = 0; k <= 3; ++k) {
            const ChartPoint at = PlaceSpherePoint(p, compass.X[k], compass.Y[k], compass.Z[k]);
            LabelX[k] = cx + at.OffsetX;
            LabelY[k] = cy + at.OffsetY;
            S.CurrentX = Single(LabelX[k]);
            S.CurrentY = Single(LabelY[k]);
            S.Print({std::string(CompassLabels[k])});
        }
        S.Line(Single(LabelX[0]), Single(LabelY[0]), Single(LabelX[2]), Single(LabelY[2]));
        S.Line(Single(LabelX[1]), Single(LabelY[1]), Single(LabelX[3]), Single(LabelY[3]));
    }

    // 7. White for the star discs that follow.
    S.FillColor = GreyColour(255);
}

namespace {
// The state DrawFrame leaves on a surface besides its pixels: put on a surface whose kept
// frame came back, as drawing it would have left it.
void LeaveFrameState(const Projection& p, DrawingSurface& S) {
    S.CurrentX = 0.0f;
    S.CurrentY = 0.0f;
    if (p.PoleAngle != 0 && p.PoleAngle != 180) {
        // The last compass label, east, printed as a line ends: the next line at the left.
        const CompassPoints compass = CompassPointsOf(p);
        const ChartPoint east = PlaceSpherePoint(p, compass.X[3], compass.Y[3], compass.Z[3]);
        S.ForeColor = GreyColour(CompassGrey);
        S.CurrentX = 0.0f;
        S.CurrentY = Single(p.CenterY + east.OffsetY) + S.LineHeight();
    }
    S.FillColor = GreyColour(255);
}
}  // namespace

FrameKey FrameKeyOf(const Projection& p, std::uint64_t layer, const DrawingSurface& S) {
    FrameKey key{S.Width(), S.Height(),  S.BackColor,   S.FillStyle,
                 p,         S.DrawScale, S.TextOutline, S.LineHeight()};
    key.CompassInLabelFont = S.CompassInLabelFont;
    // The overlay drawing kept with the frame, where the surface keeps one.
    key.Layer = layer;
    key.Inks = S.Inks;
    return key;
}

void ClearAndDrawFrame(const Projection& p, std::uint64_t layer, DrawingSurface& S, bool trails) {
    FrameKey key = FrameKeyOf(p, layer, S);
    key.Trails = trails;
    if (S.RestoreFrame(key)) {
        LeaveFrameState(p, S);
        return;
    }
    S.Clear();
    DrawFrame(p, S);
    S.KeepFrame(key);
}
