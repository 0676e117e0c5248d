#include "ImageCanvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QtMath>

#include <array>

namespace {

constexpr int kDotsPerMeter = 3780;  // 96 dpi

QColor ToQColor(Rgb c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

QString ToQString(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The installed face that stands for "宋体": a Song (Ming) face from Debian's packages, best first.
QString FindSongFamily()
{
    static const std::array<const char*, 6> candidates = {
        "AR PL UMing CN", "Noto Serif CJK SC", "Source Han Serif SC", "AR PL SungtiL GB", "Noto Sans CJK SC",
        "WenQuanYi Zen Hei"};
    const QStringList families = QFontDatabase::families();
    for (const char* family : candidates)
        if (families.contains(QString::fromUtf8(family))) return QString::fromUtf8(family);
    return QStringLiteral("宋体");
}

}  // namespace

ImageCanvas::ImageCanvas()
{
    Resize(1, 1);
    SetFont("宋体", 9);  // the chart's start-up font until the first layout
}

ImageCanvas::~ImageCanvas() = default;

QString ImageCanvas::ResolveFamily(std::string_view face)
{
    if (face != "宋体") return ToQString(face);
    static const QString song = FindSongFamily();  // the font database is read once
    return song;
}

void ImageCanvas::Resize(int width, int height)
{
    painter_.reset();
    imageWidth_ = std::max(width, 1);
    imageHeight_ = std::max(height, 1);
    image_ = QImage(qCeil(imageWidth_ * ratio_), qCeil(imageHeight_ * ratio_), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.setDotsPerMeterX(kDotsPerMeter);
    image_.setDotsPerMeterY(kDotsPerMeter);
    image_.fill(Qt::white);
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    if (font_.pointSize() > 0) painter_->setFont(font_);
}

void ImageCanvas::SetFont(std::string_view face, int pointSize)
{
    font_ = QFont(ResolveFamily(face));
    font_.setPointSize(pointSize);
    font_.setStyleStrategy(QFont::NoAntialias);
    painter_->setFont(font_);
    metrics_.emplace(font_, &image_);
    ascent_ = metrics_->ascent();
    height_ = metrics_->height();
}

int ImageCanvas::TextWidth(std::string_view text) { return metrics_->horizontalAdvance(ToQString(text)); }

int ImageCanvas::TextHeight(std::string_view) { return height_; }

void ImageCanvas::DrawText(int x, int y, std::string_view text, Rgb colour)
{
    painter_->setPen(ToQColor(colour));
    painter_->drawText(x, y + ascent_, ToQString(text));
}

void ImageCanvas::SetPen(Rgb colour) { pen_ = colour; }

void ImageCanvas::Line(int x0, int y0, int x1, int y1)
{
    painter_->setPen(ToQColor(pen_));
    painter_->drawLine(x0, y0, x1, y1);
}

void ImageCanvas::Polyline(std::span<const CanvasPoint> points)
{
    QPolygon polygon;
    for (const CanvasPoint& p : points) polygon << QPoint(p.x, p.y);
    painter_->setPen(ToQColor(pen_));
    painter_->drawPolyline(polygon);
}

void ImageCanvas::Rectangle(int left, int top, int right, int bottom, Rgb fill)
{
    painter_->setPen(ToQColor(pen_));
    painter_->setBrush(ToQColor(fill));
    // The outline lies inside: the rectangle covers right - left pixels across.
    painter_->drawRect(left, top, right - left - 1, bottom - top - 1);
    painter_->setBrush(Qt::NoBrush);
}

void ImageCanvas::FillRect(int left, int top, int right, int bottom, Rgb fill)
{
    painter_->fillRect(left, top, right - left, bottom - top, ToQColor(fill));
}
