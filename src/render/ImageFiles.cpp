#include "ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <jpeglib.h>
#include <setjmp.h>
#include <sys/stat.h>
#include <vector>

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    jmp_buf escape;
};

void OnJpegError(j_common_ptr info)
{
    longjmp(reinterpret_cast<JpegError*>(info->err)->escape, 1);
}

// Compresses the image into memory; empty on failure.
std::vector<unsigned char> EncodeJpeg(const QImage& source, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(error.escape)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.density_unit = 1;  // dots per inch
    info.X_density = 96;
    info.Y_density = 96;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

}  // namespace

bool WriteOutputFile(const QString& path, const QByteArray& bytes)
{
    struct stat st{};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) return false;
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() &&
               file.flush() && (file.close(), file.error() == QFileDevice::NoError);
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool SaveImage(const QImage& image, const QString& path, ImageFormat format, int jpegQuality)
{
    QByteArray bytes;
    if (format == ImageFormat::Jpeg) {
        const std::vector<unsigned char> jpeg = EncodeJpeg(image, jpegQuality);
        bytes = QByteArray(reinterpret_cast<const char*>(jpeg.data()), static_cast<qsizetype>(jpeg.size()));
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, format == ImageFormat::Png ? "PNG" : "BMP")) return false;
    }
    return !bytes.isEmpty() && WriteOutputFile(path, bytes);
}
