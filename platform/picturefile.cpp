#include "picturefile.h"

#include "error.h"
#include "stream.h"

#include <QBuffer>
#include <QFileInfo>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

void putLE(QByteArray& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegFailed(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

// Plain C flow between setjmp and longjmp: nothing here has a destructor.
bool compress(const std::uint8_t* rgb, int width, int height, int quality, unsigned char** out,
              unsigned long* size, char* message) {
    jpeg_compress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFailed;
    if (setjmp(error.jump)) {
        std::strncpy(message, error.message, JMSG_LENGTH_MAX);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + std::size_t(info.next_scanline) * 3 * width);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// Corrupt-data warnings are counted, not printed: a picture that needed one
// is treated as damaged.
void jpegWarning(j_common_ptr info, int level) {
    if (level < 0) {
        ++info->err->num_warnings;
    }
}

// Far above any picture of the program, and keeps a damaged header that
// claims 65535 x 65535 pixels from allocating gigabytes.
constexpr std::uint64_t maxJpegPixels = std::uint64_t(1) << 27;

// Plain C flow between setjmp and longjmp, as in compress(); the image is the
// caller's, and its rows are only written.
bool decompress(const unsigned char* data, unsigned long size, QImage* out) {
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFailed;
    error.manager.emit_message = jpegWarning;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB; // greyscale pictures too
    jpeg_calc_output_dimensions(&info);
    if (std::uint64_t(info.output_width) * info.output_height > maxJpegPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    *out = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                  QImage::Format_RGB888);
    if (out->isNull() || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    const bool clean = error.manager.num_warnings == 0;
    jpeg_destroy_decompress(&info);
    return clean;
}

} // namespace

QByteArray bmpBytes(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width();
    const int h = rgb.height();
    const std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(h);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(54 + pixels));
    out.append("BM");
    putLE(out, 54 + pixels, 4); // file size
    putLE(out, 0, 4);           // reserved
    putLE(out, 54, 4);          // offset of the pixels
    putLE(out, 40, 4);          // header size
    putLE(out, static_cast<std::uint32_t>(w), 4);
    putLE(out, static_cast<std::uint32_t>(h), 4); // positive: bottom-up
    putLE(out, 1, 2);                             // planes
    putLE(out, 24, 2);                            // bits a pixel
    putLE(out, 0, 4);                             // no compression
    putLE(out, pixels, 4);
    putLE(out, 3780, 4); // 96 pixels per inch
    putLE(out, 3780, 4);
    putLE(out, 0, 4);
    putLE(out, 0, 4);
    std::vector<char> row(stride, 0);
    for (int y = h - 1; y >= 0; --y) {
        const uchar* src = rgb.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<char>(src[3 * x + 2]); // blue, green, red
            row[3 * x + 1] = static_cast<char>(src[3 * x + 1]);
            row[3 * x + 2] = static_cast<char>(src[3 * x]);
        }
        out.append(row.data(), stride);
    }
    return out;
}

QByteArray jpegBytes(const QImage& image, int quality) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    // Rows of the converted image are padded to 4 bytes; libjpeg wants them packed.
    std::vector<std::uint8_t> packed(std::size_t(rgb.width()) * 3 * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(packed.data() + std::size_t(y) * 3 * rgb.width(), rgb.constScanLine(y),
                    std::size_t(rgb.width()) * 3);
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok =
        compress(packed.data(), rgb.width(), rgb.height(), quality, &buffer, &size, message);
    QByteArray out;
    if (ok) {
        out = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    }
    std::free(buffer);
    if (!ok) {
        throw WriteError(QStringLiteral("Kan de JPEG-afbeelding niet maken: %1")
                             .arg(QString::fromLocal8Bit(message)));
    }
    return out;
}

QImage decodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return {};
    }
    QImage image;
    if (!decompress(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size()), &image)) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QByteArray pngBytes(const QImage& image) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw WriteError(QStringLiteral("Kan de PNG-afbeelding niet maken"));
    }
    return out;
}

void writePicture(const QImage& image, const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("bmp")) {
        writeWholeFile(fileName, bmpBytes(image));
    } else if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg")) {
        writeWholeFile(fileName, jpegBytes(image));
    } else if (suffix == QStringLiteral("png")) {
        writeWholeFile(fileName, pngBytes(image));
    } else {
        throw KivoraError(
            QStringLiteral("Onbekend soort afbeelding: \"%1\" (kies .png, .bmp of .jpg)")
                .arg(fileName));
    }
}
