#pragma once
// A drawing surface that keeps what it is asked to draw: the lesson overlays'
// tests count lines by colour and read back printed texts with their places.

#include <string>
#include <vector>

#include "render/DrawingSurface.h"

class RecordingSurface final : public DrawingSurface {
public:
    struct Stroke {
        float X1, Y1, X2, Y2;
        Colour Ink;
    };
    struct Text {
        std::string Value;
        float X, Y;
        Colour Ink;
    };
    std::vector<Stroke> Lines;
    std::vector<Text> Texts;

    int LinesIn(Colour ink) const {
        int n = 0;
        for (const Stroke& s : Lines) n += s.Ink == ink;
        return n;
    }
    const Text* Printed(const std::string& value) const {
        for (const Text& t : Texts)
            if (t.Value == value) return &t;
        return nullptr;
    }

    void Clear() override {}
    void Circle(float, float, float, Colour, float) override {}
    using DrawingSurface::Line;
    void Line(float x1, float y1, float x2, float y2, Colour c) override {
        Lines.push_back({x1, y1, x2, y2, c});
    }
    void Box(float, float, float, float, Colour) override {}
    void SetPixel(float, float, Colour) override {}
    void PrintText(const std::string& text) override {
        Texts.push_back({text, CurrentX, CurrentY, ForeColor});
        CurrentX = 0;
        CurrentY += LineHeight();
    }
    void BringToFront() override {}
    void Refresh() override {}
    int Width() const override { return 408; }
    int Height() const override { return 408; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    float LineHeight() const override { return 14.0f; }
};
