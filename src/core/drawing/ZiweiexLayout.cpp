#include "ZiweiexLayout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Cell offsets from the grid's middle, in cells, by position index (0 = 酉, counter-clockwise).
constexpr std::array<int, 12> kColumnOffset = {1, 1, 0, -1, -2, -2, -2, -2, -1, 0, 1, 1};
constexpr std::array<int, 12> kRowOffset = {-1, -2, -2, -2, -2, -1, 0, 1, 1, 1, 1, 0};

// Link anchors from the grid's middle, in cells, by position index.
constexpr std::array<double, 12> kAnchorX = {1, 1, 0.5, -0.5, -1, -1, -1, -1, -0.5, 0.5, 1, 1};
constexpr std::array<double, 12> kAnchorY = {-0.5, -1, -1, -1, -1, -0.5, 0.5, 1, 1, 1, 1, 0.5};

// The image is 49.41667 characters wide and 0.798165 of that high (single precision).
constexpr float kWidthInChars = 49.41667f;
constexpr float kHeightRatio = 0.798165f;
constexpr double kGridRatio = 0.73;

void Measure(ChartCanvas& canvas, ChartGeometry& g)
{
    canvas.SetFont(kChartFace, g.fontSize);
    g.charWidth = canvas.TextWidth("字");
    g.charHeight = canvas.TextHeight("字");
    g.imageWidth = static_cast<int>(static_cast<float>(g.charWidth) * kWidthInChars);
}

size_t Utf8Length(unsigned char lead)
{
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

ChartGeometry LayoutCanvas(ChartCanvas& canvas, int fontSize)
{
    ChartGeometry g;
    g.fontSize = fontSize;
    Measure(canvas, g);
    canvas.Resize(g.imageWidth, static_cast<int>(static_cast<float>(g.imageWidth) * kHeightRatio));
    // Measured again on the fresh picture, as its font metrics are the ones drawn with.
    Measure(canvas, g);
    g.gridHeight = static_cast<int>(g.imageWidth * kGridRatio);
    g.cellWidth = g.imageWidth / 4;
    g.cellHeight = g.gridHeight / 4;
    g.halfWidth = g.imageWidth / 2;
    g.halfHeight = g.gridHeight / 2;
    return g;
}

int ZoomedFontSize(int fontSize, int step) { return std::clamp(fontSize + step, kMinFontSize, kMaxFontSize); }

CanvasPoint CellCorner(const ChartGeometry& g, int branch)
{
    const int t = CellIndex(branch);
    return {g.halfWidth + kColumnOffset[t] * g.cellWidth, g.halfHeight + kRowOffset[t] * g.cellHeight};
}

void DrawFrame(ChartCanvas& canvas, const ChartGeometry& g)
{
    using namespace chart_colour;
    canvas.SetPen(kBlack);
    canvas.Rectangle(0, 0, g.imageWidth, g.gridHeight, kWhite);
    for (int i : {1, 3}) {
        canvas.Line(0, i * g.cellHeight, g.imageWidth, i * g.cellHeight);
        canvas.Line(i * g.cellWidth, 0, i * g.cellWidth, g.gridHeight);
    }
    canvas.Line(0, 2 * g.cellHeight, g.cellWidth, 2 * g.cellHeight);
    canvas.Line(3 * g.cellWidth, 2 * g.cellHeight, g.imageWidth, 2 * g.cellHeight);
    canvas.Line(2 * g.cellWidth, 0, 2 * g.cellWidth, g.cellHeight);
    canvas.Line(2 * g.cellWidth, 3 * g.cellHeight, 2 * g.cellWidth, g.gridHeight);
}

void DrawVertical(ChartCanvas& canvas, const ChartGeometry& g, int x, int y, std::string_view text, Rgb colour)
{
    for (size_t i = 0; i < text.size(); y += g.charHeight) {
        const size_t n = std::min(Utf8Length(static_cast<unsigned char>(text[i])), text.size() - i);
        canvas.DrawText(x, y, text.substr(i, n), colour);
        i += n;
    }
}

PointHit PalaceAtPoint(const ChartGeometry& g, int x, int y, bool chartPresent)
{
    if (x >= g.halfWidth - g.cellWidth && x < g.halfWidth + g.cellWidth && y >= g.halfHeight - g.cellHeight &&
        y < g.halfHeight + g.cellHeight)
        return CentreBoxHit{};
    if (!chartPresent || g.cellWidth <= 0 || g.cellHeight <= 0 || x < 0 || y < 0) return NoChartHit{};
    const int col = x / g.cellWidth;
    const int row = y / g.cellHeight;
    int branch;
    switch (col) {
    case 0: branch = 6 - row; break;
    case 1: branch = row == 0 ? 7 : 2; break;
    case 2: branch = row == 0 ? 8 : 1; break;
    case 3: branch = (row + 9) % 12; break;
    default: return NoChartHit{};
    }
    if (row > 3) return NoChartHit{};
    const CanvasPoint corner = CellCorner(g, branch);
    return CellHit{branch, (x - corner.x - 2) / g.charWidth, (y - corner.y - 2) / g.charHeight};
}

CanvasPoint LinkAnchor(const ChartGeometry& g, int branch)
{
    const int t = CellIndex(branch);
    return {static_cast<int>(g.halfWidth + g.cellWidth * kAnchorX[t]),
            static_cast<int>(g.halfHeight + g.cellHeight * kAnchorY[t])};
}

void DrawLinks(ChartCanvas& canvas, const ChartGeometry& g, int branch)
{
    const CanvasPoint p0 = LinkAnchor(g, branch);
    const CanvasPoint p1 = LinkAnchor(g, branch - 4 + 12);
    const CanvasPoint p2 = LinkAnchor(g, branch - 6 + 12);
    const CanvasPoint p3 = LinkAnchor(g, branch - 8 + 12);
    canvas.SetPen(chart_colour::kRed);
    canvas.Line(p0.x, p0.y, p2.x, p2.y);
    const CanvasPoint triangle[] = {p0, p1, p3, p0};
    canvas.Polyline(triangle);
}
