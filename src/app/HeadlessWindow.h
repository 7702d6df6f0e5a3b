#pragma once
// The main window without a toolkit: in-memory lists, scroll bars and a
// window size bound to the same handlers as the real window, over raster
// surfaces. The snapshot tool draws with it; tests and benchmarks drive it.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Controls.h"
#include "core/SkyState.h"
#include "render/RasterSurface.h"

class MemoryList : public ListControl {
public:
    void AddItem(const std::string& text) override { Items.push_back(text); }
    int ListIndex() const override { return Index; }
    // Selecting another item raises Click at once; an index outside the list is a
    // failing control operation.
    void SetListIndex(int index) override;
    void Refresh() override { ++Refreshes; }

    std::vector<std::string> Items;
    std::function<void()> OnClick;
    int Refreshes = 0;

private:
    int Index = -1;
};

class MemoryScroll : public ScrollControl {
public:
    MemoryScroll(std::int16_t minimum, std::int16_t maximum, std::int16_t value)
        : Min(minimum), Max(maximum), Current(value) {}
    std::int16_t Value() const override { return Current; }
    // Moves the bar, kept within its range, and raises Change when it moved.
    void MoveTo(int value);

    std::int16_t Min, Max;
    std::function<void()> OnChange;

private:
    std::int16_t Current;
};

class MemoryWindow : public WindowControl {
public:
    float ScaleWidth() const override { return Width; }
    float ScaleHeight() const override { return Height; }
    void Show() override;
    // A new inner size, as when the user drags the frame: raises Resize when shown.
    void ResizeTo(float width, float height);

    float Width = 584, Height = 416;  // The laid-out inner area.
    bool Visible = false;
    std::function<void()> OnResize;
};

// One main window with its controls, laid out as the real one and wired to the
// same handlers. Large (the catalogue lives in it): create it with Create().
struct HeadlessWindow {
    static std::unique_ptr<HeadlessWindow> Create();
    // Form_Load, reading the catalogue from the given file.
    void Load(const std::filesystem::path& starData = "StarData");

    SkyState Sky;
    MemoryWindow Form1;
    MemoryList Combo1, Combo2, Combo3, Combo4, Combo5, Combo6;
    MemoryScroll HScroll1{0, 360, 0}, HScroll2{120, 150, 135}, VScroll1{0, 180, 80},
        VScroll2{0, 180, 55};
    RasterSurface Picture1_0, Picture1_1;
    RasterSurface Picture2, Picture3, Picture4, Picture5;
    RasterStack Stack;
    SkyControls Ui;

    // The chart element in front.
    RasterSurface& Front() { return *Stack.Front; }

private:
    HeadlessWindow();
};
