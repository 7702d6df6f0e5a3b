#pragma once
// Altitude and azimuth of a point of the sky for the chart's place: the one
// conversion that the Sun's day (rise, set, transit), the marked points and the
// constellation names all read, so that every read-out of a point agrees.

// Altitude above the dome's horizon (-90..90, no refraction) and azimuth from north
// through east (0..360), degrees.
struct Horizontal {
    double Altitude, Azimuth;
};

// Wrap360: an angle in degrees brought into 0 <= a < 360.
double Wrap360(double degrees);

// HorizontalOfVector: altitude and azimuth of a direction given by its north, east and up
// components (any common length but zero): the last step of HorizontalOf.
Horizontal HorizontalOfVector(double north, double east, double up);

// HorizontalOf: altitude and azimuth of a sky point.
// Reads:   poleAngle (90 + latitude); siderealAngle, ra, dec; all degrees.
// Notes:   1) The hour angle is siderealAngle - ra, as the projection turns the stars.
//          2) Radians use the true pi, not the chart's Pi: the result is an angle read
//             out to the pupil, checked against ERFA, not a pixel.
//          3) At latitude +-90 every azimuth is measured as if north were the direction
//             of hour angle 180 deg (north pole) or 0 deg (south pole).
// Tested:  against ERFA's eraHd2ae to 1e-9 deg; the equator meets the horizon at 90 and
//          270; the pole stands at |latitude|.
Horizontal HorizontalOf(double poleAngle, double siderealAngle, double ra, double dec);
