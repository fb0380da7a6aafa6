#include "startmenu/aboutbox.h"
#include "startmenu/menuform.h"

#include "platform/shell.h"
#include "platform/ui/modal.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Seen {
    int shown = 0;
    QString caption, product, version, button, group, resolution;
    QSize size;
    bool buttonHasFocus = false;
};

// Reads the box as it stands on screen, then presses "Sluit".
ModalAnswer look(Seen& seen) {
    return [&seen](QDialog& dialog) {
        auto& box = dynamic_cast<TAboutBox&>(dialog);
        ++seen.shown;
        seen.caption = box.windowTitle();
        seen.product = box.ProductName->text();
        seen.version = box.version->text();
        seen.button = box.OKButton->text();
        seen.group = box.GroupBox1->title();
        seen.resolution = box.Label7->text();
        seen.size = box.size();
        seen.buttonHasFocus = box.focusWidget() == box.OKButton;
        box.OKButton->click();
    };
}

void expectTheFixedLabels(const Seen& seen) {
    EXPECT_EQ(seen.shown, 1);
    EXPECT_EQ(seen.caption, QStringLiteral("Info"));
    EXPECT_EQ(seen.version, QStringLiteral("beta versie 6"));
    EXPECT_EQ(seen.button, QStringLiteral("Sluit"));
    EXPECT_EQ(seen.group, QStringLiteral("Systeem voorkeuren"));
    EXPECT_EQ(seen.resolution, QStringLiteral("\n  -  Minimale resolutie 1024 * 768 "));
    EXPECT_EQ(seen.size, QSize(468, 503));
    EXPECT_TRUE(seen.buttonHasFocus);
}

TEST(AboutBox, FromTheStartMenuTheProductIsNorvelPlus) {
    clearModalAnswers();
    Seen seen;
    queueModalAnswer(look(seen));
    Tmenuform form;
    form.commandline.clear();
    form.setWindowState(Qt::WindowNoState);
    form.resize(1024, 768);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.repaint();
    const QPoint info = QPoint((form.buttons[0].rect.left + form.buttons[0].rect.right) / 2,
                               (form.buttons[0].rect.top + form.buttons[0].rect.bottom) / 2);
    QTest::mouseClick(&form, Qt::LeftButton, {}, info);
    expectTheFixedLabels(seen);
    EXPECT_EQ(seen.product, QStringLiteral("Norvel+"));
    EXPECT_TRUE(form.isVisible()) << "the start menu stays";
}

TEST(AboutBox, FromTheEditorTheProductIsKivora) {
    clearModalAnswers();
    Seen seen;
    queueModalAnswer(look(seen));
    openaboutbox(nullptr, QStringLiteral("Kivora"));
    expectTheFixedLabels(seen);
    EXPECT_EQ(seen.product, QStringLiteral("Kivora"));
}

// Escape leaves the box open; the close box and "Sluit" end the run.
TEST(AboutBox, OnlyTheCloseBoxAndSluitCloseIt) {
    const struct {
        const char* what;
        void (*close)(TAboutBox&);
    } closers[] = {
        {"Sluit", [](TAboutBox& box) { box.OKButton->click(); }},
        {"close box", [](TAboutBox& box) { box.close(); }},
    };
    for (const auto& c : closers) {
        clearModalAnswers();
        bool openAfterEscape = false;
        bool answered = false;
        queueModalAnswer([&](QDialog& dialog) {
            auto& box = dynamic_cast<TAboutBox&>(dialog);
            QTest::keyClick(&box, Qt::Key_Escape);
            QTest::keyClick(box.OKButton, Qt::Key_Escape);
            openAfterEscape = box.isVisible();
            answered = true;
            c.close(box);
        });
        openaboutbox(nullptr);
        EXPECT_TRUE(answered) << c.what;
        EXPECT_TRUE(openAfterEscape) << c.what;
    }
}

} // namespace
