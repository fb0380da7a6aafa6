#include "httpserver.h"
#include "programfolder.h"

#include "env/startup.h"
#include "env/web.h"

#include "platform/stream.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

const QByteArray schoolIni = "[ALGEMEEN]\r\naantal=2\r\n[Norvel_0]\r\n"
                             "set_plekbestanden=VanDeServer\r\nselbol_printen=0\r\n";

// Every request goes to the test's own server on 127.0.0.1.
class Web : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
            qunsetenv(name);
        }
        setwebtimeouts({1000, 3000});
    }

    TestHttpServer server;
};

TEST(WebAddresses, IsurlAndNormaliseurl) {
    const struct {
        const char* text;
        bool isUrl;
        bool normalised;
        const char* after;
    } cases[] = {
        {"http://school.nl/a.ini", true, true, "http://school.nl/a.ini"},
        {"HTTPS://School.nl/a.ini", true, true, "HTTPS://School.nl/a.ini"},
        {"http:\\\\school.nl\\map\\a.ini", false, true, "http://school.nl/map/a.ini"},
        {"https:\\\\school.nl\\a.ini", false, true, "https://school.nl/a.ini"},
        {"http://school.nl\\map\\a.ini", true, true, "http://school.nl/map/a.ini"},
        {"ftp://school.nl/a.ini", false, false, "ftp://school.nl/a.ini"},
        {"school.ini", false, false, "school.ini"},
        {"C:\\norvel\\a.ini", false, false, "C:\\norvel\\a.ini"},
        {" http://school.nl", false, false, " http://school.nl"},
        {"http:/school.nl", false, false, "http:/school.nl"},
    };
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(isurl(text), c.isUrl) << c.text;
        EXPECT_EQ(normaliseurl(text), c.normalised) << c.text;
        EXPECT_EQ(text, QString::fromLatin1(c.after));
    }
}

TEST_F(Web, DownloadWritesFromTheStartAndRewinds) {
    server.route(QStringLiteral("/school.ini"), {{200, "[ALGEMEEN]\n"}});
    MemoryStream stream(QByteArray("xxxxxxxxxxxxxxxxxxxx"));
    stream.setPosition(7);
    ASSERT_TRUE(downloadurl(server.url(QStringLiteral("/school.ini")), stream));
    EXPECT_EQ(stream.bytes(), QByteArray("[ALGEMEEN]\nxxxxxxxxx"));
    EXPECT_EQ(stream.position(), 0);
}

// An error status is a failure, not a page to read settings from.
TEST_F(Web, AnErrorStatusIsNotAnOpenedAddress) {
    server.route(QStringLiteral("/weg.ini"), {{404, "niet gevonden"}});
    const QString url = server.url(QStringLiteral("/weg.ini"));
    EXPECT_FALSE(urlreachable(url));
    MemoryStream stream;
    EXPECT_FALSE(downloadurl(url, stream));
    EXPECT_EQ(stream.size(), 0);
    EXPECT_EQ(server.requests(QStringLiteral("/weg.ini")), 2);
}

TEST_F(Web, UrlreachableOpensTheAddressOnce) {
    server.route(QStringLiteral("/school.ini"), {{200, schoolIni}});
    EXPECT_TRUE(urlreachable(server.url(QStringLiteral("/school.ini"))));
    EXPECT_EQ(server.requests(QStringLiteral("/school.ini")), 1);
    // Backslashes are normalised first.
    QString backslashed = server.url(QStringLiteral("/school.ini"));
    backslashed.replace(QLatin1Char('/'), QLatin1Char('\\'));
    EXPECT_TRUE(urlreachable(backslashed));
    EXPECT_EQ(server.requests(QStringLiteral("/school.ini")), 2);
}

TEST_F(Web, OnlyWebAddressesAreOpened) {
    MemoryStream stream;
    EXPECT_FALSE(urlreachable(QStringLiteral("file:///etc/hostname")));
    EXPECT_FALSE(downloadurl(QStringLiteral("file:///etc/hostname"), stream));
    EXPECT_FALSE(downloadurl(QStringLiteral("ftp://127.0.0.1/school.ini"), stream));
    EXPECT_EQ(stream.size(), 0);
}

TEST_F(Web, AClosedPortFailsAtOnce) {
    const QString url =
        QStringLiteral("http://127.0.0.1:%1/school.ini").arg(TestHttpServer::closedPort());
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(urlreachable(url));
    MemoryStream stream;
    EXPECT_FALSE(downloadurl(url, stream));
    EXPECT_LT(clock.elapsed(), 2000);
}

// A server that takes the request and never answers must not hold the
// program: the request gives up at the total time-out.
TEST_F(Web, AServerThatNeverAnswersIsGivenUp) {
    server.route(QStringLiteral("/stil.ini"), {{200, {}, true}});
    setwebtimeouts({1000, 300});
    const QString url = server.url(QStringLiteral("/stil.ini"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(urlreachable(url));
    MemoryStream stream;
    EXPECT_FALSE(downloadurl(url, stream));
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 2 * 300 - 50);
    EXPECT_LT(elapsed, 3000);
    EXPECT_EQ(server.requests(QStringLiteral("/stil.ini")), 2);
}

// Opening needs only the start of the answer; reading needs all of it.
TEST_F(Web, AnAnswerWhoseBodyNeverComes) {
    server.route(QStringLiteral("/half.ini"), {{200, schoolIni, false, true}});
    setwebtimeouts({1000, 300});
    const QString url = server.url(QStringLiteral("/half.ini"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(urlreachable(url));
    EXPECT_LT(clock.elapsed(), 250);
    MemoryStream stream;
    EXPECT_FALSE(downloadurl(url, stream));
    EXPECT_EQ(stream.size(), 0);
}

TEST(WebTimeouts, DefaultsAreBounded) {
    const WebTimeouts defaults = webtimeouts();
    EXPECT_GT(defaults.connectMs, 0);
    EXPECT_LE(defaults.connectMs, 10000);
    EXPECT_GT(defaults.totalMs, 0);
    EXPECT_LE(defaults.totalMs, 60000);
}

// The address is opened twice: once to see that it can be reached while the
// parameters are examined, once to read it.
TEST_F(Web, SettingsFileFromAWebAddress) {
    server.route(QStringLiteral("/school.ini"), {{200, schoolIni}});
    QString backslashed = server.url(QStringLiteral("/school.ini"));
    backslashed.replace(QLatin1Char('/'), QLatin1Char('\\'));
    for (const QString& parameter : {server.url(QStringLiteral("/school.ini")), backslashed}) {
        ProgramFolder program;
        program.write(QStringLiteral("kivora.ini"), oneProfile("Lokaal"));
        const int before = server.requests(QStringLiteral("/school.ini"));
        opstarten(program.programFile(), {parameter});
        EXPECT_EQ(server.requests(QStringLiteral("/school.ini")) - before, 2);
        EXPECT_EQ(programValues().settingsFileName, parameter);
        EXPECT_EQ(programValues().settings->count(), 2);
        EXPECT_EQ(currentprofile().set_plekbestanden, QStringLiteral("VanDeServer"));
        EXPECT_FALSE(currentprofile().selbol_printen);
        EXPECT_EQ(programValues().dataFolder, program.file(QStringLiteral("VanDeServer")));
        EXPECT_TRUE(programValues().unreadableFiles.isEmpty());
    }
}

TEST_F(Web, AnUnreachableSettingsAddressKeepsTheLocalFile) {
    server.route(QStringLiteral("/stil.ini"), {{200, {}, true}});
    setwebtimeouts({1000, 300});
    const QString closed =
        QStringLiteral("http://127.0.0.1:%1/school.ini").arg(TestHttpServer::closedPort());
    for (const QString& parameter : {closed, server.url(QStringLiteral("/stil.ini"))}) {
        ProgramFolder program;
        program.write(QStringLiteral("kivora.ini"), oneProfile("Lokaal"));
        opstarten(program.programFile(), {parameter});
        EXPECT_EQ(programValues().settingsFileName, program.file(QStringLiteral("kivora.ini")));
        EXPECT_EQ(currentprofile().set_plekbestanden, QStringLiteral("Lokaal"));
    }
}

// Reachable while the parameters were examined, gone when it is read: the
// default profile, and the address is reported as not read.
TEST_F(Web, AFetchThatFailsGivesTheDefaultProfile) {
    server.route(QStringLiteral("/school.ini"), {{200, schoolIni}, {500, "kapot"}});
    ProgramFolder program;
    program.write(QStringLiteral("kivora.ini"), oneProfile("Lokaal"));
    const QString url = server.url(QStringLiteral("/school.ini"));
    opstarten(program.programFile(), {url});
    EXPECT_EQ(programValues().settingsFileName, url);
    ASSERT_EQ(programValues().settings->count(), 1);
    EXPECT_TRUE(currentprofile().set_plekbestanden.isEmpty());
    EXPECT_TRUE(currentprofile().selbol_printen);
    EXPECT_EQ(programValues().unreadableFiles, QStringList{url});
}

} // namespace
