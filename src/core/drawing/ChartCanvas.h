#pragma once
// The surface the chart engine draws on. The engine knows nothing of the toolkit behind it:
// the desktop program and qiravel-cli draw onto an image, the tests record the calls.
// Coordinates are image pixels, (0, 0) at the top left; right and bottom edges of rectangles
// are excluded.
#include <cstdint>
#include <span>
#include <string_view>

using Rgb = uint32_t;  // 0xRRGGBB

namespace chart_colour {
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kRed = 0xFF0000;     // Life/Body labels, stars 1..26, links, annual months, days, hours
constexpr Rgb kGreen = 0x008000;   // other palace labels, natal marks
constexpr Rgb kBlue = 0x0000FF;    // heading, grades, annual names, marks and stars
constexpr Rgb kPurple = 0x800080;  // stars 27..61
constexpr Rgb kMaroon = 0x800000;  // decade names, marks and stars
constexpr Rgb kAmber = 0xFFC000;   // the highlighted palace's labels and marks
}  // namespace chart_colour

struct CanvasPoint {
    int x = 0;
    int y = 0;
};

class ChartCanvas {
public:
    virtual ~ChartCanvas() = default;

    // Replaces the picture by a blank white one of this size.
    virtual void Resize(int width, int height) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Font for the following text calls; "宋体" names the chart's Song face.
    virtual void SetFont(std::string_view face, int pointSize) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeight(std::string_view text) = 0;
    // Text with its top-left corner at (x, y), in `colour`, leaving the background as it is.
    virtual void DrawText(int x, int y, std::string_view text, Rgb colour) = 0;

    // Lines and outlines use the pen colour.
    virtual void SetPen(Rgb colour) = 0;
    virtual void Line(int x0, int y0, int x1, int y1) = 0;
    virtual void Polyline(std::span<const CanvasPoint> points) = 0;
    // Outline in the pen colour, inside filled with `fill`.
    virtual void Rectangle(int left, int top, int right, int bottom, Rgb fill) = 0;
    // Fills without an outline.
    virtual void FillRect(int left, int top, int right, int bottom, Rgb fill) = 0;
};
