#include "render/Frame.h"

#include <cmath>

#include "core/SkyState.h"
#include "geometry/Compass.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/RasterSurface.h"

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

namespace {
// A surface that keeps the state of another (size, colours, text position, line
// height) and draws nothing: DrawFrame run on it has every effect but the pixels.
class StateOnlySurface final : public DrawingSurface {
public:
    explicit StateOnlySurface(const DrawingSurface& real) : Real(real) {
        BackColor = real.BackColor;
        ForeColor = real.ForeColor;
        FillColor = real.FillColor;
        FillStyle = real.FillStyle;
    }
    void Clear() override { CurrentX = CurrentY = 0.0f; }
    void Circle(float, float, float, Colour, float) override {}
    using DrawingSurface::Line;
    void Line(float, float, float, float, Colour) override {}
    void Box(float, float, float, float, Colour) override {}
    void SetPixel(float, float, Colour) override {}
    void PrintText(const std::string&) override {
        CurrentX = 0.0f;
        CurrentY += Real.LineHeight();
    }
    void BringToFront() override {}
    void Refresh() override {}
    int Width() const override { return Real.Width(); }
    int Height() const override { return Real.Height(); }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    float LineHeight() const override { return Real.LineHeight(); }

    void CopyStateTo(DrawingSurface& target) const {
        target.ForeColor = ForeColor;
        target.FillColor = FillColor;
        target.CurrentX = CurrentX;
        target.CurrentY = CurrentY;
    }

private:
    const DrawingSurface& Real;
};

FrameKey FrameKeyOf(const SkyState& Sky, const DrawingSurface& S) {
    FrameKey key{S.Width(),       S.Height(),     S.BackColor,      S.FillStyle,
                 Sky.CenterX,     Sky.CenterY,    Sky.ChartRadius,  Sky.ViewElevationRad,
                 Sky.PoleAngle,   Sky.Pi,         Sky.SinPole,      Sky.CosPole,
                 Sky.SinAzimuth,  Sky.CosAzimuth, Sky.SinElevation, Sky.CosElevation,
                 Sky.SinRoll,     Sky.CosRoll,    Sky.SphereGrey,   Sky.HorizonGrey,
                 Sky.CompassGrey, S.DrawScale,    S.TextOutline,    S.LineHeight()};
    // The overlay drawing kept with the frame, where the surface keeps one.
    key.Layer = Sky.OverlayShapes.Layer;
    return key;
}
}  // namespace

void ClearAndDrawFrame(SkyState& Sky, DrawingSurface& S) {
    const FrameKey key = FrameKeyOf(Sky, S);
    if (S.RestoreFrame(key)) {
        StateOnlySurface shadow(S);
        shadow.Clear();
        DrawFrame(Sky, shadow);
        shadow.CopyStateTo(S);
        return;
    }
    // On a raster surface the sphere, the lower half and the horizon plane are composed
    // in one pass, each pixel written once, before the compass goes on top.
    auto* raster = dynamic_cast<RasterSurface*>(&S);
    struct Composed {
        RasterSurface* Surface;
        ~Composed() {
            if (Surface != nullptr) Surface->FinishComposing();
        }
    } composed{raster};
    if (raster != nullptr) raster->ComposeFromNextClear();
    S.Clear();
    DrawFrame(Sky, S);
    S.KeepFrame(key);
}
