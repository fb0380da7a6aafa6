#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Shell, AddressesAndFiles) {
    const QString here = QDir::currentPath();
    const struct {
        QString target;
        QUrl url;
    } cases[] = {
        {QStringLiteral("https://example.org/a b?x=1"),
         QUrl(QStringLiteral("https://example.org/a%20b?x=1"))},
        {QStringLiteral("  http://example.org  "), QUrl(QStringLiteral("http://example.org"))},
        {QStringLiteral("mailto:klas@example.org"),
         QUrl(QStringLiteral("mailto:klas@example.org"))},
        {QStringLiteral("file:///srv/help/index.html?printen.htm"),
         QUrl(QStringLiteral("file:///srv/help/index.html?printen.htm"))},
        {QStringLiteral("/home/leerling/kaart #1.brm"),
         QUrl::fromLocalFile(QStringLiteral("/home/leerling/kaart #1.brm"))},
        {QStringLiteral("werk/verslag.doc"),
         QUrl::fromLocalFile(here + QStringLiteral("/werk/verslag.doc"))},
        {QStringLiteral("C:\\Mijn documenten\\x.doc"),
         QUrl::fromLocalFile(here + QStringLiteral("/C:\\Mijn documenten\\x.doc"))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shellurl(c.target), c.url) << c.target.toStdString();
    }
}

TEST(Shell, TheOpenerReceivesTheAddress) {
    QList<QUrl> opened;
    setShellOpener([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    EXPECT_TRUE(shellopen(QStringLiteral("https://example.org/")));
    setShellOpener({});
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.org/")));
}

TEST(Shell, TheForwardingPageKeepsTheQuery) {
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("openen.html"));
    const QUrl target(QStringLiteral("file:///srv/help/index.html?printen.htm&a=\"b\""));
    ASSERT_TRUE(writeForwardingPage(page, target));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QString address = QString::fromLatin1(target.toEncoded()).toHtmlEscaped();
    EXPECT_TRUE(html.contains(QStringLiteral("content=\"0; url=") + address + QLatin1Char('"')))
        << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("index.html?printen.htm&amp;a=")));
    EXPECT_FALSE(html.contains(QStringLiteral("a=\"b\"")));
}

} // namespace
