#include "editor/mapview.h"
#include "editor/mindmanagerform.h"

#include "env/startup.h"
#include "model/mapfile.h"
#include "model/modelstate.h"
#include "model/tmindmap.h"
#include "platform/arith.h"
#include "platform/error.h"
#include "platform/ui/modal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString plain(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// Answers the next message box by pressing the button with this caption, and
// keeps what the box said.
struct Asked {
    QString text;
    QString title;
    bool shown = false;
};
std::shared_ptr<Asked> answer(const QString& button) {
    auto asked = std::make_shared<Asked>();
    queueModalAnswer([asked, button](QDialog& d) {
        asked->shown = true;
        asked->title = d.windowTitle();
        for (QLabel* label : d.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                asked->text = label->text();
            }
        }
        for (QPushButton* b : d.findChildren<QPushButton*>()) {
            if (plain(b->text()) == button) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << button.toStdString();
        d.reject();
    });
    return asked;
}

// Answers the next file dialog with a file name, or cancels it when empty;
// keeps the name the dialog was preset with.
std::shared_ptr<QString> answerFile(const QString& path) {
    auto preset = std::make_shared<QString>();
    queueModalAnswer([preset, path](QDialog& d) {
        auto& dialog = dynamic_cast<QFileDialog&>(d);
        if (const auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            *preset = edit->text();
        }
        if (path.isEmpty()) {
            dialog.reject();
            return;
        }
        dialog.selectFile(path);
        d.accept(); // through the base: QFileDialog hides it
    });
    return preset;
}

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previousFolder = QDir::currentPath();
        QDir::setCurrent(dir.path());
        programValues().dataFolder = dir.path();
        form = std::make_unique<Tmindmanagerform>();
        form->resize(1000, 700);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        form.reset();
        clearModalAnswers();
        QDir::setCurrent(previousFolder);
    }

    tmindmap* current() const { return modelState().currentMap; }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // A map file written by the model, with one main branch.
    QString mapFile(const char* name, int zoom = 100) {
        tmindmap map;
        map.width = 3000;
        map.height = 2000;
        map.root->left = map.root->right = 1500;
        map.root->bottom = 1000;
        map.root->measure();
        map.updateQuadrants();
        map.root->addChild();
        map.zoom = zoom;
        map.viewLeft = 700;
        map.viewTop = 500;
        map.fileName = path(name);
        map.save();
        return map.fileName;
    }

    void trigger(const char* action) {
        QAction* a = form->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }

    // An undoable change, as adding a branch makes it.
    void addBranch() {
        form->bewaarmindmap();
        tlink* added = current()->selected->addChild();
        form->veranderactivelink(added);
        form->maaknieuwetekening(added);
    }

    QTemporaryDir dir;
    QString previousFolder;
    std::unique_ptr<Tmindmanagerform> form;
};

TEST_F(Editor, StartsEmptyWithoutADrawingSurface) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kivora"));
    EXPECT_EQ(current(), nullptr);
    EXPECT_FALSE(form->ScrollBox1()->isVisible());
    QStringList items;
    for (int i = 0; i < form->ComboBox1()->count(); ++i) {
        items << form->ComboBox1()->itemText(i);
    }
    EXPECT_EQ(items.join(QLatin1Char(' ')), QStringLiteral("25 50 75 95 100 200 300 400"));
    for (const char* hint :
         {"BitBtn6", "BitBtn7", "BitBtn8", "SpeedButton18", "SpeedButton19", "okbtn"}) {
        EXPECT_NE(form->findChild<QAction*>(QString::fromLatin1(hint)), nullptr) << hint;
    }
    EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("BitBtn6"))->toolTip(),
              QStringLiteral("Nieuwe mindmap"));
    EXPECT_FALSE(form->findChild<QAction*>(QStringLiteral("Bewaar1"))->isEnabled());
}

TEST_F(Editor, AThirdNewMapIsMindmap3ScrolledToTheMiddle) {
    trigger("Nieuw1");
    trigger("BitBtn6");
    trigger("Nieuw1");
    ASSERT_EQ(form->maps().size(), 3u);
    EXPECT_EQ(form->TabControl1()->tabText(2), QStringLiteral("Mindmap3"));
    tmindmap* m = current();
    EXPECT_EQ(m, form->maps()[2].get());
    EXPECT_EQ(m->fileName, QStringLiteral("Mindmap3"));
    EXPECT_EQ(m->root->lines, (QStringList{QStringLiteral("Mindmap"), QStringLiteral("3")}));
    ASSERT_EQ(m->root->children.size(), 2u);
    for (const auto& main : m->root->children) {
        EXPECT_EQ(main->lines, QStringList{QStringLiteral("Onderwerp")});
    }
    EXPECT_NE(m->root->children[0]->side, m->root->children[1]->side) << "one on each side";
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(m->width, 3 * screen.width());
    EXPECT_EQ(m->selected, m->root.get());
    const Point scroll = form->ScrollBox1()->scrollPosition();
    const QSize client = form->ScrollBox1()->viewport()->size();
    EXPECT_EQ(scroll.x, (m->paintWidth - client.width()) / 2);
    EXPECT_EQ(scroll.y, (m->paintHeight - client.height()) / 2);
    EXPECT_TRUE(form->ScrollBox1()->isVisible());
    EXPECT_EQ(form->ComboBox1()->currentText(), QStringLiteral("100"));
}

TEST_F(Editor, SavingANewMapWritesItsNameWithoutADialog) {
    trigger("Nieuw1");
    trigger("Nieuw1");
    ASSERT_TRUE(current()->modified);
    trigger("Bewaar1");
    EXPECT_FALSE(modalAnswersPending());
    EXPECT_TRUE(QFile::exists(path("Mindmap2"))) << "in the current folder, no extension";
    EXPECT_FALSE(current()->modified);
    auto back = tmindmap::load(path("Mindmap2"));
    EXPECT_EQ(back->root->lines, current()->root->lines);
}

TEST_F(Editor, ABrtMapIsAlwaysSavedUnderANewName) {
    const QString brt = mapFile("sjabloon.brt");
    form->openenmindmap(brt, false);
    auto preset = answerFile(QString()); // cancelled
    trigger("BitBtn8");
    EXPECT_FALSE(modalAnswersPending()) << "the save dialog was shown";
    EXPECT_EQ(*preset, QStringLiteral("sjabloon.brt"));
    EXPECT_EQ(current()->fileName, brt);

    answerFile(path("eigen.brm"));
    trigger("Bewaar1");
    EXPECT_EQ(current()->fileName, path("eigen.brm"));
    EXPECT_EQ(form->TabControl1()->tabText(0), QStringLiteral("eigen"));
    EXPECT_TRUE(QFile::exists(path("eigen.brm")));
}

TEST_F(Editor, ClosingAModifiedBrtMapAsksAndSavesAsBrm) {
    const QString brt = mapFile("les.brt");
    form->openenmindmap(brt, false);
    current()->root->children[0]->markChanged();

    auto asked = answer(QStringLiteral("Annuleren"));
    trigger("Sluiten1");
    EXPECT_TRUE(asked->shown);
    EXPECT_EQ(asked->text, QStringLiteral("Opslaan mindmap %1").arg(path("les.brm")));
    EXPECT_EQ(asked->title, QStringLiteral("Mindmap %1 is veranderd").arg(path("les.brm")));
    ASSERT_EQ(form->maps().size(), 1u) << "Cancel keeps it open";
    EXPECT_EQ(current()->fileName, path("les.brm"));

    answer(QStringLiteral("Ja"));
    trigger("Sluiten1");
    EXPECT_TRUE(form->maps().empty());
    EXPECT_TRUE(QFile::exists(path("les.brm")));
    EXPECT_EQ(current(), nullptr);
    EXPECT_FALSE(form->ScrollBox1()->isVisible());
    form->ScrollBox1()->viewport()->repaint(); // a paint with no map draws nothing
    EXPECT_FALSE(form->ScrollBox1()->isVisible());
}

TEST_F(Editor, ClosingTheWindowAsksAboutEachModifiedMap) {
    trigger("Nieuw1");
    trigger("Nieuw1");
    auto asked = answer(QStringLiteral("Annuleren"));
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(asked->text, QStringLiteral("Opslaan mindmap mindmap1.brm"));
    EXPECT_TRUE(form->maps()[0]->modified && form->maps()[1]->modified);

    // Yes at the first: its save dialog, preset with the name; cancelled, the window stays.
    answer(QStringLiteral("Ja"));
    auto preset = answerFile(QString());
    EXPECT_FALSE(form->close());
    EXPECT_EQ(*preset, QStringLiteral("mindmap1.brm"));

    // Yes and a name for the first, No for the second: the window closes.
    answer(QStringLiteral("Ja"));
    answerFile(path("eerste.brm"));
    auto second = answer(QStringLiteral("Nee"));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(second->text, QStringLiteral("Opslaan mindmap mindmap2.brm"));
    EXPECT_TRUE(QFile::exists(path("eerste.brm")));
    EXPECT_FALSE(QFile::exists(path("mindmap2.brm")));
}

TEST_F(Editor, SavingUnderANameRenamesLinksInEveryOpenMap) {
    const QString a = mapFile("A.BRM");
    form->openenmindmap(mapFile("ander.brm"), false);
    tlink* linked = current()->root->children[0].get();
    linked->mapLink = path("a.brm");
    tlink* other = current()->root->addChild();
    other->mapLink = path("c.brm");
    form->openenmindmap(a, false);
    current()->root->children[0]->mapLink = a; // a link to itself
    answerFile(path("B.brm"));
    trigger("Bewaarals1");
    EXPECT_EQ(linked->mapLink, path("B.brm"));
    EXPECT_EQ(other->mapLink, path("c.brm"));
    EXPECT_EQ(current()->root->children[0]->mapLink, path("B.brm"));
}

TEST_F(Editor, UndoKeepsFiftySnapshots) {
    trigger("Nieuw1");
    tmindmap* before = current();
    const std::size_t branches = before->root->children.size();
    for (int i = 0; i < 51; ++i) {
        addBranch();
    }
    EXPECT_EQ(modelState().undoList.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        trigger("SpeedButton19");
    }
    EXPECT_TRUE(modelState().undoList.empty());
    // The oldest snapshot left was taken before the second change.
    std::size_t count = 0;
    std::vector<const tlink*> pending{current()->root.get()};
    while (!pending.empty()) {
        const tlink* b = pending.back();
        pending.pop_back();
        ++count;
        for (const auto& c : b->children) {
            pending.push_back(c.get());
        }
    }
    EXPECT_EQ(count, 1 + branches + 1) << "the state after the first change";
    tmindmap* now = current();
    trigger("SpeedButton19");
    EXPECT_EQ(current(), now) << "nothing left to undo";
}

TEST_F(Editor, UndoTakesBackAnAddedBranchAndTheMapStaysModified) {
    trigger("Nieuw1");
    auto box = std::make_unique<ttextbox>();
    box->lines = {QStringLiteral("los")};
    current()->textBoxes.push_back(std::move(box));
    trigger("Bewaar1"); // saved: not modified
    ASSERT_FALSE(current()->modified);
    addBranch();
    current()->save(); // the file now holds the added branch
    trigger("SpeedButton19");
    tmindmap* m = current();
    EXPECT_EQ(m->root->children.size(), 2u);
    EXPECT_EQ(m->selected, m->root.get());
    EXPECT_EQ(m->fileName, QStringLiteral("Mindmap1"));
    ASSERT_EQ(m->textBoxes.size(), 1u);
    EXPECT_EQ(m->textBoxes[0]->lines, QStringList{QStringLiteral("los")});
    EXPECT_TRUE(m->modified) << "the file on disk differs from what undo brought back";
    EXPECT_EQ(form->maps()[0].get(), m) << "the snapshot took the tab's place";
    auto asked = answer(QStringLiteral("Nee"));
    trigger("Sluiten1");
    EXPECT_TRUE(asked->shown) << "closing asks before the undone state is dropped";
}

TEST_F(Editor, SwitchingTabsEmptiesTheHistoryAndKeepsEachView) {
    trigger("Nieuw1");
    trigger("Nieuw1");
    addBranch();
    ASSERT_FALSE(modelState().undoList.empty());
    form->ScrollBox1()->scrollTo(300, 200);
    form->TabControl1()->setCurrentIndex(0); // as a click on the tab
    EXPECT_TRUE(modelState().undoList.empty());
    EXPECT_EQ(current(), form->maps()[0].get());
    EXPECT_EQ(form->maps()[1]->viewLeft, 300);
    EXPECT_EQ(form->maps()[1]->viewTop, 200);
    form->TabControl1()->setCurrentIndex(1);
    EXPECT_EQ(form->ScrollBox1()->scrollPosition(), (Point{300, 200}));
}

TEST_F(Editor, TheSameFileOpenedTwiceGivesTwoMaps) {
    const QString file = mapFile("dubbel.brm", 75);
    form->openenmindmap(file, false);
    form->openenmindmap(file, false);
    ASSERT_EQ(form->maps().size(), 2u);
    EXPECT_NE(form->maps()[0].get(), form->maps()[1].get());
    form->maps()[1]->root->lines = {QStringLiteral("anders")};
    EXPECT_EQ(form->maps()[0]->root->lines, QStringList{QStringLiteral("Mindmap")});
    EXPECT_EQ(form->TabControl1()->tabText(1), QStringLiteral("dubbel"));
    EXPECT_EQ(form->ComboBox1()->currentText(), QStringLiteral("75"));
    EXPECT_EQ(current()->selected, current()->root.get());
    EXPECT_EQ(form->ScrollBox1()->scrollPosition(), (Point{700, 500})) << "the view as stored";
    EXPECT_TRUE(form->changeto(file.toLower()));
    EXPECT_EQ(current(), form->maps()[0].get());
    EXPECT_FALSE(form->changeto(path("weg.brm")));
}

TEST_F(Editor, TheZoomBoxTakesPickedAndTypedValues) {
    form->openenmindmap(mapFile("zoom.brm"), false);
    form->ScrollBox1()->scrollTo(0, 0);
    QComboBox* box = form->ComboBox1();
    box->setCurrentIndex(box->findText(QStringLiteral("200")));
    form->ComboBox1Change();
    EXPECT_EQ(current()->zoom, 200);
    EXPECT_EQ(current()->scaleX, 2.0L);
    const QSize client = form->ScrollBox1()->viewport()->size();
    EXPECT_EQ(form->ScrollBox1()->scrollPosition(),
              (Point{client.width() / 2, client.height() / 2}))
        << "the map point at the centre stays there";
    for (const char* typed : {"abc", "5", "-40", "200"}) {
        box->setEditText(QString::fromLatin1(typed));
        form->ComboBox1Exit();
        EXPECT_EQ(current()->zoom, 200) << typed;
    }
    box->setEditText(QStringLiteral("150"));
    form->ComboBox1Exit();
    EXPECT_EQ(current()->zoom, 150);
    EXPECT_EQ(current()->viewWidth, roundToInt32(100.0L / 150 * current()->clientWidth));
}

TEST_F(Editor, FittingNeverEnlargesAndSnapsAbove90) {
    form->openenmindmap(mapFile("fit.brm"), false);
    tmindmap* m = current();
    tlink* main = m->root->children[0].get();
    const struct {
        int fit;
        int zoom;
    } cases[] = {{93, 100}, {90, 90}, {50, 50}, {200, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fit);
        form->zetschaal();
        // Stretch the content to the right of the root so that its width decides the fit.
        main->moveBy(m->root->right + 200 - main->left, 0);
        m->updateExtents();
        const long double wanted = m->clientWidth * 100.0L / c.fit / 1.1L;
        main->moveBy(static_cast<int>(m->extent.left + wanted) - 1 - main->right, 0);
        m->fitCanvas(); // as after any change: the canvas grows to hold the content
        m->updateExtents();
        const Rect e = m->extent;
        const int x0 = roundToInt32(e.left - e.width() * 5 / 100.0L);
        const int x1 = roundToInt32(e.right + e.width() * 5 / 100.0L);
        const int y0 = roundToInt32(e.top - e.height() * 5 / 100.0L);
        const int y1 = roundToInt32(e.bottom + e.height() * 5 / 100.0L);
        const int zx = roundToInt32(static_cast<long double>(m->clientWidth) / (x1 - x0) * 100);
        const int zy = roundToInt32(static_cast<long double>(m->clientHeight) / (y1 - y0) * 100);
        ASSERT_EQ(zx, std::min(c.fit, zy)) << "the set-up gives the fit it means to";
        form->SpeedButton18Click();
        EXPECT_EQ(m->zoom, c.zoom);
        EXPECT_EQ(form->ComboBox1()->currentText(), QString::number(c.zoom));
        // The centre of the content is in the middle of the view.
        const Point scroll = form->ScrollBox1()->scrollPosition();
        const int cx = (x0 + x1) / 2;
        if (c.zoom < 100) {
            EXPECT_NEAR(scroll.x + m->clientWidth / 2, cx * m->scaleX, 2);
        }
    }
}

TEST_F(Editor, AFailedOpenChangesNothingAndShowsTheError) {
    trigger("Nieuw1");
    addBranch();
    tmindmap* before = current();
    QFile damaged(path("kapot.brm"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x07\x00\x00\x00 kapot", 10);
    damaged.close();

    // Through the real button: the error reaches the application's error box.
    answerFile(path("kapot.brm"));
    auto box = answer(QStringLiteral("OK"));
    QAction* open = form->findChild<QAction*>(QStringLiteral("BitBtn7"));
    QMetaObject::invokeMethod(open, "trigger", Qt::QueuedConnection);
    QTest::qWait(50);
    EXPECT_TRUE(box->shown) << "the error box";
    EXPECT_TRUE(box->text.contains(QStringLiteral("kapot.brm"))) << box->text.toStdString();
    EXPECT_EQ(form->maps().size(), 1u);
    EXPECT_EQ(current(), before);
    EXPECT_EQ(modelState().undoList.size(), 1u) << "the history is kept";
}

TEST_F(Editor, AFailedSaveKeepsTheMapModifiedAndTheWindowOpen) {
    trigger("Nieuw1");
    current()->fileName = path("geen/map/kaart.brm");
    EXPECT_THROW(form->Bewaar1Click(), FileError);
    EXPECT_TRUE(current()->modified);

    answer(QStringLiteral("Ja"));
    EXPECT_THROW(form->Sluiten1Click(), FileError);
    EXPECT_EQ(form->maps().size(), 1u) << "still open";

    // Closing the window: the failed save shows the error box, the window stays.
    answer(QStringLiteral("Ja"));
    answerFile(path("geen/map/ander.brm"));
    auto error = answer(QStringLiteral("OK"));
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(error->shown);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(current()->fileName, path("geen/map/kaart.brm")) << "the name stays as it was";
}

TEST_F(Editor, PaintingDrawsTheVisiblePartOfTheMap) {
    form->openenmindmap(mapFile("teken.brm"), false);
    tmindmap* m = current();
    form->ScrollBox1()->scrollTo(m->root->left - 100, m->root->top - 100);
    form->ScrollBox1()->viewport()->repaint();
    EXPECT_EQ(m->viewLeft, m->root->left - 100) << "prepareView took the scroll position";
    const ImageSurface& surface = *modelState().drawingBitmap;
    EXPECT_LE(surface.width(), m->viewWidth);
    EXPECT_LE(surface.height(), m->viewHeight);
    const QImage shot = form->ScrollBox1()->viewport()->grab().toImage();
    int dark = 0;
    for (int y = 90; y < 140; ++y) {
        for (int x = 90; x < 200; ++x) {
            dark += QColor(shot.pixel(x, y)).lightness() < 100;
        }
    }
    EXPECT_GT(dark, 20) << "the root's box and text are on screen";
}

} // namespace
