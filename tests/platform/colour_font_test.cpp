#include "platform/colour.h"
#include "platform/font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Colour, SystemColoursResolveOnlyWhenDrawn) {
    const struct {
        Colour stored;
        Colour drawn;
    } cases[] = {
        {colours::windowText, 0x000000},
        {colours::window, 0xFFFFFF},
        {colours::buttonFace, 0xC0C0C0},
        {0xFF00000D, 0x800000}, // highlight: dark blue
        {0xFF0000FF, 0x000000}, // an index the platform does not know
        {0x00123456, 0x123456},
        {0x02123456, 0x123456}, // a palette-relative value draws its colour
    };
    for (const auto& c : cases) {
        EXPECT_EQ(resolveColour(c.stored), c.drawn) << std::hex << c.stored;
    }
    EXPECT_TRUE(isSystemColour(colours::windowText));
    EXPECT_FALSE(isSystemColour(colours::white));
}

TEST(Colour, LowByteIsRed) {
    EXPECT_EQ(toQColor(colours::red), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(colours::blue), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(colours::olive), QColor(128, 128, 0));
    EXPECT_EQ(fromQColor(QColor(1, 2, 3)), 0x030201u);
}

TEST(Font, SizeAndHeightAt96PixelsPerInch) {
    const struct {
        std::int32_t size;
        std::int32_t height;
    } both[] = {{8, -11}, {10, -13}, {12, -16}, {14, -19}, {20, -27}, {4, -5}};
    for (const auto& c : both) {
        Font f;
        f.setSize(c.size);
        EXPECT_EQ(f.height, c.height) << c.size;
        EXPECT_EQ(f.size(), c.size) << c.height;
    }
    Font f;
    f.height = -15;
    EXPECT_EQ(f.size(), 11);
    f.height = 16; // a cell height gives a negative size, as on the platform
    EXPECT_EQ(f.size(), -12);
}

TEST(Font, WindowsFacesMapToInstalledLookAlikes) {
    const struct {
        const char* face;
        const char* family;
    } cases[] = {
        {"Arial", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Comic Sans MS", "Comic Neue"},
        {"System", "DejaVu Sans"},
        {"Symbol", "DejaVu Sans"},
        {"No Such Face 123", "Liberation Sans"},
        {"", "Liberation Sans"},
        {"DejaVu Serif", "DejaVu Serif"}, // installed faces are used as they are
    };
    for (const auto& c : cases) {
        const QString face = QString::fromUtf8(c.face);
        EXPECT_EQ(qtFamilyFor(face), QString::fromUtf8(c.family)) << c.face;
        Font f;
        f.name = face;
        // The family must really be there, not silently replaced by fontconfig.
        EXPECT_EQ(QFontInfo(toQFont(f)).family(), QString::fromUtf8(c.family)) << c.face;
    }
}

TEST(Font, NegativeHeightIsThePixelSizeAndStylesCarryOver) {
    Font f;
    f.height = -13;
    f.style = Font::Bold | Font::Italic | Font::Underline | Font::StrikeOut;
    const QFont q = toQFont(f);
    EXPECT_EQ(q.pixelSize(), 13);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_TRUE(q.strikeOut());
}

TEST(Font, PositiveHeightIsTheCellHeight) {
    for (std::int32_t cell : {12, 20, 33}) {
        Font f;
        f.height = cell;
        const QFontMetrics metrics(toQFont(f));
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), cell, 1) << cell;
    }
}

TEST(Font, AbsurdHeightsFromDamagedFilesStaySane) {
    for (std::int32_t h :
         {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 0}) {
        Font f;
        f.height = h;
        const QFont q = toQFont(f);
        EXPECT_GE(q.pixelSize(), 1);
        EXPECT_LE(q.pixelSize(), 4096);
    }
}

} // namespace
