// Chart geometry, the frame, vertical text, the click hit test and the connecting lines,
// drawn on a recording canvas whose "字" is 12 x 12 pixels.
#include "ZiweiexLayout.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

ChartGeometry Layout12(RecordingCanvas& canvas) { return LayoutCanvas(canvas, 9); }

}  // namespace

TEST(LayoutCanvas, SizesFollowTheCharacterWidth)
{
    RecordingCanvas canvas(12, 12);
    const ChartGeometry g = Layout12(canvas);
    EXPECT_EQ(g.imageWidth, 593);
    EXPECT_EQ(canvas.Width(), 593);
    EXPECT_EQ(canvas.Height(), 473);
    EXPECT_EQ(g.gridHeight, 432);
    EXPECT_EQ(g.cellWidth, 148);
    EXPECT_EQ(g.cellHeight, 108);
    EXPECT_EQ(g.halfWidth, 296);
    EXPECT_EQ(g.halfHeight, 216);
    EXPECT_EQ(g.fontSize, 9);
}

TEST(LayoutCanvas, ZoomStaysWithinSevenAndTwenty)
{
    EXPECT_EQ(ZoomedFontSize(20, +1), 20);
    EXPECT_EQ(ZoomedFontSize(7, -1), 7);
    EXPECT_EQ(ZoomedFontSize(25, +1), 20);
    EXPECT_EQ(ZoomedFontSize(25, -1), 20);
    EXPECT_EQ(ZoomedFontSize(9, +1), 10);
}

TEST(CellCorner, AllTwelveBranches)
{
    RecordingCanvas canvas;
    const ChartGeometry g = Layout12(canvas);
    const int w = g.cellWidth, h = g.cellHeight;
    // Rows from the top: 巳 午 未 申 / 辰 . . 酉 / 卯 . . 戌 / 寅 丑 子 亥.
    const struct { int branch, col, row; } cells[] = {
        {6, 0, 0}, {7, 1, 0}, {8, 2, 0}, {9, 3, 0}, {5, 0, 1}, {10, 3, 1},
        {4, 0, 2}, {11, 3, 2}, {3, 0, 3}, {2, 1, 3}, {1, 2, 3}, {0, 3, 3}};
    for (const auto& c : cells) {
        const CanvasPoint p = CellCorner(g, c.branch);
        EXPECT_EQ(p.x, c.col * w) << c.branch;
        EXPECT_EQ(p.y, c.row * h) << c.branch;
    }
}

TEST(DrawFrame, OutlinesTheGridAndStopsTheMiddleLinesAtTheCentreBox)
{
    RecordingCanvas canvas;
    const ChartGeometry g = Layout12(canvas);
    DrawFrame(canvas, g);
    ASSERT_EQ(canvas.shapes.size(), 9u);
    const auto& frame = canvas.shapes[0];
    EXPECT_EQ(frame.kind, RecordingCanvas::Shape::Rectangle);
    EXPECT_EQ(frame.points[1].x, 593);
    EXPECT_EQ(frame.points[1].y, 432);
    EXPECT_EQ(frame.fill, chart_colour::kWhite);
    EXPECT_EQ(frame.colour, chart_colour::kBlack);
    // The middle horizontal line: two pieces, leaving out the centre box.
    const auto& left = canvas.shapes[5];
    EXPECT_EQ(left.points[0].y, 216);
    EXPECT_EQ(left.points[1].x, 148);
    const auto& right = canvas.shapes[6];
    EXPECT_EQ(right.points[0].x, 444);
    EXPECT_EQ(right.points[1].x, 593);
}

TEST(DrawVertical, OneCharacterPerLine)
{
    RecordingCanvas canvas;
    const ChartGeometry g = Layout12(canvas);
    DrawVertical(canvas, g, 10, 20, "紫微", chart_colour::kRed);
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(canvas.texts[0].text, "紫");
    EXPECT_EQ(canvas.texts[1].text, "微");
    EXPECT_EQ(canvas.texts[1].x, 10);
    EXPECT_EQ(canvas.texts[1].y, 32);
    EXPECT_EQ(canvas.texts[1].colour, chart_colour::kRed);
}

TEST(PalaceAtPoint, CentreBoxCellsAndOutside)
{
    RecordingCanvas canvas;
    const ChartGeometry g = Layout12(canvas);
    // The centre box spans x 148..443 and y 108..323, with or without a chart.
    EXPECT_TRUE(std::holds_alternative<CentreBoxHit>(PalaceAtPoint(g, 148, 108, false)));
    EXPECT_TRUE(std::holds_alternative<CentreBoxHit>(PalaceAtPoint(g, 443, 323, true)));
    EXPECT_TRUE(std::holds_alternative<NoChartHit>(PalaceAtPoint(g, 444, 323, false)));
    auto branchAt = [&](int col, int row) {
        const auto hit = PalaceAtPoint(g, col * g.cellWidth + 5, row * g.cellHeight + 5, true);
        return std::get<CellHit>(hit).branch;
    };
    EXPECT_EQ(branchAt(0, 2), 4);   // 卯
    EXPECT_EQ(branchAt(3, 3), 0);   // 亥
    EXPECT_EQ(branchAt(2, 3), 1);   // 子
    EXPECT_EQ(branchAt(0, 0), 6);   // 巳
    EXPECT_EQ(branchAt(3, 1), 10);  // 酉
    // Columns and lines count from the text origin, two pixels in; the margin is column 0.
    const CellHit hit = std::get<CellHit>(PalaceAtPoint(g, 148 + 2 + 12 * 3 + 5, 0 + 2 + 12 * 2 + 1, true));
    EXPECT_EQ(hit.branch, 7);
    EXPECT_EQ(hit.column, 3);
    EXPECT_EQ(hit.line, 2);
    const CellHit margin = std::get<CellHit>(PalaceAtPoint(g, 148, 0, true));
    EXPECT_EQ(margin.column, 0);
    EXPECT_EQ(margin.line, 0);
    // The stem-table strip and the pixel right of the fourth column hit nothing.
    EXPECT_TRUE(std::holds_alternative<NoChartHit>(PalaceAtPoint(g, 10, 440, true)));
    EXPECT_TRUE(std::holds_alternative<NoChartHit>(PalaceAtPoint(g, 592, 10, true)));
}

TEST(DrawLinks, JoinsOppositeAndTrinePalaces)
{
    RecordingCanvas canvas;
    const ChartGeometry g = Layout12(canvas);
    DrawLinks(canvas, g, 1);  // 子
    ASSERT_EQ(canvas.shapes.size(), 2u);
    const auto& opposite = canvas.shapes[0];
    EXPECT_EQ(opposite.colour, chart_colour::kRed);
    // Middle of the 子 cell's top side to the middle of the 午 cell's bottom side.
    EXPECT_EQ(opposite.points[0].x, 370);
    EXPECT_EQ(opposite.points[0].y, 324);
    EXPECT_EQ(opposite.points[1].x, 222);
    EXPECT_EQ(opposite.points[1].y, 108);
    const auto& triangle = canvas.shapes[1];
    ASSERT_EQ(triangle.points.size(), 4u);
    EXPECT_EQ(triangle.points[1].x, 444);  // 申: the centre box's top-right corner
    EXPECT_EQ(triangle.points[1].y, 108);
    EXPECT_EQ(triangle.points[2].x, 148);  // 辰: the middle of its right side
    EXPECT_EQ(triangle.points[2].y, 162);
    EXPECT_EQ(triangle.points[3].x, triangle.points[0].x);
    EXPECT_EQ(triangle.points[3].y, triangle.points[0].y);
}
