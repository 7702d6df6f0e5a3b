#pragma once
// An in-memory drawing surface: a buffer of 32-bit pixels that the window
// shows as it is and the snapshot tool writes to PNG. Figures, stars and text
// are rasterised here, straight into the buffer; the glyphs of a text come as
// a coverage mask from the surface's GlyphSource.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "render/DrawingSurface.h"
#include "render/GlyphSource.h"
#include "render/LabelFont.h"

// One pixel: 0xFFRRGGBB, as 32-bit RGB images lay it out in memory on this machine.
using Pixel = std::uint32_t;

constexpr Pixel PixelRGB(int red, int green, int blue) {
    return 0xFF000000u | (static_cast<Pixel>(red & 0xFF) << 16) |
           (static_cast<Pixel>(green & 0xFF) << 8) | static_cast<Pixel>(blue & 0xFF);
}

// A copy of a surface's pixels, for comparing pictures.
struct PixelImage {
    int Width = 0, Height = 0;
    std::vector<Pixel> Pixels;  // Row by row, Width per row.
    bool operator==(const PixelImage&) const = default;
};

class RasterSurface final : public DrawingSurface {
public:
    // The glyph source must outlive the surface.
    RasterSurface(int width, int height, Colour backColor, const GlyphSource& glyphs);
    RasterSurface(const RasterSurface&) = delete;
    RasterSurface& operator=(const RasterSurface&) = delete;
    ~RasterSurface() override = default;

    void Clear() override;
    void Circle(float x, float y, float r, Colour c, float aspect = 1.0f) override;
    using DrawingSurface::Line;
    void Line(float x1, float y1, float x2, float y2, Colour c) override;
    void Box(float x1, float y1, float x2, float y2, Colour c) override;
    void SetPixels(const float* xy, int count, Colour c) override;
    bool SetNumberedPixels(std::uint16_t* numbers, int width, int height, int top, int bottom,
                           const Colour* palette, std::size_t colours) override;
    bool WatchesEachPlot() const override { return static_cast<bool>(OnPlot); }
    void SetPixel(float x, float y, Colour c) override;
    void PrintText(const std::string& text) override;
    void BringToFront() override;
    void Refresh() override;
    int Width() const override { return ImageWidth; }
    int Height() const override { return ImageHeight; }
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // Another glyph source from now on (a font scaled for the screen); must outlive the
    // surface or the next call. The texts printed so far are taken again from it.
    void SetGlyphs(const GlyphSource& glyphs);
    // The labels' font (see UseLabelText), which must outlive the surface; none (nullptr):
    // labels in the surface's own font.
    void SetLabelFont(const LabelFont* font);
    void UseLabelText(float pixels) override;
    float LabelText() const override { return LabelFace ? LabelSource->Pixels() : 0.0f; }

    // The pixels, row by row with no padding; the address holds until the next resize.
    const Pixel* Pixels() const { return Buffer.data(); }
    PixelImage Picture() const { return {ImageWidth, ImageHeight, Buffer}; }
    Pixel PixelAt(int x, int y) const;  // Opaque black outside the image.
    float LineHeight() const override {
        return LabelFace ? LabelSource->LineHeight() : TextLineHeight;
    }
    // The glyph source's advance: the mask's width less its margins on both sides.
    float TextAdvance(const std::string& text) override;
    bool RestoreFrame(const FrameKey& key) override;
    void KeepFrame(const FrameKey& key) override;

    void BeginLayer() override;
    void KeepLayer(std::uint64_t layer) override;
    bool RedrawLayer(std::uint64_t layer) override;
    bool KeptTrails(std::uint64_t& token) const override;
    void ChangeKeptTrails(const std::uint32_t* pixels, const std::uint16_t* inks, std::size_t count,
                          const Colour* palette, std::size_t colours, bool anew,
                          std::uint64_t token) override;

    // Each Circle and SetPixel, as handed to the surface, for tools that list what
    // was plotted (the snapshot's star table).
    struct PlotCall {
        bool Disc;  // Circle; false for SetPixel.
        float X, Y, Radius;
        Colour Ink;
    };
    std::function<void(const PlotCall&)> OnPlot;

    // What BringToFront and Refresh do beyond the image: the window raises and repaints
    // its widget; headless stacks keep track of the front.
    std::function<void(RasterSurface&)> OnBringToFront;
    std::function<void(RasterSurface&)> OnRefresh;

private:
    // A text's glyph coverage, taken once from the glyph source and then blended in
    // ForeColor wherever the text is printed again, with each row's covered columns
    // (first, last; first > last for an empty row), so that a print visits and marks
    // dirty only the pixels the glyphs touch: labels are mostly empty space.
    struct KeptMask {
        GlyphMask Mask;
        std::vector<std::pair<int, int>> Covered;  // By mask row.
        // The outline's coverage (the glyphs spread by OutlineReach pixels), made at the
        // first outlined print: the overlays' labels are outlined at every animation step.
        int OutlineReach = -1;
        std::vector<std::uint8_t> Outline;
        std::vector<std::pair<int, int>> OutlineCovered;
    };
    KeptMask& MaskFor(const std::string& text);
    static constexpr float SmallDiscLimit = 64.0f;
    struct DiscShape {
        float Radius;
        std::vector<int> HalfWidths;               // By row distance from the centre.
        std::vector<std::pair<int, int>> Outline;  // Offsets from the centre.
    };
    const DiscShape& DiscShapeOf(float r);
    void Resize(int width, int height);

    Pixel Ink(Colour c) const;  // The pixel of a colour in the surface's palette (Inks).
    void FillSpan(int y, int x1, int x2, Pixel colour);
    void PutPixel(int x, int y, Pixel colour);
    // Pixels of width DrawScale: a square of the line width at (x, y).
    int PenWidth() const;
    void PutPen(int x, int y, Pixel colour, int width);
    void BlendMask(const KeptMask& kept, bool outlined, int left, int top, Pixel halo, Pixel ink);

    std::vector<Pixel> Buffer;
    int ImageWidth = 0, ImageHeight = 0;
    const GlyphSource* Glyphs;
    float TextLineHeight = 0.0f;  // Of the surface's own glyphs.
    std::map<std::string, KeptMask> TextMasks;
    const LabelFont* Labels = nullptr;
    std::unique_ptr<LabelGlyphs> LabelSource;  // At the size last asked for.
    std::map<std::string, KeptMask> LabelMasks;
    bool LabelFace = false;
    std::vector<DiscShape> DiscShapes;  // Small circles by radius.
    // Pixels of the frame drawn for KeptKey; none when empty.
    std::vector<Pixel> Kept;
    FrameKey KeptKey;
    FrameKey OfferedKey;  // The frame last drawn in full, kept when drawn again.
    bool OfferedOnce = false;
    // Where the image may differ from Kept: the rows' spans written since the frame
    // was kept or put back, so that putting it back rewrites only those (the stars, as a
    // rule).
    struct DirtySpan {
        int Y, X1, X2;  // X1..X2 of row Y.
    };
    static constexpr std::size_t MaxDirtySpans = 16384;
    std::vector<DirtySpan> Dirty;
    bool AllDirty = true;  // Too much written to list, or nothing kept yet.
    void MarkDirty(int y, int x1, int x2) {
        if (AllDirty) return;
        // With a layer put back the list must stay whole: RedrawLayer needs every pixel.
        if (Dirty.size() == MaxDirtySpans && !LayerRestored) {
            MarkAllDirty();
            return;
        }
        Dirty.push_back({y, x1, x2});
    }
    void MarkAllDirty() {
        AllDirty = true;
        Dirty.clear();
    }

    // The layer: each pixel write between BeginLayer and KeepLayer, in order, by pixel
    // index. Cover 0 sets the pixel to Ink; 1..255 blends Ink over it as a glyph does.
    // Writes are opaque or blends of what is under them, so laying the writes of one
    // pixel again over whatever the stars left there gives what drawing it afresh gives.
    struct LayerWrite {
        std::uint32_t Index;
        Pixel Ink;
        std::uint8_t Cover;
    };
    void Capture(std::size_t index, Pixel ink, std::uint8_t cover) {
        Captured.push_back({static_cast<std::uint32_t>(index), ink, cover});
    }
    bool Capturing = false;
    bool LayerPending = false;   // Kept is the frame alone, awaiting KeptKey.Layer.
    bool LayerReady = false;     // Kept holds the frame with KeptKey.Layer over it.
    bool LayerRestored = false;  // The last RestoreFrame put back a frame with a layer.
    std::vector<LayerWrite> Captured;
    std::vector<LayerWrite> LayerWrites;      // Sorted by Index, in drawing order within one.
    std::vector<std::uint8_t> LayerCovers;    // By pixel: 1 where LayerWrites has writes.
    std::vector<std::uint32_t> LayerTouched;  // Scratch for RedrawLayer.
    std::vector<Pixel> NumberedInks;          // Scratch for SetNumberedPixels.
    // The frame alone, without trails or layer, where the kept frame's key has Trails; and
    // the token of the trails the kept frame holds, 0 for none.
    std::vector<Pixel> KeptBase;
    std::uint64_t KeptTrailsToken = 0;
    // The layer's writes of one pixel laid over p, from write on (which moves past them).
    Pixel LayOver(std::uint32_t index, Pixel p,
                  std::vector<LayerWrite>::const_iterator& write) const;
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
Pixel ToPixel(Colour c);
