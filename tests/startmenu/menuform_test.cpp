#include "startmenu/menuform.h"

#include "assignment/opdracht.h"
#include "env/startup.h"
#include "platform/error.h"
#include "platform/imagesurface.h"
#include "platform/shell.h"
#include "platform/ui/modal.h"
#include "support/recordingcanvas.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Kind = RecordingCanvas::Kind;
using namespace menucolours;

// A start window of a given client size, with the editor replaced by a
// recorder and the desktop's "open" by a list.
class StartMenu : public ::testing::Test {
protected:
    void SetUp() override {
        programValues().mapFileToOpen.clear();
        assignmentValues() = {};
        clearModalAnswers();
        setShellOpener([this](const QUrl& url) {
            opened.append(url.toString());
            return true;
        });
    }

    void TearDown() override {
        clearModalAnswers();
        setShellOpener({});
        assignmentValues() = {};
        programValues().mapFileToOpen.clear();
    }

    std::unique_ptr<Tmenuform> makeform(QSize size = {1024, 768}) {
        auto form = std::make_unique<Tmenuform>();
        form->commandline.clear();
        form->setWindowState(Qt::WindowNoState);
        form->resize(size);
        Tmenuform* raw = form.get();
        form->editorStarter = [this, raw](QWidget& owner) {
            ++editorstarts;
            ownerwasform = &owner == raw;
            hiddenwhilerunning = raw->isHidden();
            picturesfreed = raw->photo.isNull() && raw->logo.isNull();
        };
        return form;
    }

    // Shows the window and lets it paint, which lays out the buttons.
    static void showform(Tmenuform& form) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.repaint();
    }

    static Colour pixel(const QImage& image, int x, int y) {
        return fromQColor(image.pixelColor(x, y));
    }

    int editorstarts = 0;
    bool ownerwasform = false;
    bool hiddenwhilerunning = false;
    bool picturesfreed = false;
    QStringList opened;
};

const std::vector<const RecordingCanvas::Call*> calls(const RecordingCanvas& c, Kind kind) {
    return c.ofKind(kind);
}

TEST_F(StartMenu, LayoutFiguresAt1024x768) {
    auto form = makeform();
    RecordingCanvas c;
    c.surfaceSize = {1024, 768};
    form->tekenkromme(c);

    EXPECT_EQ(form->unitsize, 51);
    EXPECT_DOUBLE_EQ(form->xscale, 1.0);
    EXPECT_DOUBLE_EQ(form->yscale, 1.0);
    // u + three buttons of 63 with gaps of 17, and one more gap.
    EXPECT_EQ(form->buttonareawidth, 51 + 3 * (63 + 17) + 17);
    Font titlefont = c.font();
    titlefont.style = Font::Bold;
    titlefont.setSize(40);
    RecordingCanvas measure;
    measure.setFont(titlefont);
    EXPECT_EQ(form->titlewidth, measure.textWidth(QStringLiteral("Kivora 2007")) + 51 + 2 * 17);

    // The frame: eight quarter circles of radius 42 with a 13-pixel gold pen.
    const auto arcs = calls(c, Kind::Arc);
    ASSERT_EQ(arcs.size(), 8u);
    const std::int32_t tw = form->titlewidth;
    const std::int32_t aw = 1024 - form->buttonareawidth;
    const Point boxes[8][2] = {
        {{25, 178}, {109, 262}},     // P0 (u div 2, T), top-left quarter
        {{tw - 84, 94}, {tw, 178}},  // P1, bottom-right
        {{tw, 51}, {tw + 84, 135}},  // P2, top-left
        {{915, 51}, {999, 135}},     // P3 (W - u div 2, u), top-right
        {{915, 455}, {999, 539}},    // P4 (W - u div 2, H - 3u - o), bottom-right
        {{aw, 539}, {aw + 84, 623}}, // P5, top-left
        {{aw - 84, 557}, {aw, 641}}, // P6 (.., H - u - o), bottom-right
        {{25, 557}, {109, 641}},     // P7, bottom-left
    };
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(arcs[i]->points[0], boxes[i][0]) << "corner " << i;
        EXPECT_EQ(arcs[i]->points[1], boxes[i][1]) << "corner " << i;
        EXPECT_EQ(arcs[i]->pen.width, 13) << "corner " << i;
        EXPECT_EQ(arcs[i]->pen.colour, gold);
    }
    // Top-left quarter of P0 joins (x + 42, y) and (x, y + 42).
    EXPECT_EQ(arcs[0]->points[2], (Point{67, 178}));
    EXPECT_EQ(arcs[0]->points[3], (Point{25, 220}));

    // The sides run between the ends of the quarter circles.
    const auto lines = calls(c, Kind::Line);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0]->points[0], (Point{67, 178}));
    EXPECT_EQ(lines[0]->points[1], (Point{tw - 42, 178}));
    EXPECT_EQ(lines[3]->points[0], (Point{999, 93}));
    EXPECT_EQ(lines[3]->points[1], (Point{999, 497}));
    EXPECT_EQ(lines[7]->points[0], (Point{25, 599}));
    EXPECT_EQ(lines[7]->points[1], (Point{25, 220}));

    const auto fills = calls(c, Kind::FloodFill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->points[0], (Point{1, 1}));
    EXPECT_EQ(static_cast<Colour>(fills[0]->values.at(0)), gold);
    EXPECT_EQ(fills[0]->brush.colour, darkblue);

    // Three buttons, each drawn twice, bottom at 641, 63 wide, 17 apart.
    const auto squares = calls(c, Kind::RoundRect);
    ASSERT_EQ(squares.size(), 6u);
    const std::int32_t rights[3] = {973, 893, 813};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(squares[i]->points[0], (Point{rights[i / 2] - 63, 578})) << i;
        EXPECT_EQ(squares[i]->points[1], (Point{rights[i / 2], 641})) << i;
        EXPECT_EQ(squares[i]->values, (std::vector<std::int32_t>{10, 10}));
        EXPECT_EQ(squares[i]->pen.width, 9);
        EXPECT_EQ(squares[i]->brush.colour, colours::white);
    }
    EXPECT_EQ(form->buttons[3].rect, (Rect{910, 578, 973, 641})) << "Hoofd-menu";
    EXPECT_EQ(form->buttons[1].rect, (Rect{830, 578, 893, 641})) << "Help";
    EXPECT_EQ(form->buttons[0].rect, (Rect{750, 578, 813, 641})) << "info";
    EXPECT_EQ(form->buttons[2].rect, Rect{}) << "Profiel is not shown";
    EXPECT_EQ(form->buttons[4].rect, Rect{}) << "Stop is not shown";
    EXPECT_EQ(form->buttons[0].iconrect.width(), 22);
    EXPECT_EQ(form->buttons[0].iconrect.height(), 22);

    // The white strip of height o = 76 with the logo in it.
    const auto strips = calls(c, Kind::FillRect);
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(strips[0]->points[0], (Point{0, 692}));
    EXPECT_EQ(strips[0]->points[1], (Point{1024, 768}));
    EXPECT_EQ(strips[0]->brush.colour, colours::white);
    const auto pictures = calls(c, Kind::StretchDraw);
    ASSERT_EQ(pictures.size(), 1u) << "only the logo; the icon bitmaps are not shipped";
    EXPECT_EQ(pictures[0]->points[0], (Point{741, 700}));
    EXPECT_EQ(pictures[0]->points[1], (Point{962, 765}));
    EXPECT_EQ(c.pen().width, 1);
}

TEST_F(StartMenu, CaptionsStandInTheirButtons) {
    auto form = makeform();
    RecordingCanvas c;
    form->tekenkromme(c);
    std::map<QString, const RecordingCanvas::Call*> texts;
    for (const auto* call : calls(c, Kind::Text)) {
        texts[call->text] = call;
    }
    ASSERT_EQ(texts.size(), 4u);
    const struct {
        const char* text;
        int button;
    } captions[] = {{"info", 1}, {"Help", 2}, {"Hoofd-", 4}, {"menu", 4}};
    for (const auto& cap : captions) {
        const auto* call = texts.at(QString::fromLatin1(cap.text));
        const Rect r = form->buttons[static_cast<std::size_t>(cap.button - 1)].rect;
        const int width = c.textWidth(call->text);
        EXPECT_LE(std::abs((call->points[0].x + width / 2) - (r.left + r.right) / 2), 1)
            << cap.text << " is centred";
        EXPECT_GT(call->points[0].y, r.top) << cap.text;
        EXPECT_LT(call->points[0].y + c.textHeight(call->text), r.bottom) << cap.text;
        EXPECT_EQ(call->font.colour, darkblue);
        EXPECT_EQ(call->font.size(), 10);
        EXPECT_EQ(call->textBackground, TextBackground::Opaque);
    }
    EXPECT_LT(texts.at(QStringLiteral("Hoofd-"))->points[0].y,
              texts.at(QStringLiteral("menu"))->points[0].y);
}

// The captions keep their place when a larger layout came before.
TEST_F(StartMenu, CaptionsDoNotDependOnThePreviousLayout) {
    auto captionrows = [](Tmenuform& form) {
        RecordingCanvas c;
        form.tekenkromme(c);
        std::vector<std::int32_t> rows;
        for (const auto* call : c.ofKind(Kind::Text)) {
            rows.push_back(call->points[0].y);
        }
        return rows;
    };
    auto fresh = makeform();
    const auto expected = captionrows(*fresh);
    auto resized = makeform({1920, 1080});
    captionrows(*resized);
    resized->resize(1024, 768);
    EXPECT_EQ(captionrows(*resized), expected);
}

TEST_F(StartMenu, BadgeShapes) {
    auto form = makeform();
    RecordingCanvas c;
    form->tekenster2(c, 500, 300, 76, gold, darkblue, badgesymbol::triangle);
    const auto polygons = calls(c, Kind::Polygon);
    ASSERT_EQ(polygons.size(), 3u);
    const auto& outer = polygons[0]->points;
    const auto& inner = polygons[1]->points;
    ASSERT_EQ(outer.size(), 30u);
    ASSERT_EQ(inner.size(), 30u);
    // Arm 0 points straight down (90 degrees, y downwards), across to the right.
    EXPECT_EQ(outer[0], (Point{512, 376}));
    EXPECT_EQ(outer[1], (Point{503, 373}));
    EXPECT_EQ(outer[2], (Point{500, 368}));
    EXPECT_EQ(outer[3], (Point{497, 373}));
    EXPECT_EQ(outer[4], (Point{488, 376}));
    // Arm 1 at 150 degrees: (12, 76) lies at 500 - 76 cos 30 + 6, 300 + 38 + 12 cos 30.
    EXPECT_EQ(outer[5], (Point{440, 348}));
    // Arm 3 points straight up.
    EXPECT_EQ(outer[15], (Point{488, 224}));
    EXPECT_EQ(inner[0], (Point{512, 361}));
    EXPECT_EQ(inner[2], (Point{500, 353}));
    EXPECT_EQ(polygons[0]->brush.colour, darkblue);
    EXPECT_EQ(polygons[0]->pen.colour, darkblue);
    EXPECT_EQ(polygons[1]->brush.colour, gold);
    EXPECT_EQ(polygons[1]->pen.colour, darkblue);
    // The triangle points right, outline only, with a 2-pixel pen.
    EXPECT_EQ(polygons[2]->points, (std::vector<Point>{{475, 250}, {550, 300}, {475, 350}}));
    EXPECT_EQ(polygons[2]->pen.width, 2);
    EXPECT_EQ(polygons[2]->brush.style, BrushStyle::Clear);
    EXPECT_EQ(c.pen().width, 1);
    EXPECT_EQ(c.brush().style, BrushStyle::Solid);

    RecordingCanvas others;
    form->tekenster2(others, 500, 300, 76, gold, darkblue, badgesymbol::circle);
    form->tekenster2(others, 500, 300, 76, gold, darkblue, badgesymbol::square);
    form->tekenster2(others, 500, 300, 76, gold, darkblue, badgesymbol::none);
    ASSERT_EQ(others.ofKind(Kind::Ellipse).size(), 1u);
    EXPECT_EQ(others.ofKind(Kind::Ellipse)[0]->points[0], (Point{462, 262}));
    EXPECT_EQ(others.ofKind(Kind::Ellipse)[0]->points[1], (Point{538, 338}));
    ASSERT_EQ(others.ofKind(Kind::Rectangle).size(), 1u);
    EXPECT_EQ(others.ofKind(Kind::Rectangle)[0]->points[0], (Point{462, 262}));
    EXPECT_EQ(others.ofKind(Kind::Polygon).size(), 6u) << "no symbol polygon";
}

TEST_F(StartMenu, ScreenshotAt1024x768) {
    auto form = makeform();
    const QImage shot = form->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(1024, 768));

    // Dark blue outside the frame, gold on it, the picture inside.
    for (const QPoint at : {QPoint(1, 1), QPoint(5, 400), QPoint(1015, 300), QPoint(990, 600),
                            QPoint(400, 670), QPoint(600, 20)}) {
        EXPECT_EQ(pixel(shot, at.x(), at.y()), darkblue) << at.x() << "," << at.y();
    }
    for (const QPoint at : {QPoint(25, 400), QPoint(999, 300), QPoint(400, 641), QPoint(600, 51)}) {
        EXPECT_EQ(pixel(shot, at.x(), at.y()), gold) << at.x() << "," << at.y();
    }
    for (const QPoint at : {QPoint(300, 400), QPoint(640, 480), QPoint(150, 600)}) {
        const Colour c = pixel(shot, at.x(), at.y());
        EXPECT_NE(c, darkblue) << at.x() << "," << at.y();
        EXPECT_NE(c, gold) << at.x() << "," << at.y();
    }
    // White buttons, and white icon squares: the bitmaps are not shipped.
    for (const auto& button : {form->buttons[0], form->buttons[1], form->buttons[3]}) {
        EXPECT_EQ(pixel(shot, button.rect.left + 9, button.rect.top + 9), colours::white);
    }
    for (const auto& button : {form->buttons[0], form->buttons[1]}) {
        const Rect& icon = button.iconrect;
        for (int y = icon.top; y < icon.bottom; ++y) {
            for (int x = icon.left; x < icon.right; ++x) {
                ASSERT_EQ(pixel(shot, x, y), colours::white) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(pixel(shot, 10, 750), colours::white);
    // The logo stands in the strip; the title in white with a black shadow.
    int logoInk = 0;
    for (int y = 700; y < 765; ++y) {
        for (int x = 741; x < 962; ++x) {
            logoInk += pixel(shot, x, y) != colours::white;
        }
    }
    EXPECT_GT(logoInk, 500);
    int white = 0, black = 0;
    for (int y = 20; y < 178; ++y) {
        for (int x = 51; x < form->titlewidth; ++x) {
            white += pixel(shot, x, y) == colours::white;
            black += pixel(shot, x, y) == colours::black;
        }
    }
    EXPECT_GT(white, 300);
    EXPECT_GT(black, 100);
    // The badges: gold inside, dark blue rim.
    EXPECT_EQ(pixel(shot, 510, 287), gold);
    EXPECT_EQ(pixel(shot, 765, 169 + 60), darkblue) << "between the inner and outer notch";
    EXPECT_EQ(pixel(shot, 765, 405), gold) << "inside the square of badge 4";
}

// The background is built for the new size, and anew also when the size
// stayed the same (a window without a frame).
TEST_F(StartMenu, EveryResizeBuildsTheBackgroundAnew) {
    auto form = makeform();
    form->grab();
    ASSERT_EQ(form->background->width(), 1024);
    form->resize(800, 600);
    const QImage shot = form->grab().toImage();
    EXPECT_EQ(form->background->width(), 800);
    EXPECT_EQ(form->background->height(), 600);
    EXPECT_EQ(form->unitsize, 40);
    EXPECT_EQ(form->buttons[3].rect, (Rect{710, 450, 760, 500}));
    EXPECT_EQ(pixel(shot, 1, 1), darkblue);

    Canvas& c = form->background->canvas();
    c.setBrushColour(colours::red);
    c.fillRect({300, 300, 310, 310});
    form->FormResize();
    const QImage again = form->grab().toImage();
    EXPECT_NE(pixel(again, 305, 305), colours::red);

    // Far too small for the fixed corner circles, and still drawn.
    form->resize(40, 30);
    EXPECT_EQ(form->grab().size(), QSize(40, 30));
    EXPECT_EQ(form->background->width(), 40);
    EXPECT_EQ(form->unitsize, 2);
}

// Press and release: the first visible button under the pointer, edges included.
TEST_F(StartMenu, PressAndRelease) {
    const QPoint info(781, 609), help(861, 609), menu(941, 609), outside(300, 300);
    const QPoint infoCorner(813, 641), infoOrigin(750, 578), between(814, 609);
    const QPoint none(-1, -1);
    enum Outcome { nothing, aboutbox, helppage, editor };
    const struct {
        const char* what;
        QPoint press, release;
        Outcome outcome;
    } cases[] = {
        {"info on info", info, info, aboutbox},
        {"info to outside", info, outside, editor},
        {"info to Help", info, help, nothing},
        {"Help on Help", help, help, helppage},
        {"Hoofd-menu on itself", menu, menu, editor},
        {"outside to info", outside, info, nothing},
        {"outside", outside, outside, editor},
        {"corners of info", infoCorner, infoOrigin, aboutbox},
        {"between two buttons", between, between, editor},
        {"release on info without a press", none, info, nothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editorstarts = 0;
        opened.clear();
        clearModalAnswers();
        int boxes = 0;
        QString product;
        queueModalAnswer([&](QDialog& d) {
            ++boxes;
            product = d.windowTitle();
            d.close();
        });
        auto form = makeform();
        showform(*form);
        if (c.press != none) {
            QTest::mousePress(form.get(), Qt::LeftButton, {}, c.press);
        }
        QTest::mouseRelease(form.get(), Qt::LeftButton, {}, c.release);
        EXPECT_EQ(boxes, c.outcome == aboutbox ? 1 : 0);
        EXPECT_EQ(editorstarts, c.outcome == editor ? 1 : 0);
        EXPECT_EQ(form->isVisible(), c.outcome != editor);
        if (c.outcome == aboutbox) {
            EXPECT_EQ(product, QStringLiteral("Info"));
        }
        if (c.outcome == helppage) {
            ASSERT_EQ(opened.size(), 1);
            EXPECT_TRUE(
                opened[0].endsWith(QStringLiteral("/htmlplusnorvelned/index.html?inhoud.htm")))
                << opened[0].toStdString();
        } else {
            EXPECT_TRUE(opened.isEmpty());
        }
    }
}

TEST_F(StartMenu, AnyCharacterKeyStartsTheEditor) {
    const struct {
        Qt::Key key;
        const char* text;
        bool starts;
    } cases[] = {
        {Qt::Key_A, "a", true},         {Qt::Key_Space, " ", true}, {Qt::Key_Return, "\r", true},
        {Qt::Key_Escape, "\x1b", true}, {Qt::Key_Shift, "", false}, {Qt::Key_F1, "", false},
        {Qt::Key_Left, "", false},
    };
    for (const auto& c : cases) {
        editorstarts = 0;
        auto form = makeform();
        showform(*form);
        QTest::sendKeyEvent(QTest::KeyAction::Press, form.get(), c.key, QString::fromLatin1(c.text),
                            Qt::NoModifier);
        EXPECT_EQ(editorstarts, c.starts ? 1 : 0) << "key " << c.key;
    }
}

TEST_F(StartMenu, StartingTheEditorHidesThenClosesTheStartWindow) {
    auto form = makeform();
    showform(*form);
    ASSERT_FALSE(form->photo.isNull());
    form->startmindmap();
    EXPECT_EQ(editorstarts, 1);
    EXPECT_TRUE(ownerwasform);
    EXPECT_TRUE(hiddenwhilerunning);
    EXPECT_TRUE(picturesfreed);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->background, nullptr) << "closing frees the bitmaps";
    // A key that was already on its way does not start a second editor.
    form->FormKeyPress(QStringLiteral("x"));
    EXPECT_EQ(editorstarts, 1);
}

TEST_F(StartMenu, ANewStartWindow) {
    Tmenuform form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kivora"));
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.visiblebuttons, (std::set<int>{1, 2, 4}));
    EXPECT_FALSE(form.photo.isNull()) << "resource 1";
    EXPECT_FALSE(form.logo.isNull()) << "resource 2";
    EXPECT_EQ(form.pressedbutton, Tmenuform::nobutton);
}

// The real event loop: the editor closes, the start window closes with it
// and the application's loop ends.
TEST_F(StartMenu, TheProgramEndsWhenTheEditorCloses) {
    auto form = makeform();
    form->editorStarter = [this](QWidget& owner) {
        ++editorstarts;
        QDialog editor(&owner);
        QTimer::singleShot(50, &editor, &QDialog::accept);
        editor.exec();
    };
    showform(*form);
    bool timedOut = false;
    QTimer::singleShot(0, form.get(),
                       [&] { QTest::keyClick(form.get(), Qt::Key_A, Qt::NoModifier); });
    QTimer::singleShot(5000, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(editorstarts, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(StartMenu, AnEditorThatFailsIsReportedAndTheProgramStillEnds) {
    auto form = makeform();
    showform(*form);
    form->editorStarter = [](QWidget&) {
        throw FileError(QStringLiteral("Kan bestand \"x.brm\" niet openen"));
    };
    QString message;
    queueModalAnswer([&](QDialog& d) {
        if (auto* box = qobject_cast<QMessageBox*>(&d)) {
            message = box->text();
        }
        d.close();
    });
    form->startmindmap();
    EXPECT_EQ(message, QStringLiteral("Kan bestand \"x.brm\" niet openen."));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(StartMenu, TheEditorFindsTheMapOfTheCommandLineEvenWithoutActivation) {
    QTemporaryDir dir;
    const QString map = dir.filePath(QStringLiteral("les.brm"));
    QFile f(map);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    auto form = makeform();
    form->commandline = {map};
    QString seen;
    form->editorStarter = [&seen](QWidget&) { seen = programValues().mapFileToOpen; };
    form->startmindmap();
    EXPECT_EQ(seen, map);
}

TEST_F(StartMenu, TheCommandLineIsReadOnTheFirstActivationOnly) {
    QTemporaryDir dir;
    const QString map = dir.filePath(QStringLiteral("les.brm"));
    QFile f(map);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    auto form = makeform();
    form->commandline = {map};
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(programValues().mapFileToOpen, map);

    programValues().mapFileToOpen.clear();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    EXPECT_TRUE(programValues().mapFileToOpen.isEmpty());
}

} // namespace
