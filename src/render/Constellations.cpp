#include "render/Constellations.h"

#include <cmath>

#include "core/ConstellationCatalogue.h"
#include "core/Horizontal.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/Scene.h"
#include "render/Stars.h"

namespace {

struct SpherePoint {
    double X, Y, Z;
};

SpherePoint SphereOf(const Scene& scene, const SkyPoint& p) {
    SpherePoint s{};
    SpherePointOf(scene.Proj, p.RA, p.Dec, scene.SiderealAngle, s.X, s.Y, s.Z);
    return s;
}

void AppendPoint(std::vector<ChartLabel>* points, const Scene& scene, const char* kind,
                 const std::string& label, const SkyPoint& where, double x, double y) {
    if (points == nullptr) return;
    const Horizontal h = HorizontalOf(scene.At.PoleAngle, scene.SiderealAngle, where.RA, where.Dec);
    points->push_back({kind, label, x, y, h.Altitude, h.Azimuth});
}

}  // namespace

void DrawConstellationLines(const Scene& scene, DrawingSurface& S) {
    const Projection& P = scene.Proj;
    const double cx = P.CenterX, cy = P.CenterY, R = P.R;
    if (!(R > 0)) return;
    const double piece = (LinePieceDegrees * ChartPi) / 180;
    std::vector<InkSegment> segments;
    auto draw = [&](const ChartPoint& a, const ChartPoint& b) {
        if (a.Depth > 0 || b.Depth > 0) return;
        segments.push_back({static_cast<float>(cx + a.OffsetX), static_cast<float>(cy + a.OffsetY),
                            static_cast<float>(cx + b.OffsetX), static_cast<float>(cy + b.OffsetY),
                            a.Facing + b.Facing < 0 ? LineColourBehind : LineColourFront});
    };
    for (const Constellation& c : scene.Stars.Figures.Constellations) {
        for (const std::vector<SkyPoint>& line : c.Lines) {
            SpherePoint a = SphereOf(scene, line[0]);
            ChartPoint placedA = PlaceSpherePoint(P, a.X, a.Y, a.Z);
            for (std::size_t v = 1; v < line.size(); ++v) {
                const SpherePoint b = SphereOf(scene, line[v]);
                const ChartPoint placedB = PlaceSpherePoint(P, b.X, b.Y, b.Z);
                // Pieces along the great circle: points between the ends, brought back
                // onto the sphere.
                const double cosAngle = (a.X * b.X + a.Y * b.Y + a.Z * b.Z) / (R * R);
                const double angle = std::acos(std::fmax(-1.0, std::fmin(1.0, cosAngle)));
                const int pieces = static_cast<int>(std::ceil(angle / piece));
                ChartPoint from = placedA;
                for (int k = 1; k < pieces; ++k) {
                    const double t = static_cast<double>(k) / pieces;
                    const double x = a.X + (b.X - a.X) * t, y = a.Y + (b.Y - a.Y) * t,
                                 z = a.Z + (b.Z - a.Z) * t;
                    const double scale = R / std::sqrt(x * x + y * y + z * z);
                    const ChartPoint to = PlaceSpherePoint(P, x * scale, y * scale, z * scale);
                    draw(from, to);
                    from = to;
                }
                draw(from, placedB);
                a = b;
                placedA = placedB;
            }
        }
    }
    DrawHaloed(S, segments);
}

void NameConstellations(const Scene& scene, std::vector<LabelRequest>* requests,
                        std::vector<ChartLabel>* points) {
    const double cx = scene.Proj.CenterX, cy = scene.Proj.CenterY;
    for (const Constellation& c : scene.Stars.Figures.Constellations) {
        for (const SkyPoint& label : c.Labels) {
            const ChartPoint p =
                PlaceSkyPoint(scene.Proj, label.RA, label.Dec, scene.SiderealAngle);
            if (p.Depth > 0) continue;
            const double x = cx + p.OffsetX, y = cy + p.OffsetY;
            if (requests != nullptr) {
                const bool far = p.Facing < 0;
                requests->push_back({{c.Name},
                                     x,
                                     y,
                                     far ? NameColourBehind : NameColourFront,
                                     far ? LabelClass::Far : LabelClass::Near,
                                     LabelSide::Centre});
            }
            AppendPoint(points, scene, "constellation", c.Name, label, x, y);
        }
    }
}

void NameStars(const Scene& scene, std::vector<LabelRequest>* requests,
               std::vector<ChartLabel>* points) {
    const double cx = scene.Proj.CenterX, cy = scene.Proj.CenterY;
    const Sky& sky = scene.Stars;
    for (const StarName& star : sky.Figures.StarNames) {
        const auto i = static_cast<std::size_t>(star.Index);
        const double m = sky.StarMag[i];
        if (!(m < scene.Look.LimitMag)) continue;
        const SkyPoint where{sky.StarRA[i], sky.StarDec[i]};
        const ChartPoint p = PlaceSkyPoint(scene.Proj, where.RA, where.Dec, scene.SiderealAngle);
        if (p.Depth > 0) continue;
        // Beside the disc the star pass draws: its radius, then a gap of two pixels.
        const double radius = m < DiscMagnitude ? std::floor((RadiusOffset - m) / RadiusStep) : 0.0;
        const double x = cx + p.OffsetX, y = cy + p.OffsetY;
        if (requests != nullptr) {
            const bool far = p.Facing < 0;
            requests->push_back({{star.Name},
                                 x,
                                 y,
                                 far ? StarNameColourBehind : StarNameColourFront,
                                 far ? LabelClass::Far : LabelClass::BrightStar,
                                 LabelSide::Right,
                                 static_cast<float>(radius + 2),
                                 m});
        }
        AppendPoint(points, scene, "star-name", star.Name, where, x, y);
    }
}
