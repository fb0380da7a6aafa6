#include "startmenu/commandline.h"

#include "assignment/opdracht.h"
#include "env/startup.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A folder with the files a command line names, and clean program-wide
// values: the assignment window starts at 400 pixels from the right of a
// 1280-pixel screen.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override {
        reset();
        setdefaultassignmentrect(1024);
    }

    static void reset() {
        programValues().mapFileToOpen.clear();
        assignmentValues() = {};
        setdefaultassignmentrect(1280);
    }

    QString file(const QString& name, const QByteArray& content = "{\\rtf1 taak}") {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(content);
        }
        return path;
    }

    // A file that exists and cannot be read, even by root.
    QString unreadable(const QString& name) {
        const QString path = dir.filePath(name);
        QFile::link(QStringLiteral("/proc/self/mem"), path);
        return path;
    }

    static Rect windowrect() {
        const topdracht* a = assignmentValues().opdracht.get();
        return a ? a->windowrect : Rect{-1, -1, -1, -1};
    }

    static QByteArray document() {
        const topdracht* a = assignmentValues().opdracht.get();
        return a && a->document ? a->document->bytes() : QByteArray();
    }

    QTemporaryDir dir;
    const QSize screen{1280, 1024};
};

TEST_F(CommandLine, MapFiles) {
    const QString lower = file(QStringLiteral("kaart.brm"));
    const QString upper = file(QStringLiteral("LES.BRM"));
    const QString mixed = file(QStringLiteral("Plan.Brm"));
    const QString missing = dir.filePath(QStringLiteral("weg.brm"));
    const struct {
        const char* what;
        QStringList parameters;
        QString map;
    } cases[] = {
        {"lower-case extension", {lower}, lower},
        {"capitals", {upper}, upper},
        {"mixed", {mixed}, mixed},
        {"the last existing one counts", {lower, upper}, upper},
        {"a missing one is ignored", {upper, missing}, upper},
        {"only a missing one", {missing}, QString()},
        {"an assignment is no map", {file(QStringLiteral("taak.rtf"))}, QString()},
        {"a folder with .brm in its name",
         {dir.path() + QStringLiteral("/x.brm/kaart")},
         QString()},
    };
    for (const auto& c : cases) {
        programValues().mapFileToOpen.clear();
        leesopdrachtregel(c.parameters, screen);
        EXPECT_EQ(programValues().mapFileToOpen, c.map) << c.what;
    }
}

// The extension is compared in capitals, but the name stays as written:
// upper-casing a whole path names another file on this file system.
TEST_F(CommandLine, TheMapNameIsNotUpperCased) {
    const QString lower = file(QStringLiteral("kaart.brm"));
    leesopdrachtregel({lower}, screen);
    EXPECT_EQ(programValues().mapFileToOpen, lower);
    EXPECT_TRUE(QFile::exists(programValues().mapFileToOpen));
}

TEST_F(CommandLine, AssignmentFiles) {
    const QString rtf = file(QStringLiteral("taak.rtf"), "eerste");
    const QString rvf = file(QStringLiteral("taak2.RVF"), "tweede");
    const QString lowerRvf = file(QStringLiteral("taak3.rvf"), "derde");

    leesopdrachtregel({rtf, rvf}, screen);
    EXPECT_EQ(document(), QByteArray("tweede")) << "the second one is shown";
    EXPECT_TRUE(assignmentValues().opdracht->visible);
    EXPECT_TRUE(assignmentValues().rvf);

    assignmentValues() = {};
    leesopdrachtregel({lowerRvf}, screen);
    EXPECT_EQ(document(), QByteArray("derde"));
    EXPECT_TRUE(assignmentValues().rvf) << "a lower-case .rvf is RVF";

    assignmentValues() = {};
    leesopdrachtregel({dir.filePath(QStringLiteral("weg.rtf")), QStringLiteral("L50")}, screen);
    EXPECT_EQ(assignmentValues().opdracht, nullptr) << "a missing .rtf makes no assignment";
}

// An unreadable file ends the reading: what came before stays, what comes
// after is not read; the rectangle is still given to the assignment.
TEST_F(CommandLine, AFailureEndsTheReadingSilently) {
    const QString first = file(QStringLiteral("a.brm"));
    const QString second = file(QStringLiteral("b.brm"));
    const QString task = file(QStringLiteral("taak.rvf"), "opdracht");
    leesopdrachtregel({QStringLiteral("T10"), first, task, unreadable(QStringLiteral("kapot.rtf")),
                       second, QStringLiteral("L50")},
                      screen);
    EXPECT_EQ(programValues().mapFileToOpen, first);
    EXPECT_EQ(document(), QByteArray("opdracht"));
    EXPECT_TRUE(assignmentValues().opdracht->visible);
    EXPECT_TRUE(assignmentValues().rvf);
    EXPECT_EQ(windowrect(), (Rect{880, 102, 1180, 402}));
}

// The options and the edges they give, with one readable assignment. The
// defaults on a 1280 x 1024 screen are (880, 100, 1180, 400).
TEST_F(CommandLine, PositionOptions) {
    const QString task = file(QStringLiteral("taak.rtf"));
    const struct {
        QStringList options;
        QSize screen;
        Rect rect;
    } cases[] = {
        {{}, {1280, 1024}, {880, 100, 1180, 400}},
        {{"l50"}, {1280, 1024}, {640, 100, 940, 400}},
        {{"L101"}, {1280, 1024}, {880, 100, 1180, 400}},
        {{"Lx"}, {1280, 1024}, {880, 100, 1180, 400}},
        {{"L"}, {1280, 1024}, {880, 100, 1180, 400}},
        {{"L-5"}, {1280, 1024}, {880, 100, 1180, 400}},
        {{"L50.5"}, {1280, 1024}, {880, 100, 1180, 400}},
        {{"X50"}, {1280, 1024}, {880, 100, 1180, 400}},
        {{"L90"}, {1280, 1024}, {1152, 100, 1280, 400}},
        {{"R50"}, {1280, 1024}, {340, 100, 640, 400}},
        {{"r10"}, {1280, 1024}, {0, 100, 128, 400}},
        {{"T50"}, {1280, 1024}, {880, 512, 1180, 812}},
        {{"T90"}, {1280, 1024}, {880, 922, 1180, 1024}},
        {{"B50"}, {1280, 1024}, {880, 212, 1180, 512}},
        {{"b10"}, {1280, 1024}, {880, 0, 1180, 102}},
        {{"L10", "R20", "T30", "B40"}, {1280, 1024}, {128, 307, 256, 410}},
        {{"L0", "L100"}, {1280, 1024}, {1280, 100, 1280, 400}},
        // Round half to even: 317.5 gives 318, 190.5 gives 190.
        {{"L25"}, {1270, 1024}, {318, 100, 618, 400}},
        {{"L15"}, {1270, 1024}, {190, 100, 490, 400}},
    };
    for (const auto& c : cases) {
        assignmentValues() = {};
        QStringList parameters = c.options;
        parameters.append(task);
        leesopdrachtregel(parameters, c.screen);
        EXPECT_EQ(windowrect(), c.rect) << c.options.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(CommandLine, WithoutAnAssignmentNoneIsMade) {
    leesopdrachtregel({QStringLiteral("L50"), QStringLiteral("T10")}, screen);
    EXPECT_EQ(assignmentValues().opdracht, nullptr);
}

} // namespace
