#include "programfolder.h"

#include "env/startup.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Startup, WithoutParametersOrSettingsFileUsesOneDefaultProfile) {
    ProgramFolder program;
    opstarten(program.programFile(), {});
    const tprogramvalues& v = programValues();
    EXPECT_EQ(v.programFolder, program.path());
    EXPECT_EQ(v.settingsFileName, program.file(QStringLiteral("kivora.ini")));
    EXPECT_TRUE(v.parameters.isEmpty());
    EXPECT_FALSE(v.showInfo);
    ASSERT_EQ(v.settings->count(), 1);
    EXPECT_EQ(v.currentProfile, &(*v.settings)[0]);
    EXPECT_TRUE(currentprofile().set_plekbestanden.isEmpty());
    EXPECT_TRUE(currentprofile().selbol_printen);
    EXPECT_EQ(v.dataFolder, program.path());
    EXPECT_EQ(QDir::currentPath() + QLatin1Char('/'), program.path());
    EXPECT_TRUE(v.unreadableFiles.isEmpty());
}

TEST(Startup, TheSettingsFileBesideTheProgramIsRead) {
    ProgramFolder program;
    program.write(QStringLiteral("kivora.ini"), oneProfile("Bestanden", "0"));
    opstarten(program.programFile(), {});
    EXPECT_EQ(currentprofile().set_plekbestanden, QStringLiteral("Bestanden"));
    EXPECT_FALSE(currentprofile().selbol_printen);
}

// A bare name is looked for beside the program, not in the caller's folder.
TEST(Startup, BareSettingsNameIsLookedForInTheProgramFolder) {
    QTemporaryDir caller;
    QFile callers(caller.filePath(QStringLiteral("school.ini")));
    ASSERT_TRUE(callers.open(QIODevice::WriteOnly));
    callers.write(oneProfile("VanDeAanroeper"));
    callers.close();

    const struct {
        bool inProgramFolder;
        const char* settingsFile;
        const char* plek;
    } cases[] = {
        {true, "school.ini", "School"},
        {false, "kivora.ini", "Standaard"},
    };
    for (const auto& c : cases) {
        ProgramFolder program;
        program.write(QStringLiteral("kivora.ini"), oneProfile("Standaard"));
        if (c.inProgramFolder) {
            program.write(QStringLiteral("school.ini"), oneProfile("School"));
        }
        QDir::setCurrent(caller.path());
        opstarten(program.programFile(), {QStringLiteral("school.ini")});
        EXPECT_EQ(programValues().settingsFileName,
                  program.file(QString::fromLatin1(c.settingsFile)));
        EXPECT_EQ(currentprofile().set_plekbestanden, QString::fromLatin1(c.plek));
    }
}

TEST(Startup, SettingsFileNamesWithAFolderAndTheLastOneFound) {
    ProgramFolder program;
    QTemporaryDir elsewhere;
    const QString full = QDir(elsewhere.path()).filePath(QStringLiteral("centraal.INI"));
    QFile f(full);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(oneProfile("Centraal"));
    f.close();
    program.write(QStringLiteral("a.ini"), oneProfile("A"));
    program.write(QStringLiteral("b.ini"), oneProfile("B"));

    const struct {
        QStringList commandLine;
        QString settingsFile;
    } cases[] = {
        {{full}, full},
        {{QStringLiteral("a.ini"), QStringLiteral("b.ini")}, program.file(QStringLiteral("b.ini"))},
        {{QStringLiteral("b.ini"), QStringLiteral("ontbreekt.ini")},
         program.file(QStringLiteral("b.ini"))},
        {{full, QStringLiteral("a.ini")}, program.file(QStringLiteral("a.ini"))},
    };
    for (const auto& c : cases) {
        opstarten(program.programFile(), c.commandLine);
        EXPECT_EQ(programValues().settingsFileName, c.settingsFile)
            << c.commandLine.join(' ').toStdString();
    }
}

TEST(Startup, AParameterFileStandsInForTheCommandLine) {
    ProgramFolder program;
    program.write(QStringLiteral("kivora.ini"), oneProfile("Standaard"));
    program.write(QStringLiteral("voor.ini"), oneProfile("Voor"));
    program.write(QStringLiteral("school.ini"), oneProfile("School"));
    program.write(QStringLiteral("les.WNNRV"), "school.ini\r\nkaart.brm\r\n");
    program.write(QStringLiteral("info.wnnrv"), "TOONINFO\nschool.ini\n");

    const struct {
        QStringList commandLine;
        QStringList parameters;
        bool showInfo;
        const char* plek;
    } cases[] = {
        // Before and after the parameter file nothing counts.
        {{QStringLiteral("voor.ini"), QStringLiteral("les.WNNRV"), QStringLiteral("TOONINFO")},
         {QStringLiteral("school.ini"), QStringLiteral("kaart.brm")},
         false,
         "School"},
        // Its lines may name the show-info option; the extension is matched
        // whatever its letter case.
        {{QStringLiteral("info.wnnrv")},
         {QStringLiteral("TOONINFO"), QStringLiteral("school.ini")},
         true,
         "School"},
        // A parameter file that does not exist is an ordinary parameter.
        {{QStringLiteral("weg.WNNRV"), QStringLiteral("voor.ini")},
         {QStringLiteral("weg.WNNRV"), QStringLiteral("voor.ini")},
         false,
         "Voor"},
    };
    for (const auto& c : cases) {
        opstarten(program.programFile(), c.commandLine);
        EXPECT_EQ(programValues().parameters, c.parameters);
        EXPECT_EQ(programValues().showInfo, c.showInfo);
        EXPECT_EQ(currentprofile().set_plekbestanden, QString::fromLatin1(c.plek));
    }
}

TEST(Startup, ShowInfoOnlyInCapitals) {
    const struct {
        const char* parameter;
        bool showInfo;
    } cases[] = {
        {"TOONINFO", true}, {"tooninfo", false}, {"ToonInfo", false}, {"TOONINFO ", false}};
    for (const auto& c : cases) {
        ProgramFolder program;
        opstarten(program.programFile(),
                  {QStringLiteral("kaart.brm"), QString::fromLatin1(c.parameter)});
        EXPECT_EQ(programValues().showInfo, c.showInfo) << c.parameter;
    }
}

TEST(Startup, DataFolderFollowsSetPlekbestanden) {
    ProgramFolder program;
    QTemporaryDir caller;
    const struct {
        QByteArray plek;
        QString dataFolder;
    } cases[] = {
        {"", program.path()},
        {"Bestanden", program.file(QStringLiteral("Bestanden"))},
        {"klas/1a/", program.file(QStringLiteral("klas/1a/"))},
        {"../gedeeld", QDir::cleanPath(program.path() + QStringLiteral("../gedeeld"))},
        {"/srv/leerlingen", QStringLiteral("/srv/leerlingen")},
    };
    for (const auto& c : cases) {
        program.write(QStringLiteral("kivora.ini"), oneProfile(c.plek));
        QDir::setCurrent(caller.path());
        opstarten(program.programFile(), {});
        EXPECT_EQ(programValues().dataFolder, c.dataFolder) << c.plek.constData();
        EXPECT_EQ(QDir::currentPath() + QLatin1Char('/'), program.path());
    }
}

// The first profile is the current one, even when it is only defaults.
TEST(Startup, CurrentProfileIsTheFirstOfTheFile) {
    ProgramFolder program;
    const struct {
        QByteArray file;
        std::int32_t profiles;
    } cases[] = {
        {"[ALGEMEEN]\naantal=2\n[Norvel_1]\nset_plekbestanden=Een\nselbol_printen=0\n", 2},
        {"[ALGEMEEN]\naantal=-1\n[Norvel_0]\nset_plekbestanden=Nul\nselbol_printen=0\n", 1},
    };
    for (const auto& c : cases) {
        program.write(QStringLiteral("kivora.ini"), c.file);
        opstarten(program.programFile(), {});
        EXPECT_EQ(programValues().settings->count(), c.profiles);
        EXPECT_TRUE(currentprofile().set_plekbestanden.isEmpty());
        EXPECT_TRUE(currentprofile().selbol_printen);
        EXPECT_EQ(programValues().dataFolder, program.path());
    }
}

// The settings file exists and every read of it fails (this process's own
// memory at address 0 cannot be read, whoever runs the test).
TEST(Startup, AnUnreadableSettingsFileGivesTheDefaultsAndIsReported) {
    ProgramFolder program;
    ASSERT_TRUE(
        QFile::link(QStringLiteral("/proc/self/mem"), program.file(QStringLiteral("kivora.ini"))));
    opstarten(program.programFile(), {});
    EXPECT_EQ(programValues().settings->count(), 1);
    EXPECT_TRUE(currentprofile().selbol_printen);
    EXPECT_EQ(programValues().dataFolder, program.path());
    EXPECT_EQ(programValues().unreadableFiles,
              QStringList{program.file(QStringLiteral("kivora.ini"))});
}

} // namespace
