#pragma once

#include <QColor>
#include <cstdint>

// A colour as the map files hold it: 0x00BBGGRR, or a system colour with the
// high byte 0xFF and the system colour index in the low byte. The model keeps
// values as they are; only drawing resolves them.
using Colour = std::uint32_t;

namespace colours {
constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;
constexpr Colour red = 0x0000FF;
constexpr Colour blue = 0xFF0000;
constexpr Colour olive = 0x008080;

constexpr Colour systemFlag = 0xFF000000;
constexpr Colour windowText = 0xFF000008;
constexpr Colour window = 0xFF000005;
constexpr Colour buttonFace = 0xFF00000F;
} // namespace colours

constexpr Colour rgbColour(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr bool isSystemColour(Colour c) {
    return (c & 0xFF000000u) == colours::systemFlag;
}

// The plain 0x00BBGGRR value a colour stands for: system colours come from the
// fixed classic scheme (see docs/DESIGN.md); other high bytes are ignored.
Colour resolveColour(Colour c);

QColor toQColor(Colour c);
Colour fromQColor(const QColor& c);
