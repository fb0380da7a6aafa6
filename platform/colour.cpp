#include "colour.h"

#include <array>

namespace {

// The classic desktop scheme, indexed by system colour number. Fixed rather
// than taken from the desktop, so a map looks the same on every machine.
constexpr std::array<Colour, 31> systemColours = {
    rgbColour(0xC8, 0xC8, 0xC8), //  0 scroll bar
    rgbColour(0x00, 0x80, 0x80), //  1 desktop background
    rgbColour(0x00, 0x00, 0x80), //  2 active caption
    rgbColour(0x80, 0x80, 0x80), //  3 inactive caption
    rgbColour(0xC0, 0xC0, 0xC0), //  4 menu
    rgbColour(0xFF, 0xFF, 0xFF), //  5 window
    rgbColour(0x00, 0x00, 0x00), //  6 window frame
    rgbColour(0x00, 0x00, 0x00), //  7 menu text
    rgbColour(0x00, 0x00, 0x00), //  8 window text
    rgbColour(0xFF, 0xFF, 0xFF), //  9 caption text
    rgbColour(0xC0, 0xC0, 0xC0), // 10 active border
    rgbColour(0xC0, 0xC0, 0xC0), // 11 inactive border
    rgbColour(0x80, 0x80, 0x80), // 12 application workspace
    rgbColour(0x00, 0x00, 0x80), // 13 highlight
    rgbColour(0xFF, 0xFF, 0xFF), // 14 highlight text
    rgbColour(0xC0, 0xC0, 0xC0), // 15 button face
    rgbColour(0x80, 0x80, 0x80), // 16 button shadow
    rgbColour(0x80, 0x80, 0x80), // 17 grey text
    rgbColour(0x00, 0x00, 0x00), // 18 button text
    rgbColour(0xC0, 0xC0, 0xC0), // 19 inactive caption text
    rgbColour(0xFF, 0xFF, 0xFF), // 20 button highlight
    rgbColour(0x00, 0x00, 0x00), // 21 3-D dark shadow
    rgbColour(0xDF, 0xDF, 0xDF), // 22 3-D light
    rgbColour(0x00, 0x00, 0x00), // 23 tooltip text
    rgbColour(0xFF, 0xFF, 0xE1), // 24 tooltip background
    rgbColour(0xB5, 0xB5, 0xB5), // 25 (unused index)
    rgbColour(0x00, 0x00, 0xFF), // 26 hot-tracked item
    rgbColour(0x10, 0x84, 0xD0), // 27 active caption gradient
    rgbColour(0xB5, 0xB5, 0xB5), // 28 inactive caption gradient
    rgbColour(0x31, 0x6A, 0xC5), // 29 menu highlight
    rgbColour(0xEC, 0xE9, 0xD8), // 30 menu bar
};

} // namespace

Colour resolveColour(Colour c) {
    if (isSystemColour(c)) {
        const unsigned index = c & 0xFFu;
        // The platform answers 0 (black) for an index it does not know.
        return index < systemColours.size() ? systemColours[index] : colours::black;
    }
    return c & 0x00FFFFFFu;
}

QColor toQColor(Colour c) {
    const Colour plain = resolveColour(c);
    return QColor(plain & 0xFF, (plain >> 8) & 0xFF, (plain >> 16) & 0xFF);
}

Colour fromQColor(const QColor& c) {
    return rgbColour(c.red(), c.green(), c.blue());
}
