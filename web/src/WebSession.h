#pragma once
// The web page's engine session: one headless main window, its settings in the
// units the page and its address use, and the chart as RGBA bytes for a canvas.
// The page's JavaScript reaches it only through the C functions of WebApi.cpp.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/View.h"
#include "render/Chart.h"

class RasterSurface;

struct HeadlessWindow;
class TextReadout;
class FileGlyphSource;
class LabelFont;

// The settings by the table of settings' ids (core/Settings.h), which the page reads
// with their names. Lists are set by item index, flags as 1 on and 0 off, the rest in
// the values the read-outs show: azimuth 0..360, longitude 120..150 degrees east,
// latitude -90..90 north positive, elevation -90..90 as the elevation read-out shows it.
// The overlays are the 表示 group's, in the address as the snapshot tool's --overlays
// list and --trail-hours.
using WebControl = Setting;
inline constexpr int WebControlCount = SettingCount;

class WebSession {
public:
    WebSession();
    ~WebSession();

    // Purpose: start-up as the window's, reading the catalogue from starDataPath.
    // Reads: glyphPath, the chart's glyph file (web/src/GlyphFile.h) as the page wrote
    //   it (none when the fetch failed: then the file's damage message); side, the
    //   chart side in device pixels (>= 1); scaleHundredths, the draw scale (figures and
    //   labels grow with it), one of DrawScaleHundredths, with glyphPath's file made for it.
    // Writes: the whole state; on a run-time error, Error() holds its Japanese
    //   message and the session draws nothing more.
    // Returns: true when started.
    bool Start(const std::string& starDataPath, const std::string& glyphPath, int side,
               int scaleHundredths = 100);
    const std::string& Error() const { return LastError; }

    // Purpose: one setting, through the control and handler the window uses; an
    //   overlay through SetOverlays, as the window's 表示 menu switches it.
    // Reads: control, value in the units of WebControl; outside the control's
    //   range the value is refused and nothing changes.
    // Returns: true when the value was in range.
    bool Set(WebControl control, int value);
    int Get(WebControl control) const;
    // The range of a control: a list's item indices, a scroll control's values.
    int Minimum(WebControl control) const;
    int Maximum(WebControl control) const;

    // Purpose: one address parameter, named as the table of settings names it (the
    //   command lines' option names), its value checked as the command lines check it.
    // Reads: name without "--", value as typed; "overlays" names every overlay that is
    //   on (the others go off), "trail-hours" the trails' span in hours.
    // Returns: "" when applied, else the Japanese message (the setting keeps its value).
    std::string ApplyParameter(const std::string& name, const std::string& value);

    // The animate button: 0 press, 1 move, 2 release; buttons as Handlers.h sums them.
    void Button(int event, int buttons);
    // A new chart side in device pixels; the window's Resize.
    void Resize(int side);

    // 再生: 0 start, 1 stop, 2 a tick, each at nowMs (the page's clock, milliseconds);
    // 3 + k the rate PlayRates[k]. Returns the steps a tick took, else 0.
    int Play(int action, double nowMs);
    bool Playing() const;
    // 今日: the clock to the present, unixMs the page's wall clock (session/Play.h).
    void ShowNow(double unixMs);
    // 大きな星と文字: stars, lines and every letter grow with the chart's side beyond the
    // 408 pixels of the laid-out chart at the screen's density, as in the window's 表示
    // menu; redraws when it changes.
    void SetLarge(bool on);
    bool IsLarge() const { return Large; }
    // The chart's palette, an index into PaletteNames; redraws when it changes.
    void SetPalette(int palette);
    int PaletteIndex() const;
    // The Sun's day of the chart's date and place as lines of text (time/SunTimes.h).
    std::string SunText() const;

    // The four read-outs' texts: azimuth, latitude, elevation, longitude.
    std::string Readout(int which) const;
    // Purpose: the front chart for a canvas.
    // Reads: the front chart's pixels, 0xFFRRGGBB.
    // Writes: the session's RGBA copy: bytes R, G, B, 255 per pixel, side x side, rows
    //   top down; valid until the next call.
    // Returns: its address; null before a successful start.
    const std::uint8_t* ChartRgba();
    int ChartSide() const;

    // Purpose: the redraw benchmark, measured as bench/EngineBench.cpp measures the
    //   native one: a window of its own at the given chart side and limit, then count
    //   redraws, each an animation step (clock + 5 minutes) or, with newView, a
    //   change of azimuth by a degree (the frame drawn in full).
    // Reads: side in pixels (>= 1); limitIndex, an item of the magnitude list; count >= 1.
    // Returns: microseconds per redraw; -1 before a start or on a run-time error.
    double BenchRedraw(int side, int limitIndex, bool newView, int count);

    // Purpose: the page's second chart, the sky from the ground (view=sky or horizon):
    //   the main chart's sky, moment and view drawn as that view at the given side.
    // Returns: 0xAABBGGRR words as ChartRgba's; null before a start, after a run-time
    //   error or while the view setting is dome (no second chart).
    const std::uint8_t* GroundRgba(int side);

private:
    template <class Action>
    bool Guard(Action action);
    bool Ready() const { return Window != nullptr && !Failed; }
    const std::uint8_t* RgbaOf(const RasterSurface& chart);
    void FitScale(int side);  // The charts' figure scale for this side, device pixels.
    std::unique_ptr<FileGlyphSource> Glyphs;  // Outlive the window, whose surfaces use them.
    std::unique_ptr<LabelFont> Labels;
    float Scale = 1.0f;
    bool Large = false;
    std::unique_ptr<HeadlessWindow> Window;
    std::unique_ptr<TextReadout> Readouts[4];
    std::vector<std::uint32_t> Rgba;
    // The view setting: which ground view the second chart shows; Dome for none. The main
    // chart stays the dome from outside.
    ViewKind GroundKind = ViewKind::Dome;
    std::unique_ptr<RasterSurface> Ground;
    ChartCache GroundCache;
    std::string LastError;
    std::string StarDataPath;
    bool Failed = false;
};
