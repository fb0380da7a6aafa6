#include "env/dialogs.h"

#include "platform/arith.h"
#include "platform/ui/modal.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

// The dialog's buttons from left to right.
std::vector<QPushButton*> buttonsOf(QDialog& dialog) {
    std::vector<QPushButton*> buttons;
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        buttons.push_back(b);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    return buttons;
}

QPushButton* buttonCaptioned(QDialog& dialog, const QString& caption) {
    for (QPushButton* b : buttonsOf(dialog)) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

// Keys go where the user's keys go: to the widget that has the focus.
void press(QDialog& dialog, Qt::Key key) {
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key);
}

int ask(MessageButtons buttons, const std::function<void(QDialog&)>& answer,
        MessageKind kind = MessageKind::Confirmation) {
    queueModalAnswer(answer);
    const int result =
        messagedialog(QStringLiteral("Opslaan mindmap kaart.brm"), {}, kind, buttons, 0);
    EXPECT_FALSE(modalAnswersPending());
    return result;
}

TEST(MessageDialog, TitlesByKind) {
    const struct {
        MessageKind kind;
        const char* caption;
        const char* title;
        bool icon;
    } cases[] = {
        {MessageKind::Warning, "", "Waarschuwing", true},
        {MessageKind::Error, "", "Fout melding", true},
        {MessageKind::Information, "", "Informatie", true},
        {MessageKind::Confirmation, "", "Bevestiging", true},
        {MessageKind::Custom, "", "Kivora", false},
        {MessageKind::Information, "Mindmap kaart is veranderd", "Mindmap kaart is veranderd",
         true},
        {MessageKind::Custom, "Eigen titel", "Eigen titel", false},
    };
    for (const auto& c : cases) {
        QString title;
        bool icon = false;
        queueModalAnswer([&](QDialog& d) {
            title = d.windowTitle();
            const auto* label = d.findChild<QLabel*>(QStringLiteral("icon"));
            icon = label && !label->pixmap().isNull();
            d.close();
        });
        EXPECT_EQ(messagedialog(QStringLiteral("Tekst"), QString::fromUtf8(c.caption), c.kind,
                                messagebutton::ok, 0),
                  messageresult::cancel);
        EXPECT_EQ(title, QString::fromUtf8(c.title));
        EXPECT_EQ(icon, c.icon) << c.title;
    }
}

TEST(MessageDialog, ButtonsInBitOrderWithDutchCaptions) {
    std::vector<QString> captions;
    std::vector<int> tops;
    queueModalAnswer([&](QDialog& d) {
        for (QPushButton* b : buttonsOf(d)) {
            captions.push_back(b->text());
            tops.push_back(b->y());
        }
        d.close();
    });
    messagedialog(QStringLiteral("Alles"), {}, MessageKind::Custom, 0x7FF, 0);
    const std::vector<QString> expected = {
        QStringLiteral("&Ja"),
        QStringLiteral("&Nee"),
        QStringLiteral("OK"),
        QStringLiteral("&Annuleren"),
        QStringLiteral("&Annuleren"),
        QStringLiteral("&&Opnieuw"),
        QStringLiteral("&&Laat maar ...."),
        QStringLiteral("&&Alle(n)"),
        QStringLiteral("N&o to All"),
        QStringLiteral("Yes to &All"),
        QStringLiteral("&Help"),
    };
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(std::count(tops.begin(), tops.end(), tops.front()), 11) << "one row";
}

TEST(MessageDialog, EachButtonGivesItsResult) {
    const struct {
        MessageButtons button;
        int result;
    } cases[] = {
        {messagebutton::yes, 6},       {messagebutton::no, 7},    {messagebutton::ok, 1},
        {messagebutton::cancel, 2},    {messagebutton::abort, 3}, {messagebutton::retry, 4},
        {messagebutton::ignore, 5},    {messagebutton::all, 8},   {messagebutton::noToAll, 9},
        {messagebutton::yesToAll, 10},
    };
    for (const auto& c : cases) {
        const int result =
            ask(c.button | messagebutton::help, [](QDialog& d) { buttonsOf(d).front()->click(); });
        EXPECT_EQ(result, c.result);
    }
}

TEST(MessageDialog, HelpLeavesTheBoxOpen) {
    bool openAfterHelp = false;
    const int result = ask(messagebutton::ok | messagebutton::help, [&](QDialog& d) {
        buttonCaptioned(d, QStringLiteral("&Help"))->click();
        openAfterHelp = d.isVisible();
        buttonCaptioned(d, QStringLiteral("OK"))->click();
    });
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(result, messageresult::ok);
}

// Escape presses Cancel, else No, else OK; Enter presses OK, else Yes, else
// Retry; the close box always gives Cancel.
TEST(MessageDialog, EscapeEnterAndTheCloseBox) {
    using namespace messagebutton;
    const auto escape = [](QDialog& d) { press(d, Qt::Key_Escape); };
    const auto enter = [](QDialog& d) { press(d, Qt::Key_Return); };
    const auto closeBox = [](QDialog& d) { d.close(); };
    const auto tabThenEnter = [](QDialog& d) {
        buttonsOf(d)[1]->setFocus();
        QTest::keyClick(buttonsOf(d)[1], Qt::Key_Return);
    };
    const struct {
        MessageButtons buttons;
        std::function<void(QDialog&)> answer;
        int result;
        const char* what;
    } cases[] = {
        {yesNo, escape, 7, "Yes/No, Escape"},
        {yesNoCancel, escape, 2, "Yes/No/Cancel, Escape"},
        {ok, escape, 1, "OK, Escape"},
        {yesNo, closeBox, 2, "Yes/No, close box"},
        {yesNoCancel, closeBox, 2, "Yes/No/Cancel, close box"},
        {yesNo, enter, 6, "Yes/No, Enter"},
        {yesNoCancel, enter, 6, "Yes/No/Cancel, Enter"},
        {ok, enter, 1, "OK, Enter"},
        {yes | ok, enter, 1, "OK before Yes"},
        {messagebutton::abort | retry | ignore, enter, 4, "Retry"},
        {yesNoCancel, tabThenEnter, 7, "focus on No, Enter"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ask(c.buttons, c.answer), c.result) << c.what;
    }
}

// Without Cancel, No or OK there is no cancel button: Escape does nothing.
TEST(MessageDialog, EscapeWithoutACancelButtonDoesNothing) {
    bool stillOpen = false;
    const int result = ask(messagebutton::abort | messagebutton::retry, [&](QDialog& d) {
        press(d, Qt::Key_Escape);
        stillOpen = d.isVisible();
        buttonCaptioned(d, QStringLiteral("&Annuleren"))->click();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, messageresult::abort);
}

// The table compares whole captions of every control, the text too.
TEST(MessageDialog, RelabellingComparesWholeCaptions) {
    const struct {
        const char* msg;
        const char* shown;
    } cases[] = {
        {"&Yes", "&Ja"},
        {"&Yes, graag", "&Yes, graag"},
        {"Cancel", "&Annuleren"},
        {"&None", "&Geen"},
        {"&All", "&&Alle(n)"},
        {"&yes", "&yes"},
        {"<b>vet</b> & zo", "<b>vet</b> & zo"},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<QDialog> d = makemessagedialog(
            QString::fromUtf8(c.msg), {}, MessageKind::Information, messagebutton::ok, 0, -1, -1);
        const auto* text = d->findChild<QLabel*>(QStringLiteral("message"));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(text->textFormat(), Qt::PlainText);
    }
}

TEST(MessageDialog, PlacedCentredOrAtTheGivenEdges) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const std::unique_ptr<QDialog> centred = makemessagedialog(
        QStringLiteral("Midden"), {}, MessageKind::Warning, messagebutton::ok, 0, -1, -1);
    EXPECT_EQ(centred->x(), area.left() + (area.width() - centred->width()) / 2);
    EXPECT_EQ(centred->y(), area.top() + (area.height() - centred->height()) / 2);

    const std::unique_ptr<QDialog> placed = makemessagedialog(
        QStringLiteral("Hier"), {}, MessageKind::Warning, messagebutton::ok, 0, 120, -1);
    EXPECT_EQ(placed->x(), 120);
    EXPECT_EQ(placed->y(), area.top() + (area.height() - placed->height()) / 2);
}

TEST(MessageDialog, ALongTextWrapsAndEveryControlFits) {
    const QString longText =
        QString(QStringLiteral("woord ")).repeated(200) + QStringLiteral("\reinde");
    const std::unique_ptr<QDialog> d = makemessagedialog(longText, {}, MessageKind::Information,
                                                         messagebutton::yesNoCancel, 0, -1, -1);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(d->width(), area.width());
    for (QWidget* child : d->findChildren<QWidget*>()) {
        EXPECT_TRUE(d->rect().contains(child->geometry())) << child->metaObject()->className();
    }
    const auto* text = d->findChild<QLabel*>(QStringLiteral("message"));
    EXPECT_TRUE(text->text().endsWith(QStringLiteral("\neinde")));
}

struct InputRun {
    bool result = false;
    QString value;
    QString title;
    QString prompt;
    QString selected;
    QSize client;
};

InputRun input(const QString& start, const std::function<void(QDialog&, QLineEdit&)>& answer) {
    InputRun run;
    run.value = start;
    queueModalAnswer([&](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>();
        run.title = d.windowTitle();
        run.prompt = d.findChild<QLabel*>()->text();
        run.selected = edit->selectedText();
        run.client = d.size();
        answer(d, *edit);
    });
    run.result =
        inputdialog(QStringLiteral("Breedte rand "), QStringLiteral("Geef breedte"), run.value);
    EXPECT_FALSE(modalAnswersPending());
    return run;
}

TEST(InputDialog, ShowsTitlePromptAndTheSelectedValue) {
    const InputRun r = input(QStringLiteral("3"), [](QDialog& d, QLineEdit&) { d.close(); });
    EXPECT_EQ(r.title, QStringLiteral("Breedte rand "));
    EXPECT_EQ(r.prompt, QStringLiteral("Geef breedte"));
    EXPECT_EQ(r.selected, QStringLiteral("3"));
}

TEST(InputDialog, Answers) {
    const auto ok = [](QDialog& d) { buttonCaptioned(d, QStringLiteral("OK"))->click(); };
    const struct {
        std::function<void(QDialog&, QLineEdit&)> answer;
        bool result;
        const char* value;
        const char* what;
    } cases[] = {
        {[&](QDialog& d, QLineEdit& e) {
             QTest::keyClicks(&e, QStringLiteral("12"));
             ok(d);
         },
         true, "12", "typed over the selection, OK"},
        {[&](QDialog& d, QLineEdit&) { ok(d); }, true, "3", "OK without a change"},
        {[&](QDialog& d, QLineEdit& e) {
             e.clear();
             ok(d);
         },
         true, "", "OK on an empty text"},
        {[](QDialog&, QLineEdit& e) {
             QTest::keyClicks(&e, QStringLiteral("7"));
             QTest::keyClick(&e, Qt::Key_Return);
         },
         true, "7", "Enter in the field"},
        {[](QDialog& d, QLineEdit& e) {
             QTest::keyClicks(&e, QStringLiteral("9"));
             buttonCaptioned(d, QStringLiteral("Annuleren"))->click();
         },
         false, "3", "Annuleren"},
        {[](QDialog&, QLineEdit& e) {
             QTest::keyClicks(&e, QStringLiteral("9"));
             QTest::keyClick(&e, Qt::Key_Escape);
         },
         false, "3", "Escape"},
        {[](QDialog& d, QLineEdit&) { d.close(); }, false, "3", "close box"},
    };
    for (const auto& c : cases) {
        const InputRun r = input(QStringLiteral("3"), c.answer);
        EXPECT_EQ(r.result, c.result) << c.what;
        EXPECT_EQ(r.value, QString::fromUtf8(c.value)) << c.what;
    }
}

TEST(InputDialog, TypingStopsAt255Characters) {
    const InputRun typed = input({}, [](QDialog& d, QLineEdit& e) {
        QTest::keyClicks(&e, QString(300, QLatin1Char('a')));
        buttonCaptioned(d, QStringLiteral("OK"))->click();
    });
    EXPECT_EQ(typed.value.size(), 255);

    // A longer starting text (an old link) survives OK whole.
    const QString longLink = QStringLiteral("https://school.nl/") + QString(290, QLatin1Char('x'));
    const InputRun kept = input(longLink, [](QDialog& d, QLineEdit&) {
        buttonCaptioned(d, QStringLiteral("OK"))->click();
    });
    EXPECT_TRUE(kept.result);
    EXPECT_EQ(kept.value, longLink);
}

TEST(InputDialog, BuiltFromDialogUnits) {
    std::map<QString, QRect> geometry;
    QSize client;
    queueModalAnswer([&](QDialog& d) {
        client = d.size();
        for (QPushButton* b : buttonsOf(d)) {
            geometry[b->text()] = b->geometry();
        }
        geometry[QStringLiteral("edit")] = d.findChild<QLineEdit*>()->geometry();
        geometry[QStringLiteral("label")] = d.findChild<QLabel*>()->geometry();
        d.close();
    });
    QString value;
    inputdialog(QStringLiteral("Website"), QStringLiteral("Geef naam website :"), value);

    const CharSize u = averagecharsize(QApplication::font());
    const auto x = [&](int h) { return mulDiv(h, u.width, 4); };
    const auto y = [&](int v) { return mulDiv(v, u.height, 8); };
    EXPECT_EQ(client, QSize(x(180), y(63)));
    EXPECT_EQ(geometry[QStringLiteral("label")].topLeft(), QPoint(x(8), y(8)));
    EXPECT_EQ(geometry[QStringLiteral("edit")].topLeft(), QPoint(x(8), y(19)));
    EXPECT_EQ(geometry[QStringLiteral("edit")].width(), x(164));
    EXPECT_EQ(geometry[QStringLiteral("OK")], QRect(x(38), y(41), x(50), y(14)));
    EXPECT_EQ(geometry[QStringLiteral("Annuleren")], QRect(x(92), y(41), x(50), y(14)));
}

} // namespace
