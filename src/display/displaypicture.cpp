#include "display/displaypicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace tavrok {

namespace {

// A damaged file must not end the program: libjpeg's fatal errors jump back here.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void jpegFailed(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->back, 1);
}

void jpegWarning(j_common_ptr, int) {}

// A picture bigger than this is refused before it is decoded: a hand-made header could ask for gigabytes.
constexpr qint64 MaxPixels = 100'000'000;

} // namespace

QStringList displayPictureExtensions() {
    return {QStringLiteral("bmp"), QStringLiteral("ico"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
            QStringLiteral("png")};
}

QImage decodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return {};
    }
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFailed;
    error.manager.emit_message = jpegWarning;
    // Everything the jump may skip lives outside this frame's automatic variables that change after it.
    QImage* image = new QImage;
    if (setjmp(error.back)) {
        jpeg_destroy_decompress(&info);
        delete image;
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || static_cast<qint64>(info.output_width) * info.output_height > MaxPixels) {
        jpeg_destroy_decompress(&info);
        delete image;
        return {};
    }
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        delete image;
        return {};
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    QImage result = std::move(*image);
    delete image;
    return result;
}

QImage loadDisplayPicture(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    if (!displayPictureExtensions().contains(extension)) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (extension == u"jpg" || extension == u"jpeg") {
        return decodeJpeg(bytes);
    }
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, extension.toLatin1());
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > MaxPixels) {
        return {};
    }
    return reader.read();
}

} // namespace tavrok
