#include "env/settings.h"

#include "platform/ini.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

tinstellijst read(const QByteArray& file) {
    return tinstellijst(IniFile(file));
}

TEST(Settings, WithoutAFileOneDefaultProfile) {
    const tinstellijst list;
    ASSERT_EQ(list.count(), 1);
    EXPECT_TRUE(list[0].set_plekbestanden.isEmpty());
    EXPECT_TRUE(list[0].selbol_printen);
    EXPECT_EQ(list[0].selbol_steekproef_foutenmarge, 2.0);
    EXPECT_FALSE(list[0].text(QStringLiteral("selbol_dobbel")).has_value());
    EXPECT_TRUE(list.wachtwoord.isEmpty());

    bool readOk = true;
    const tinstellijst missing =
        tinstellijst::fromFile(QStringLiteral("/geen/map/school.ini"), &readOk);
    EXPECT_FALSE(readOk);
    EXPECT_EQ(missing.count(), 1);
}

TEST(Settings, AantalCountsTheProfiles) {
    const struct {
        const char* aantal; // nullptr: no "aantal" at all
        std::int32_t profiles;
    } cases[] = {
        {nullptr, 1}, {"0", 1},  {"abc", 1}, {"1", 1},  {"3", 3},
        {"-1", 0},    {"$2", 2}, {"0x2", 2}, {"2 ", 2}, {"2000000000", tinstellijst::maxProfiles},
    };
    for (const auto& c : cases) {
        QByteArray file = "[ALGEMEEN]\n";
        if (c.aantal) {
            file += QByteArray("aantal=") + c.aantal + "\n";
        }
        file += "[Norvel_0]\nset_plekbestanden=Nul\n";
        EXPECT_EQ(read(file).count(), c.profiles) << (c.aantal ? c.aantal : "(none)");
    }
}

// Profile n comes from its own section; a missing section gives defaults.
TEST(Settings, MissingSectionsGiveDefaultProfiles) {
    const tinstellijst list = read("[ALGEMEEN]\naantal=3\n"
                                   "[Norvel_1]\nset_plekbestanden=Een\nselbol_printen=0\n"
                                   "[Norvel_2]\nselbol_steekproef_foutenmarge=2,5\n");
    ASSERT_EQ(list.count(), 3);
    EXPECT_TRUE(list[0].set_plekbestanden.isEmpty());
    EXPECT_TRUE(list[0].selbol_printen);
    EXPECT_EQ(list[1].set_plekbestanden, QStringLiteral("Een"));
    EXPECT_FALSE(list[1].selbol_printen);
    EXPECT_TRUE(list[2].selbol_printen);
    EXPECT_EQ(list[2].selbol_steekproef_foutenmarge, 2.5);
}

TEST(Settings, PrintingIsOffOnlyForZero) {
    const struct {
        const char* value;
        bool printen;
    } cases[] = {
        {"0", false}, {"00", false}, {"$0", false}, {"0x0", false}, {"-0", false},
        {"1", true},  {"2", true},   {"-1", true},  {"ja", true},   {"nee", true},
        {"", true},   {"0.0", true}, {"0 0", true},
    };
    for (const auto& c : cases) {
        const tinstellijst list =
            read(QByteArray("[ALGEMEEN]\naantal=1\n[Norvel_0]\nselbol_printen=") + c.value + "\n");
        EXPECT_EQ(list[0].selbol_printen, c.printen) << '"' << c.value << '"';
    }
}

TEST(Settings, TheDecimalFractionTakesAPointOrAComma) {
    const struct {
        const char* value;
        double foutenmarge;
    } cases[] = {
        {"2.5", 2.5},  {"2,5", 2.5},  {"3", 3.0},     {"-0,25", -0.25}, {".5", 0.5},
        {"1e1", 10.0}, {"vijf", 2.0}, {"1,2,3", 2.0}, {"1.000,5", 2.0}, {"", 2.0},
    };
    for (const auto& c : cases) {
        const tinstellijst list = read(QByteArray("[ALGEMEEN]\naantal=1\n[Norvel_0]\n"
                                                  "selbol_steekproef_foutenmarge=") +
                                       c.value + "\n");
        EXPECT_EQ(list[0].selbol_steekproef_foutenmarge, c.foutenmarge) << c.value;
    }
}

TEST(Settings, ThePasswordIsDecoded) {
    // The password "1a2b" is stored as 255 - b for every byte; the stored
    // bytes happen to be valid UTF-8, which must not change them.
    QByteArray stored;
    for (char b : QByteArray("1a2b\xe9")) {
        stored += static_cast<char>(255 - static_cast<unsigned char>(b));
    }
    const tinstellijst list = read("[ALGEMEEN]\nwachtwoord=" + stored + "\naantal=0\n");
    EXPECT_EQ(list.wachtwoord, QString::fromUtf8("1a2b\u00e9"));
}

TEST(Settings, KeysAndSectionsMatchWithoutRegardToCase) {
    const tinstellijst list = read("[algemeen]\nAANTAL=1\n[NORVEL_0]\n"
                                   "Set_PlekBestanden = Mijn map \nSELBOL_PRINTEN=0\n"
                                   "SELBOL_SDN=1\nBinnen Groepen= tussen \n");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list[0].set_plekbestanden, QStringLiteral("Mijn map"));
    EXPECT_FALSE(list[0].selbol_printen);
    // The suite's keys are kept as their text.
    EXPECT_EQ(list[0].text(QStringLiteral("selboL_sdn")), QStringLiteral("1"));
    EXPECT_EQ(list[0].text(QStringLiteral("binnen groepen")), QStringLiteral("tussen"));
    EXPECT_FALSE(list[0].text(QStringLiteral("selbol_dobbel")).has_value());
    EXPECT_FALSE(list[0].text(QStringLiteral("geen_sleutel")).has_value());
}

TEST(Settings, TheProfileSectionHasAllItsKeys) {
    std::size_t counts[4] = {};
    QSet<QString> names;
    for (const SettingKey& key : settingKeys()) {
        ++counts[static_cast<int>(key.kind)];
        names.insert(QString::fromLatin1(key.name).toCaseFolded());
    }
    EXPECT_EQ(settingKeys().size(), 267u);
    EXPECT_EQ(names.size(), 267);
    EXPECT_EQ(counts[static_cast<int>(SettingKind::Boolean)], 226u);
    EXPECT_EQ(counts[static_cast<int>(SettingKind::Integer)], 20u);
    EXPECT_EQ(counts[static_cast<int>(SettingKind::String)], 20u);
    EXPECT_EQ(counts[static_cast<int>(SettingKind::Fraction)], 1u);
}

} // namespace
