#pragma once
// What the engine needs of the window's controls. The window layer binds Qt
// widgets to these; tests bind in-memory stand-ins. Handlers reach the
// controls only through SkyControls.

#include <cstdint>
#include <string>

class DrawingSurface;

// A drop-down list. Setting the index to another item raises the list's
// Click handler before SetListIndex returns.
class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ListIndex() const = 0;  // -1 when nothing is selected.
    virtual void SetListIndex(int index) = 0;
    virtual void Refresh() = 0;  // Repaint at once.
};

class ScrollControl {
public:
    virtual ~ScrollControl() = default;
    virtual std::int16_t Value() const = 0;
};

// The main window as the start-up and resize procedures see it.
class WindowControl {
public:
    virtual ~WindowControl() = default;
    virtual float ScaleWidth() const = 0;   // Inner width, pixels.
    virtual float ScaleHeight() const = 0;  // Inner height, pixels.
    virtual void Show() = 0;                // Delivers the first Resize before it returns.
};

struct SkyControls {
    WindowControl* Form1 = nullptr;
    ListControl* Combo1 = nullptr;                     // Limiting magnitude.
    ListControl* Combo2 = nullptr;                     // Animation step.
    ListControl* Combo3 = nullptr;                     // Month.
    ListControl* Combo4 = nullptr;                     // Day.
    ListControl* Combo5 = nullptr;                     // Hour.
    ListControl* Combo6 = nullptr;                     // Minute.
    ScrollControl* HScroll1 = nullptr;                 // View azimuth.
    ScrollControl* HScroll2 = nullptr;                 // Longitude.
    ScrollControl* VScroll1 = nullptr;                 // View elevation.
    ScrollControl* VScroll2 = nullptr;                 // Latitude.
    DrawingSurface* Picture1[2] = {nullptr, nullptr};  // The chart pair.
    DrawingSurface* Picture2 = nullptr;                // View azimuth read-out.
    DrawingSurface* Picture3 = nullptr;                // Latitude read-out.
    DrawingSurface* Picture4 = nullptr;                // View elevation read-out.
    DrawingSurface* Picture5 = nullptr;                // Longitude read-out.
};

// Picture1(index), with the subscript check of a two-element control array.
DrawingSurface& ChartSurface(SkyControls& Ui, int index);
