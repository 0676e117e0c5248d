// Charts drawn by the engine onto a real image: its size, the grid lines, the colours of the
// marks and of the highlighted palace, and what a redraw leaves behind.
#include "ImageCanvas.h"
#include "TempHome.h"
#include "Ziweiex.h"

#include <QRect>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr QRgb kAmber = 0xFFFFC000;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kGreen = 0xFF008000;

// 1984-02-05 12:30, male: Life palace 壬申; the 甲 year's 禄 falls on 廉贞, the first star of 午.
ChartInput Zhang()
{
    ChartInput in;
    in.birth = {1984, 2, 5, 12, 30};
    in.isMale = 1;
    in.name = "张三";
    return in;
}

}  // namespace

class ChartImage : public ::testing::Test {
protected:
    ChartImage() { engine.AttachImage(canvas, 9); }

    void Settings(const std::string& ziwei) { std::ofstream(home.dat() / "set.ini") << "[ziwei]\n" << ziwei; }
    const ChartGeometry& g() const { return *engine.geometry(); }
    const QImage& image() const { return canvas.image(); }
    QRect CellRect(int branch) const
    {
        const CanvasPoint c = CellCorner(g(), branch);
        return QRect(c.x, c.y, g().cellWidth, g().cellHeight);
    }
    int Count(const QRect& area, QRgb colour) const
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += image().pixel(x, y) == colour;
        return n;
    }
    int Count(QRgb colour) const { return Count(image().rect(), colour); }
    // Whether the pixels of a row from x0 to x1, or of a column from y0 to y1, are all black.
    bool BlackRow(int y, int x0, int x1) const { return Count(QRect(x0, y, x1 - x0, 1), kBlack) == x1 - x0; }
    bool BlackColumn(int x, int y0, int y1) const { return Count(QRect(x, y0, 1, y1 - y0), kBlack) == y1 - y0; }

    TempHome home;
    ImageCanvas canvas;
    MZiWeiEx engine{home.path()};
};

TEST_F(ChartImage, SizeFollowsTheChartFont)
{
    for (int size : {9, 14}) {
        engine.AttachImage(canvas, size);
        const ChartGeometry& geometry = g();
        const int width = static_cast<int>(static_cast<float>(geometry.charWidth) * 49.41667f);
        EXPECT_EQ(image().width(), width) << size;
        EXPECT_EQ(image().height(), static_cast<int>(static_cast<float>(width) * 0.798165f)) << size;
        EXPECT_EQ(geometry.gridHeight, static_cast<int>(width * 0.73)) << size;
    }
    EXPECT_GT(g().charWidth, 12);  // 14 points at 96 dpi

    // A zoom lays the image out afresh for the next size.
    engine.AttachImage(canvas, 9);
    ASSERT_TRUE(engine.CastNatal(Zhang()));
    engine.Zoom(+1);
    ImageCanvas reference;
    const ChartGeometry ten = LayoutCanvas(reference, 10);
    EXPECT_EQ(g().fontSize, 10);
    EXPECT_EQ(image().size(), reference.image().size());
    EXPECT_EQ(g().cellWidth, ten.cellWidth);
}

TEST_F(ChartImage, GridLinesSurroundTheCells)
{
    ASSERT_TRUE(engine.CastNatal(Zhang()));
    const int cw = g().cellWidth, ch = g().cellHeight, width = g().imageWidth, height = g().gridHeight;
    // The outline.
    EXPECT_TRUE(BlackRow(0, 0, width));
    EXPECT_TRUE(BlackRow(height - 1, 0, width));
    EXPECT_TRUE(BlackColumn(0, 0, height));
    EXPECT_TRUE(BlackColumn(width - 1, 0, height));
    // The lines between the cells of the top and bottom rows and of the outer columns. The red
    // connecting lines stay inside the centre box; they may end on its corners.
    for (int i : {1, 3}) {
        EXPECT_TRUE(BlackColumn(i * cw, 0, ch)) << i;
        EXPECT_TRUE(BlackColumn(i * cw, 3 * ch + 1, height)) << i;
        EXPECT_TRUE(BlackRow(i * ch, 0, cw)) << i;
        EXPECT_TRUE(BlackRow(i * ch, 3 * cw + 1, width)) << i;
    }
    EXPECT_TRUE(BlackColumn(2 * cw, 0, ch));
    EXPECT_TRUE(BlackColumn(2 * cw, 3 * ch, height));
    EXPECT_TRUE(BlackRow(2 * ch, 0, cw));
    EXPECT_TRUE(BlackRow(2 * ch, 3 * cw, width));
    // The middle lines stop at the centre box: below its text, the middle column is white.
    EXPECT_EQ(Count(QRect(2 * cw, 3 * ch - 4, 1, 4), kWhite), 4);
    EXPECT_EQ(Count(QRect(cw + 1, 2 * ch, 4, 1), kWhite) + Count(QRect(3 * cw - 5, 2 * ch, 4, 1), kWhite), 8);
}

TEST_F(ChartImage, NatalMarksAreGreenSquares)
{
    ASSERT_TRUE(engine.CastNatal(Zhang()));
    const CanvasPoint wu = CellCorner(g(), 7);  // 午
    const QRect square(wu.x + 2, wu.y + 2 + 3 * g().charHeight, g().charWidth, g().charHeight);
    const int green = Count(square, kGreen), white = Count(square, kWhite);
    EXPECT_GT(white, 10);  // the character 禄
    EXPECT_GT(green, white);
    EXPECT_EQ(green + white, square.width() * square.height());
}

TEST_F(ChartImage, OnlyTheHighlightedPalaceShowsAmber)
{
    ASSERT_TRUE(engine.CastNatal(Zhang()));
    EXPECT_EQ(Count(kAmber), 0);

    engine.HighlightPalace(9);  // 申
    for (int b = 0; b < 12; ++b) EXPECT_GT(Count(CellRect(b), kAmber), 0) << b;
    const QRect centre(g().halfWidth - g().cellWidth, g().halfHeight - g().cellHeight, 2 * g().cellWidth,
                       2 * g().cellHeight);
    EXPECT_EQ(Count(centre, kAmber), 0);
    EXPECT_EQ(Count(QRect(0, g().gridHeight, image().width(), image().height() - g().gridHeight), kAmber), 0);

    engine.Zoom(+1);
    for (int b = 0; b < 12; ++b) EXPECT_GT(Count(CellRect(b), kAmber), 0) << b;

    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    EXPECT_EQ(Count(kAmber), 0);
    engine.HighlightPalace(5);  // 辰, the annual Life palace
    for (int b = 0; b < 12; ++b) EXPECT_GT(Count(CellRect(b), kAmber), 0) << b;

    ASSERT_TRUE(engine.CastNatal(Zhang()));
    EXPECT_EQ(Count(kAmber), 0);
}

TEST_F(ChartImage, ARedrawLeavesNothingOfTheChartBefore)
{
    // The stem table below the grid changes with the transformation variants; a chart cast
    // after changing them shows the new table only, as on a fresh image.
    Settings("tg7=0\ntg9=0\n");
    ASSERT_TRUE(engine.CastNatal(Zhang()));
    Settings("tg7=2\ntg9=1\n");
    ASSERT_TRUE(engine.CastNatal(Zhang()));
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));

    ImageCanvas freshCanvas;
    MZiWeiEx fresh(home.path());
    fresh.AttachImage(freshCanvas, 9);
    ASSERT_TRUE(fresh.CastNatal(Zhang()));
    ASSERT_TRUE(fresh.CastAnnual({2024, 3, 1, 12, 0}, 0));
    EXPECT_TRUE(image() == freshCanvas.image());
}
