// The chart frame on a real image.
#include "ImageCanvas.h"
#include "ImageFiles.h"
#include "ZiweiexLayout.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(ImageCanvas, SongFaceIsAnInstalledCjkFont)
{
    const QString family = ImageCanvas::ResolveFamily("宋体");
    EXPECT_NE(family, QString::fromUtf8("宋体")) << "no CJK Song/Ming face installed";
}

TEST(ImageCanvas, SizeComesFromTheFont)
{
    ImageCanvas canvas;
    const ChartGeometry small = LayoutCanvas(canvas, 9);
    EXPECT_GE(small.charWidth, 11);
    EXPECT_LE(small.charWidth, 13);
    EXPECT_EQ(canvas.image().width(), small.imageWidth);
    EXPECT_EQ(canvas.image().height(), static_cast<int>(small.imageWidth * 0.798165f));
    const ChartGeometry large = LayoutCanvas(canvas, 14);
    EXPECT_GT(large.imageWidth, small.imageWidth * 14 / 9 - 60);
    EXPECT_EQ(large.cellWidth, large.imageWidth / 4);
}

TEST(ImageCanvas, HighDensityImageKeepsChartUnitsAndDoublesItsPixels)
{
    ImageCanvas plain;
    const ChartGeometry g1 = LayoutCanvas(plain, 9);
    DrawFrame(plain, g1);
    ImageCanvas dense;
    dense.SetPixelRatio(2.0);
    const ChartGeometry g2 = LayoutCanvas(dense, 9);
    DrawFrame(dense, g2);
    // Same layout in chart units (where clicks land), twice the pixels each way.
    EXPECT_EQ(g2.imageWidth, g1.imageWidth);
    EXPECT_EQ(g2.cellHeight, g1.cellHeight);
    EXPECT_EQ(dense.Width(), plain.Width());
    EXPECT_EQ(dense.image().width(), 2 * plain.image().width());
    EXPECT_EQ(dense.image().height(), 2 * plain.image().height());
    // The vertical line at the first cell edge lies at twice its unit position; beside it, white.
    const int x = 2 * g2.cellWidth;
    const int y = 2 * (g2.cellHeight / 2);
    EXPECT_EQ(dense.image().pixelColor(x, y), QColor(Qt::black));
    EXPECT_EQ(dense.image().pixelColor(x + 3, y), QColor(Qt::white));
    EXPECT_EQ(plain.image().pixelColor(g1.cellWidth, g1.cellHeight / 2), QColor(Qt::black));
}

TEST(ImageCanvas, FrameDrawsBlackGridLinesOnWhite)
{
    ImageCanvas canvas;
    const ChartGeometry g = LayoutCanvas(canvas, 9);
    DrawFrame(canvas, g);
    const QImage& image = canvas.image();
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    EXPECT_EQ(image.pixel(0, 5), black);                              // left edge
    EXPECT_EQ(image.pixel(g.imageWidth - 1, 5), black);               // right edge
    EXPECT_EQ(image.pixel(5, g.gridHeight - 1), black);               // bottom edge
    EXPECT_EQ(image.pixel(g.cellWidth, 5), black);                    // first vertical line
    EXPECT_EQ(image.pixel(5, 2 * g.cellHeight), black);               // middle line, left piece
    EXPECT_EQ(image.pixel(g.halfWidth, g.halfHeight), white);         // inside the centre box
    EXPECT_EQ(image.pixel(2 * g.cellWidth, g.cellHeight + 5), white);  // the middle line stops
    EXPECT_EQ(image.pixel(5, g.gridHeight + 5), white);               // the strip below
}

TEST(ImageCanvas, TextIsDrawnInItsColourWithoutBlending)
{
    ImageCanvas canvas;
    const ChartGeometry g = LayoutCanvas(canvas, 12);
    canvas.FillRect(10, 10, 10 + g.charWidth, 10 + g.charHeight, chart_colour::kGreen);
    canvas.DrawText(10, 10, "禄", chart_colour::kWhite);
    int white = 0, green = 0, other = 0;
    for (int y = 10; y < 10 + g.charHeight; ++y)
        for (int x = 10; x < 10 + g.charWidth; ++x) {
            const QRgb p = canvas.image().pixel(x, y);
            if (p == qRgb(255, 255, 255)) ++white;
            else if (p == qRgb(0, 0x80, 0)) ++green;
            else ++other;
        }
    EXPECT_GT(white, 10);
    EXPECT_GT(green, white);
    EXPECT_EQ(other, 0);  // no blended edge pixels
}

TEST(ImageFiles, WritesPngBmpAndJpeg)
{
    ImageCanvas canvas;
    const ChartGeometry g = LayoutCanvas(canvas, 9);
    DrawFrame(canvas, g);
    const QString folder = QDir::temp().filePath(QStringLiteral("qiravel-image-test"));
    QDir().mkpath(folder);
    const struct { ImageFormat format; const char* name; const char* magic; } cases[] = {
        {ImageFormat::Png, "chart.png", "\x89PNG"}, {ImageFormat::Bmp, "chart.bmp", "BM"}, {ImageFormat::Jpeg, "chart.jpg", "\xFF\xD8\xFF"}};
    for (const auto& c : cases) {
        const QString path = folder + "/" + c.name;
        ASSERT_TRUE(SaveImage(canvas.image(), path, c.format)) << c.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(4).startsWith(c.magic)) << c.name;
        const QImage back(path);
        EXPECT_EQ(back.size(), canvas.image().size()) << c.name;
        // The grid line survives even the lossy format.
        EXPECT_LT(qGray(back.pixel(g.cellWidth, 5)), 64) << c.name;
    }
    QDir(folder).removeRecursively();
    EXPECT_FALSE(SaveImage(canvas.image(), QStringLiteral("/no/such/folder/chart.png"), ImageFormat::Png));
}
