#include "geometry/Boundaries.h"

namespace {
// a - b in right ascension, taken the short way round: -180..180 degrees.
double RaDifference(double a, double b) {
    double d = a - b;
    while (d > 180) d -= 360;
    while (d <= -180) d += 360;
    return d;
}

bool RingHolds(const std::vector<SkyPoint>& ring, double ra, double dec) {
    bool inside = false;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const SkyPoint& a = ring[i];
        const SkyPoint& b = ring[(i + 1) % ring.size()];
        const double da = RaDifference(a.RA, ra), db = RaDifference(b.RA, ra);
        if ((da > 0) == (db > 0) || da - db > 180 || db - da > 180) continue;
        // The edge's declination where it crosses the direction's hour circle.
        const double crossing = a.Dec + (0 - da) / (db - da) * (b.Dec - a.Dec);
        if (crossing > dec) inside = !inside;
    }
    return inside;
}
}  // namespace

int ConstellationAt(const ConstellationCatalogue& figures, double ra, double dec) {
    for (std::size_t c = 0; c < figures.Constellations.size(); ++c) {
        for (const std::vector<SkyPoint>& ring : figures.Constellations[c].Bounds)
            if (RingHolds(ring, ra, dec)) return static_cast<int>(c);
    }
    return -1;
}
