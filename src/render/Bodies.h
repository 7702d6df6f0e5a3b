#pragma once
// The Moon and the planets on the dome, and the top view from space: the
// overlays 月, 惑星 and 宇宙から見た図. They read the bodies the scene worked
// out once for the step (Scene::Bodies) and draw over the stars.

#include <string>
#include <vector>

#include "render/Labels.h"
#include "render/Scene.h"

class DrawingSurface;

// The fixed texts the body overlays print whole, for front ends that make the glyph masks
// ahead of time; the Moon's age is printed after 「月 月齢」 one character at a time.
inline constexpr const char* BodyLabelTexts[] = {"月 月齢",        "月",
                                                 "水星",           "金星",
                                                 "火星",           "木星",
                                                 "土星",           "金星：明けの明星",
                                                 "金星：宵の明星", "金星：見えにくい"};

// DrawBodies: the switched-on body overlays: the planets' dots and names (Venus as its
// phase, enlarged), the Moon's lit disc with 「月」 and its age, the inset of the top views.
// Reads:   scene.Bodies (set by SceneOf when any of the three is on), the projection.
// Writes:  pixels of S; S's ForeColor and FillColor (the caller puts them back); the
//          labels for the chart's layout, the discs no label may cover (the Moon, the
//          planets) and the boxes no label may enter (the inset's squares).
// Notes:   The Moon is drawn with a radius of 6 % of the sphere's (at least 8 pixels), far
//          larger than the real 0.26 deg, so that its phase reads on a 408-pixel chart.
void DrawBodies(const Scene& scene, DrawingSurface& S, std::vector<LabelRequest>& labels,
                std::vector<KeepClear>& discs, std::vector<LabelBox>& blocked);

// ListBodyPoints: one moon row (label: its age in days, 0.1) with the Moon's overlay on
// and one row per planet (label: its key) with the planets on, drawn where above the
// horizon.
void ListBodyPoints(const Scene& scene, std::vector<MarkedPoint>& marks);

// BodyTable: "body,altitude,azimuth,illuminated,bright_limb,diameter_arcsec,x,y" and one
// row per body, sun to saturn; x and y empty where the body is not drawn (its overlay
// off, the Sun's being `sun`, or below the horizon).
std::string BodyTable(const Scene& scene);
