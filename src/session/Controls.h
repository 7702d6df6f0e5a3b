#pragma once
// What the engine needs of the window's controls. The window binds Qt widgets
// to these; the headless window and tests bind in-memory stand-ins. Handlers
// reach the controls only through SkyControls, and ConnectHandlers points
// every control's event at its handler, for any binding.

#include <cstdint>
#include <functional>
#include <string>

class DrawingSurface;
struct WindowState;

// A drop-down list. Setting the index to another item raises OnClick before
// SetListIndex returns, as does the user's choice of another item.
class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ListIndex() const = 0;  // -1 when nothing is selected.
    virtual void SetListIndex(int index) = 0;
    virtual void Refresh() = 0;  // Repaint at once.

    std::function<void()> OnClick;
};

// A scroll bar: its value, and OnChange once it has moved.
class ScrollControl {
public:
    virtual ~ScrollControl() = default;
    virtual std::int16_t Value() const = 0;

    std::function<void()> OnChange;
};

// The main window as the start-up and resize procedures see it.
class WindowControl {
public:
    virtual ~WindowControl() = default;
    virtual float InnerWidth() const = 0;   // Width below the menu bar, pixels.
    virtual float InnerHeight() const = 0;  // Height below the menu bar, pixels.
    virtual void Show() = 0;                // Delivers the first OnResize before it returns.
    // Device pixels per window pixel: the chart surfaces are that many times larger than
    // the chart's place in the window, so that it is drawn at the screen's own pixels.
    virtual double PixelRatio() const { return 1.0; }
    // The chart's side in device pixels for the window as it is now: by default the main
    // window's layout rule (ChartSideFor) at PixelRatio; a front end whose chart has a place
    // of its own (the page's canvas) answers that place. Zero or less: no room for a chart.
    virtual int ChartSide() const;

    std::function<void()> OnResize;  // Every change of the inner size once shown.
};

// The animate button: presses, moves and releases, with the mouse buttons as the
// handlers count them (LeftButton, RightButton, MiddleButton, summed for moves).
class AnimateControl {
public:
    virtual ~AnimateControl() = default;

    std::function<void(int button)> OnMouseDown;
    std::function<void(int buttons)> OnMouseMove;
    std::function<void(int button)> OnMouseUp;
};

struct SkyControls {
    WindowControl* Window = nullptr;
    ListControl* MagnitudeList = nullptr;            // Limiting magnitude, -1.4..7.9.
    ListControl* StepList = nullptr;                 // Minutes per animation step.
    ListControl* MonthList = nullptr;                // 1..12.
    ListControl* DayList = nullptr;                  // 1..31.
    ListControl* HourList = nullptr;                 // 0..23.
    ListControl* MinuteList = nullptr;               // 0..59.
    ScrollControl* AzimuthBar = nullptr;             // View azimuth.
    ScrollControl* LongitudeBar = nullptr;           // Longitude.
    ScrollControl* ElevationBar = nullptr;           // 90 - view elevation.
    ScrollControl* LatitudeBar = nullptr;            // 90 - latitude.
    AnimateControl* AnimateButton = nullptr;         // None in a headless window.
    DrawingSurface* Charts[2] = {nullptr, nullptr};  // The chart pair, stacked.
    DrawingSurface* AzimuthReadout = nullptr;
    DrawingSurface* LatitudeReadout = nullptr;
    DrawingSurface* ElevationReadout = nullptr;
    DrawingSurface* LongitudeReadout = nullptr;
};

// Charts(index), with the subscript check of a two-element control array.
DrawingSurface& ChartSurface(SkyControls& Ui, int index);

// ConnectHandlers: points each control's event at its handler over State and Ui, and the
// window's resize at FitChartToWindow. Both must outlive the controls' use.
void ConnectHandlers(WindowState& State, SkyControls& Ui);
