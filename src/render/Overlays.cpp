#include "render/Overlays.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "core/Horizontal.h"
#include "geometry/Projection.h"
#include "render/Bodies.h"
#include "render/Constellations.h"
#include "render/DrawingSurface.h"
#include "render/Ground.h"
#include "render/Labels.h"
#include "render/RecordedDrawing.h"
#include "render/Scene.h"
#include "render/SkyPath.h"
#include "render/Trails.h"
#include "render/YearMotion.h"
#include "time/Clock.h"
#include "time/Sun.h"

namespace {
float F(double v);
}  // namespace

PathPoint OnChart(const Scene& scene, const ChartPoint& p) {
    return {p.X(scene.Proj), p.Y(scene.Proj), p.DepthExact, p.Facing};
}

// The sky path of render/SkyPath.h, which the ecliptic draws too.
void DrawSkyPath(DrawingSurface& S, const std::vector<PathPoint>& points, Colour colour) {
    std::vector<InkSegment> segments;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        PathPoint a = points[i], b = points[i + 1];
        if (a.Depth > 0 && b.Depth > 0) continue;
        if (a.Depth > 0 || b.Depth > 0) {
            const double t = a.Depth / (a.Depth - b.Depth);
            const PathPoint cut{a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y), 0.0,
                                a.Facing + t * (b.Facing - a.Facing)};
            (a.Depth > 0 ? a : b) = cut;
        }
        if (a.Facing + b.Facing >= 0) {
            segments.push_back({F(a.X), F(a.Y), F(b.X), F(b.Y), colour});
        } else if (i % 2 == 0) {
            segments.push_back({F(a.X), F(a.Y), F(b.X), F(b.Y), FarInk(colour)});
        }
    }
    DrawHaloed(S, segments);
}

namespace {
// Colours chosen to read on the sphere's grey 80 and the horizon's grey 128; the halo
// round each keeps them 3:1 on either, and on the black.
constexpr Colour SunDisc = RGB(255, 160, 0), SunRim = RGB(255, 230, 120);
constexpr Colour SunPath = RGB(255, 210, 60), HourDot = RGB(255, 120, 0);
constexpr Colour HourText = RGB(255, 235, 170), TransitMark = RGB(255, 120, 100);
constexpr Colour Summer = RGB(255, 125, 125), Equinox = RGB(120, 230, 120),
                 Winter = RGB(110, 180, 255);
constexpr Colour EquatorLine = RGB(110, 230, 255), MeridianLine = RGB(200, 160, 255);
constexpr Colour PoleMark = RGB(255, 140, 220);

Colour Dim(Colour c) { return FarInk(c); }
float F(double v) { return static_cast<float>(v); }

// What the kept drawing asks of the label pass: its labels and its dots.
struct Asked {
    std::vector<LabelRequest>& Labels;
    std::vector<KeepClear>& Discs;
};

void HaloLine(DrawingSurface& S, double x1, double y1, double x2, double y2, Colour colour) {
    DrawHaloed(S, {{F(x1), F(y1), F(x2), F(y2), colour}});
}

// Asks for a label beside a point, preferably on the side away from the chart's centre
// line.
void WriteLabel(const Scene& scene, Asked& asked, double x, double y, const std::string& text,
                Colour colour, LabelClass rank) {
    asked.Labels.push_back(
        {{text}, x, y, colour, rank, x < scene.Proj.CenterX ? LabelSide::Left : LabelSide::Right});
}

// WriteLabel for a name followed by a value that takes any of many values: the name is
// printed whole and the value one character at a time, each at the advance of the text
// before it, so that a front end with glyph masks made ahead of time (the browser's)
// needs the masks of the characters only and draws the same pixels as the desktop.
void WriteValueLabel(const Scene& scene, Asked& asked, double x, double y, const std::string& name,
                     const std::string& value, Colour colour, LabelClass rank) {
    std::vector<std::string> pieces{name};
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 0x80) {
            pieces.emplace_back(1, c);
        } else if (static_cast<unsigned char>(c) >= 0xC0 || pieces.size() == 1) {
            pieces.emplace_back(1, c);  // The first byte of a character.
        } else {
            pieces.back() += c;  // A continuation byte.
        }
    }
    asked.Labels.push_back({std::move(pieces), x, y, colour, rank,
                            x < scene.Proj.CenterX ? LabelSide::Left : LabelSide::Right});
}

// A dot on its halo, kept clear of other labels.
void Dot(DrawingSurface& S, Asked& asked, double x, double y, float radius, Colour colour) {
    const float ring = std::max(1.0f, std::round(S.DrawScale));
    S.FillColor = LabelHalo;
    S.Circle(F(x), F(y), radius + ring, LabelHalo);
    S.FillColor = colour;
    S.Circle(F(x), F(y), radius, colour);
    asked.Discs.push_back({x, y, radius + ring});
}

std::string Degrees(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f°", value);
    return text;
}

// Segments of a whole circle on the sphere: chords of about 14 pixels, which stray
// from the arc by a fifth of a pixel at the start-up radius.
double CircleSegments(const Scene& scene) {
    return std::clamp(std::ceil(2 * ChartPi * scene.Proj.R / 14), 48.0, 720.0);
}

std::vector<PathPoint> SunCourse(const Scene& scene, const SunDay& day) {
    std::vector<PathPoint> points;
    if (!day.Up) return points;
    const double span = day.CourseEnd - day.CourseStart;
    const int n = std::max(2, static_cast<int>(std::ceil(span * CircleSegments(scene) / 1440)));
    points.reserve(static_cast<std::size_t>(n) + 1);
    // Within a day the Sun's right ascension and declination run straight to within
    // 0.001 deg, so the path between its ends is interpolated, not computed anew.
    const SunPlace first = SunAtMinute(day.CourseStart, scene.At.Year, SunParts::Direction),
                   last = SunAtMinute(day.CourseEnd, scene.At.Year, SunParts::Direction);
    const double raStep = std::remainder(last.RightAscension - first.RightAscension, 360.0) / n;
    const double decStep = (last.Declination - first.Declination) / n;
    for (int k = 0; k <= n; ++k) {
        const double minute = day.CourseStart + span * k / n;
        points.push_back(OnChart(scene, PlaceSkyPoint(scene.Proj, first.RightAscension + raStep * k,
                                                      first.Declination + decStep * k,
                                                      SiderealAngleAt(scene.At, minute))));
    }
    // The ends lie on the horizon by construction; rounding must not cut them off.
    if (day.HasSunrise) points.front().Depth = std::min(points.front().Depth, 0.0);
    if (day.HasSunset) points.back().Depth = std::min(points.back().Depth, 0.0);
    return points;
}

int DayOf(const Scene& scene) { return static_cast<int>(scene.At.MinuteOfYear / 1440); }

double Latitude(const Scene& scene) { return scene.At.PoleAngle - 90; }

MarkedPoint Mark(const Scene& scene, const char* kind, std::string label, const ChartPoint& p,
                 Horizontal h, bool overlayOn) {
    MarkedPoint m;
    m.Kind = kind;
    m.Label = std::move(label);
    m.Drawn = overlayOn && p.Depth <= 0;  // The stars' horizon test.
    m.X = scene.Proj.CenterX + p.OffsetX;
    m.Y = scene.Proj.CenterY + p.OffsetY;
    m.Facing = p.Facing;
    m.Altitude = h.Altitude;
    m.Azimuth = h.Azimuth;
    return m;
}

MarkedPoint SunMark(const Scene& scene, const char* kind, std::string label, double minute,
                    bool onHorizon = false) {
    const SunPlace sun = SunAtMinute(minute, scene.At.Year, SunParts::Direction);
    const double theta = SiderealAngleAt(scene.At, minute);
    ChartPoint p = PlaceSkyPoint(scene.Proj, sun.RightAscension, sun.Declination, theta);
    if (onHorizon) p.Depth = 0;
    Horizontal h = HorizontalOf(scene.At.PoleAngle, theta, sun.RightAscension, sun.Declination);
    if (onHorizon) h.Altitude = 0;
    return Mark(scene, kind, std::move(label), p, h, scene.Look.Overlays.Sun);
}

// 南中高度, or 北中高度 where the Sun culminates north of the zenith (the south, the
// tropics in summer), followed by a space: the transit label's name.
const char* CulminationName(const Scene& scene, double transit) {
    const SunPlace sun = SunAtMinute(transit);
    const double azimuth = HorizontalOf(scene.At.PoleAngle, SiderealAngleAt(scene.At, transit),
                                        sun.RightAscension, sun.Declination)
                               .Azimuth;
    const bool north = std::fabs(azimuth) < 90 || azimuth > 270;
    return north && Latitude(scene) < 90 ? "北中高度 " : "南中高度 ";
}

// The sunrise or sunset tick: across the horizon, along the dome's vertical.
void HorizonTick(const Scene& scene, DrawingSurface& S, double azimuth, Colour colour) {
    const PathPoint low = OnChart(scene, PlaceHorizontalPoint(scene.Proj, -4, azimuth));
    const PathPoint high = OnChart(scene, PlaceHorizontalPoint(scene.Proj, 4, azimuth));
    HaloLine(S, low.X, low.Y, high.X, high.Y, colour);
}

void DrawSun(const Scene& scene, DrawingSurface& S, Asked& asked,
             const std::vector<MarkedPoint>& marks) {
    const SunDay day = FindSunDay(scene.At, DayOf(scene));
    DrawSkyPath(S, SunCourse(scene, day), SunPath);
    for (const MarkedPoint& m : marks) {
        if (!m.Drawn) continue;
        const Colour near = m.Facing >= 0 ? HourDot : Dim(HourDot);
        if (m.Kind == "sun-hour") {
            Dot(S, asked, m.X, m.Y, 2.5f, near);
            WriteLabel(scene, asked, m.X, m.Y, m.Label, m.Facing >= 0 ? HourText : Dim(HourText),
                       LabelClass::Sun);
        } else if (m.Kind == "sunrise" || m.Kind == "sunset") {
            HorizonTick(scene, S, m.Azimuth, SunPath);
            WriteLabel(scene, asked, m.X, m.Y + S.LineHeight(),
                       m.Kind == "sunrise" ? "日の出" : "日の入り", HourText, LabelClass::Sun);
        } else if (m.Kind == "transit") {
            // The transit altitude as a line down to the horizon below it.
            const PathPoint foot = OnChart(scene, PlaceHorizontalPoint(scene.Proj, 0, m.Azimuth));
            HaloLine(S, m.X, m.Y, foot.X, foot.Y, Dim(TransitMark));
            Dot(S, asked, m.X, m.Y, 3.5f, TransitMark);
            // North of the zenith (the south, the tropics in summer) it is 北中.
            const bool north = std::fabs(m.Azimuth) < 90 || m.Azimuth > 270;
            WriteValueLabel(scene, asked, m.X, m.Y - S.LineHeight(),
                            north && Latitude(scene) < 90 ? "北中高度 " : "南中高度 ",
                            m.Label + "°", TransitMark, LabelClass::Sun);
        }
    }
}

// The Sun now: the one part of the Sun's overlay that moves with the clock. Its disc is
// kept clear of labels.
void DrawSunDisc(const Scene& scene, DrawingSurface& S, std::vector<KeepClear>& discs) {
    const SunPlace now = SunAtMinute(scene.At.MinuteOfYear, scene.At.Year, SunParts::Direction);
    const ChartPoint p =
        PlaceSkyPoint(scene.Proj, now.RightAscension, now.Declination, scene.SiderealAngle);
    if (p.Depth > 0) return;  // The stars' horizon test.
    S.FillColor = SunDisc;
    const double x = scene.Proj.CenterX + p.OffsetX, y = scene.Proj.CenterY + p.OffsetY;
    const double radius = std::max(4.0, scene.Proj.R * 0.04);
    S.Circle(F(x), F(y), F(radius), SunRim);
    discs.push_back({x, y, radius + 1});
}

// What decides the kept drawing of the Sun's day, the seasons and the circles: the date,
// the place, the view, the chart's size and font, and which of the three are on. Not
// the time of day: the Sun's path, its hourly marks and the circles stand still on the
// dome while the stars turn.
std::vector<double> ShapesKey(const Scene& scene, const DrawingSurface& S) {
    const OverlaySet& on = scene.Look.Overlays;
    return {static_cast<double>(DayOf(scene)),
            static_cast<double>(scene.At.Year),
            scene.At.PoleAngle,
            scene.At.Longitude,
            scene.Proj.SinPole,
            scene.Proj.CosPole,
            scene.Proj.SinAzimuth,
            scene.Proj.CosAzimuth,
            scene.Proj.SinElevation,
            scene.Proj.CosElevation,
            scene.Proj.SinRoll,
            scene.Proj.CosRoll,
            scene.Proj.CenterX,
            scene.Proj.CenterY,
            scene.Proj.R,
            ChartPi,
            static_cast<double>(S.Width()),
            static_cast<double>(S.Height()),
            S.LineHeight(),
            S.DrawScale,
            static_cast<double>(on.Sun),
            static_cast<double>(on.Seasons),
            static_cast<double>(on.Circles),
            static_cast<double>(scene.Proj.Ground),
            scene.Proj.Azimuth};
}

void DrawSeasons(const Scene& scene, DrawingSurface& S, Asked& asked) {
    const std::array<int, 4> days = FindSeasonDays(scene.At.Year);  // 春分, 夏至, 秋分, 冬至.
    struct Season {
        int Day;
        const char* Name;
        Colour Ink;
    };
    const Season seasons[3] = {
        {days[1], "夏至", Summer}, {days[0], "春分・秋分", Equinox}, {days[3], "冬至", Winter}};
    float noteY = 2;
    for (const Season& season : seasons) {
        const SunDay day = FindSunDay(scene.At, season.Day);
        if (!day.Up) {
            // A path wholly below the horizon (polar night): said in the corner instead.
            asked.Labels.push_back({{std::string(season.Name) + "：一日中 地平線の下"},
                                    2,
                                    noteY,
                                    season.Ink,
                                    LabelClass::Sun,
                                    LabelSide::Fixed});
            noteY += S.LineHeight();
            continue;
        }
        const std::vector<PathPoint> course = SunCourse(scene, day);
        DrawSkyPath(S, course, season.Ink);
        // The name and the transit altitude at the setting end; a path that never sets
        // has them at its lowest point.
        const PathPoint& end = course.back();
        char altitude[32];
        std::snprintf(altitude, sizeof altitude, "%.1f°", day.TransitAltitude);
        const bool near = end.Facing >= 0;
        WriteValueLabel(scene, asked, end.X, end.Y,
                        std::string(season.Name) + " " + CulminationName(scene, day.Transit),
                        altitude, near ? season.Ink : Dim(season.Ink),
                        near ? LabelClass::Sun : LabelClass::Far);
    }
}

void DrawCircles(const Scene& scene, DrawingSurface& S, Asked& asked,
                 const std::vector<MarkedPoint>& marks) {
    const double theta = scene.SiderealAngle;
    const double latitude = Latitude(scene);
    const bool atPole = scene.At.PoleAngle == 0 || scene.At.PoleAngle == 180;
    // 天の赤道: a great circle, the same at every sidereal angle, so taken at angle 0
    // (then a kept drawing equals a fresh one to the bit at any time of the day).
    const int segments = static_cast<int>(CircleSegments(scene));
    std::vector<PathPoint> equator;
    for (int k = 0; k <= segments; ++k)
        equator.push_back(OnChart(scene, PlaceSkyPoint(scene.Proj, 360.0 * k / segments, 0, 0)));
    DrawSkyPath(S, equator, EquatorLine);
    // The name 45 degrees east of the meridian, clear of the meridian's own marks.
    const PathPoint& named = equator[static_cast<std::size_t>(segments / 8)];
    if (named.Depth <= 0)
        WriteLabel(scene, asked, named.X, named.Y, "天の赤道",
                   named.Facing >= 0 ? EquatorLine : Dim(EquatorLine),
                   named.Facing >= 0 ? LabelClass::Near : LabelClass::Far);
    // 子午線: north point, zenith, south point (undefined at the poles, like the compass).
    if (!atPole) {
        std::vector<PathPoint> meridian;
        for (int k = 0; k <= 36; ++k) {
            const double a = 5.0 * k;
            meridian.push_back(OnChart(
                scene, PlaceHorizontalPoint(scene.Proj, a <= 90 ? a : 180 - a, a <= 90 ? 0 : 180)));
        }
        DrawSkyPath(S, meridian, MeridianLine);
        // Altitude 20, on the side away from the raised pole and its altitude arc.
        const PathPoint& label = meridian[latitude >= 0 ? 32 : 4];
        WriteLabel(scene, asked, label.X, label.Y, "子午線", MeridianLine, LabelClass::Near);
    }
    // The polar axis through the centre: the raised half solid and past the sphere,
    // the lowered half dashed. From the ground, the axis runs through the viewer and shows
    // as no line: the pole's own mark and its altitude say it.
    if (scene.Proj.Ground == 0) {
        const PathPoint north = OnChart(scene, PlaceSkyPoint(scene.Proj, 0, 90, theta));
        const PathPoint south = OnChart(scene, PlaceSkyPoint(scene.Proj, 0, -90, theta));
        const PathPoint& raised = latitude >= 0 ? north : south;
        const PathPoint& lowered = latitude >= 0 ? south : north;
        const double cx = scene.Proj.CenterX, cy = scene.Proj.CenterY;
        std::vector<InkSegment> axis{{F(cx), F(cy), F(cx + 1.15 * (raised.X - cx)),
                                      F(cy + 1.15 * (raised.Y - cy)), PoleMark}};
        constexpr int Dashes = 12;
        for (int k = 0; k < Dashes; k += 2) {
            const double t0 = static_cast<double>(k) / Dashes, t1 = (k + 1.0) / Dashes;
            const Colour ink = latitude == 0 ? PoleMark : Dim(PoleMark);
            axis.push_back({F(cx + t0 * (lowered.X - cx)), F(cy + t0 * (lowered.Y - cy)),
                            F(cx + t1 * (lowered.X - cx)), F(cy + t1 * (lowered.Y - cy)), ink});
        }
        DrawHaloed(S, axis);
    }
    // The pole's altitude: an arc up the meridian from the horizon's north point (south
    // point in the south) to the raised pole, on the sphere and small at the centre.
    const double baseAzimuth = latitude >= 0 ? 0 : 180;
    const double height = std::fabs(latitude);
    const int steps = std::max(1, static_cast<int>(std::ceil(height / 5)));
    for (double scale : {1.0, 0.3}) {
        if (scale != 1.0 && scene.Proj.Ground != 0) break;  // Only the dome has a centre to it.
        std::vector<PathPoint> arc;
        for (int k = 0; k <= steps; ++k)
            arc.push_back(OnChart(
                scene, PlaceHorizontalPoint(scene.Proj, height * k / steps, baseAzimuth, scale)));
        DrawSkyPath(S, arc, PoleMark);
        if (scale == 1.0 && height > 0) {
            const PathPoint& mid = arc[arc.size() / 2];
            WriteLabel(scene, asked, mid.X, mid.Y, "高度 " + Degrees(height), PoleMark,
                       LabelClass::Near);
        }
    }
    for (const MarkedPoint& m : marks) {
        if (!m.Drawn) continue;
        if (m.Kind == "pole-north" || m.Kind == "pole-south") {
            Dot(S, asked, m.X, m.Y, 3.5f, PoleMark);
            WriteLabel(scene, asked, m.X, m.Y - S.LineHeight() / 2,
                       m.Kind == "pole-north" ? "天の北極" : "天の南極", PoleMark,
                       LabelClass::Near);
        } else if (m.Kind == "zenith") {
            Dot(S, asked, m.X, m.Y, 3.0f, MeridianLine);
            WriteLabel(scene, asked, m.X, m.Y - S.LineHeight() / 2, "天頂", MeridianLine,
                       LabelClass::Near);
        }
    }
}
}  // namespace

std::vector<OverlayInk> OverlayInks() {
    return {{"sun-disc", SunDisc},
            {"sun-path", SunPath},
            {"hour-dot", HourDot},
            {"hour-text", HourText},
            {"transit", TransitMark},
            {"summer", Summer},
            {"equinox", Equinox},
            {"winter", Winter},
            {"equator", EquatorLine},
            {"meridian", MeridianLine},
            {"pole", PoleMark},
            {"constellation-line", LineColourFront},
            {"constellation-name", NameColourFront},
            {"star-name", StarNameColourFront},
            {"ecliptic", EclipticInk},
            {"month", MonthInk},
            {"zodiac", ZodiacInk},
            {"sun-constellation", SunNoteInk}};
}

std::vector<MarkedPoint> ListMarkedPoints(const Scene& scene) {
    std::vector<MarkedPoint> marks;
    marks.reserve(32);
    // The Sun now, projected as a star would be.
    const SunPlace now = SunAtMinute(scene.At.MinuteOfYear, scene.At.Year, SunParts::Direction);
    marks.push_back(Mark(
        scene, "sun", "",
        PlaceSkyPoint(scene.Proj, now.RightAscension, now.Declination, scene.SiderealAngle),
        HorizontalOf(scene.At.PoleAngle, scene.SiderealAngle, now.RightAscension, now.Declination),
        scene.Look.Overlays.Sun));
    // The hourly marks of the date, as on a transparent hemisphere.
    const SunDay day = FindSunDay(scene.At, DayOf(scene));
    const double dayStart = DayOf(scene) * 1440.0;
    for (int hour = 0; hour < 24; ++hour) {
        marks.push_back(SunMark(scene, "sun-hour", std::to_string(hour), dayStart + 60.0 * hour));
        MarkedPoint& m = marks.back();
        m.Drawn = m.Drawn && m.Altitude >= 0;
    }
    if (day.HasSunrise) marks.push_back(SunMark(scene, "sunrise", "", day.CourseStart, true));
    if (day.HasSunset) marks.push_back(SunMark(scene, "sunset", "", day.CourseEnd, true));
    char altitude[32];
    std::snprintf(altitude, sizeof altitude, "%.1f", day.TransitAltitude);
    marks.push_back(SunMark(scene, "transit", altitude, day.Transit));
    marks.back().Drawn = marks.back().Drawn && day.TransitAltitude >= 0;
    // The celestial poles and the zenith.
    const bool circles = scene.Look.Overlays.Circles;
    for (const double dec : {90.0, -90.0}) {
        const ChartPoint p = PlaceSkyPoint(scene.Proj, 0, dec, scene.SiderealAngle);
        marks.push_back(Mark(scene, dec > 0 ? "pole-north" : "pole-south", "", p,
                             HorizontalOf(scene.At.PoleAngle, scene.SiderealAngle, 0, dec),
                             circles));
    }
    marks.push_back(
        Mark(scene, "zenith", "", PlaceHorizontalPoint(scene.Proj, 90, 0), {90, 0}, circles));
    // The names as written on the chart: only those drawn, and only with the names on.
    if (scene.Look.Overlays.Names) {
        std::vector<ChartLabel> labels;
        NameConstellations(scene, nullptr, &labels);
        NameStars(scene, nullptr, &labels);
        for (ChartLabel& label : labels) {
            MarkedPoint m;
            m.Kind = std::move(label.Kind);
            m.Label = std::move(label.Label);
            m.Drawn = true;
            m.X = label.X;
            m.Y = label.Y;
            m.Altitude = label.Altitude;
            m.Azimuth = label.Azimuth;
            marks.push_back(std::move(m));
        }
    }
    ListBodyPoints(scene, marks);
    ListYearPoints(scene, marks);
    return marks;
}

void DrawOverlaysUnderStars(const Scene& scene, TrailCache& trails, GroundTrailCache& groundTrails,
                            DrawingSurface& S) {
    const OverlaySet& on = scene.Look.Overlays;
    if (!on.Trails && !on.Constellations) return;
    if (on.Trails && scene.Proj.Ground != 0)
        DrawGroundTrails(scene, S, on.TrailHours, groundTrails);
    else if (on.Trails)
        DrawStarTrails(scene, S, on.TrailHours, trails);
    if (on.Constellations) DrawConstellationLines(scene, S);
}

void KeepOverlayShapes(const Scene& scene, OverlayCache& kept, DrawingSurface& S) {
    const OverlaySet& on = scene.Look.Overlays;
    if (!on.Sun && !on.Seasons && !on.Circles) {
        kept.Layer = 0;
        return;
    }
    std::vector<double> key = ShapesKey(scene, S);
    if (key != kept.Key) {
        kept.Commands.clear();
        RecordingDrawing recorder(kept.Commands, S);
        recorder.FillColor = S.FillColor;
        recorder.FillStyle = S.FillStyle;
        recorder.DrawScale = S.DrawScale;
        const std::vector<MarkedPoint> marks = ListMarkedPoints(scene);
        kept.Labels.clear();
        kept.Discs.clear();
        Asked asked{kept.Labels, kept.Discs};
        if (on.Circles) DrawCircles(scene, recorder, asked, marks);
        if (on.Seasons) DrawSeasons(scene, recorder, asked);
        if (on.Sun) DrawSun(scene, recorder, asked, marks);
        kept.Key = std::move(key);
        ++kept.Generation;
    }
    kept.Layer = kept.Generation;
}

void DrawOverlaysOverStars(const Scene& scene, OverlayCache& kept, DrawingSurface& S,
                           LabelOutcome* placed) {
    const OverlaySet& on = scene.Look.Overlays;
    if (!on.Sun && !on.Seasons && !on.Circles && !on.Names && !on.AnyBody() && !on.AnyYear())
        return;
    const Colour fore = S.ForeColor, fill = S.FillColor;
    const float textX = S.CurrentX, textY = S.CurrentY;
    std::vector<LabelRequest> labels;
    std::vector<KeepClear> discs;
    if (on.Sun || on.Seasons || on.Circles) {
        KeepOverlayShapes(scene, kept, S);
        // Kept with the frame where the surface can: then only the pixels the stars
        // wrote over it are laid again.
        if (!S.RedrawLayer(kept.Layer)) {
            S.BeginLayer();
            ReplayDrawing(kept.Commands, S);
            S.KeepLayer(kept.Layer);
        }
        labels = kept.Labels;
        discs = kept.Discs;
        if (on.Sun) DrawSunDisc(scene, S, discs);
    }
    if (on.Names) {
        NameConstellations(scene, &labels);
        NameStars(scene, &labels);
    }
    std::vector<LabelBox> blocked = CompassBoxes(scene.Proj, S);
    if (on.AnyBody()) DrawBodies(scene, S, labels, discs, blocked);
    if (on.AnyYear()) DrawYearOverlays(scene, kept.Year, S, labels, discs, blocked);
    LabelOutcome outcome = PlaceLabels(std::move(labels), discs, blocked, S);
    if (placed != nullptr) *placed = std::move(outcome);
    S.ForeColor = fore;
    S.FillColor = fill;
    S.CurrentX = textX;
    S.CurrentY = textY;
}
