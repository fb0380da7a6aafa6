#pragma once

#include "platform/error.h"
#include "platform/font.h"
#include "platform/stream.h"

#include <QString>
#include <QStringList>

// A map file whose bytes do not form a map: cut short, absurd counts, nested
// too deeply. Raised instead of any other read failure while loading.
class DamagedMapError : public ReadError {
public:
    using ReadError::ReadError;
};

// The version every map is written as; older files (4 to 6) are read too.
constexpr std::int32_t mapFileVersion = 7;

// Deepest nesting of branch records a file may hold. Far beyond any real map;
// it keeps a crafted file from exhausting the stack.
constexpr int maxBranchDepth = 2000;

// Longest text box line that the short-string encoding holds exactly.
constexpr int maxShortLine = 254;

// The stream encodings of the map file (text in Windows-1252).
void writeString(Stream& s, const QString& text);
QString readString(Stream& s);
void writeStringList(Stream& s, const QStringList& list);
QStringList readStringList(Stream& s);
void writeFont(Stream& s, const Font& font);
Font readFont(Stream& s);
// Text box lines. Longer lines than maxShortLine are written as several lines,
// split after the last space that fits, else at maxShortLine characters.
void writeShortLines(Stream& s, const QStringList& lines);
void readShortLines(Stream& s, QStringList& lines);
