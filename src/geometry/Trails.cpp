#include "geometry/Trails.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "core/Sky.h"
#include "geometry/Projection.h"

CirclePoint DiurnalCircle::At(double cosT, double sinT) const {
    CirclePoint p;
    p.OffsetX = Centre.OffsetX + AlongCos.OffsetX * cosT + AlongSin.OffsetX * sinT;
    p.OffsetY = Centre.OffsetY + AlongCos.OffsetY * cosT + AlongSin.OffsetY * sinT;
    p.Depth = Centre.Depth + AlongCos.Depth * cosT + AlongSin.Depth * sinT;
    p.Facing = Centre.Facing + AlongCos.Facing * cosT + AlongSin.Facing * sinT;
    return p;
}

namespace {
constexpr double TwoPi = 2 * std::numbers::pi;

// The projection's chain without the rounding of the depth: linear in (x, y, z).
CirclePoint Chain(const Projection& p, double x, double y, double z) {
    const ChartPoint c = LinearSpherePoint(p, x, y, z);
    return {c.OffsetX, c.OffsetY, c.DepthExact, c.Facing};
}

// An angle reduced to 0 <= t < 2 pi.
double Reduced(double t) {
    t = std::fmod(t, TwoPi);
    if (t < 0) t += TwoPi;
    return t < TwoPi ? t : 0.0;
}

// Where q0 + qc cos t + qs sin t <= level as one arc of the circle: the angles at which it
// starts and ends (start and end, each in 0..2 pi), or none (false) where the inequality
// holds everywhere (all = true) or nowhere (all = false).
bool ArcAtMost(double q0, double qc, double qs, double level, double& start, double& end,
               bool& all) {
    const double amplitude = std::hypot(qc, qs);
    const double c = amplitude > 0 ? (level - q0) / amplitude : (q0 <= level ? 2.0 : -2.0);
    if (!(c < 1)) {
        all = true;
        return false;
    }
    if (!(c > -1)) {
        all = false;
        return false;
    }
    // cos(t - phase) <= c for t - phase in [acos c, 2 pi - acos c].
    const double phase = std::atan2(qs, qc), half = std::acos(c);
    start = Reduced(phase + half);
    end = Reduced(phase - half);
    return true;
}

// Segments of a circle of semi-axis a pixels whose chords stray from it by at most
// TrailChordTolerance: a chord of angle d strays by at most a d^2 / 8.
int GridCountFor(double a) {
    constexpr int Fewest = 8, Most = 1 << 16;
    if (!(a > 0)) return Fewest;
    const double n = std::ceil(TwoPi / std::sqrt(8 * TrailChordTolerance / a));
    return n > Fewest ? (n < Most ? static_cast<int>(n) : Most) : Fewest;
}
}  // namespace

DiurnalCircle DiurnalCircleOf(const Projection& p, double sinPolar, double cosPolar) {
    const double R = p.R;
    DiurnalCircle circle;
    circle.Centre = Chain(p, 0, 0, R * cosPolar);
    circle.AlongCos = Chain(p, R * sinPolar, 0, 0);
    circle.AlongSin = Chain(p, 0, R * sinPolar, 0);
    return circle;
}

bool TrailShapes::Update(const Sky& sky, const Projection& p) {
    const std::vector<double> view = {p.R,          p.SinPole,      p.CosPole,      p.SinAzimuth,
                                      p.CosAzimuth, p.SinElevation, p.CosElevation, p.SinRoll,
                                      p.CosRoll};
    constexpr std::size_t Bytes = sizeof(double) * StarCount;
    // Bit for bit, so that a NaN in the view does not make the shapes again at every call.
    const bool sameCatalogue = KeyRA.size() == StarCount &&
                               std::memcmp(sky.StarRA.data(), KeyRA.data(), Bytes) == 0 &&
                               std::memcmp(sky.StarDec.data(), KeyDec.data(), Bytes) == 0;
    if (sameCatalogue &&
        std::memcmp(view.data(), KeyView.data(), sizeof(double) * view.size()) == 0)
        return false;
    if (!sameCatalogue) {
        // What the view does not change: each star's polar distance and right ascension.
        KeyRA.assign(sky.StarRA.begin(), sky.StarRA.end());
        KeyDec.assign(sky.StarDec.begin(), sky.StarDec.end());
        SinPolar.resize(StarCount);
        CosPolar.resize(StarCount);
        RaT.resize(StarCount);
        CosRA.resize(StarCount);
        SinRA.resize(StarCount);
        for (std::size_t i = 0; i < StarCount; ++i) {
            // The polar distance's sine and cosine as the star pass takes them.
            SinPolar[i] = sky.SinPolarDist[i];
            CosPolar[i] = sky.CosPolarDist[i];
            RaT[i] = Reduced((std::fmod(sky.StarRA[i], 360.0) * ChartPi) / 180);
            CosRA[i] = std::cos(RaT[i]);
            SinRA[i] = std::sin(RaT[i]);
        }
    }
    // The circles; where they cross the horizon and the rim, and their grids, are made
    // for a star when it is first drawn (Prepare): a drag changes the view at every step.
    KeyView = view;
    Radius = p.R;
    Circles.resize(StarCount);
    StarChanges.resize(StarCount);
    Grids.assign(StarCount, Grid{});
    GridPoints.clear();
    for (std::size_t i = 0; i < StarCount; ++i)
        Circles[i] = DiurnalCircleOf(p, SinPolar[i], CosPolar[i]);
    ++Builds;
    return true;
}

void TrailShapes::Prepare(std::size_t i) {
    if (Grids[i].Count != 0) return;
    const DiurnalCircle& circle = Circles[i];
    // Where the star rises and sets, and where it passes the dome's rim.
    Changes& changes = StarChanges[i];
    changes.Count = 0;
    double start = 0, end = 0;
    bool all = false;
    double angles[4];
    if (ArcAtMost(circle.Centre.Depth, circle.AlongCos.Depth, circle.AlongSin.Depth, 0.5, start,
                  end, all)) {
        angles[changes.Count++] = start;
        angles[changes.Count++] = end;
    } else {
        changes.Above = all;
    }
    // Near where -Facing <= 0.
    if (ArcAtMost(-circle.Centre.Facing, -circle.AlongCos.Facing, -circle.AlongSin.Facing, 0, start,
                  end, all)) {
        angles[changes.Count++] = start;
        angles[changes.Count++] = end;
    } else {
        changes.Near = all;
    }
    // At most four: sorted by insertion.
    for (int k = 1; k < changes.Count; ++k)
        for (int j = k; j > 0 && angles[j] < angles[j - 1]; --j)
            std::swap(angles[j], angles[j - 1]);
    // The state after each change, taken halfway to the next.
    for (int k = 0; k < changes.Count; ++k) {
        const double t = angles[k];
        const double next = k + 1 < changes.Count ? angles[k + 1] : angles[0] + TwoPi;
        const double middle = (t + next) / 2;
        const CirclePoint p = circle.At(std::cos(middle), std::sin(middle));
        changes.List[k] = {{t, std::cos(t), std::sin(t)}, p.Depth <= 0.5, p.Facing >= 0};
    }
    // The grid, turned point by point by the fixed angle 2 pi / n: after n turns the
    // cosine and sine are off by a few units in the last place times n, some 1e-12 of
    // the chart radius at most, far below a pixel.
    const int n = GridCountFor(std::fabs(Radius * SinPolar[i]));
    Grids[i] = {GridPoints.size(), n};
    const double cosStep = std::cos(TwoPi / n), sinStep = std::sin(TwoPi / n);
    double c = 1, s = 0;
    for (int j = 0; j < n; ++j) {
        const CirclePoint p = circle.At(c, s);
        GridPoints.push_back({p.OffsetX, p.OffsetY});
        const double turnedC = c * cosStep - s * sinStep;
        s = s * cosStep + c * sinStep;
        c = turnedC;
    }
}

void TrailShapes::PrepareMoment(double siderealAngle, int hours) {
    MomentT = (std::fmod(siderealAngle, 360.0) * ChartPi) / 180;
    MomentCos = std::cos(MomentT);
    MomentSin = std::sin(MomentT);
    SpanT = ((hours * 60 * TrailSiderealRate) * ChartPi) / 180;
    SpanCos = std::cos(SpanT);
    SpanSin = std::sin(SpanT);
}

CircleAngle TrailShapes::Now(int star) const {
    // Turned from the right ascension's cosine and sine by the sidereal angle's.
    const auto i = static_cast<std::size_t>(star);
    CircleAngle now;
    now.T = RaT[i] - MomentT;
    if (now.T < 0) now.T += TwoPi;
    if (now.T >= TwoPi) now.T -= TwoPi;
    now.Cos = CosRA[i] * MomentCos + SinRA[i] * MomentSin;
    now.Sin = SinRA[i] * MomentCos - CosRA[i] * MomentSin;
    return now;
}

int TrailShapes::Pieces(int star, TrailPiece (&pieces)[MaxTrailPieces]) {
    const auto i = static_cast<std::size_t>(star);
    const DiurnalCircle& circle = Circles[i];
    const CircleAngle now = Now(star);
    const double depth =
        circle.Centre.Depth + circle.AlongCos.Depth * now.Cos + circle.AlongSin.Depth * now.Sin;
    if (!(depth <= 0.5)) return 0;
    Prepare(i);
    CircleAngle end;
    end.T = now.T + SpanT;
    end.Cos = now.Cos * SpanCos - now.Sin * SpanSin;
    end.Sin = now.Sin * SpanCos + now.Cos * SpanSin;
    const Changes& changes = StarChanges[i];
    int count = 0;
    if (changes.Count == 0) {
        if (changes.Above) pieces[count++] = {now, end, !changes.Near};
        return count;
    }
    // The change in force now (the last one at or before now, else the last of the turn
    // before), then each change up to the trail's end.
    int k = -1;
    double base = 0;
    for (int j = 0; j < changes.Count; ++j)
        if (changes.List[j].At.T <= now.T) k = j;
    if (k < 0) {
        k = changes.Count - 1;
        base = -TwoPi;
    }
    CircleAngle from = now;
    bool above = changes.List[k].Above, nearSide = changes.List[k].Near;
    for (;;) {
        int next = k + 1;
        double nextBase = base;
        if (next == changes.Count) {
            next = 0;
            nextBase += TwoPi;
        }
        const Change& change = changes.List[next];
        const double t = change.At.T + nextBase;
        if (t >= end.T || count == MaxTrailPieces) {
            if (above && count < MaxTrailPieces) pieces[count++] = {from, end, !nearSide};
            return count;
        }
        const CircleAngle at{t, change.At.Cos, change.At.Sin};
        if (above && t > from.T) pieces[count++] = {from, at, !nearSide};
        from = at;
        above = change.Above;
        nearSide = change.Near;
        k = next;
        base = nextBase;
    }
}

void TrailShapes::GridBetween(int star, const TrailPiece& p, long long& first,
                              long long& end) const {
    const double n = GridCount(star);
    first = static_cast<long long>(std::floor(p.From.T * n / TwoPi)) + 1;
    end = static_cast<long long>(std::ceil(p.To.T * n / TwoPi));
    if (end < first) end = first;
}
