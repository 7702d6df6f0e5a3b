#include "render/Trails.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/Sky.h"
#include "render/DrawingSurface.h"
#include "render/Scene.h"

namespace {
inline int Component(double level, double share, bool behind) {
    const double full = level * share;
    return static_cast<int>(std::lround(behind ? 80 + (full - 80) * 0.5 : full));
}

// A chart coordinate as the pixel that holds it, as the surfaces round a line's ends.
inline int PixelOf(double v) {
    const double p = Floor(v + 0.5);
    if (!(p > -1e9)) return -1000000000;
    if (p > 1e9) return 1000000000;
    return static_cast<int>(p);
}

// A grid point's pixel, in 16 bits to halve the grids' share of the processor's caches:
// a chart of up to 8192 pixels a side lies well within, and a point off by more is off
// the surface anyway.
inline std::int16_t GridPixelOf(double v) {
    return static_cast<std::int16_t>(std::clamp(PixelOf(static_cast<float>(v)), -30000, 30000));
}

// The strokes of one drawing into TrailCache::Strokes: each segment a pixel per step
// along its longer axis, the other coordinate rounded (a digital differential analyser:
// no branch per pixel, unlike stepping by the error term, whose turns the processor cannot
// foresee on the trails' curves). Consecutive segments of a trail share their joint,
// which is set once.
class StrokeRaster {
public:
    StrokeRaster(TrailCache& cache)
        : Strokes(cache.Strokes.data()), Width(cache.Width), Height(cache.Height) {}

    // The segment from (x, y) to (xEnd, yEnd), pixels; without its first pixel when joined.
    void Segment(int x, int y, int xEnd, int yEnd, std::uint16_t ink, bool joined = false) {
        Top = std::min(Top, std::min(y, yEnd));
        Bottom = std::max(Bottom, std::max(y, yEnd));
        // Far outside the image (a chart larger than its surface): cut to the image first,
        // so that the stepping stays short.
        const int reach = 4 * (Width + Height) + 4;
        if (std::abs(x) > reach || std::abs(y) > reach || std::abs(xEnd) > reach ||
            std::abs(yEnd) > reach) {
            if (!Clip(x, y, xEnd, yEnd)) return;
            joined = false;
        }
        const int dx = xEnd - x, dy = yEnd - y;
        const int steps = std::max(std::abs(dx), std::abs(dy));
        if (Inside(x, y) && Inside(xEnd, yEnd)) {
            StrokeInImage(Strokes, Width, x, y, xEnd, yEnd, ink, joined);
            return;
        }
        // Coordinates in 1/65536 of a pixel, from the pixel's middle.
        constexpr int Shift = 16;
        constexpr std::int64_t Half = std::int64_t{1} << (Shift - 1);
        std::int64_t fx = (static_cast<std::int64_t>(x) << Shift) + Half;
        std::int64_t fy = (static_cast<std::int64_t>(y) << Shift) + Half;
        // The steps by a reciprocal: a division of integers per segment cost a tenth of
        // the drawing.
        const double perStep = steps > 0 ? 65536.0 / steps : 0.0;
        const auto ix = static_cast<std::int64_t>(dx * perStep);
        const auto iy = static_cast<std::int64_t>(dy * perStep);
        int k = 0;
        if (joined) {
            if (steps == 0) return;
            k = 1;
            fx += ix;
            fy += iy;
        }
        for (; k <= steps; ++k, fx += ix, fy += iy)
            Put(static_cast<int>(fx >> Shift), static_cast<int>(fy >> Shift), ink);
    }
    int Top = 1 << 30, Bottom = -1;

private:
    bool Inside(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(Width) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(Height);
    }
    void Put(int x, int y, std::uint16_t ink) const {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(Width) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(Height))
            return;
        Strokes[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                static_cast<std::size_t>(x)] = ink;
    }
    // Liang and Barsky's clip to the image with a pixel of margin; false when nothing is left.
    bool Clip(int& x1, int& y1, int& x2, int& y2) const {
        const double ax = x1, ay = y1, dx = static_cast<double>(x2) - x1,
                     dy = static_cast<double>(y2) - y1;
        double t0 = 0, t1 = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {ax + 1, Width - ax, ay + 1, Height - ay};
        for (int k = 0; k < 4; ++k) {
            if (p[k] == 0) {
                if (q[k] < 0) return false;
                continue;
            }
            const double r = q[k] / p[k];
            if (p[k] < 0)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
            if (t0 > t1) return false;
        }
        x1 = PixelOf(ax + t0 * dx);
        y1 = PixelOf(ay + t0 * dy);
        x2 = PixelOf(ax + t1 * dx);
        y2 = PixelOf(ay + t1 * dy);
        return true;
    }
    std::uint16_t* Strokes;
    int Width, Height;
};

// The parts of the cache made from the view, the catalogue and the surface, made again
// where those changed.
void UpdateCache(const Scene& scene, const DrawingSurface& S, TrailCache& cache) {
    TrailShapes& shapes = cache.Shapes;
    shapes.Update(scene.Stars, scene.Proj);
    // The grid points as pixels, converted as the shapes make them (GridPixels'
    // catching up with them after each star's Pieces).
    if (cache.ShapesVersion != shapes.Version() || cache.CentreX != scene.Proj.CenterX ||
        cache.CentreY != scene.Proj.CenterY) {
        cache.GridPixels.clear();
        cache.ShapesVersion = shapes.Version();
        cache.CentreX = scene.Proj.CenterX;
        cache.CentreY = scene.Proj.CenterY;
    }
    if (cache.KeyMag.size() != StarCount ||
        std::memcmp(cache.KeyMag.data(), scene.Stars.StarMag.data(), sizeof(double) * StarCount) !=
            0) {
        cache.KeyMag.assign(scene.Stars.StarMag.begin(), scene.Stars.StarMag.end());
        cache.Palette.assign(1, 0);
        cache.FrontInk.resize(StarCount);
        cache.BehindInk.resize(StarCount);
        std::unordered_map<Colour, std::uint16_t> numbers;
        auto number = [&](Colour c) {
            const auto [at, added] =
                numbers.try_emplace(c, static_cast<std::uint16_t>(cache.Palette.size()));
            if (added) cache.Palette.push_back(c);
            return at->second;
        };
        for (std::size_t i = 0; i < StarCount; ++i) {
            cache.FrontInk[i] = number(TrailColour(scene.Stars.StarMag[i], false));
            cache.BehindInk[i] = number(TrailColour(scene.Stars.StarMag[i], true));
        }
    }
    if (cache.Width != std::clamp(S.Width(), 0, 8192) ||
        cache.Height != std::clamp(S.Height(), 0, 8192)) {
        // Up to 8192 pixels a side, so that a pixel's column and row fit 16 bits.
        cache.Width = std::clamp(S.Width(), 0, 8192);
        cache.Height = std::clamp(S.Height(), 0, 8192);
        cache.Strokes.assign(
            static_cast<std::size_t>(cache.Width) * static_cast<std::size_t>(cache.Height), 0);
    }
}

// Hands the strokes over to the surface, a colour at a time, and clears them.
void HandOver(DrawingSurface& S, TrailCache& cache, int top, int bottom) {
    cache.Touched.clear();
    const std::size_t inks = cache.Palette.size();
    cache.InkStart.assign(inks + 1, 0);
    const auto width = static_cast<std::size_t>(cache.Width);
    auto take = [&](std::uint16_t* row, std::size_t x, int y) {
        cache.Touched.push_back(
            {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y), row[x]});
        ++cache.InkStart[row[x] + 1u];
        row[x] = 0;
    };
    for (int y = top; y <= bottom; ++y) {
        std::uint16_t* row = cache.Strokes.data() + static_cast<std::size_t>(y) * width;
        std::size_t x = 0;
        // Four pixels at a time over the empty stretches.
        for (; x + 4 <= width; x += 4) {
            std::uint64_t four;
            std::memcpy(&four, row + x, sizeof four);
            if (four == 0) continue;
            for (std::size_t k = x; k < x + 4; ++k)
                if (row[k] != 0) take(row, k, y);
        }
        for (; x < width; ++x)
            if (row[x] != 0) take(row, x, y);
    }
    for (std::size_t c = 1; c <= inks; ++c) cache.InkStart[c] += cache.InkStart[c - 1];
    cache.Points.resize(2 * cache.Touched.size());
    {
        std::vector<int> next(cache.InkStart.begin(), cache.InkStart.end() - 1);
        for (const TrailCache::Stroked& t : cache.Touched) {
            const auto at = static_cast<std::size_t>(next[t.Ink]++);
            cache.Points[2 * at] = t.X;
            cache.Points[2 * at + 1] = t.Y;
        }
    }
    const bool watched = S.WatchesEachPlot();
    for (std::size_t c = 1; c < inks; ++c) {
        const int first = cache.InkStart[c], count = cache.InkStart[c + 1] - first;
        if (count == 0) continue;
        const float* xy = cache.Points.data() + 2 * static_cast<std::size_t>(first);
        if (!watched) {
            S.SetPixels(xy, count, cache.Palette[c]);
            continue;
        }
        // A star table beside the surface would take each pixel for a star.
        for (int k = 0; k < count; ++k)
            S.Line(xy[2 * k], xy[2 * k + 1], xy[2 * k], xy[2 * k + 1], cache.Palette[c]);
    }
}
}  // namespace

Colour TrailColour(double magnitude, bool behind) {
    const double level = std::fmin(250.0, std::fmax(140.0, 250 - 22 * magnitude));
    return RGB(Component(level, 0.72, behind), Component(level, 0.88, behind),
               Component(level, 1.0, behind));
}

void DrawStarTrails(const Scene& scene, DrawingSurface& S, int hours, TrailCache& cache) {
    if (hours < 1 || hours > 24) throw RunTimeError(ErrorKind::SubscriptRange);
    if (S.DrawsNothing()) return;
    UpdateCache(scene, S, cache);
    TrailShapes& shapes = cache.Shapes;
    shapes.PrepareMoment(scene.SiderealAngle, hours);
    const double cx = scene.Proj.CenterX, cy = scene.Proj.CenterY;
    auto pixelX = [&](double offset) { return PixelOf(static_cast<float>(cx + offset)); };
    auto pixelY = [&](double offset) { return PixelOf(static_cast<float>(cy + offset)); };
    // One hour of the clock as an angle of the circles, for the ticks.
    const double hourT = ((60 * TrailSiderealRate) * ChartPi) / 180;
    const double hourCos = std::cos(hourT), hourSin = std::sin(hourT);
    StrokeRaster raster(cache);
    TrailPiece pieces[MaxTrailPieces];
    for (int i = 0; i < StarCount; ++i) {
        const auto star = static_cast<std::size_t>(i);
        const double m = scene.Stars.StarMag[star];
        if (!(m < scene.Look.LimitMag)) continue;
        const int count = shapes.Pieces(i, pieces);
        if (count == 0) continue;  // Not plotted: below the horizon now.
        for (std::size_t k = cache.GridPixels.size() / 2; k < shapes.GridPointCount(); ++k) {
            cache.GridPixels.push_back(GridPixelOf(cx + shapes.PointX(k)));
            cache.GridPixels.push_back(GridPixelOf(cy + shapes.PointY(k)));
        }
        const DiurnalCircle& circle = shapes.Circle(i);
        const std::int16_t* grid = cache.GridPixels.data() + 2 * shapes.GridFirst(i);
        const long long n = shapes.GridCount(i);
        for (int k = 0; k < count; ++k) {
            const TrailPiece& piece = pieces[k];
            const std::uint16_t ink = piece.Behind ? cache.BehindInk[star] : cache.FrontInk[star];
            const CirclePoint from = circle.At(piece.From.Cos, piece.From.Sin);
            int x = pixelX(from.OffsetX), y = pixelY(from.OffsetY);
            long long first = 0, end = 0;
            shapes.GridBetween(i, piece, first, end);
            bool joined = false;
            long long j = first % n;
            for (long long left = end - first; left > 0; --left) {
                const std::int16_t* p = grid + 2 * j;
                raster.Segment(x, y, p[0], p[1], ink, joined);
                joined = true;
                x = p[0];
                y = p[1];
                if (++j == n) j = 0;
            }
            const CirclePoint to = circle.At(piece.To.Cos, piece.To.Sin);
            raster.Segment(x, y, pixelX(to.OffsetX), pixelY(to.OffsetY), ink, joined);
        }
        if (!(m < TrailTickMagnitude)) continue;
        // One tick at each whole hour back from now, across the trail's direction there.
        const CircleAngle now = shapes.Now(i);
        double c = now.Cos, s = now.Sin;
        for (int hour = 1; hour <= hours; ++hour) {
            const double turned = c * hourCos - s * hourSin;
            s = s * hourCos + c * hourSin;
            c = turned;
            const CirclePoint p = circle.At(c, s);
            if (!(p.Depth <= 0.5)) continue;
            // Toward later times: against the circle's angle.
            const double dx = circle.AlongCos.OffsetX * s - circle.AlongSin.OffsetX * c;
            const double dy = circle.AlongCos.OffsetY * s - circle.AlongSin.OffsetY * c;
            const double length = std::sqrt(dx * dx + dy * dy);
            if (!(length > 0)) continue;
            const double nx = -dy / length * TrailTickHalfLength,
                         ny = dx / length * TrailTickHalfLength;
            const double x = cx + p.OffsetX, y = cy + p.OffsetY;
            raster.Segment(PixelOf(static_cast<float>(x - nx)), PixelOf(static_cast<float>(y - ny)),
                           PixelOf(static_cast<float>(x + nx)), PixelOf(static_cast<float>(y + ny)),
                           p.Facing < 0 ? cache.BehindInk[star] : cache.FrontInk[star]);
        }
    }
    const int top = std::max(raster.Top, 0), bottom = std::min(raster.Bottom, cache.Height - 1);
    if (top <= bottom && !S.SetNumberedPixels(cache.Strokes.data(), cache.Width, cache.Height, top,
                                              bottom, cache.Palette.data(), cache.Palette.size()))
        HandOver(S, cache, top, bottom);
}
