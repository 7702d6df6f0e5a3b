#pragma once
// A drawing surface that draws nothing and keeps the calls instead, so that a
// figure that stays put from one redraw to the next is worked out once and then
// only replayed. It answers Width, Height and LineHeight as the surface the
// calls are meant for, so labels are placed as they would be there.

#include <cstdint>
#include <string>
#include <vector>

#include "render/DrawingSurface.h"

// One drawing call, kept to be made again.
struct DrawCommand {
    enum class Kind : std::uint8_t { Line, Circle, Text } Type = Kind::Line;
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // Line ends; Circle centre (X1, Y1), radius X2;
                                           // Text position (X1, Y1). Chart pixels.
    std::int32_t Ink = 0;                  // Line and outline colour, text ForeColor.
    std::int32_t Fill = 0;                 // Circle fill colour, where Filled.
    bool Filled = false;
    std::string Text;
};

class RecordingDrawing final : public DrawingSurface {
public:
    // The calls go to `commands`, which must outlive the recorder; `target` is measured now.
    RecordingDrawing(std::vector<DrawCommand>& commands, DrawingSurface& target)
        : Commands(commands),
          Target(target),
          TargetWidth(target.Width()),
          TargetHeight(target.Height()),
          TargetLineHeight(target.LineHeight()) {}

    void Clear() override {}
    void Circle(float x, float y, float r, Colour c, float aspect = 1.0f) override;
    using DrawingSurface::Line;
    void Line(float x1, float y1, float x2, float y2, Colour c) override;
    void Box(float, float, float, float, Colour) override {}
    void SetPixel(float, float, Colour) override {}
    void PrintText(const std::string& text) override;
    void BringToFront() override {}
    void Refresh() override {}
    int Width() const override { return TargetWidth; }
    int Height() const override { return TargetHeight; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    float LineHeight() const override { return TargetLineHeight; }
    float TextAdvance(const std::string& text) override { return Target.TextAdvance(text); }

private:
    std::vector<DrawCommand>& Commands;
    DrawingSurface& Target;
    int TargetWidth, TargetHeight;
    float TargetLineHeight;
};

// ReplayDrawing: makes the kept calls on S in their order.
// Reads:   commands, as RecordingDrawing kept them (circles: round, aspect 1).
// Writes:  S's pixels; S.ForeColor, FillColor, FillStyle and the text position are put
//          back as they were.
// Tested:  a replay draws the same pixels as the calls made directly.
void ReplayDrawing(const std::vector<DrawCommand>& commands, DrawingSurface& S);
