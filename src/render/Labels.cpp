#include "render/Labels.h"

#include <algorithm>
#include <cmath>

#include "core/View.h"
#include "geometry/Projection.h"
#include "render/LabelFont.h"

namespace {
struct Box {
    double X, Y, W, H;
};

bool Overlap(const Box& a, const Box& b, double pad) {
    return a.X < b.X + b.W + pad && b.X < a.X + a.W + pad && a.Y < b.Y + b.H + pad &&
           b.Y < a.Y + a.H + pad;
}

bool Covers(const KeepClear& d, const Box& b, double pad) {
    const double nx = std::clamp(d.X, b.X - pad, b.X + b.W + pad);
    const double ny = std::clamp(d.Y, b.Y - pad, b.Y + b.H + pad);
    return (nx - d.X) * (nx - d.X) + (ny - d.Y) * (ny - d.Y) < d.Radius * d.Radius;
}

// The places round an anchor at distance g, most wanted first: beside it on the
// preferred side, then above and below it, then the other side.
std::vector<Box> Ring(const LabelRequest& r, double g, double w, double h) {
    const double x = r.X, y = r.Y, v = g / 2;
    const Box right{x + g, y - h / 2, w, h}, left{x - g - w, y - h / 2, w, h};
    const Box above{x - w / 2, y - v - h, w, h}, below{x - w / 2, y + v, w, h};
    const Box upRight{x + v, y - v - h, w, h}, downRight{x + v, y + v, w, h};
    const Box upLeft{x - v - w, y - v - h, w, h}, downLeft{x - v - w, y + v, w, h};
    if (r.Side == LabelSide::Left)
        return {left, upLeft, downLeft, above, below, right, upRight, downRight};
    return {right, upRight, downRight, above, below, left, upLeft, downLeft};
}

// The places tried for a label, most wanted first: round its anchor at gap, then a line further
// out (past the Sun's disc standing on an hour mark); a centred name first on its anchor,
// then moved a little along and across.
std::vector<Box> Places(const LabelRequest& r, double gap, double w, double h) {
    const double x = r.X, y = r.Y;
    switch (r.Side) {
        case LabelSide::Right:
        case LabelSide::Left: {
            std::vector<Box> places = Ring(r, gap, w, h);
            const std::vector<Box> outer = Ring(r, gap + h, w, h);
            places.insert(places.end(), outer.begin(), outer.end());
            return places;
        }
        case LabelSide::Centre: {
            // Shifted by up to two lines and half its width: a name spans its figure.
            std::vector<Box> places;
            for (const double dy : {0.0, -1.0, 1.0, -2.0, 2.0})
                for (const double dx : {0.0, -0.5, 0.5})
                    places.push_back({x - w / 2 + dx * w, y - h / 2 + dy * h, w, h});
            return places;
        }
        case LabelSide::Fixed:
            break;
    }
    return {{x, y, w, h}};
}

double Linear(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Colour c) {
    return 0.2126 * Linear(c % 256) + 0.7152 * Linear((c / 256) % 256) + 0.0722 * Linear(c / 65536);
}
}  // namespace

LabelOutcome PlaceLabels(std::vector<LabelRequest> requests, const std::vector<KeepClear>& discs,
                         const std::vector<LabelBox>& blocked, DrawingSurface& S) {
    std::stable_sort(requests.begin(), requests.end(),
                     [](const LabelRequest& a, const LabelRequest& b) {
                         return a.Class != b.Class ? a.Class < b.Class : a.Rank < b.Rank;
                     });
    const double W = S.Width(), H = S.Height(), h = S.LineHeight();
    // The labels' size: their gaps to their anchors grow with it.
    const float size = S.LabelText() > 0 ? S.LabelText() : LabelBasePixels;
    const double grow = size / LabelBasePixels;
    // The halo's reach: labels closer than that would run their rings together.
    const double pad =
        std::max(static_cast<double>(S.DrawScale), static_cast<double>(LabelRingReach(size)));
    std::vector<Box> taken;
    for (const LabelBox& b : blocked) taken.push_back({b.X, b.Y, b.Width, b.Height});
    LabelOutcome out;
    const Colour fore = S.ForeColor, outline = S.TextOutline;
    const float textX = S.CurrentX, textY = S.CurrentY;
    S.TextOutline = LabelHalo;
    for (const LabelRequest& r : requests) {
        std::string text;
        std::vector<float> advances;
        double w = 0;
        for (const std::string& piece : r.Pieces) {
            text += piece;
            advances.push_back(S.TextAdvance(piece));
            w += advances.back();
        }
        const std::vector<Box> places = Places(r, r.Gap * grow, w, h);
        const Box* chosen = nullptr;
        for (const Box& b : places) {
            const bool inside = r.Side == LabelSide::Fixed ||
                                (b.X >= 0 && b.Y >= 0 && b.X + b.W <= W && b.Y + b.H <= H);
            if (!inside) continue;
            // A fixed text belongs to a figure drawn where it is (an inset, a corner note).
            if (r.Side == LabelSide::Fixed) {
                chosen = &b;
                break;
            }
            if (std::any_of(taken.begin(), taken.end(),
                            [&](const Box& t) { return Overlap(t, b, pad); }))
                continue;
            if (std::any_of(discs.begin(), discs.end(),
                            [&](const KeepClear& d) { return Covers(d, b, pad); }))
                continue;
            chosen = &b;
            break;
        }
        if (chosen == nullptr) {
            out.Dropped.push_back({text, places[0].X, places[0].Y, w, h});
            continue;
        }
        taken.push_back(*chosen);
        out.Placed.push_back({text, chosen->X, chosen->Y, w, h});
        S.ForeColor = r.Ink;
        float at = static_cast<float>(chosen->X);
        for (std::size_t i = 0; i < r.Pieces.size(); ++i) {
            S.CurrentX = at;
            S.CurrentY = static_cast<float>(chosen->Y);
            S.PrintText(r.Pieces[i]);
            at += advances[i];
        }
    }
    S.ForeColor = fore;
    S.TextOutline = outline;
    S.CurrentX = textX;
    S.CurrentY = textY;
    return out;
}

std::vector<LabelBox> CompassBoxes(const Projection& p, DrawingSurface& S) {
    std::vector<LabelBox> boxes;
    if (p.Ground != 0) return GroundCompassBoxes(p, S);
    if (p.PoleAngle == 0 || p.PoleAngle == 180) return boxes;
    // As the frame prints them.
    const LabelTextScope frameText(S, CompassText(S));
    const CompassPoints compass = CompassPointsOf(p);
    for (int k = 0; k <= 3; ++k) {
        const ChartPoint at = PlaceSpherePoint(p, compass.X[k], compass.Y[k], compass.Z[k]);
        // Where DrawFrame prints them: single precision, as the surface gets them.
        const std::string letter(CompassLabels[k]);
        boxes.push_back({letter, static_cast<float>(p.CenterX + at.OffsetX),
                         static_cast<float>(p.CenterY + at.OffsetY), S.TextAdvance(letter),
                         S.LineHeight()});
    }
    return boxes;
}

void DrawHaloed(DrawingSurface& S, const std::vector<InkSegment>& segments) {
    const float d = std::max(1.0f, std::round(S.DrawScale));
    for (const InkSegment& s : segments) {
        S.Line(s.X1 - d, s.Y1, s.X2 - d, s.Y2, LabelHalo);
        S.Line(s.X1 + d, s.Y1, s.X2 + d, s.Y2, LabelHalo);
        S.Line(s.X1, s.Y1 - d, s.X2, s.Y2 - d, LabelHalo);
        S.Line(s.X1, s.Y1 + d, s.X2, s.Y2 + d, LabelHalo);
    }
    for (const InkSegment& s : segments) S.Line(s.X1, s.Y1, s.X2, s.Y2, s.Ink);
}

std::vector<LabelBox> GroundCompassBoxes(const Projection& p, DrawingSurface& S) {
    // 全天: the four letters outside the rim; 地平: the eight directions under the horizon.
    const bool sky = p.Ground == static_cast<std::uint8_t>(ViewKind::Sky);
    const double h = S.LineHeight();
    std::vector<LabelBox> boxes;
    for (int k = 0; k < 8; k += sky ? 2 : 1) {
        const double azimuth = 45.0 * k;
        const ChartPoint at = PlaceGroundPoint(p, {0.0, azimuth});
        if (!sky && (at.Depth > 0 || std::fabs(at.OffsetX) > p.CenterX)) continue;
        double x = p.CenterX + at.OffsetX, y = p.CenterY + at.OffsetY;
        if (sky) {
            // Pushed out from the rim by most of a line, along the radius.
            const double rho = std::hypot(at.OffsetX, at.OffsetY);
            x += at.OffsetX / rho * (0.9 * h);
            y += at.OffsetY / rho * (0.9 * h);
        } else {
            y += 0.8 * h;
        }
        const std::string letter(GroundCompassLabels[k]);
        const double w = S.TextAdvance(letter);
        boxes.push_back(
            {letter, static_cast<float>(x - w / 2), static_cast<float>(y - h / 2), w, h});
    }
    return boxes;
}

double ContrastRatio(Colour a, Colour b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
