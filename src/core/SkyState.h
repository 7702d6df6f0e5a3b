#pragma once
// The one record that holds all of Domarium's state. Every procedure takes it
// by reference; nothing else keeps state between events.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ConstellationCatalogue.h"

inline constexpr int StarCount = 3146;  // Fixed: the loader fills and the star pass reads 0..3145.

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
    int TrailHours = 12;          // Span of the trails, hours: 1, 2, 3, 6, 12 or 24.
    bool Any() const { return Sun || Seasons || Circles || Trails || Constellations || Names; }
    bool operator==(const OverlaySet&) const = default;
};

// One drawing call of an overlay, kept to be made again: the overlay parts that stay
// put while the clock runs within a day are drawn once and replayed at each redraw.
struct DrawCommand {
    enum class Kind : std::uint8_t { Line, Circle, Text } Type = Kind::Line;
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // Line ends; Circle centre (X1, Y1), radius X2;
                                           // Text position (X1, Y1). Chart pixels.
    std::int32_t Ink = 0;                  // Line and outline colour, text ForeColor.
    std::int32_t Fill = 0;                 // Circle fill colour, where Filled.
    bool Filled = false;
    std::string Text;
};

// The kept calls and what they were drawn for: every input that decides them.
struct OverlayCache {
    std::vector<double> Key;  // Empty: nothing kept.
    std::vector<DrawCommand> Commands;
    // Which drawing Commands holds: a new number at each recording, never 0. Layer is it
    // while the kept drawing is on the chart, 0 otherwise; the frame's key carries Layer,
    // so that a surface may keep the drawing with the frame's pixels.
    std::uint64_t Generation = 0, Layer = 0;
};

struct SkyState {
    // Observer clock and place.
    std::int32_t MinuteOfYear =
        0;  // Minutes since 1 January 00:00 zone time; 0..525599 after SplitMinuteOfYear.
    std::int16_t Month = 0;      // 1..12.
    std::int32_t DayIndex = 0;   // Day of the month minus one, 0..30.
    double Hour = 0.0;           // Whole number 0..23, held as a double.
    double Minute = 0.0;         // Whole number 0..59, held as a double.
    double Longitude = 0.0;      // Degrees, east positive (120..150 from the longitude bar).
    double EpochMinute = 0.0;    // Zone-time minute of 1 January at which the sidereal angle is 0.
    double SiderealAngle = 0.0;  // Degrees; never reduced modulo 360, may be negative.

    // Settings lists and animation.
    double LimitMag = 0.0;      // Stars are drawn only when their magnitude is below this.
    std::int16_t TimeStep = 0;  // Minutes added per animation step.
    std::array<std::int16_t, 7> StepValues{};  // 1, 3, 5, 10, 15, 30 in 0..5; entry 6 never set.
    std::int16_t Dragging = 0;                 // 1 while the animate button is held.

    // Catalogue: degrees, degrees, visual magnitude. All zero until loaded.
    std::array<double, StarCount> StarRA{};
    std::array<double, StarCount> StarDec{};
    std::array<double, StarCount> StarMag{};
    // Polar distance (radians) of each star with its sine and cosine, worked out
    // once from the declination in StarPolarCacheDec. A star's declination never
    // changes, so the projection takes them from here instead of recomputing
    // identical values on every redraw; an entry whose declination differs from
    // StarDec is not used.
    std::array<double, StarCount> StarPolarCacheDec{};
    std::array<double, StarCount> StarPolarDistRad{};
    std::array<double, StarCount> StarSinPolarDist{};
    std::array<double, StarCount> StarCosPolarDist{};
    // The star's place on the unit sphere at sidereal angle 0 (sin p cos RA, sin p sin RA),
    // from the right ascension in StarPolarCacheRA: the cheap horizon test of the star pass
    // turns it by the sidereal angle instead of taking each star's sine and cosine.
    std::array<double, StarCount> StarPolarCacheRA{};
    std::array<double, StarCount> StarUnitX{};
    std::array<double, StarCount> StarUnitY{};
    double StarPolarCachePi = 0.0;     // The Pi the radians above were taken with.
    bool StarPolarCacheReady = false;  // True once the arrays above have been filled.

    // View angles, degrees.
    double PoleAngle = 0.0;          // 90 + latitude.
    std::int16_t ViewAzimuth = 0;    // From north through east.
    std::int16_t ViewElevation = 0;  // Positive looks down on the dome.
    std::int16_t RollAngle = 0;      // Always 0: no control sets it.
    double Pi = 0.0;                 // 3.14159265358979, seven units in the last place below pi.

    // Trigonometric cache of the view angles; all zero before the first UpdateViewTrig.
    double PoleAngleRad = 0.0, ViewAzimuthRad = 0.0, ViewElevationRad = 0.0, RollAngleRad = 0.0;
    double SinPole = 0.0, CosPole = 0.0, SinAzimuth = 0.0, CosAzimuth = 0.0;
    double SinElevation = 0.0, CosElevation = 0.0, SinRoll = 0.0, CosRoll = 0.0;

    // Results of the last projection.
    std::int16_t Depth =
        0;  // Pixels below the horizon plane; negative above it, -ChartRadius at the zenith.
    double ViewX = 0.0,
           ViewY = 0.0;  // Horizontal coordinates toward ViewAzimuth and ViewAzimuth + 90.
    double OffsetX = 0.0, OffsetY = 0.0;  // Screen offsets from the chart centre, pixels, y down.
    // Working values of ProjectStar.
    double RaOffsetRad = 0.0, PolarDistRad = 0.0;
    double SinRaOffset = 0.0, CosRaOffset = 0.0, SinPolarDist = 0.0, CosPolarDist = 0.0;
    double SphereX = 0.0, SphereY = 0.0, SphereZ = 0.0;

    // Compass points in the sphere frame, pixels; entries 0..3 are north, west, south, east.
    std::array<double, 5> CompassX{};
    std::array<double, 5> CompassY{};
    std::array<std::int16_t, 5> CompassZ{};
    std::array<std::string, 9> CompassLabels{};

    // Chart geometry, pixels.
    float CenterX = 0.0f;      // Half the width of the first chart surface.
    float CenterY = 0.0f;      // Half its height.
    double ChartRadius = 0.0;  // 0.8 x CenterX: radius of the celestial sphere on the chart.

    // Frame colours.
    std::int16_t SphereGrey = 0;   // 80.
    std::int16_t HorizonGrey = 0;  // 128.
    std::int16_t CompassGrey = 0;  // 160.
    double ShadeLevel = 0.0;       // Working grey level; 255 after every frame.

    // Star pass.
    std::int16_t StarIndex = 0;  // Counter of the star pass, 0..3145.
    double DotRadius = 0.0;      // Radius in pixels of the last star that passed the horizon test.

    std::int16_t BufferIndex = 0;  // Chart surface that received the most recent drawing, 0 or 1.

    // Overlays.
    OverlaySet Overlays;  // Which lesson overlays RedrawSky draws with the stars.
    // The constellations and star names, read at start-up from beside StarData; empty
    // where those files are absent, and then the constellation overlays draw nothing.
    ConstellationCatalogue Figures;
    OverlayCache OverlayShapes;  // The Sun's day, the seasons and the circles, as last drawn.
};
