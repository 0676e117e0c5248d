#pragma once
// The chart canvas on a QImage. Text uses the CJK Song face installed on the system for "宋体",
// drawn without antialiasing so one-character marks stay crisp at small sizes. The image has
// 96 dots per inch, so a 9-point font is 12 pixels high as on the desktop.
#include "ChartCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>

class ImageCanvas final : public ChartCanvas {
public:
    ImageCanvas();
    ~ImageCanvas() override;
    ImageCanvas(const ImageCanvas&) = delete;
    ImageCanvas& operator=(const ImageCanvas&) = delete;

    const QImage& image() const { return image_; }

    // Pixels per chart unit, for a crisp chart on a high-density screen: the image gets that
    // many pixels per unit and draws scaled, while sizes, text metrics and coordinates stay in
    // chart units. Takes effect at the next Resize (the engine resizes at every layout).
    void SetPixelRatio(qreal ratio) { ratio_ = ratio > 0 ? ratio : 1.0; }
    qreal pixelRatio() const { return ratio_; }

    void Resize(int width, int height) override;
    int Width() const override { return imageWidth_; }
    int Height() const override { return imageHeight_; }
    void SetFont(std::string_view face, int pointSize) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void DrawText(int x, int y, std::string_view text, Rgb colour) override;
    void SetPen(Rgb colour) override;
    void Line(int x0, int y0, int x1, int y1) override;
    void Polyline(std::span<const CanvasPoint> points) override;
    void Rectangle(int left, int top, int right, int bottom, Rgb fill) override;
    void FillRect(int left, int top, int right, int bottom, Rgb fill) override;

    // The family the system gives for a face name ("宋体" maps to an installed Song/Ming face).
    static QString ResolveFamily(std::string_view face);

private:
    QImage image_;
    qreal ratio_ = 1.0;
    int imageWidth_ = 1;      // chart units
    int imageHeight_ = 1;
    std::unique_ptr<QPainter> painter_;  // open on image_ from one Resize to the next
    QFont font_;
    std::optional<QFontMetrics> metrics_;  // of font_ on image_
    int ascent_ = 0;
    int height_ = 0;
    Rgb pen_ = 0;
};
