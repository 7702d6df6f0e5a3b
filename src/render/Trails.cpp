#include "render/Trails.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numbers>
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

// Integer division rounding down, and rounding up.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}
inline std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

// Narrows first..last to the steps k at which (f0 + k x step) / 65536, rounded down, lies
// in 0..size - 1.
void CutToImage(std::int64_t f0, std::int64_t step, int size, std::int64_t& first,
                std::int64_t& last) {
    const std::int64_t end = static_cast<std::int64_t>(size) << 16;  // f < end
    if (step == 0) {
        if (f0 < 0 || f0 >= end) last = first - 1;
        return;
    }
    if (step > 0) {
        first = std::max(first, CeilDiv(-f0, step));
        last = std::min(last, FloorDiv(end - 1 - f0, step));
    } else {
        first = std::max(first, CeilDiv(end - 1 - f0, step));
        last = std::min(last, FloorDiv(-f0, step));
    }
}

// The pixels k = first..last of the chord from (x, y) to (xEnd, yEnd), k = 0 its start,
// as indices of a row-major raster of width x height, as StrokeInImage steps them; steps
// outside the raster are left out.
template <class Put>
void ChordPixels(int x, int y, int xEnd, int yEnd, std::int64_t first, std::int64_t last, int width,
                 int height, Put&& put) {
    const SegmentStepping s = SteppingOf(xEnd - x, yEnd - y);
    const auto inside = [&](int px, int py) {
        return static_cast<unsigned>(px) < static_cast<unsigned>(width) &&
               static_cast<unsigned>(py) < static_cast<unsigned>(height);
    };
    if (inside(x, y) && inside(xEnd, yEnd)) {
        StrokeInImage(x, y, s, static_cast<std::int32_t>(first), static_cast<std::int32_t>(last),
                      width, put);
        return;
    }
    const std::int64_t fx0 = static_cast<std::int64_t>(x) * 65536 + 32768;
    const std::int64_t fy0 = static_cast<std::int64_t>(y) * 65536 + 32768;
    CutToImage(fx0, s.Ix, width, first, last);
    CutToImage(fy0, s.Iy, height, first, last);
    std::int64_t fx = fx0 + first * s.Ix, fy = fy0 + first * s.Iy;
    for (std::int64_t k = first; k <= last; ++k, fx += s.Ix, fy += s.Iy)
        put(static_cast<std::uint32_t>((fy >> 16) * width + (fx >> 16)));
}

// A star's sequence (TrailCache), made when first needed for the grid it has now.
class Sequence {
public:
    Sequence(TrailCache& cache, const TrailShapes& shapes, int star)
        : Grid(cache.GridPixels.data() + 2 * shapes.GridFirst(star)),
          Start(cache.ChordStart.data() + shapes.GridFirst(star)),
          Count(shapes.GridCount(star)),
          Width(cache.Width),
          Height(cache.Height) {
        std::int64_t& length = cache.SequenceLength[static_cast<std::size_t>(star)];
        if (length < 0) {
            std::uint32_t at = 0;
            for (int j = 0; j < Count; ++j) {
                Start[j] = at;
                at += static_cast<std::uint32_t>(StepsOver(j));
            }
            // A circle within one pixel: that pixel, the last chord's start.
            if (at == 0) at = 1;
            length = at;
        }
        Length = length;
    }

    // The index of the point at circle angle t (radians, not reduced): the pixel of its
    // chord nearest it, the chord's steps taken as even in angle.
    std::int64_t IndexAt(double t) const {
        constexpr double TwoPi = 2 * std::numbers::pi;
        const double u = t * Count / TwoPi;
        const double whole = Floor(u);
        const auto j = static_cast<std::int64_t>(whole);
        const std::int64_t turns = FloorDiv(j, Count);
        const auto chord = static_cast<int>(j - turns * Count);
        const double along = (u - whole) * static_cast<double>(Steps(chord));
        return turns * Length + Start[chord] + static_cast<std::int64_t>(Floor(along + 0.5));
    }

    // Each pixel of the stretch first..last, in order.
    template <class Put>
    void Pixels(std::int64_t first, std::int64_t last, Put&& put) const {
        std::int64_t at = first;
        const std::int64_t place = at - FloorDiv(at, Length) * Length;
        int chord = static_cast<int>(std::upper_bound(Start, Start + Count, place) - Start) - 1;
        std::int64_t k = place - Start[chord];
        while (at <= last) {
            const std::int64_t n = std::min<std::int64_t>(Steps(chord) - k, last - at + 1);
            if (n > 0) {
                const int next = chord + 1 == Count ? 0 : chord + 1;
                Top = std::min(Top, std::min<int>(Grid[2 * chord + 1], Grid[2 * next + 1]));
                Bottom = std::max(Bottom, std::max<int>(Grid[2 * chord + 1], Grid[2 * next + 1]));
                ChordPixels(Grid[2 * chord], Grid[2 * chord + 1], Grid[2 * next],
                            Grid[2 * next + 1], k, k + n - 1, Width, Height, put);
                at += n;
            }
            chord = chord + 1 == Count ? 0 : chord + 1;
            k = 0;
        }
    }
    std::int64_t Length = 0;
    // The rows the chords of the stretches so far reach, for the raster's hand-over.
    mutable int Top = 1 << 30, Bottom = -(1 << 30);

private:
    // Pixels of chord j's own: its steps, the next chord's start not counted.
    int StepsOver(int j) const {
        const int next = j + 1 == Count ? 0 : j + 1;
        return std::max(std::abs(Grid[2 * next] - Grid[2 * j]),
                        std::abs(Grid[2 * next + 1] - Grid[2 * j + 1]));
    }
    std::int64_t Steps(int j) const {
        return (j + 1 < Count ? static_cast<std::int64_t>(Start[j + 1]) : Length) - Start[j];
    }
    const std::int16_t* Grid;
    std::uint32_t* Start;
    int Count;
    int Width, Height;
};

// The number of one star's strokes in the raster and the cover: where strokes cross, the
// highest number is seen, so a later star's trail over an earlier one's, as when the
// trails are drawn star after star, and a star's ticks over its trail.
inline std::size_t StrokeKey(int star, bool tick, bool behind) {
    return 1 + 4 * static_cast<std::size_t>(star) + (tick ? 2 : 0) + (behind ? 1 : 0);
}

// The parts of the cache made from the view, the catalogue and the surface, made again
// where those changed.
void UpdateCache(const Scene& scene, const DrawingSurface& S, TrailCache& cache) {
    TrailShapes& shapes = cache.Shapes;
    shapes.Update(scene.Stars, scene.Proj);
    // The grid points as pixels, converted as the shapes make them (GridPixels'
    // catching up with them after each star's Pieces), and the sequences over them.
    if (cache.ShapesVersion != shapes.Version() || cache.CentreX != scene.Proj.CenterX ||
        cache.CentreY != scene.Proj.CenterY) {
        cache.GridPixels.clear();
        cache.ChordStart.clear();
        cache.SequenceLength.assign(StarCount, -1);
        ++cache.SequenceVersion;
        cache.ShapesVersion = shapes.Version();
        cache.CentreX = scene.Proj.CenterX;
        cache.CentreY = scene.Proj.CenterY;
    }
    if (cache.KeyMag.size() != StarCount ||
        std::memcmp(cache.KeyMag.data(), scene.Stars.StarMag.data(), sizeof(double) * StarCount) !=
            0) {
        cache.KeyMag.assign(scene.Stars.StarMag.begin(), scene.Stars.StarMag.end());
        cache.Palette.assign(1, 0);
        std::unordered_map<Colour, std::uint16_t> numbers;
        auto number = [&](Colour c) {
            const auto [at, added] =
                numbers.try_emplace(c, static_cast<std::uint16_t>(cache.Palette.size()));
            if (added) cache.Palette.push_back(c);
            return at->second;
        };
        cache.KeyInk.assign(1 + 4 * StarCount, 0);
        cache.KeyColour.assign(1 + 4 * StarCount, 0);
        for (int i = 0; i < StarCount; ++i) {
            for (const bool tick : {false, true}) {
                for (const bool behind : {false, true}) {
                    const Colour c =
                        TrailColour(scene.Stars.StarMag[static_cast<std::size_t>(i)], behind);
                    const std::size_t key = StrokeKey(i, tick, behind);
                    cache.KeyInk[key] = number(c);
                    cache.KeyColour[key] = c;
                }
            }
        }
        ++cache.SequenceVersion;
    }
    if (cache.Width != std::clamp(S.Width(), 0, 8192) ||
        cache.Height != std::clamp(S.Height(), 0, 8192)) {
        // Up to 8192 pixels a side, so that a pixel's column and row fit 16 bits.
        cache.Width = std::clamp(S.Width(), 0, 8192);
        cache.Height = std::clamp(S.Height(), 0, 8192);
        cache.Strokes.assign(
            static_cast<std::size_t>(cache.Width) * static_cast<std::size_t>(cache.Height), 0);
        ++cache.SequenceVersion;
    }
}

// Tokens of the trails kept on surfaces, one for each state handed over, from any cache.
std::atomic<std::uint64_t> LastToken{0};

// Where the trails go in one drawing: the cache's raster, or the trails the surfaces keep.
enum class Target { Raster, Kept };

// Adds (sign 1) or takes away (-1) the inks of the stretch first..last.
void Cover(const Sequence& sequence, std::int64_t first, std::int64_t last, std::uint16_t ink,
           int sign, std::vector<InkCover::Change>& cover) {
    sequence.Pixels(first, last, [&](std::uint32_t pixel) {
        cover.push_back({pixel, ink, sign > 0});
    });
}

// The changes of one star's stretches from old to new in the cover. Where the two have the
// same inks in the same order (as a rule: the trail moved on), each stretch changes only by
// its ends: what it gained is added, what it left taken away. The indices of now may count
// the turns from another place than old's (where now passed the sequence's start), by a
// multiple of the length that changes no pixel; old's count is taken for the ends.
void ChangeStretches(const Sequence& sequence, SequenceRange* old, int oldCount, SequenceRange* now,
                     int nowCount, std::vector<InkCover::Change>& cover) {
    bool paired = oldCount == nowCount;
    for (int k = 0; k < nowCount && paired; ++k) paired = old[k].Key == now[k].Key;
    if (!paired) {
        for (int k = 0; k < oldCount; ++k)
            Cover(sequence, old[k].From, old[k].To, old[k].Key, -1, cover);
        for (int k = 0; k < nowCount; ++k)
            Cover(sequence, now[k].From, now[k].To, now[k].Key, 1, cover);
        return;
    }
    const std::int64_t length = sequence.Length;
    for (int k = 0; k < nowCount; ++k) {
        const SequenceRange& a = old[k];
        SequenceRange& b = now[k];
        const std::int64_t turns = FloorDiv(a.From - b.From + length / 2, length);
        b.From += turns * length;
        b.To += turns * length;
        if (b.From > a.To || b.To < a.From) {
            Cover(sequence, a.From, a.To, a.Key, -1, cover);
            Cover(sequence, b.From, b.To, b.Key, 1, cover);
            continue;
        }
        if (b.From < a.From) Cover(sequence, b.From, a.From - 1, a.Key, 1, cover);
        if (b.From > a.From) Cover(sequence, a.From, b.From - 1, a.Key, -1, cover);
        if (b.To > a.To) Cover(sequence, a.To + 1, b.To, a.Key, 1, cover);
        if (b.To < a.To) Cover(sequence, b.To + 1, a.To, a.Key, -1, cover);
    }
}

// Hands the strokes over to the surface, a colour at a time, and clears them.
void HandOver(DrawingSurface& S, TrailCache& cache, int top, int bottom) {
    cache.Touched.clear();
    const std::size_t inks = cache.KeyColour.size();
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
            S.SetPixels(xy, count, cache.KeyColour[c]);
            continue;
        }
        // A star table beside the surface would take each pixel for a star.
        for (int k = 0; k < count; ++k)
            S.Line(xy[2 * k], xy[2 * k + 1], xy[2 * k], xy[2 * k + 1], cache.KeyColour[c]);
    }
}
// The new state of the kept trails into the history, and to the surface: the pixels the
// steps since the state it holds changed, or all trail pixels anew.
void HandOverKept(DrawingSurface& S, TrailCache& cache, std::uint64_t held) {
    std::swap(cache.Steps[0], cache.Steps[1]);
    cache.Steps[1].From = cache.Token;
    cache.Cover.TakeChanges(cache.Steps[1].Pixels);
    cache.Token = ++LastToken;
    std::vector<std::uint32_t>& handed = cache.Handed;
    const bool known = held != 0 && (held == cache.Steps[1].From || held == cache.Steps[0].From);
    if (known) {
        handed = cache.Steps[1].Pixels;
        if (held == cache.Steps[0].From)
            handed.insert(handed.end(), cache.Steps[0].Pixels.begin(), cache.Steps[0].Pixels.end());
    } else {
        handed.clear();
        const auto pixels = static_cast<std::uint32_t>(cache.Cover.Pixels());
        for (std::uint32_t p = 0; p < pixels; ++p)
            if (cache.Cover.Shown(p) != 0) handed.push_back(p);
    }
    cache.HandedInks.resize(handed.size());
    for (std::size_t k = 0; k < handed.size(); ++k)
        cache.HandedInks[k] = cache.KeyInk[cache.Cover.Shown(handed[k])];
    S.ChangeKeptTrails(handed.data(), cache.HandedInks.data(), handed.size(), cache.Palette.data(),
                       cache.Palette.size(), !known && held != 0, cache.Token);
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
    auto pixelOf = [](double v) { return PixelOf(static_cast<float>(v)); };
    // One hour of the clock as an angle of the circles, for the ticks.
    const double hourT = ((60 * TrailSiderealRate) * ChartPi) / 180;
    const double hourCos = std::cos(hourT), hourSin = std::sin(hourT);

    // Where the trails go: the trails the surface keeps with its frame where it can,
    // brought on from the state last drawn so; else the raster.
    Target target = Target::Raster;
    std::uint64_t held = 0;
    if (S.KeptTrails(held)) {
        target = Target::Kept;
        if (cache.CoverVersion != cache.SequenceVersion) {
            cache.Cover.Reset(static_cast<std::size_t>(cache.Width) *
                              static_cast<std::size_t>(cache.Height));
            cache.CoverVersion = cache.SequenceVersion;
            cache.Token = 0;
            cache.Ranges.assign(StarCount * MaxTrailPieces, {});
            cache.Counts.assign(StarCount, 0);
            cache.Ticks.assign(StarCount, {});
            cache.Steps[0].From = cache.Steps[1].From = 0;
        }
    }
    const bool kept = target == Target::Kept;
    cache.Changes.clear();
    std::uint16_t* const raster = cache.Strokes.data();
    int top = 1 << 30, bottom = -(1 << 30);  // The rows the strokes reach.
    const int width = cache.Width, height = cache.Height;

    TrailPiece pieces[MaxTrailPieces];
    SequenceRange ranges[MaxTrailPieces];
    for (int i = 0; i < StarCount; ++i) {
        const auto star = static_cast<std::size_t>(i);
        const double m = scene.Stars.StarMag[star];
        const int count = m < scene.Look.LimitMag ? shapes.Pieces(i, pieces) : 0;
        // Not plotted (below the horizon now, or fainter than the limit): no trail.
        if (count == 0 && (!kept || (cache.Counts[star] == 0 && cache.Ticks[star].empty())))
            continue;
        for (std::size_t k = cache.GridPixels.size() / 2; k < shapes.GridPointCount(); ++k) {
            cache.GridPixels.push_back(GridPixelOf(cx + shapes.PointX(k)));
            cache.GridPixels.push_back(GridPixelOf(cy + shapes.PointY(k)));
        }
        cache.ChordStart.resize(shapes.GridPointCount());
        // A star that has never been drawn in this view has no grid yet, and nothing to take
        // away either.
        if (shapes.GridCount(i) == 0) continue;
        const Sequence sequence(cache, shapes, i);
        for (int k = 0; k < count; ++k) {
            const TrailPiece& piece = pieces[k];
            ranges[k] = {sequence.IndexAt(piece.From.T), sequence.IndexAt(piece.To.T),
                         static_cast<std::uint16_t>(StrokeKey(i, false, piece.Behind))};
        }
        // One tick at each whole hour back from now, across the trail's direction there.
        cache.NewTicks.clear();
        if (count > 0 && m < TrailTickMagnitude) {
            const DiurnalCircle& circle = shapes.Circle(i);
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
                const int x1 = pixelOf(x - nx), y1 = pixelOf(y - ny);
                const int x2 = pixelOf(x + nx), y2 = pixelOf(y + ny);
                // Far off the surface (a chart larger than it): nothing to draw.
                const int reach = 4 * (width + height) + 4;
                if (std::abs(x1) > reach || std::abs(y1) > reach) continue;
                const auto ink = static_cast<std::uint16_t>(StrokeKey(i, true, p.Facing < 0));
                ChordPixels(x1, y1, x2, y2, 0, std::max(std::abs(x2 - x1), std::abs(y2 - y1)),
                            width, height, [&](std::uint32_t pixel) {
                                cache.NewTicks.push_back({pixel, ink});
                            });
            }
        }
        if (target == Target::Raster) {
            // Each pixel keeps the highest number, as the cover does by counting.
            for (int k = 0; k < count; ++k)
                sequence.Pixels(ranges[k].From, ranges[k].To, [&](std::uint32_t pixel) {
                    raster[pixel] = std::max(raster[pixel], ranges[k].Key);
                });
            top = std::min(top, sequence.Top);
            bottom = std::max(bottom, sequence.Bottom);
            for (const TrailCache::Tick& t : cache.NewTicks) {
                raster[t.Pixel] = std::max(raster[t.Pixel], t.Key);
                const int row = static_cast<int>(t.Pixel / static_cast<std::uint32_t>(width));
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
            continue;
        }
        // The kept trails: only what changed since the last state.
        SequenceRange* const old = cache.Ranges.data() + star * MaxTrailPieces;
        const int oldCount = cache.Counts[star];
        if (oldCount != count || !std::equal(old, old + count, ranges))
            ChangeStretches(sequence, old, oldCount, ranges, count, cache.Changes);
        std::copy(ranges, ranges + count, old);
        cache.Counts[star] = static_cast<std::uint8_t>(count);
        std::vector<TrailCache::Tick>& ticks = cache.Ticks[star];
        if (ticks != cache.NewTicks) {
            for (const TrailCache::Tick& t : ticks)
                cache.Changes.push_back({t.Pixel, t.Key, false});
            for (const TrailCache::Tick& t : cache.NewTicks)
                cache.Changes.push_back({t.Pixel, t.Key, true});
            ticks = cache.NewTicks;
        }
    }
    if (kept) {
        cache.Cover.Apply(cache.Changes);
        HandOverKept(S, cache, held);
        return;
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, height - 1);
    if (top > bottom) return;
    if (!S.SetNumberedPixels(raster, width, height, top, bottom, cache.KeyColour.data(),
                             cache.KeyColour.size()))
        HandOver(S, cache, top, bottom);
}
