#pragma once

#include "colour.h"

#include <QFont>
#include <QString>
#include <cstdint>

// A font as the model and the map files see it. Heights are in pixels at the
// model's fixed 96 pixels per inch: negative is a character height (the em),
// positive a cell height (ascent + descent).
struct Font {
    enum StyleBits : std::int32_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    enum PitchValue : std::int32_t { DefaultPitch = 0, VariablePitch = 1, FixedPitch = 2 };

    static constexpr std::int32_t pixelsPerInch = 96;

    QString name = defaultFace();
    std::int32_t height = -13; // 10 pt
    std::int32_t style = 0;
    std::int32_t pitch = DefaultPitch;
    Colour colour = colours::windowText;

    // Size in points: -MulDiv(height, 72, 96).
    std::int32_t size() const;
    // Height for a size in points: -MulDiv(size, 96, 72).
    void setSize(std::int32_t points);

    bool bold() const { return style & Bold; }
    bool italic() const { return style & Italic; }
    bool underline() const { return style & Underline; }
    bool strikeOut() const { return style & StrikeOut; }

    // Equal as a typeface: everything but the colour.
    bool sameFace(const Font& other) const {
        return height == other.height && style == other.style && pitch == other.pitch &&
               name == other.name;
    }
    bool operator==(const Font& other) const = default;

    static QString defaultFace() { return QStringLiteral("Arial"); }
};

// The installed family that stands in for a face name a map file may hold
// ("Arial" -> "Liberation Sans", ...). Unknown faces that are not installed
// fall back to Liberation Sans.
QString qtFamilyFor(const QString& face);

// The one conversion of a model font to a Qt font (colour is not part of it).
QFont toQFont(const Font& font);
