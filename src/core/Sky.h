#pragma once
// The sky: what the chart shows and what never changes once read. The star
// catalogue with the values every projection of a star takes from it, and the
// constellations and star names. Made once from the catalogue files and only
// read after; every chart of every window draws from one.

#include <array>
#include <cstdint>

#include "core/ConstellationCatalogue.h"

inline constexpr int StarCount = 3146;  // Fixed: the loader fills and the star pass reads 0..3145.

// The chart's pi: this 15-digit decimal, seven units in the last place below the double
// nearest to pi. Every angle the chart turns into pixels goes through it, so that a chart
// comes out to the same bits wherever it is drawn; a test keeps it from being "fixed".
inline constexpr double ChartPi = 3.14159265358979;

struct Sky {
    // Catalogue: degrees, degrees, visual magnitude; all zero until loaded.
    std::array<double, StarCount> StarRA{};
    std::array<double, StarCount> StarDec{};
    std::array<double, StarCount> StarMag{};
    // Per star, from the declination and right ascension with ChartPi (MakeSky): the polar
    // distance in radians with its sine and cosine, and the place on the unit sphere at
    // sidereal angle 0 (sin p cos RA, sin p sin RA), which the star pass turns by the
    // sidereal angle for its cheap horizon test. The projection takes them from here
    // instead of recomputing identical values at every redraw.
    std::array<double, StarCount> PolarDistRad{};
    std::array<double, StarCount> SinPolarDist{};
    std::array<double, StarCount> CosPolarDist{};
    std::array<double, StarCount> UnitX{};
    std::array<double, StarCount> UnitY{};
    // The constellations and star names, read from beside StarData; empty where those
    // files are absent, and then the constellation overlays draw nothing.
    ConstellationCatalogue Figures;
};

// DerivePolarValues: the derived per-star arrays of a sky from its three columns.
// Reads:   StarRA, StarDec  degrees.
// Writes:  PolarDistRad = (90 - StarDec) x ChartPi / 180, SinPolarDist, CosPolarDist; UnitX,
//          UnitY = sin p cos RA, sin p sin RA with RA in radians by ChartPi.
// Notes:   The projection's own arithmetic, so a star placed from these values lands on the
//          pixel that computing them afresh gives.
void DerivePolarValues(Sky& sky);
