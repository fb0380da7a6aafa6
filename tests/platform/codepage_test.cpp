#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

struct CodeCase {
    char16_t unicode;
    unsigned char byte;
};

TEST(CodePage, MapsTheWindowsPositionsBothWays) {
    const CodeCase cases[] = {
        {u'A', 0x41},   {0x20AC, 0x80}, {0x201A, 0x82}, {0x0160, 0x8A}, {0x2122, 0x99},
        {0x0178, 0x9F}, {0x00A0, 0xA0}, {0x00E9, 0xE9}, {0x00EB, 0xEB}, {0x00FF, 0xFF},
        {0x0081, 0x81}, {0x008D, 0x8D}, {0x008F, 0x8F}, {0x0090, 0x90}, {0x009D, 0x9D},
    };
    for (const auto& c : cases) {
        const QString text(QChar(c.unicode));
        const QByteArray bytes(1, static_cast<char>(c.byte));
        EXPECT_EQ(toCp1252(text), bytes) << int(c.unicode);
        EXPECT_EQ(fromCp1252(bytes), text) << int(c.byte);
    }
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(CodePage, CharactersOutside1252BecomeOneQuestionMarkEach) {
    // U+0080 is a C1 control that 1252 puts the euro sign on instead.
    const QString text = QStringLiteral("a") + QChar(0x015D) + QChar(0x0080) +
                         QString::fromUcs4(U"\U0001F600") + QStringLiteral("z");
    EXPECT_EQ(toCp1252(text), QByteArray("a???z"));
    EXPECT_EQ(toCp1252(QString(QChar(0xD800))), QByteArray("?")); // lone surrogate
}

TEST(CodePage, DutchTextReadsBack) {
    const QString text = QStringLiteral("Één ideeën café — “Kivora” €5");
    EXPECT_EQ(fromCp1252(toCp1252(text)), text);
    EXPECT_EQ(toCp1252(text).size(), text.size());
}

} // namespace
