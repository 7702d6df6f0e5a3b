#pragma once
// What the chart needs of a drawing surface: a persistent image with colours,
// fill style, text position and font. The rendering code talks to surfaces
// only through these operations, so it runs against an in-memory raster as
// well as in the window.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

#include "core/View.h"
#include "geometry/Projection.h"

// Red + 256 x green + 65536 x blue, each component 0..255.
using Colour = std::int32_t;

constexpr Colour RGB(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }
inline constexpr Colour Black = RGB(0, 0, 0);
inline constexpr Colour White = RGB(255, 255, 255);

// A grey level as a numeric value: rounded to a 16-bit integer (halves to even) before it
// becomes the three components.
Colour GreyColour(double level);

enum class FillStyleKind { Solid, Transparent };

// One item of a Print: a text, or a number written with its sign place.
using PrintItem = std::variant<double, std::string>;

// The line that Print draws for its items. A number is written as its decimal
// text after a space (or its minus sign) and before a space; a whole number
// has no decimal point. So 35 then "°" gives " 35 °", -10 gives "-10 °".
std::string FormatPrintLine(std::initializer_list<PrintItem> items);

// Every input that decides the pixels of a chart's frame (sphere, horizon,
// compass): the same key on the same surface means the same frame.
struct FrameKey {
    int Width = 0, Height = 0;  // The surface, pixels.
    Colour BackColor = 0;
    FillStyleKind FillStyle = FillStyleKind::Transparent;
    Projection Proj;
    float DrawScale = 1.0f;   // Device pixels per chart pixel.
    Colour TextOutline = -1;  // The labels' outline colour; -1 for none.
    float LineHeight = 0.0f;  // Of the surface's text, pixels.
    bool CompassInLabelFont = false;
    Palette Inks = Palette::Screen;
    // The kept overlay drawing laid over the frame after the stars (see KeepLayer); 0 for
    // none. A surface keeping this frame keeps that drawing with it.
    std::uint64_t Layer = 0;
    Colour Sky = 0;  // The ground views' sky (昼の空); 0 for the dome and a night sky.
    // Star trails drawn on the dome over this frame: a surface keeping it may keep them
    // with it (KeptTrails).
    bool Trails = false;
    bool operator==(const FrameKey&) const = default;
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Fills the image with BackColor; the text position goes to the top-left corner.
    virtual void Clear() = 0;
    // Ellipse centred at (x, y), semi-axes r and r x aspect, outline one pixel in c,
    // filled with FillColor while FillStyle is solid.
    virtual void Circle(float x, float y, float r, Colour c, float aspect = 1.0f) = 0;
    // A one-pixel line in c.
    virtual void Line(float x1, float y1, float x2, float y2, Colour c) = 0;
    // The axis-parallel box with these opposite corners: outline in c, filled with
    // FillColor while FillStyle is solid.
    virtual void Box(float x1, float y1, float x2, float y2, Colour c) = 0;
    virtual void SetPixel(float x, float y, Colour c) = 0;
    // SetPixel for count points in order, (xy[2k], xy[2k + 1]) each: one call for many
    // stars. A surface may draw them faster than one by one; the pixels are the same.
    virtual void SetPixels(const float* xy, int count, Colour c) {
        for (int k = 0; k < count; ++k) SetPixel(xy[2 * k], xy[2 * k + 1], c);
    }
    // The pixels of a raster of colour numbers laid over the surface from its top-left
    // corner, width x height, one number a pixel row by row: each non-zero number k in
    // rows top..bottom set as SetPixels sets palette[k], and cleared to 0. False, with
    // nothing done, where the surface cannot take them so (its caller then hands them
    // over by SetPixels, a colour at a time: the pixels are the same).
    virtual bool SetNumberedPixels(std::uint16_t* numbers, int width, int height, int top,
                                   int bottom, const Colour* palette, std::size_t colours) {
        (void)numbers, (void)width, (void)height, (void)top, (void)bottom, (void)palette,
            (void)colours;
        return false;
    }
    // True while something watches each figure as it is drawn (a star table reading the
    // star index beside each pixel): the star pass then hands the stars over one by one.
    virtual bool WatchesEachPlot() const { return false; }
    // True for a stand-in that keeps a surface's state and draws nothing (the start-up's
    // unseen redraws): the star pass then projects nothing.
    virtual bool DrawsNothing() const { return false; }
    // Draws text in ForeColor with its top-left corner at the text position, then ends
    // the line: CurrentX becomes 0 and CurrentY moves down by one line of text.
    virtual void PrintText(const std::string& text) = 0;
    // Brings the surface to the front of its stack / puts its image on the screen at once.
    virtual void BringToFront() = 0;
    virtual void Refresh() = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    // Height of one line of text in the surface's font: how far Print moves CurrentY.
    virtual float LineHeight() const = 0;
    // The labels' face: with pixels above 0, text is printed and measured in the label
    // font at that size from now on, where the surface has one; with 0, in the surface's
    // own font again. LabelText: the size in use, 0 for the surface's own font.
    virtual void UseLabelText(float pixels) { (void)pixels; }
    virtual float LabelText() const { return 0.0f; }
    // How far the text position moves right past this text, pixels, for labels printed
    // in pieces. A surface that draws no glyphs answers a rough width: full-width
    // characters one line high, others half that.
    virtual float TextAdvance(const std::string& text);
    // A surface may keep the pixels of one frame and put them back later instead of
    // having the frame drawn again; these are hints, and a surface may keep nothing.
    virtual bool RestoreFrame(const FrameKey&) { return false; }
    virtual void KeepFrame(const FrameKey&) {}
    // The drawing that the key's Layer names, drawn between BeginLayer and KeepLayer after
    // the stars, may be kept over the frame just kept, so that the next RestoreFrame puts
    // back both. RedrawLayer then lays that drawing again over the pixels drawn since the
    // frame came back (the stars), exactly as drawing it afresh would; false when the
    // surface cannot, and then the caller draws it.
    virtual void BeginLayer() {}
    virtual void KeepLayer(std::uint64_t) {}
    virtual bool RedrawLayer(std::uint64_t) { return false; }
    // Star trails kept with the frame, under its layer, so that an animation step hands
    // over only the trail pixels whose colour changed. KeptTrails: true where the image is
    // a kept frame of a key with Trails just as it came back or was kept, nothing drawn
    // since, and the surface can keep trails with it; token is then the one given with
    // the trails it holds (0 for none).
    virtual bool KeptTrails(std::uint64_t& token) const {
        token = 0;
        return false;
    }
    // ChangeKeptTrails: after KeptTrails said true, each of the count pixels (indices row
    // by row) set to palette[inks[k]], or to the frame's own pixel for ink 0, in the kept
    // frame under its layer and in the image alike; with anew, the trails held before are
    // all taken out first. The trails held are token's from then on.
    virtual void ChangeKeptTrails(const std::uint32_t* pixels, const std::uint16_t* inks,
                                  std::size_t count, const Colour* palette, std::size_t colours,
                                  bool anew, std::uint64_t token) {
        (void)pixels, (void)inks, (void)count, (void)palette, (void)colours, (void)anew,
            (void)token;
    }

    // A line without a colour is drawn in ForeColor.
    void Line(float x1, float y1, float x2, float y2) { Line(x1, y1, x2, y2, ForeColor); }
    void Print(std::initializer_list<PrintItem> items) { PrintText(FormatPrintLine(items)); }

    Colour BackColor = Black;
    Colour ForeColor = Black;
    Colour FillColor = Black;
    FillStyleKind FillStyle = FillStyleKind::Transparent;
    float CurrentX = 0.0f;
    float CurrentY = 0.0f;
    // Device pixels per chart pixel for what has a size of its own: line and outline
    // widths, points and star discs. 1 on an ordinary screen; the ratio of a HiDPI screen,
    // times the growth of the projector mode. Positions are in the surface's own pixels.
    float DrawScale = 1.0f;
    // A colour drawn round printed text, so that it stands out from any ground; -1 none.
    Colour TextOutline = -1;
    // The compass letters in the label font too, at the labels' size (大きな星と文字: a
    // draw scale the chart font's masks may not come in).
    bool CompassInLabelFont = false;
    // How the colours handed to the surface become pixels; the chart call sets it from the
    // view. A surface without pixels of its own ignores it.
    Palette Inks = Palette::Screen;
};

// The face the compass letters are printed in: the surface's own, or the labels' where
// CompassInLabelFont asks for it.
inline float CompassText(const DrawingSurface& S) {
    return S.CompassInLabelFont ? S.LabelText() : 0.0f;
}

// SetLargeFigures: the labels of 大きな星と文字 on S, or the plain chart's: a dark ring round
// every label, which keeps 北 legible on the grey horizon, and the compass letters in the
// label font, which takes any size.
inline void SetLargeFigures(DrawingSurface& S, bool on) {
    S.TextOutline = on ? Black : -1;
    S.CompassInLabelFont = on;
}

// The labels' face while it lives, the face in use before it afterwards.
class LabelTextScope {
public:
    LabelTextScope(DrawingSurface& surface, float pixels)
        : Surface(surface), Before(surface.LabelText()) {
        Surface.UseLabelText(pixels);
    }
    ~LabelTextScope() { Surface.UseLabelText(Before); }
    LabelTextScope(const LabelTextScope&) = delete;
    LabelTextScope& operator=(const LabelTextScope&) = delete;

private:
    DrawingSurface& Surface;
    float Before;
};
