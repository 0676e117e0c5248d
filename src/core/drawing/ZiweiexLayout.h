#pragma once
// Geometry of the chart image: a four-by-four grid whose twelve outer cells are the palaces
// (named by branch) and whose middle block is the centre box, with a strip below for the stem
// table. Every size derives from the chart font.
#include "ChartCanvas.h"

#include <string_view>
#include <variant>

struct ChartGeometry {
    int fontSize = 0;
    int charWidth = 0;   // width of "字"
    int charHeight = 0;  // height of "字"
    int imageWidth = 0;
    int gridHeight = 0;  // the image is taller: the stem table strip lies below the grid
    int cellWidth = 0;
    int cellHeight = 0;
    int halfWidth = 0;
    int halfHeight = 0;
};

inline constexpr std::string_view kChartFace = "宋体";
constexpr int kMinFontSize = 7;
constexpr int kMaxFontSize = 20;

// Measures the chart font at `fontSize` points, resizes the canvas to the chart's size (blank)
// and returns the geometry.
ChartGeometry LayoutCanvas(ChartCanvas& canvas, int fontSize);

// Font size after one zoom step (+1 or -1), kept within 7..20.
int ZoomedFontSize(int fontSize, int step);

// Top-left corner of the cell of branch b (0 亥 .. 11 戌).
CanvasPoint CellCorner(const ChartGeometry& g, int branch);

// Position index of a branch's cell: 0 at 酉, growing counter-clockwise.
constexpr int CellIndex(int branch) { return ((10 - branch) % 12 + 12) % 12; }

// White grid area with its grid lines; the middle lines stop at the centre box.
void DrawFrame(ChartCanvas& canvas, const ChartGeometry& g);

// Writes text downwards, one character per line of charHeight.
void DrawVertical(ChartCanvas& canvas, const ChartGeometry& g, int x, int y, std::string_view text, Rgb colour);

// What a point of the image shows.
struct CentreBoxHit {};
struct NoChartHit {};
struct CellHit {
    int branch;  // the palace cell's branch
    int column;  // character column within the cell (a star's slot)
    int line;    // text line within the cell
};
using PointHit = std::variant<CentreBoxHit, NoChartHit, CellHit>;

// The hit test of chart clicks. Points in the strip below the grid or right of the fourth
// column hit no palace and count as no chart.
PointHit PalaceAtPoint(const ChartGeometry& g, int x, int y, bool chartPresent);

// Where the connecting lines meet a branch's cell: the middle of the side that touches the
// centre box, or for a corner cell the centre box's corner.
CanvasPoint LinkAnchor(const ChartGeometry& g, int branch);

// Red lines from b's cell to its opposite palace, and the triangle of b and its trines.
void DrawLinks(ChartCanvas& canvas, const ChartGeometry& g, int branch);
