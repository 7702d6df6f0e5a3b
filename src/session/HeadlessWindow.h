#pragma once
// The main window without a toolkit: in-memory lists, scroll bars and a
// window size bound to the same handlers as the real window, over raster
// surfaces. The web page binds its controls to it; tests and benchmarks drive it.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/RasterSurface.h"
#include "session/Controls.h"
#include "session/Layout.h"
#include "session/WindowState.h"

class MemoryList : public ListControl {
public:
    void AddItem(const std::string& text) override { Items.push_back(text); }
    int ListIndex() const override { return Index; }
    // Selecting another item raises Click at once; an index outside the list is a
    // failing control operation.
    void SetListIndex(int index) override;
    void Refresh() override { ++Refreshes; }

    std::vector<std::string> Items;
    int Refreshes = 0;

private:
    int Index = -1;
};

class MemoryScroll : public ScrollControl {
public:
    explicit MemoryScroll(ScrollRange range)
        : Min(range.Min), Max(range.Max), Current(range.Start) {}
    std::int16_t Value() const override { return Current; }
    // Moves the bar, kept within its range, and raises Change when it moved.
    void MoveTo(int value);

    std::int16_t Min, Max;

private:
    std::int16_t Current;
};

class MemoryWindow : public WindowControl {
public:
    float InnerWidth() const override { return Width; }
    float InnerHeight() const override { return Height; }
    double PixelRatio() const override { return Ratio; }
    int ChartSide() const override { return Side > 0 ? Side : WindowControl::ChartSide(); }
    void Show() override;
    // A new inner size, as when the user drags the frame: raises OnResize when shown.
    void ResizeTo(float width, float height);
    // A chart with a place of its own (a canvas) of this side, device pixels, whatever the
    // window's size: raises OnResize when shown.
    void PlaceChart(int side);

    float Width = InnerWidthAtStart, Height = InnerHeightAtStart;
    double Ratio = 1.0;  // Device pixels per window pixel of the screen it stands for.
    int Side = 0;        // The chart's own side, device pixels; 0: by the window's layout.
    bool Visible = false;
};

// One main window with its controls, laid out as the real one and wired to the
// same handlers. Large (the catalogue lives in it): create it with Create(). The
// glyph sources give the charts' and the read-outs' text; they must outlive it.
struct HeadlessWindow {
    // labels: the charts' label font (RasterSurface::SetLabelFont), none by default.
    // chartSide: the charts' side until the window places them; made at the side they will
    // be placed at, they are not made again at the start.
    static std::unique_ptr<HeadlessWindow> Create(const GlyphSource& chartText,
                                                  const GlyphSource& readoutText,
                                                  const LabelFont* labels = nullptr,
                                                  int chartSide = ChartSideAsLaidOut);
    // StartUp, reading the catalogue from the given file.
    void Load(const std::filesystem::path& starData = "StarData");

    WindowState State;
    MemoryWindow Window;
    MemoryList MagnitudeList, StepList, MonthList, DayList, HourList, MinuteList;
    MemoryScroll AzimuthBar{AzimuthRange}, LongitudeBar{LongitudeRange},
        ElevationBar{ElevationRange}, LatitudeBar{LatitudeRange};
    RasterSurface Chart0, Chart1;
    RasterSurface AzimuthReadout, LatitudeReadout, ElevationReadout, LongitudeReadout;
    RasterStack Stack;
    SkyControls Ui;

    // The chart element in front.
    RasterSurface& Front() { return *Stack.Front; }

private:
    HeadlessWindow(const GlyphSource& chartText, const GlyphSource& readoutText, int chartSide);
};
