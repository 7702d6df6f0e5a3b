#pragma once
// A view: which picture of the sky a chart is, from where it is seen, how
// large, and what is drawn on it. With a sky and a moment, everything a chart
// needs; the chart call (render/Chart.h) draws one from the three.

#include <cstdint>

#include "core/Settings.h"

// The lesson overlays, each switched on its own; all off at start-up, when the chart
// is exactly the plain star chart. Trails and constellation lines go under the stars,
// the rest over them.
struct OverlaySet {
    bool Sun = false;      // 太陽と日周経路: the Sun, its daily path and hourly marks.
    bool Seasons = false;  // 季節の太陽の通り道: the paths at 夏至, 春分・秋分, 冬至.
    bool Circles = false;         // 天の北極と天の赤道: poles, axis, equator, meridian.
    bool Trails = false;          // 星の軌跡: each plotted star's path over TrailHours.
    bool Constellations = false;  // 星座線: the constellations' lines.
    bool Names = false;           // 星座名: constellation names and the bright stars' names.
    bool Moon = false;            // 月: the Moon's lit disc, 「月」 and its age.
    bool Planets = false;  // 惑星: 水星, 金星, 火星, 木星, 土星 as dots with names.
    bool Space = false;    // 宇宙から見た図: the inset of the top views (Moon; Venus).
    bool Ecliptic =
        false;  // 黄道と星座: the ecliptic, its months, the zodiac, the Sun's constellation.
    bool Orbit = false;  // 地球の公転: the inset of the Earth's orbit seen from the north.
    // 昼の空: the ground views' sky blue by the Sun's altitude, the stars it drowns left
    // out; the dome from outside is drawn as without it.
    bool Daylight = false;
    int TrailHours = 12;  // Span of the trails, hours: 1, 2, 3, 6, 12 or 24.
    bool AnyBody() const { return Moon || Planets || Space; }
    bool AnyYear() const { return Ecliptic || Orbit; }
    bool Any() const {
        return Sun || Seasons || Circles || Trails || Constellations || Names || AnyBody() ||
               AnyYear();
    }
    bool operator==(const OverlaySet&) const = default;
};

// OverlayFlag: the flag of OverlaySet that an overlay's setting (FirstOverlay..LastOverlay
// of the table) switches; null for any other setting. The one place that ties the two.
constexpr bool OverlaySet::*OverlayFlag(Setting id) {
    switch (id) {
        case Setting::Sun:
            return &OverlaySet::Sun;
        case Setting::Seasons:
            return &OverlaySet::Seasons;
        case Setting::Circles:
            return &OverlaySet::Circles;
        case Setting::Trails:
            return &OverlaySet::Trails;
        case Setting::Constellations:
            return &OverlaySet::Constellations;
        case Setting::Names:
            return &OverlaySet::Names;
        case Setting::Moon:
            return &OverlaySet::Moon;
        case Setting::Planets:
            return &OverlaySet::Planets;
        case Setting::Space:
            return &OverlaySet::Space;
        case Setting::Ecliptic:
            return &OverlaySet::Ecliptic;
        case Setting::Orbit:
            return &OverlaySet::Orbit;
        case Setting::Daylight:
            return &OverlaySet::Daylight;
        default:
            return nullptr;
    }
}
static_assert(OverlaySet{}.TrailHours == SettingOf(Setting::TrailHours).Default);

// The chart's colours: Screen, light on a black ground, as every front end starts; Print,
// each colour with its lightness turned over (hue and chroma kept), so that the chart
// stands dark on white paper for a worksheet.
enum class Palette : std::uint8_t { Screen, Print };

// The pictures a view can be: the celestial sphere as a dome seen from outside; the whole
// sky seen lying on one's back (Sky: the zenith at the centre, the horizon as the rim, the
// view's azimuth at the top and east to the left of north); the sky seen standing and
// facing the view's azimuth (Horizon: about 120 degrees wide, the horizon low down).
enum class ViewKind : std::uint8_t { Dome, Sky, Horizon };

struct View {
    ViewKind Kind = ViewKind::Dome;
    // Degrees from north through east: the direction looked toward; for Sky, the direction
    // at the top of the chart.
    std::int16_t Azimuth = 0;
    std::int16_t Elevation = 0;  // Degrees; positive looks down on the dome. Dome only.
    std::int16_t Roll = 0;       // Degrees; always 0: no control sets it.
    int Side = 0;                // The square chart's side, device pixels; 0 before the first fit.
    double LimitMag = 0.0;       // Stars are drawn only when their magnitude is below this.
    OverlaySet Overlays;
    ::Palette Palette = ::Palette::Screen;

    // The chart's centre: half the side, in single precision; and the sphere's radius on
    // the chart, 0.8 of it in double precision. Pixels.
    float CenterX() const { return static_cast<float>(static_cast<double>(Side) / 2); }
    float CenterY() const { return CenterX(); }
    double ChartRadius() const { return 0.8 * CenterX(); }
};
