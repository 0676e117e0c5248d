#pragma once
// A canvas that records what is drawn on it, with fixed font metrics: every character is
// `charWidth` wide and `charHeight` high (an ASCII character half as wide). As on an image, a
// filled rectangle covers what was drawn before inside it: texts whose origin and shapes whose
// points all lie inside are dropped from the record.
#include "ChartCanvas.h"

#include <algorithm>
#include <string>
#include <vector>

class RecordingCanvas final : public ChartCanvas {
public:
    struct Text {
        int x, y;
        std::string text;
        Rgb colour;
        int fontSize;
    };
    struct Shape {
        enum Kind { Line, Polyline, Rectangle, Fill } kind;
        std::vector<CanvasPoint> points;  // corners, or the polyline's points
        Rgb colour;                       // pen, or fill for Fill
        Rgb fill = 0;                     // Rectangle's fill
    };

    explicit RecordingCanvas(int charWidth = 12, int charHeight = 12) : charWidth_(charWidth), charHeight_(charHeight) {}

    std::vector<Text> texts;
    std::vector<Shape> shapes;
    int resizes = 0;

    void Resize(int width, int height) override
    {
        width_ = width;
        height_ = height;
        texts.clear();
        shapes.clear();
        ++resizes;
    }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetFont(std::string_view, int pointSize) override { fontSize_ = pointSize; }
    int TextWidth(std::string_view text) override
    {
        int w = 0;
        for (unsigned char c : text) {
            if (c < 0x80) w += charWidth_ / 2;
            else if (c >= 0xC0) w += charWidth_;
        }
        return w;
    }
    int TextHeight(std::string_view) override { return charHeight_; }
    void DrawText(int x, int y, std::string_view text, Rgb colour) override
    {
        texts.push_back({x, y, std::string(text), colour, fontSize_});
    }
    void SetPen(Rgb colour) override { pen_ = colour; }
    void Line(int x0, int y0, int x1, int y1) override { shapes.push_back({Shape::Line, {{x0, y0}, {x1, y1}}, pen_}); }
    void Polyline(std::span<const CanvasPoint> points) override
    {
        shapes.push_back({Shape::Polyline, {points.begin(), points.end()}, pen_});
    }
    void Rectangle(int left, int top, int right, int bottom, Rgb fill) override
    {
        Cover(left, top, right, bottom);
        shapes.push_back({Shape::Rectangle, {{left, top}, {right, bottom}}, pen_, fill});
    }
    void FillRect(int left, int top, int right, int bottom, Rgb fill) override
    {
        Cover(left, top, right, bottom);
        shapes.push_back({Shape::Fill, {{left, top}, {right, bottom}}, fill});
    }

    // Texts drawn at exactly (x, y).
    std::vector<Text> TextsAt(int x, int y) const
    {
        std::vector<Text> found;
        for (const Text& t : texts)
            if (t.x == x && t.y == y) found.push_back(t);
        return found;
    }

private:
    void Cover(int left, int top, int right, int bottom)
    {
        auto inside = [&](int x, int y) { return x >= left && x < right && y >= top && y < bottom; };
        std::erase_if(texts, [&](const Text& t) { return inside(t.x, t.y); });
        std::erase_if(shapes, [&](const Shape& s) {
            return std::all_of(s.points.begin(), s.points.end(), [&](const CanvasPoint& p) { return inside(p.x, p.y); });
        });
    }

    int charWidth_, charHeight_;
    int width_ = 0, height_ = 0;
    int fontSize_ = 0;
    Rgb pen_ = 0;
};
