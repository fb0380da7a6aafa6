#include "assignment/opdracht.h"
#include "platform/error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Assignment : public ::testing::Test {
protected:
    void SetUp() override { assignmentValues() = {}; }
    void TearDown() override { assignmentValues() = {}; }

    QString write(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(content);
        }
        return path;
    }

    static QByteArray documentBytes() {
        const topdracht* a = assignmentValues().opdracht.get();
        return a && a->document ? a->document->bytes() : QByteArray("<geen>");
    }

    QTemporaryDir dir;
};

TEST_F(Assignment, ANewAssignmentHasNothingYet) {
    const topdracht a;
    EXPECT_EQ(a.document, nullptr);
    EXPECT_EQ(a.windowrect, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(a.scrollposition, 0);
    EXPECT_FALSE(a.visible);
    EXPECT_EQ(assignmentValues().opdracht, nullptr);
}

TEST_F(Assignment, OpeningReadsTheWholeFileAndMarksItToBeShown) {
    const QByteArray rtf("{\\rtf1\\ansi Lees de tekst en maak een mindmap.\\par}");
    openassignment(write(QStringLiteral("taak.rtf"), rtf), QStringLiteral(".rtf"));
    const topdracht* a = assignmentValues().opdracht.get();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->document, nullptr);
    EXPECT_EQ(a->document->bytes(), rtf);
    EXPECT_EQ(a->document->position(), 0);
    EXPECT_EQ(a->document->headerA, (std::array<std::int32_t, 4>{}));
    EXPECT_TRUE(a->visible);
    EXPECT_FALSE(assignmentValues().rvf);
}

// The last file counts, and the extension decides RVF in any letter case.
TEST_F(Assignment, TheSecondFileReplacesTheFirst) {
    const struct {
        const char* first;
        const char* second;
        bool rvf;
    } cases[] = {
        {".RTF", ".rvf", true},
        {".rvf", ".Rtf", false},
        {".RVF", ".RVF", true},
    };
    for (const auto& c : cases) {
        assignmentValues() = {};
        const QString first = QString::fromLatin1(c.first);
        const QString second = QString::fromLatin1(c.second);
        openassignment(write(QStringLiteral("een") + first, "eerste"), first);
        topdracht* before = assignmentValues().opdracht.get();
        before->scrollposition = 40;
        openassignment(write(QStringLiteral("twee") + second, "tweede"), second);
        EXPECT_EQ(assignmentValues().opdracht.get(), before) << "one assignment per run";
        EXPECT_EQ(documentBytes(), QByteArray("tweede")) << c.first << " " << c.second;
        EXPECT_EQ(before->scrollposition, 40);
        EXPECT_TRUE(before->visible);
        EXPECT_EQ(assignmentValues().rvf, c.rvf) << c.first << " " << c.second;
    }
}

// /proc/self/mem exists as a file, but reading it from its start fails,
// even for root.
QString unreadableFile(const QTemporaryDir& dir, const QString& name) {
    const QString link = dir.filePath(name);
    QFile::link(QStringLiteral("/proc/self/mem"), link);
    return link;
}

TEST_F(Assignment, AnUnreadableFirstFileLeavesAnEmptyHiddenAssignment) {
    assignmentValues().rvf = true;
    const struct {
        const char* what;
        QString path;
    } cases[] = {
        {"missing", dir.filePath(QStringLiteral("weg.rtf"))},
        {"unreadable", unreadableFile(dir, QStringLiteral("kapot.rtf"))},
    };
    for (const auto& c : cases) {
        assignmentValues().opdracht.reset();
        EXPECT_THROW(openassignment(c.path, QStringLiteral(".RTF")), KivoraError) << c.what;
        const topdracht* a = assignmentValues().opdracht.get();
        ASSERT_NE(a, nullptr) << c.what;
        ASSERT_NE(a->document, nullptr) << c.what;
        EXPECT_EQ(a->document->size(), 0) << c.what;
        EXPECT_FALSE(a->visible) << c.what;
        EXPECT_TRUE(assignmentValues().rvf) << c.what << ": the flag keeps its value";
    }
}

// A later file that cannot be read does not empty the assignment that is
// already to be shown.
TEST_F(Assignment, AnUnreadableLaterFileKeepsTheEarlierDocument) {
    openassignment(write(QStringLiteral("taak.rvf"), "opdracht"), QStringLiteral(".RVF"));
    EXPECT_THROW(
        openassignment(unreadableFile(dir, QStringLiteral("kapot.rtf")), QStringLiteral(".RTF")),
        ReadError);
    EXPECT_EQ(documentBytes(), QByteArray("opdracht"));
    EXPECT_TRUE(assignmentValues().opdracht->visible);
    EXPECT_TRUE(assignmentValues().rvf);
}

} // namespace
