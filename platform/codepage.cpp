#include "codepage.h"

#include <array>

namespace {

// Unicode of the bytes 0x80 to 0x9F; the other bytes are Latin-1.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

char encodeOne(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < high.size(); ++i) {
        if (high[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

QString fromCp1252(const char* data, qsizetype length) {
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString fromCp1252(const QByteArray& bytes) {
    return fromCp1252(bytes.constData(), bytes.size());
}

QByteArray toCp1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    qsizetype n = 0;
    const QChar* in = text.constData();
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = in[i].unicode();
        // A surrogate pair is one character outside 1252: one '?'.
        if (QChar::isHighSurrogate(c) && i + 1 < length && in[i + 1].isLowSurrogate()) {
            ++i;
            out[n++] = '?';
            continue;
        }
        out[n++] = encodeOne(c);
    }
    bytes.truncate(n);
    return bytes;
}
