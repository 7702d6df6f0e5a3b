#pragma once
// Which constellation a direction lies in, by the IAU boundaries the catalogue carries
// (ConstellationData's bound lines, J2000): the Sun's constellation of the ecliptic overlay.

#include "core/ConstellationCatalogue.h"

// ConstellationAt: the constellation whose boundary holds the direction.
// Reads:   ra 0..360, dec -90..90, degrees, J2000 (the boundaries' own frame: the file
//          holds them precessed from B1875 to J2000, so no precession is applied here).
// Returns: its index in figures.Constellations; -1 where no constellation with a boundary
//          holds it.
// Notes:   On the sphere: the arc from the direction north to the pole crosses a ring an
//          odd number of times where the ring holds it, each edge taken as running straight
//          in right ascension and declination (the boundaries' parallels and hour circles
//          in their own frame); a right ascension difference is taken across 0/360. No
//          ring may hold a pole (none of the ecliptic's does).
int ConstellationAt(const ConstellationCatalogue& figures, double ra, double dec);
