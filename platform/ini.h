#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// An INI file held in memory, read the way the Windows profile functions read
// one: a line "[name]" opens a section, "key = value" lines fill it. Section
// and key names match without regard to letter case; of two equal keys (or
// sections) the first wins; spaces and tabs around names and values are
// dropped, and so is one pair of quotes around a value. Lines starting with
// ";", lines without "=" and lines before the first section are ignored.
class IniFile {
public:
    IniFile() = default;
    // Text held in memory, for example a fetched settings file.
    explicit IniFile(const QByteArray& text);

    // Reads a file from disk. False when it cannot be read; the reader is then
    // empty, so every read gives its default.
    bool load(const QString& fileName);

    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;

    QString readString(const QString& section, const QString& key,
                       const QString& fallback = QString()) const;
    // The value's bytes as the file holds them, for values that are not text.
    QByteArray readBytes(const QString& section, const QString& key,
                         const QByteArray& fallback = QByteArray()) const;
    // Decimal, or hexadecimal after "$" or "0x"; anything else gives the fallback.
    std::int32_t readInteger(const QString& section, const QString& key,
                             std::int32_t fallback) const;
    // An integer, 0 false and anything else true.
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    // A decimal fraction with a point or a comma as the decimal sign.
    double readFloat(const QString& section, const QString& key, double fallback) const;

private:
    struct Section {
        QHash<QString, QByteArray> values; // by case-folded key; first one kept
    };
    const QByteArray* find(const QString& section, const QString& key) const;

    std::vector<Section> m_sections;
    QHash<QString, std::size_t> m_index; // case-folded section name -> first section
};

// The integer rules of the INI reader: optional sign, then decimal digits, or
// hexadecimal digits after "$" or "0x" (up to 32 bits, taken as signed).
std::optional<std::int32_t> parseIniInteger(const QString& text);
// A decimal fraction with "." or "," as its one decimal sign, optionally with
// an exponent; no thousands separators, nothing but a finite number.
std::optional<double> parseIniFloat(const QString& text);

// Text of settings and parameter files: UTF-8 when the bytes are valid UTF-8
// (a byte order mark is dropped), Windows-1252 otherwise, which is what files
// written on Windows hold.
QString decodeSettingsText(const QByteArray& bytes);
