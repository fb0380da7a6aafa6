#include "httpserver.h"
#include "programfolder.h"

#include "env/settingscommand.h"
#include "env/web.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct CommandRun {
    int code = -1;
    QString out;
    QString err;
};

CommandRun run(const QString& programFile, const QStringList& arguments) {
    CommandRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = settingscommand(programFile, arguments, out, err);
    out.flush();
    err.flush();
    return r;
}

TEST(SettingsCommand, ReportsWhatStartUpGave) {
    ProgramFolder program;
    program.write(QStringLiteral("school.ini"), oneProfile("Leerlingen", "0"));
    const CommandRun r =
        run(program.programFile(), {QStringLiteral("school.ini"), QStringLiteral("TOONINFO"),
                                    QStringLiteral("kaart.brm")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());

    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(json.value(QStringLiteral("settingsFile")).toString(),
              program.file(QStringLiteral("school.ini")));
    EXPECT_EQ(json.value(QStringLiteral("programFolder")).toString(), program.path());
    EXPECT_EQ(json.value(QStringLiteral("workingFolder")).toString() + QLatin1Char('/'),
              program.path());
    EXPECT_EQ(json.value(QStringLiteral("dataFolder")).toString(),
              program.file(QStringLiteral("Leerlingen")));
    EXPECT_EQ(json.value(QStringLiteral("showInfo")).toBool(false), true);
    EXPECT_EQ(json.value(QStringLiteral("parameters")).toArray(),
              QJsonArray({QStringLiteral("school.ini"), QStringLiteral("TOONINFO"),
                          QStringLiteral("kaart.brm")}));
    EXPECT_EQ(json.value(QStringLiteral("profiles")).toInt(), 1);
    EXPECT_EQ(json.value(QStringLiteral("plekbestanden")).toString(), QStringLiteral("Leerlingen"));
    EXPECT_EQ(json.value(QStringLiteral("printAllowed")).toBool(true), false);
}

TEST(SettingsCommand, Options) {
    ProgramFolder program;
    const struct {
        QStringList arguments;
        int code;
        bool usageOnOut;
        bool usageOnErr;
    } cases[] = {
        {{QStringLiteral("--help")}, 0, true, false},
        {{QStringLiteral("school.ini"), QStringLiteral("--onbekend")}, 2, false, true},
        {{QStringLiteral("--"), QStringLiteral("--help")}, 0, false, false},
    };
    for (const auto& c : cases) {
        const CommandRun r = run(program.programFile(), c.arguments);
        EXPECT_EQ(r.code, c.code) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(r.out.contains(QStringLiteral("Gebruik:")), c.usageOnOut);
        EXPECT_EQ(r.err.contains(QStringLiteral("Gebruik:")), c.usageOnErr);
    }
    // After "--" everything is a parameter of the program.
    const CommandRun r =
        run(program.programFile(), {QStringLiteral("--"), QStringLiteral("--help")});
    EXPECT_EQ(QJsonDocument::fromJson(r.out.toUtf8())
                  .object()
                  .value(QStringLiteral("parameters"))
                  .toArray(),
              QJsonArray({QStringLiteral("--help")}));
}

TEST(SettingsCommand, ASettingsFileThatCannotBeReadGivesOne) {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
        qunsetenv(name);
    }
    setwebtimeouts({1000, 3000});
    TestHttpServer server;
    server.route(QStringLiteral("/school.ini"), {{200, "[ALGEMEEN]\naantal=1\n"}, {503, "bezet"}});
    ProgramFolder program;
    const QString url = server.url(QStringLiteral("/school.ini"));
    const CommandRun r = run(program.programFile(), {url});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(url)) << r.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(json.value(QStringLiteral("settingsFile")).toString(), url);
    EXPECT_EQ(json.value(QStringLiteral("profiles")).toInt(), 1);
    EXPECT_EQ(json.value(QStringLiteral("printAllowed")).toBool(false), true);
}

} // namespace
