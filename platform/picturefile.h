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

// By the file name's extension: .bmp, .jpg or .jpeg, .png (any letter case).
// KivoraError for another extension.
void writePicture(const QImage& image, const QString& fileName);
