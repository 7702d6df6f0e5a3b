#pragma once
// Star trails: the stars' daily motion as a long exposure shows it, each
// plotted star's path over the last hours drawn on the dome.

#include "render/DrawingSurface.h"

struct Scene;

// Stars brighter than this carry an hour tick along their trails.
inline constexpr double TrailTickMagnitude = 1.5;
inline constexpr float TrailTickHalfLength = 3.0f;  // Pixels each side of the trail.

// DrawStarTrails: the trail of every star brighter than LimitMag that is above the horizon
// now, over Hours hours of the clock ending at its chart position.
// Reads:   scene  the sky's stars, the view's LimitMag, the sidereal angle and projection.
//          Hours  1..24 (the window offers 1, 2, 3, 6, 12 and 24).
// Writes:  S      one-pixel lines between successive trail points that are both above the
//                 horizon; TrailColour of the star's magnitude, fainter behind the dome.
//                 Stars brighter than TrailTickMagnitude get a tick across the trail at each
//                 whole hour back from now. S's colours and text position are unchanged.
// Notes:   1) Drawn before the star pass, the stars sit on the ends of their trails.
//          2) A span outside 1..24 raises the subscript run-time error.
// Tested:  an east-rising star's trail is drawn from below the star down to the horizon;
//          the far half of a trail is drawn in the fainter colour.
void DrawStarTrails(const Scene& scene, DrawingSurface& S, int hours);

// TrailColour: a pale blue whose level falls from magnitude 0 to 5 (250 to 140); behind the
// dome, halfway from the sphere's grey 80 to that colour.
Colour TrailColour(double magnitude, bool behind);
