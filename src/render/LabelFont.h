#pragma once
// The typeface of the chart's labels: a TrueType font drawn by the engine itself
// at any size, so that the labels grow with the chart and the screen's density
// and come out as the same pixels wherever the engine runs (the window, the
// snapshot tool, the browser). The compass letters keep the front end's own
// chart font; every other label is written in this one.

#include <functional>
#include <memory>
#include <string>

#include "render/GlyphSource.h"

class LabelFont {
public:
    // Purpose: a font read from read() at its first use.
    // Reads:   read, the font file's bytes ("" when it cannot be read); name, the file as
    //          the user knows it, for messages.
    explicit LabelFont(std::function<std::string()> read, std::string name);
    ~LabelFont();
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    struct Face;
    // The font, read now if it was not yet. A file that is missing, unreadable or not a
    // TrueType font is a RunTimeError (FileNotFound or SurfaceFailure) naming it.
    const Face& Loaded() const;
    const std::string& Name() const { return FileName; }

private:
    std::function<std::string()> Read;
    std::string FileName;
    mutable std::unique_ptr<Face> TheFace;
};

// The masks of strings written in a label font at one size.
class LabelGlyphs final : public GlyphSource {
public:
    // pixels: the em square's height in device pixels, more than 0.
    LabelGlyphs(const LabelFont& font, float pixels);
    float LineHeight() const override;
    // A character the font lacks is a RunTimeError (SurfaceFailure) naming it.
    GlyphMask MaskFor(const std::string& text) const override;
    float Pixels() const { return Size; }

private:
    const LabelFont& Font;
    float Size;
};

// The chart font's size, pixels at 96 dots per inch, and the chart side it was made for.
inline constexpr float LabelBasePixels = 13.0f;
inline constexpr int LabelBaseSide = 408;

// SideGrowth: how much a chart of this side outgrows the 408 pixels the chart was made
// for, in eighths (so that resizing makes a few sizes, not one per pixel), at least 1.
double SideGrowth(double side);

// LabelTextPixels: the labels' size on a chart of this side and draw scale: the chart
// font's 13 pixels at the draw scale, grown by the side's growth at that scale.
// Reads:   side, the chart's smaller dimension in device pixels; drawScale, more than 0.
float LabelTextPixels(int side, float drawScale);

// LabelRingReach: how far the dark ring round a label of this size reaches, pixels: one
// round the chart font's 13 pixels, growing with the size.
int LabelRingReach(float pixels);

// LargeFiguresScale: the draw scale of 大きな星と文字 (figures, lines and every letter
// growing with the chart): the screen's ratio times the side's growth.
// Reads:   ratio, device pixels per window pixel; side, the chart's side in window pixels.
double LargeFiguresScale(double ratio, int side);
