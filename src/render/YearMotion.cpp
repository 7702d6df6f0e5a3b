#include "render/YearMotion.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "astro/Bodies.h"
#include "core/Horizontal.h"
#include "geometry/Boundaries.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/SkyPath.h"
#include "time/Clock.h"
#include "time/Sun.h"

namespace {
constexpr double Radian = std::numbers::pi / 180;
// The ecliptic's inks (YearMotion.h) are light and warm, apart from the Sun's yellow path
// and the seasons' three colours; the halo keeps each 3:1 on the sphere's greys and the
// black. The inset's lie on its own dark ground, as the space inset's do.
constexpr Colour SunDot = RGB(255, 160, 0), SunNote = SunNoteInk;
constexpr Colour InsetBack = RGB(10, 10, 30), InsetLine = RGB(90, 90, 120),
                 OrbitLine = RGB(150, 150, 190), SunInk = RGB(255, 170, 0),
                 EarthInk = RGB(80, 150, 255), AxisInk = RGB(230, 230, 230),
                 InsetInk = RGB(230, 230, 230), MidnightInk = RGB(150, 230, 255),
                 SeasonInk = RGB(200, 255, 200);

float F(double v) { return static_cast<float>(v); }

// The Sun at the scene's moment, as the Sun's overlay places it.
SunPlace SunNow(const Scene& scene) {
    return SunAtMinute(scene.At.MinuteOfYear, scene.At.Year, SunParts::Direction);
}

ChartPoint OnSphere(const Scene& scene, double ra, double dec) {
    return PlaceSkyPoint(scene.Proj, ra, dec, scene.SiderealAngle);
}

// Each zodiac constellation's index in the sky and the ecliptic longitude of the middle of
// the stretch of the ecliptic within its boundary (the mean direction of the whole degrees
// it holds); -1 and 0 where the sky carries no boundary for it.
std::array<ZodiacPlace, 12> ZodiacPlaces(const Sky& sky) {
    std::array<ZodiacPlace, 12> places{};
    std::array<double, 12> sumX{}, sumY{};
    std::vector<int> zodiacOf(sky.Figures.Constellations.size(), -1);
    for (std::size_t c = 0; c < sky.Figures.Constellations.size(); ++c) {
        for (int z = 0; z < 12; ++z) {
            if (sky.Figures.Constellations[c].Abbreviation == ZodiacAbbreviations[z]) {
                zodiacOf[c] = z;
                places[static_cast<std::size_t>(z)].Index = static_cast<int>(c);
            }
        }
    }
    for (int degree = 0; degree < 360; ++degree) {
        double ra = 0, dec = 0;
        EclipticPoint(degree + 0.5, ra, dec);
        const int c = ConstellationAt(sky.Figures, ra, dec);
        if (c < 0 || zodiacOf[static_cast<std::size_t>(c)] < 0) continue;
        const auto z = static_cast<std::size_t>(zodiacOf[static_cast<std::size_t>(c)]);
        sumX[z] += std::cos((degree + 0.5) * Radian);
        sumY[z] += std::sin((degree + 0.5) * Radian);
    }
    for (std::size_t z = 0; z < 12; ++z) {
        double l = std::atan2(sumY[z], sumX[z]) / Radian;
        places[z].Longitude = l < 0 ? l + 360 : l;
    }
    return places;
}

// The zodiac's places, worked out at the first chart that needs them and kept.
const std::array<ZodiacPlace, 12>& KeptZodiac(const Sky& sky, YearTables& kept) {
    if (kept.ZodiacOf != &sky.Figures) {
        kept.Zodiac = ZodiacPlaces(sky);
        kept.ZodiacOf = &sky.Figures;
    }
    return kept.Zodiac;
}

// The Sun at 00:00 on the first of each month of the scene's year, kept per year.
const YearTables& KeptMonths(const Scene& scene, YearTables& kept) {
    if (kept.MonthsOf != scene.At.Year) {
        const bool leap = IsLeapYear(scene.At.Year);
        for (std::size_t month = 0; month < 12; ++month) {
            const int day = MonthStartDay[month] + (leap && month >= 2 ? 1 : 0);
            const SunPlace sun = SunAtMinute(day * 1440.0, scene.At.Year, SunParts::Direction);
            kept.MonthRA[month] = sun.RightAscension;
            kept.MonthDec[month] = sun.Declination;
        }
        kept.MonthsOf = scene.At.Year;
    }
    return kept;
}

LabelRequest Label(std::vector<std::string> pieces, double x, double y, Colour ink, LabelClass rank,
                   LabelSide side, float gap) {
    LabelRequest request;
    request.Pieces = std::move(pieces);
    request.X = x;
    request.Y = y;
    request.Ink = ink;
    request.Class = rank;
    request.Side = side;
    request.Gap = gap;
    return request;
}

void DrawEcliptic(const Scene& scene, YearTables& kept, DrawingSurface& S,
                  std::vector<LabelRequest>& labels, std::vector<KeepClear>& discs) {
    const float scale = std::max(1.0f, S.DrawScale);
    // The line: chords of 2 degrees, under a sixtieth of a pixel from the arc at the
    // start-up radius.
    std::vector<PathPoint> path;
    for (int k = 0; k <= 180; ++k) {
        double ra = 0, dec = 0;
        EclipticPoint(2.0 * k, ra, dec);
        path.push_back(OnChart(scene, OnSphere(scene, ra, dec)));
    }
    DrawSkyPath(S, path, EclipticInk);
    // The Sun's place at 00:00 on the first of each month: a tick across the line and the
    // month's number.
    std::vector<InkSegment> ticks;
    const YearTables& months = KeptMonths(scene, kept);
    for (std::size_t month = 0; month < 12; ++month) {
        const double sunRA = months.MonthRA[month], sunDec = months.MonthDec[month];
        const ChartPoint p = OnSphere(scene, sunRA, sunDec);
        if (p.Depth > 0) continue;
        const double l = EclipticLongitude(sunRA, sunDec);
        double ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0;
        EclipticPoint(l - 1, ra1, dec1);
        EclipticPoint(l + 1, ra2, dec2);
        const ChartPoint a = OnSphere(scene, ra1, dec1), b = OnSphere(scene, ra2, dec2);
        double tx = b.X(scene.Proj) - a.X(scene.Proj), ty = b.Y(scene.Proj) - a.Y(scene.Proj);
        const double length = std::hypot(tx, ty);
        if (length > 0) {
            tx /= length;
            ty /= length;
        }
        const double x = p.X(scene.Proj), y = p.Y(scene.Proj), half = 5.0 * scale;
        const bool near = p.Facing >= 0;
        ticks.push_back({F(x - ty * half), F(y + tx * half), F(x + ty * half), F(y - tx * half),
                         near ? MonthInk : FarInk(MonthInk)});
        labels.push_back(
            Label({std::to_string(month + 1)}, x, y, near ? MonthInk : FarInk(MonthInk),
                  near ? LabelClass::Near : LabelClass::Far,
                  x < scene.Proj.CenterX ? LabelSide::Left : LabelSide::Right, F(half + 2)));
    }
    DrawHaloed(S, ticks);
    // The zodiac's names on the line, at the middle of each one's stretch.
    for (const ZodiacPlace& z : KeptZodiac(scene.Stars, kept)) {
        if (z.Index < 0) continue;
        double ra = 0, dec = 0;
        EclipticPoint(z.Longitude, ra, dec);
        const ChartPoint p = OnSphere(scene, ra, dec);
        if (p.Depth > 0) continue;
        const bool near = p.Facing >= 0;
        labels.push_back(
            Label({scene.Stars.Figures.Constellations[static_cast<std::size_t>(z.Index)].Name},
                  p.X(scene.Proj), p.Y(scene.Proj), near ? ZodiacInk : FarInk(ZodiacInk),
                  near ? LabelClass::Near : LabelClass::Far, LabelSide::Centre, 0));
    }
    // The Sun today and the constellation it stands in; in the chart's top-right corner
    // while the Sun is below the horizon.
    const SunPlace sun = SunNow(scene);
    const ChartPoint p = OnSphere(scene, sun.RightAscension, sun.Declination);
    const int c = SunConstellation(scene);
    std::vector<std::string> note{"太陽："};
    if (c >= 0)
        note.push_back(scene.Stars.Figures.Constellations[static_cast<std::size_t>(c)].Name);
    if (p.Depth <= 0) {
        const double x = p.X(scene.Proj), y = p.Y(scene.Proj), r = 4.0 * scale;
        S.FillColor = LabelHalo;
        S.Circle(F(x), F(y), F(r + scale), LabelHalo);
        S.FillColor = SunDot;
        S.Circle(F(x), F(y), F(r), SunDot);
        discs.push_back({x, y, r + scale});
        labels.push_back(Label(std::move(note), x, y, SunNote, LabelClass::Sun,
                               x < scene.Proj.CenterX ? LabelSide::Left : LabelSide::Right,
                               F(r + 3)));
    } else {
        double width = 0;
        for (const std::string& piece : note) width += S.TextAdvance(piece);
        labels.push_back(Label(std::move(note), S.Width() - width - 4, 4, SunNote, LabelClass::Sun,
                               LabelSide::Fixed, 0));
    }
}

// A text of the inset whose middle is at (x, y), fixed in place; one that would overlap a
// text written before it (on a small chart) is left out, so the first written win: the
// seasons, the Sun, then the zodiac.
void InsetText(DrawingSurface& S, std::vector<LabelRequest>& labels, std::vector<LabelBox>& taken,
               double x, double y, const std::string& text, Colour ink) {
    const LabelBox box{text, x - S.TextAdvance(text) / 2, y - S.LineHeight() / 2,
                       S.TextAdvance(text), S.LineHeight()};
    for (const LabelBox& other : taken) {
        if (box.X < other.X + other.Width && other.X < box.X + box.Width &&
            box.Y < other.Y + other.Height && other.Y < box.Y + box.Height)
            return;
    }
    taken.push_back(box);
    labels.push_back(Label({text}, box.X, box.Y, ink, LabelClass::Sun, LabelSide::Fixed, 0));
}

void Arrow(DrawingSurface& S, double x1, double y1, double x2, double y2, double head, Colour ink) {
    const double dx = x2 - x1, dy = y2 - y1, length = std::hypot(dx, dy);
    const double ux = dx / length, uy = dy / length;
    S.Line(F(x1), F(y1), F(x2), F(y2), ink);
    S.Line(F(x2), F(y2), F(x2 - head * (ux + uy * 0.6)), F(y2 - head * (uy - ux * 0.6)), ink);
    S.Line(F(x2), F(y2), F(x2 - head * (ux - uy * 0.6)), F(y2 - head * (uy + ux * 0.6)), ink);
}

// The orbit seen from the ecliptic's north, the longitudes counter-clockwise from the
// right: the Earth at the March equinox on the left, at the June solstice at the bottom,
// its north pole leaning up the picture (toward ecliptic longitude 90) all year. Below
// the square, a strip with the midnight arrow's legend.
void DrawOrbitInset(const Scene& scene, YearTables& kept, DrawingSurface& S,
                    std::vector<LabelRequest>& labels, std::vector<LabelBox>& blocked) {
    // The bottom middle, between the space inset's corners and over the dome's lower rim,
    // where the horizon's disc lies in most views: wider than high, the zodiac's names
    // round an ellipse.
    // Below the compass letters, so that 南 stays readable; never so low that the ring has
    // no room for its names.
    const double side = std::min(S.Width(), S.Height());
    const double line = S.LineHeight();
    double lowestLetter = 0;
    for (const LabelBox& letter : CompassBoxes(scene.Proj, S))
        lowestLetter = std::max(lowestLetter, letter.Y + letter.Height);
    const double room = S.Height() - 1 - (lowestLetter + 2) - (line + 4);
    const double width = std::floor(side * 0.46);
    // The ring's room for its names first: on a small chart 6 lines exceed 0.27 of the side,
    // where clamping would take a floor above its ceiling.
    const double size = std::floor(std::max(6.0 * line, std::min(room, side * 0.27)));
    const double height = std::floor(size + line + 4);
    const double left = std::floor((S.Width() - width) / 2), top = S.Height() - height - 1;
    S.FillColor = InsetBack;
    S.Box(F(left), F(top), F(left + width), F(top + height), InsetLine);
    blocked.push_back({"", left, top, width, height});
    const double cx = left + width / 2, cy = top + size / 2, orbit = size * 0.3;
    auto at = [&](double longitude, double rx, double ry, double& x, double& y) {
        x = cx + rx * std::cos(longitude * Radian);
        y = cy - ry * std::sin(longitude * Radian);
    };
    S.FillColor = InsetBack;
    S.Circle(F(cx), F(cy), F(orbit), OrbitLine);
    const double sunRadius = size * 0.045;
    S.FillColor = SunInk;
    S.Circle(F(cx), F(cy), F(sunRadius), SunInk);
    // The Earth today, with its axis; no text covers it, nor the legend's strip.
    const SunPlace sun = SunNow(scene);
    const double earth = EclipticLongitude(sun.RightAscension, sun.Declination) + 180;
    const double r = size * 0.035;
    double ex = 0, ey = 0;
    at(earth, orbit, orbit, ex, ey);
    std::vector<LabelBox> taken{{"", left, top + size, width, height - size},
                                {"", ex - r - 1, ey - r * 2.3, 2 * r + 2, r * 3.6}};
    // The seasons: where the Earth stands when the Sun reaches longitude 0, 90, 180, 270.
    constexpr const char* Seasons[4] = {"春分", "夏至", "秋分", "冬至"};
    for (int k = 0; k < 4; ++k) {
        double x = 0, y = 0, lx = 0, ly = 0;
        at(90.0 * k + 180, orbit, orbit, x, y);
        S.FillColor = SeasonInk;
        S.Circle(F(x), F(y), F(2), SeasonInk);
        // Inside the orbit where it leaves the Sun room; else 春分 and 秋分 outside it and
        // 夏至 and 冬至 beside their dots.
        if (orbit - line * 1.5 >= sunRadius + line * 1.2) {
            at(90.0 * k + 180, orbit - line * 1.5, orbit - line, lx, ly);
        } else if (k % 2 == 0) {
            at(90.0 * k + 180, orbit + line * 1.5, orbit + line, lx, ly);
        } else {
            lx = x + S.TextAdvance(Seasons[k]) / 2 + 5;
            ly = y;
        }
        InsetText(S, labels, taken, lx, ly, Seasons[k], SeasonInk);
    }
    InsetText(S, labels, taken, cx, cy + sunRadius + line * 0.6, "太陽", SunInk);
    // The zodiac round the orbit, far away: the constellation behind the Sun seen from
    // the Earth lies across the orbit from it. Evenly 30 degrees apart, turned as a whole
    // to their stretches' middles, so that each name stays within about 15 degrees of its
    // constellation and none meets its neighbour.
    const std::array<ZodiacPlace, 12>& zodiac = KeptZodiac(scene.Stars, kept);
    double turnX = 0, turnY = 0;
    for (std::size_t z = 0; z < 12; ++z) {
        turnX += std::cos((zodiac[z].Longitude - 30.0 * static_cast<double>(z)) * Radian);
        turnY += std::sin((zodiac[z].Longitude - 30.0 * static_cast<double>(z)) * Radian);
    }
    const double turn = std::atan2(turnY, turnX) / Radian;
    for (std::size_t z = 0; z < 12; ++z) {
        if (zodiac[z].Index < 0) continue;
        const std::string name = InsetName(
            scene.Stars.Figures.Constellations[static_cast<std::size_t>(zodiac[z].Index)].Name);
        const double angle = turn + 30.0 * static_cast<double>(z);
        const double half = S.TextAdvance(name) / 2;
        double x = 0, y = 0;
        at(angle, width / 2 - half - 3, size / 2 - line * 0.6, x, y);
        InsetText(S, labels, taken, x, y, name, InsetInk);
    }
    // The Earth today with its axis, and the direction of the midnight sky: away from the
    // Sun, toward the constellation that culminates at midnight.
    double mx = 0, my = 0;
    at(earth, orbit + size * 0.1, orbit + size * 0.1, mx, my);
    Arrow(S, ex, ey, mx, my, 5, MidnightInk);
    S.FillColor = EarthInk;
    S.Circle(F(ex), F(ey), F(r), EarthInk);
    S.Line(F(ex), F(ey + r * 1.2), F(ex), F(ey - r * 2.2), AxisInk);
    // The legend: the Earth's disc and the arrow's ink, and what each is.
    const double legendY = top + size + line / 2 + 1;
    const double earthWidth = S.TextAdvance("地球"), midnightWidth = S.TextAdvance("真夜中に南中");
    double x = cx - (2 * r + 4 + earthWidth + 12 + 20 + midnightWidth) / 2;
    S.FillColor = EarthInk;
    S.Circle(F(x + r), F(legendY), F(r), EarthInk);
    labels.push_back(Label({"地球"}, x + 2 * r + 4, legendY - line / 2, EarthInk, LabelClass::Sun,
                           LabelSide::Fixed, 0));
    x += 2 * r + 4 + earthWidth + 12;
    Arrow(S, x, legendY, x + 16, legendY, 5, MidnightInk);
    labels.push_back(Label({"真夜中に南中"}, x + 20, legendY - line / 2, MidnightInk,
                           LabelClass::Sun, LabelSide::Fixed, 0));
}
}  // namespace

std::string InsetName(const std::string& name) {
    const std::string suffix = "座";
    return name.size() > suffix.size() && name.ends_with(suffix)
               ? name.substr(0, name.size() - suffix.size())
               : name;
}

int SunConstellation(const Scene& scene) {
    const SunPlace sun = SunNow(scene);
    return ConstellationAt(scene.Stars.Figures, sun.RightAscension, sun.Declination);
}

void DrawYearOverlays(const Scene& scene, YearTables& kept, DrawingSurface& S,
                      std::vector<LabelRequest>& labels, std::vector<KeepClear>& discs,
                      std::vector<LabelBox>& blocked) {
    const OverlaySet& on = scene.Look.Overlays;
    if (on.Ecliptic) DrawEcliptic(scene, kept, S, labels, discs);
    // The orbit is a picture of space that sits under the dome's lower rim; a ground view
    // has its horizon and direction letters there, and the dome beside it shows the orbit.
    if (on.Orbit && scene.Proj.Ground == 0) DrawOrbitInset(scene, kept, S, labels, blocked);
}

void ListYearPoints(const Scene& scene, std::vector<MarkedPoint>& marks) {
    if (!scene.Look.Overlays.Ecliptic) return;
    const SunPlace sun = SunNow(scene);
    const ChartPoint p = OnSphere(scene, sun.RightAscension, sun.Declination);
    const Horizontal h =
        HorizontalOf(scene.At.PoleAngle, scene.SiderealAngle, sun.RightAscension, sun.Declination);
    const int c = SunConstellation(scene);
    MarkedPoint m;
    m.Kind = "sun-constellation";
    if (c >= 0) m.Label = scene.Stars.Figures.Constellations[static_cast<std::size_t>(c)].Name;
    m.Drawn = p.Depth <= 0;
    m.X = p.X(scene.Proj);
    m.Y = p.Y(scene.Proj);
    m.Facing = p.Facing;
    m.Altitude = h.Altitude;
    m.Azimuth = h.Azimuth;
    marks.push_back(std::move(m));
}
