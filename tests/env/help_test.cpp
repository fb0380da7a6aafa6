#include "env/help.h"
#include "env/startup.h"

#include "platform/shell.h"

#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Records what would be opened instead of starting a browser.
class Help : public ::testing::Test {
protected:
    void SetUp() override {
        programValues().programFolder = QStringLiteral(KIVORA_BIN_DIR "/");
        setShellOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
    }
    void TearDown() override { setShellOpener({}); }

    QList<QUrl> opened;
};

TEST_F(Help, ThePrintWindowsContextOpensItsPage) {
    showhelppage(820);
    ASSERT_EQ(opened.size(), 1);
    const QUrl& url = opened[0];
    EXPECT_TRUE(
        url.toString().endsWith(QStringLiteral("/htmlplusnorvelned/index.html?printen.htm")))
        << url.toString().toStdString();
    // The address leads to pages that the build put beside the program.
    ASSERT_TRUE(url.isLocalFile());
    const QFileInfo index(url.toLocalFile());
    EXPECT_EQ(index.absolutePath(), QStringLiteral(KIVORA_BIN_DIR "/help/htmlplusnorvelned"));
    EXPECT_TRUE(index.isFile());
    EXPECT_TRUE(QFileInfo(index.absolutePath() + QStringLiteral("/") + url.query()).isFile());
}

TEST_F(Help, UnknownContextsOpenNothing) {
    for (std::int32_t context : {0, -1, 1035, 1901}) {
        showhelppage(context);
    }
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(Help, ThePagesOfTheEditorAndTheContentsAreInstalled) {
    for (const char* page : {"inhoud", "mindmapeditor", "printen", "instellingen"}) {
        const QUrl url = shellurl(helpaddress(QString::fromLatin1(page)));
        const QFileInfo index(url.toLocalFile());
        EXPECT_TRUE(QFileInfo(index.absolutePath() + QStringLiteral("/") + url.query()).isFile())
            << page;
    }
}

TEST(HelpTable, OneRowPerContext) {
    QSet<std::int32_t> contexts;
    QSet<QString> pages;
    for (const helprow& row : helptable()) {
        EXPECT_GE(row.context, 1);
        EXPECT_LE(row.context, 1900);
        contexts.insert(row.context);
        pages.insert(QString::fromLatin1(row.page));
    }
    EXPECT_EQ(helptable().size(), 133u);
    EXPECT_EQ(contexts.size(), 133);
    EXPECT_EQ(pages.size(), 133);
    EXPECT_EQ(helppage(820), QStringLiteral("printen"));
}

} // namespace
