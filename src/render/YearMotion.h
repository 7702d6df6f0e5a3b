#pragma once
// The year's motion: the overlays 黄道と星座 (the ecliptic among the stars with the Sun's
// place on the first of each month, the twelve zodiac constellations along it, the Sun
// today and the constellation it stands in) and 地球の公転 (an inset of the Earth's orbit
// seen from the ecliptic's north). Both read the Sun as the Sun's overlay places it.

#include <string>
#include <vector>

#include "render/DrawingSurface.h"
#include "render/Labels.h"
#include "render/Scene.h"

class DrawingSurface;

// The fixed texts these overlays print whole, for front ends that make the glyph masks
// ahead of time; the months are the hour marks' numbers, the zodiac the constellations'
// names, both masks the chart has already.
inline constexpr const char* YearLabelTexts[] = {"太陽：", "太陽", "地球", "春分",
                                                 "夏至",   "秋分", "冬至", "真夜中に南中"};

// The inks of the ecliptic overlay on the sphere, for the overlays' contrast check.
inline constexpr Colour EclipticInk = RGB(255, 190, 140), MonthInk = RGB(255, 225, 200),
                        ZodiacInk = RGB(255, 215, 170), SunNoteInk = RGB(255, 235, 170);

// The zodiac in the order the Sun meets them from the March equinox (IAU abbreviations).
inline constexpr const char* ZodiacAbbreviations[12] = {"Psc", "Ari", "Tau", "Gem", "Cnc", "Leo",
                                                        "Vir", "Lib", "Sco", "Sgr", "Cap", "Aqr"};

// InsetName: a zodiac constellation's name as the orbit inset writes it, without its 座.
std::string InsetName(const std::string& name);

// SunConstellation: the index in the sky's constellations of the one the Sun stands in at
// the scene's moment by the IAU boundaries; -1 where none holds it (no boundaries loaded).
int SunConstellation(const Scene& scene);

// DrawYearOverlays: the ecliptic overlay and the orbit inset, as switched on.
// Reads:   the scene: the moment's minute and year, the projection, the constellations.
// Writes:  pixels of S; the labels for the chart's layout, the discs they keep clear of
//          (the Sun's) and the box of the inset, which no other label may enter.
void DrawYearOverlays(const Scene& scene, DrawingSurface& S, std::vector<LabelRequest>& labels,
                      std::vector<KeepClear>& discs, std::vector<LabelBox>& blocked);

// ListYearPoints: with the ecliptic overlay on, the row sun-constellation: the Sun's place,
// labelled with the Japanese name of its constellation; drawn where the Sun is above the
// horizon.
void ListYearPoints(const Scene& scene, std::vector<MarkedPoint>& marks);
