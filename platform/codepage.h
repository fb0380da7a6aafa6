#pragma once

#include <QByteArray>
#include <QString>

// The model holds Unicode text; map files hold Windows-1252 bytes. Bytes that
// 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the control
// character of the same number and encode back, so every byte string survives
// a round trip. A character that 1252 cannot hold is written as '?'.
QString fromCp1252(const char* data, qsizetype length);
QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text);
