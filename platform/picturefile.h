#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Picture files of a map. Each is written whole or not at all: the old file
// is replaced only when the new one is complete. Failures raise FileError or
// WriteError naming the file.

// A Windows bitmap, 24 bits a pixel, rows bottom-up and padded to 4 bytes.
QByteArray bmpBytes(const QImage& image);
// A colour JPEG through libjpeg: baseline (not progressive), the given quality.
QByteArray jpegBytes(const QImage& image, int quality = 90);
QByteArray pngBytes(const QImage& image);

// A JPEG picture through libjpeg, as an RGB32 image. Colour and greyscale
// pictures are read; a damaged one (also one that libjpeg could only read
// with corrupt-data warnings), a colour model it cannot turn into RGB, or a
// picture of more than 2^27 pixels gives a null image.
QImage decodeJpeg(const QByteArray& bytes);

// By the file name's extension: .bmp, .jpg or .jpeg, .png (any letter case).
// KivoraError for another extension.
void writePicture(const QImage& image, const QString& fileName);
