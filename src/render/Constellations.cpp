#include "render/Constellations.h"

#include <cmath>

#include "core/ConstellationCatalogue.h"
#include "core/Horizontal.h"
#include "core/SkyState.h"
#include "geometry/Trails.h"
#include "render/DrawingSurface.h"
#include "render/Stars.h"

namespace {

struct SpherePoint {
    double X, Y, Z;
};

SpherePoint SphereOf(const SkyState& Sky, const SkyPoint& p) {
    SpherePoint s{};
    SpherePointOf(Sky, p.RA, p.Dec, Sky.SiderealAngle, s.X, s.Y, s.Z);
    return s;
}

// Characters in a UTF-8 text: the bytes that do not continue a character.
int CharacterCount(const std::string& text) {
    int count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// The chart font's Japanese characters are square, a little narrower than a line is high.
double TextWidth(const DrawingSurface& S, const std::string& text) {
    return CharacterCount(text) * (S.LineHeight() * 0.9);
}

void AppendPoint(std::vector<ChartLabel>* points, const SkyState& Sky, const char* kind,
                 const std::string& label, const SkyPoint& where, double x, double y) {
    if (points == nullptr) return;
    const Horizontal h = HorizontalOf(Sky, Sky.SiderealAngle, where.RA, where.Dec);
    points->push_back({kind, label, x, y, h.Altitude, h.Azimuth});
}

}  // namespace

void DrawConstellationLines(const SkyState& Sky, const ConstellationCatalogue& Figures,
                            DrawingSurface& S) {
    const double cx = Sky.CenterX, cy = Sky.CenterY, R = Sky.ChartRadius;
    if (!(R > 0)) return;
    const double piece = (LinePieceDegrees * Sky.Pi) / 180;
    auto draw = [&](const SkyPlacement& a, const SkyPlacement& b) {
        if (a.Depth > 0 || b.Depth > 0) return;
        S.Line(static_cast<float>(cx + a.OffsetX), static_cast<float>(cy + a.OffsetY),
               static_cast<float>(cx + b.OffsetX), static_cast<float>(cy + b.OffsetY),
               a.Toward + b.Toward < 0 ? LineColourBehind : LineColourFront);
    };
    for (const Constellation& c : Figures.Constellations) {
        for (const std::vector<SkyPoint>& line : c.Lines) {
            SpherePoint a = SphereOf(Sky, line[0]);
            SkyPlacement placedA = PlaceSpherePoint(Sky, a.X, a.Y, a.Z);
            for (std::size_t v = 1; v < line.size(); ++v) {
                const SpherePoint b = SphereOf(Sky, line[v]);
                const SkyPlacement placedB = PlaceSpherePoint(Sky, b.X, b.Y, b.Z);
                // Pieces along the great circle: points between the ends, brought back
                // onto the sphere.
                const double cosAngle = (a.X * b.X + a.Y * b.Y + a.Z * b.Z) / (R * R);
                const double angle = std::acos(std::fmax(-1.0, std::fmin(1.0, cosAngle)));
                const int pieces = static_cast<int>(std::ceil(angle / piece));
                SkyPlacement from = placedA;
                for (int k = 1; k < pieces; ++k) {
                    const double t = static_cast<double>(k) / pieces;
                    const double x = a.X + (b.X - a.X) * t, y = a.Y + (b.Y - a.Y) * t,
                                 z = a.Z + (b.Z - a.Z) * t;
                    const double scale = R / std::sqrt(x * x + y * y + z * z);
                    const SkyPlacement to = PlaceSpherePoint(Sky, x * scale, y * scale, z * scale);
                    draw(from, to);
                    from = to;
                }
                draw(from, placedB);
                a = b;
                placedA = placedB;
            }
        }
    }
}

void DrawConstellationNames(const SkyState& Sky, const ConstellationCatalogue& Figures,
                            DrawingSurface* S, std::vector<ChartLabel>* points) {
    const double cx = Sky.CenterX, cy = Sky.CenterY;
    for (const Constellation& c : Figures.Constellations) {
        for (const SkyPoint& label : c.Labels) {
            const SkyPlacement p = PlaceSkyPoint(Sky, label.RA, label.Dec, Sky.SiderealAngle);
            if (p.Depth > 0) continue;
            const double x = cx + p.OffsetX, y = cy + p.OffsetY;
            if (S != nullptr) {
                S->ForeColor = p.Toward < 0 ? NameColourBehind : NameColourFront;
                S->CurrentX = static_cast<float>(x - TextWidth(*S, c.Name) / 2);
                S->CurrentY = static_cast<float>(y - S->LineHeight() / 2);
                S->PrintText(c.Name);
            }
            AppendPoint(points, Sky, "constellation", c.Name, label, x, y);
        }
    }
}

void DrawStarNames(const SkyState& Sky, const ConstellationCatalogue& Figures, DrawingSurface* S,
                   std::vector<ChartLabel>* points) {
    const double cx = Sky.CenterX, cy = Sky.CenterY;
    for (const StarName& star : Figures.StarNames) {
        const auto i = static_cast<std::size_t>(star.Index);
        const double m = Sky.StarMag[i];
        if (!(m < Sky.LimitMag)) continue;
        const SkyPoint where{Sky.StarRA[i], Sky.StarDec[i]};
        const SkyPlacement p = PlaceSkyPoint(Sky, where.RA, where.Dec, Sky.SiderealAngle);
        if (p.Depth > 0) continue;
        // Beside the disc the star pass draws: its radius, then a gap of two pixels.
        const double radius = m < DiscMagnitude ? std::floor((RadiusOffset - m) / RadiusStep) : 0.0;
        const double x = cx + p.OffsetX, y = cy + p.OffsetY;
        if (S != nullptr) {
            S->ForeColor = p.Toward < 0 ? StarNameColourBehind : StarNameColourFront;
            S->CurrentX = static_cast<float>(x + radius + 2);
            S->CurrentY = static_cast<float>(y - S->LineHeight() / 2);
            S->PrintText(star.Name);
        }
        AppendPoint(points, Sky, "star-name", star.Name, where, x, y);
    }
}
