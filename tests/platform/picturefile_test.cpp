#include "platform/error.h"
#include "platform/picturefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

#include <jpeglib.h>

namespace {

QImage sample() {
    QImage image(5, 3, QImage::Format_RGB32); // odd width: BMP rows need padding
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.setPixelColor(x, y, QColor(40 * x, 100 * y, 200 - 30 * x));
        }
    }
    return image;
}

TEST(PictureFile, BmpIsA24BitBottomUpWindowsBitmap) {
    const QByteArray bmp = bmpBytes(sample());
    const int stride = (5 * 3 + 3) & ~3; // 16
    ASSERT_EQ(bmp.size(), 54 + stride * 3);
    auto u16 = [&](int at) { return quint8(bmp[at]) | quint8(bmp[at + 1]) << 8; };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(2), bmp.size());
    EXPECT_EQ(u32(10), 54);
    EXPECT_EQ(u32(14), 40);
    EXPECT_EQ(u32(18), 5);
    EXPECT_EQ(u32(22), 3);
    EXPECT_EQ(u16(28), 24);
    // The first row stored is the bottom one, in blue, green, red order.
    const QColor bottomLeft = sample().pixelColor(0, 2);
    EXPECT_EQ(quint8(bmp[54]), bottomLeft.blue());
    EXPECT_EQ(quint8(bmp[55]), bottomLeft.green());
    EXPECT_EQ(quint8(bmp[56]), bottomLeft.red());
    const QImage back = QImage::fromData(bmp, "BMP");
    ASSERT_EQ(back.size(), QSize(5, 3));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), sample());
}

TEST(PictureFile, PngKeepsEveryPixel) {
    const QImage back = QImage::fromData(pngBytes(sample()), "PNG");
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), sample());
}

TEST(PictureFile, JpegIsBaselineColourAtQuality90) {
    QImage big(64, 48, QImage::Format_RGB32);
    big.fill(QColor(200, 40, 40));
    const QByteArray jpeg = jpegBytes(big, 90);

    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(info.image_width, 64u);
    EXPECT_EQ(info.image_height, 48u);
    EXPECT_EQ(info.num_components, 3);
    EXPECT_EQ(info.jpeg_color_space, JCS_YCbCr);
    EXPECT_FALSE(jpeg_has_multiple_scans(&info)) << "baseline, not progressive";
    EXPECT_FALSE(info.progressive_mode);

    // The quantisation tables are those of quality 90.
    jpeg_compress_struct reference;
    jpeg_error_mgr referenceError;
    reference.err = jpeg_std_error(&referenceError);
    jpeg_create_compress(&reference);
    reference.in_color_space = JCS_RGB;
    reference.input_components = 3;
    jpeg_set_defaults(&reference);
    jpeg_set_quality(&reference, 90, TRUE);
    for (int t = 0; t < 2; ++t) {
        ASSERT_NE(info.quant_tbl_ptrs[t], nullptr);
        for (int i = 0; i < DCTSIZE2; ++i) {
            EXPECT_EQ(info.quant_tbl_ptrs[t]->quantval[i], reference.quant_tbl_ptrs[t]->quantval[i])
                << "table " << t << " entry " << i;
        }
    }
    jpeg_destroy_compress(&reference);

    jpeg_start_decompress(&info);
    std::vector<unsigned char> row(64 * 3);
    unsigned char* rows[] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    EXPECT_NEAR(row[0], 200, 4);
    EXPECT_NEAR(row[1], 40, 4);
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

TEST(PictureFile, TheExtensionChoosesTheFormat) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        const char* format;
    } cases[] = {
        {"kaart.png", "PNG"}, {"kaart.BMP", "BMP"}, {"kaart.jpg", "JPG"}, {"k.JPEG", "JPG"}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        writePicture(sample(), path);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QImage back = QImage::fromData(f.readAll(), c.format);
        EXPECT_EQ(back.size(), QSize(5, 3)) << c.name;
    }
    EXPECT_THROW(writePicture(sample(), dir.filePath(QStringLiteral("kaart.gif"))), KivoraError);
    EXPECT_THROW(writePicture(sample(), dir.filePath(QStringLiteral("geen/map/kaart.png"))),
                 FileError);
}

// Four quadrants of clearly different colours: the decoder must keep each
// in its place and the orientation of the picture.
QImage quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool right = x >= w / 2;
            const bool bottom = y >= h / 2;
            image.setPixelColor(x, y,
                                right ? (bottom ? QColor(250, 250, 250) : QColor(20, 40, 200))
                                      : (bottom ? QColor(30, 160, 40) : QColor(220, 30, 30)));
        }
    }
    return image;
}

TEST(PictureFile, JpegDecodesWhatTheEncoderWrote) {
    const QImage original = quadrants(48, 32);
    const QImage back = decodeJpeg(jpegBytes(original, 95));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), original.size());
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    for (const QPoint at : {QPoint(5, 5), QPoint(42, 5), QPoint(5, 27), QPoint(42, 27)}) {
        const QColor want = original.pixelColor(at);
        const QColor got = back.pixelColor(at);
        EXPECT_NEAR(got.red(), want.red(), 8) << at.x() << "," << at.y();
        EXPECT_NEAR(got.green(), want.green(), 8) << at.x() << "," << at.y();
        EXPECT_NEAR(got.blue(), want.blue(), 8) << at.x() << "," << at.y();
    }
}

TEST(PictureFile, GreyscaleJpegDecodesAsGrey) {
    const int w = 16, h = 8;
    std::vector<unsigned char> grey(std::size_t(w) * h, 90);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = w;
    info.image_height = h;
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = grey.data() + std::size_t(info.next_scanline) * w;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);

    const QImage back = decodeJpeg(bytes);
    ASSERT_EQ(back.size(), QSize(w, h));
    const QColor c = back.pixelColor(3, 3);
    EXPECT_NEAR(c.red(), 90, 3);
    EXPECT_EQ(c.red(), c.green());
    EXPECT_EQ(c.green(), c.blue());
}

TEST(PictureFile, DamagedJpegGivesANullImage) {
    const QByteArray good = jpegBytes(quadrants(64, 64));
    ASSERT_FALSE(decodeJpeg(good).isNull());
    // The frame header (SOF0) claiming 60000 x 60000 pixels.
    QByteArray huge = good;
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (int i : {5, 7}) {
        huge[sof + i] = char(0xEA);
        huge[sof + i + 1] = char(0x60);
    }
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"not a JPEG", QByteArray("GIF89a, geen JPEG")},
        {"only the start marker", good.left(2)},
        {"cut off halfway", good.left(good.size() / 2)},
        {"header claims too many pixels", huge},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(decodeJpeg(c.bytes).isNull()) << c.what;
    }
}

} // namespace
