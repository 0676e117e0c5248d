#pragma once
// Writing the chart image to a file: PNG and BMP through Qt, JPEG through libjpeg-turbo.
#include <QImage>
#include <QString>

enum class ImageFormat { Png, Bmp, Jpeg };

// Writes the image; false (and no partial file left behind) on any failure. The image is
// encoded in memory first, so no encoder ever meets a write error of its own.
bool SaveImage(const QImage& image, const QString& path, ImageFormat format, int jpegQuality = 90);

// Writes an output file the user named. A regular file (or a new one) is replaced whole through
// a sibling file; anything else (a FIFO, a terminal, /dev/null) is written into directly, never
// renamed over. False on any failure.
bool WriteOutputFile(const QString& path, const QByteArray& bytes);
