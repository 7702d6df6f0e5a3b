#pragma once
// The constellations and star names that the lesson overlays draw, as the
// catalogue loader (catalogue/Constellations.h) fills them: read once at
// start-up, never changed after, and passed to the drawing procedures beside
// SkyState.

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int ConstellationCount = 88;

// A place on the celestial sphere.
struct SkyPoint {
    double RA = 0.0;   // Right ascension, degrees, 0..360.
    double Dec = 0.0;  // Declination, degrees, -90..90.
};

struct Constellation {
    std::string Abbreviation;                  // IAU, as "Ori".
    std::string Name;                          // Japanese, as "オリオン座".
    std::vector<SkyPoint> Labels;              // Where the name is written; one or more.
    std::vector<std::vector<SkyPoint>> Lines;  // Polylines, two or more vertices each.
    // The IAU boundary, J2000, as closed rings of three or more vertices (the last joins
    // the first); only the constellations the ecliptic crosses carry one.
    std::vector<std::vector<SkyPoint>> Bounds;
};

struct StarName {
    std::int16_t Index = 0;  // StarData line, 0..3145.
    std::string Name;        // Japanese, as "シリウス".
};

// Read once at start-up and never changed after; empty until loaded.
struct ConstellationCatalogue {
    std::vector<Constellation> Constellations;  // 88 once loaded, in the file's order.
    std::vector<StarName> StarNames;            // In the file's order.
};
