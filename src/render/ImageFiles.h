#pragma once
// Writing the chart image to a file: PNG and BMP through Qt, JPEG through libjpeg-turbo.
#include <QImage>
#include <QString>

enum class ImageFormat { Png, Bmp, Jpeg };

// Writes the image; false (and no partial file left behind) on any failure.
bool SaveImage(const QImage& image, const QString& path, ImageFormat format, int jpegQuality = 90);
