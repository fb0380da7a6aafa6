#include "platform/ini.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray sample = "; opmerking\r\n"
                          "los=voor elke sectie\r\n"
                          "[Eerste]\r\n"
                          "  naam  =  Jan Jansen  \r\n"
                          "Naam=tweede keer\r\n"
                          "\tgetal\t=\t42\t\r\n"
                          "formule=a=b+c\r\n"
                          "aanhalingstekens=\"  met spaties  \"\r\n"
                          "half=\"open\r\n"
                          "leeg=\r\n"
                          "geen gelijkteken\r\n"
                          "; sleutel=commentaar\r\n"
                          "[ Tweede ]\n"
                          "mac=regel\randers=ook\r"
                          "[eerste]\r\n"
                          "naam=tweede sectie\r\n"
                          "nieuw=ook niet\r\n"
                          "[kapot\r\n"
                          "verloren=1\r\n";

TEST(Ini, ReadsLikeTheWindowsProfileFunctions) {
    const IniFile ini(sample);
    const struct {
        const char* section;
        const char* key;
        const char* value; // nullptr: absent
    } cases[] = {
        {"Eerste", "naam", "Jan Jansen"}, // spaces dropped, first key wins
        {"EERSTE", "NAAM", "Jan Jansen"}, // letter case does not count
        {"eerste", "getal", "42"},        // tabs count as spaces
        {"Eerste", "formule", "a=b+c"},   // split at the first "="
        {"Eerste", "aanhalingstekens", "  met spaties  "},
        {"Eerste", "half", "\"open"},
        {"Eerste", "leeg", ""},
        {"Eerste", "geen gelijkteken", nullptr},
        {"Eerste", "; sleutel", nullptr},
        {"Eerste", "los", nullptr},   // lines before any section
        {"Eerste", "nieuw", nullptr}, // a second section of the same name
        {"Tweede", "mac", "regel"},   // a lone CR ends a line too
        {"tweede", "anders", "ook"},
        {"Tweede", "naam", nullptr},
        {"kapot", "verloren", nullptr},
        {"Derde", "naam", nullptr},
    };
    for (const auto& c : cases) {
        const QString section = QString::fromLatin1(c.section);
        const QString key = QString::fromLatin1(c.key);
        EXPECT_EQ(ini.hasKey(section, key), c.value != nullptr) << c.section << "/" << c.key;
        EXPECT_EQ(ini.readString(section, key, QStringLiteral("<standaard>")),
                  c.value ? QString::fromLatin1(c.value) : QStringLiteral("<standaard>"))
            << c.section << "/" << c.key;
    }
    EXPECT_TRUE(ini.hasSection(QStringLiteral("tweede")));
    EXPECT_FALSE(ini.hasSection(QStringLiteral("kapot")));
    EXPECT_EQ(ini.readInteger(QStringLiteral("Eerste"), QStringLiteral("getal"), 0), 42);
    EXPECT_EQ(ini.readInteger(QStringLiteral("Eerste"), QStringLiteral("naam"), -5), -5);
    EXPECT_TRUE(ini.readBool(QStringLiteral("Eerste"), QStringLiteral("getal"), false));
    EXPECT_TRUE(ini.readBool(QStringLiteral("Eerste"), QStringLiteral("ontbreekt"), true));
}

TEST(Ini, IntegersInDecimalOrHexadecimal) {
    const struct {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"+7", 7},
        {"-7", -7},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"$1f", 31},
        {"$1F", 31},
        {"0x10", 16},
        {"0X10", 16},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"1.0", std::nullopt},
        {"$G", std::nullopt},
        {"\u0663", std::nullopt}, // an Arabic-Indic digit is not a digit here
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseIniInteger(QString::fromUtf8(c.text)), c.value) << c.text;
    }
}

TEST(Ini, TextIsUtf8OrWindows1252) {
    const IniFile ini(QByteArray("\xEF\xBB\xBF[S]\n"
                                 "utf8=caf\xC3\xA9\n"
                                 "ansi=caf\xE9 \x80\n"));
    EXPECT_TRUE(ini.hasSection(QStringLiteral("S"))); // the byte order mark is no part of it
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("utf8")),
              QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("ansi")),
              QString::fromUtf8("caf\u00e9 \u20ac"));
    EXPECT_EQ(ini.readBytes(QStringLiteral("S"), QStringLiteral("ansi")),
              QByteArray("caf\xE9 \x80"));
}

TEST(Ini, LoadsFromAFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("school.ini"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[ALGEMEEN]\naantal=3\n");
    file.close();

    IniFile ini;
    EXPECT_TRUE(ini.load(name));
    EXPECT_EQ(ini.readInteger(QStringLiteral("algemeen"), QStringLiteral("aantal"), 0), 3);
    EXPECT_FALSE(ini.load(dir.filePath(QStringLiteral("ontbreekt.ini"))));
    EXPECT_FALSE(ini.hasSection(QStringLiteral("ALGEMEEN"))) << "a failed load leaves nothing";
}

} // namespace
