#pragma once
// An in-memory drawing surface: a QImage of 32-bit pixels that the window
// shows as it is and the snapshot tool writes to PNG. Figures and stars are
// rasterised here, straight into the image; only text goes through QPainter.

#include <QFont>
#include <QImage>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "render/DrawingSurface.h"

// The font of the chart surfaces: "ＭＳ 明朝", bold, 9.75 points. Where that face
// is missing, the font system substitutes IPAMincho or another Japanese serif.
QFont ChartFont();
// The default user-interface font, used by the read-outs.
QFont ReadoutFont();

class RasterSurface final : public DrawingSurface {
public:
    RasterSurface(int width, int height, Colour backColor, const QFont& font);

    void Cls() override;
    void Circle(float x, float y, float r, Colour c, float aspect = 1.0f) override;
    using DrawingSurface::Line;
    void Line(float x1, float y1, float x2, float y2, Colour c) override;
    void Box(float x1, float y1, float x2, float y2, Colour c) override;
    void PSet(float x, float y, Colour c) override;
    void PrintText(const std::string& text) override;
    void ZOrder() override;
    void Refresh() override;
    int Width() const override { return ImageWidth; }
    int Height() const override { return ImageHeight; }
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    const QImage& Picture() const { return Image; }
    QRgb PixelAt(int x, int y) const;  // Opaque black outside the image.
    float LineHeight() const override { return TextLineHeight; }
    bool RestoreFrame(const FrameKey& key) override;
    void KeepFrame(const FrameKey& key) override;

    // Each Circle and PSet, as handed to the surface, for tools that list what
    // was plotted (the snapshot's star table).
    struct PlotCall {
        bool Disc;  // Circle; false for PSet.
        float X, Y, Radius;
        Colour Ink;
    };
    std::function<void(const PlotCall&)> OnPlot;

    // What ZOrder and Refresh do beyond the image: the window raises and repaints
    // its widget; headless stacks keep track of the front.
    std::function<void(RasterSurface&)> OnZOrder;
    std::function<void(RasterSurface&)> OnRefresh;

private:
    // A text's glyph coverage, drawn once through QPainter and then blended in
    // ForeColor wherever the text is printed again.
    struct TextMask {
        QImage Coverage;  // Alpha channel: how much of each pixel the glyphs cover.
        int Margin;       // Pixels left of the text position, for glyphs that overhang.
    };
    const TextMask& MaskFor(const std::string& text);
    static constexpr float SmallDiscLimit = 64.0f;
    struct DiscShape {
        float Radius;
        std::vector<int> HalfWidths;               // By row distance from the centre.
        std::vector<std::pair<int, int>> Outline;  // Offsets from the centre.
    };
    const DiscShape& DiscShapeOf(float r);
    // Makes the image writable and takes its pixel address; each drawing operation starts here.
    void BeginDrawing();
    void Resize(int width, int height);
    void FillSpan(int y, int x1, int x2, QRgb colour);
    void PutPixel(int x, int y, QRgb colour);

    QImage Image;
    int ImageWidth = 0, ImageHeight = 0;
    QRgb* Pixels = nullptr;
    qsizetype Stride = 0;  // Pixels per row.
    QFont TextFont;
    float TextAscent = 0.0f;
    float TextLineHeight = 0.0f;
    std::map<std::string, TextMask> TextMasks;
    std::vector<DiscShape> DiscShapes;  // Small circles by radius.
    QImage KeptFrame;                   // Pixels of the frame drawn for KeptKey; null when none.
    FrameKey KeptKey;
    FrameKey OfferedKey;  // The frame last drawn in full, kept when drawn again.
    bool OfferedOnce = false;
    // Where the image may differ from KeptFrame: the rows' spans written since the frame
    // was kept or put back, so that putting it back rewrites only those (the stars, as a
    // rule).
    struct DirtySpan {
        int Y, X1, X2;
    };
    static constexpr std::size_t MaxDirtySpans = 16384;
    std::vector<DirtySpan> Dirty;
    bool AllDirty = true;  // Too much written to list, or nothing kept yet.
    void MarkDirty(int y, int x1, int x2) {
        if (AllDirty) return;
        if (Dirty.size() == MaxDirtySpans) {
            MarkAllDirty();
            return;
        }
        Dirty.push_back({y, x1, x2});
    }
    void MarkAllDirty() {
        AllDirty = true;
        Dirty.clear();
    }
};

// Two chart surfaces stacked at one place, without a window: which element is
// in front, and which image the screen would show after the last Refresh.
struct RasterStack {
    explicit RasterStack(RasterSurface& first, RasterSurface& second);
    RasterSurface* Front = nullptr;
    const RasterSurface* OnScreen = nullptr;  // Set by a Refresh of the front element.
    int Refreshes = 0;
};

// Converts a Colour to the image's pixel value; a value outside 0..0xFFFFFF is a
// failing surface operation.
QRgb ToPixel(Colour c);
