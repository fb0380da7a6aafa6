#include "platform/error.h"
#include "platform/ui/application.h"
#include "platform/ui/modal.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// An object whose event handler fails the way a command can.
class Failing : public QObject {
public:
    int handled = 0;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            throw ReadError(QStringLiteral("Fout bij het lezen van de gegevens"));
        }
        if (e->type() == QEvent::User + 1) {
            ++handled;
            return true;
        }
        return QObject::event(e);
    }
};

TEST(Application, ShowsWhatAHandlerThrowsAndGoesOn) {
    QString title, text;
    int buttons = -1;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    queueModalAnswer([&](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        buttons = static_cast<int>(box.buttons().size());
        box.button(QMessageBox::Ok)->click();
    });

    Failing target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 1)));
    QCoreApplication::sendPostedEvents(&target);

    EXPECT_FALSE(modalAnswersPending()) << "no error box was shown";
    EXPECT_EQ(title, QStringLiteral("Kivora"));
    EXPECT_EQ(text, QStringLiteral("Fout bij het lezen van de gegevens."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(target.handled, 1) << "the program goes on after the error";
}

TEST(Application, MessagesEndInOneFullStop) {
    const struct {
        std::exception_ptr error;
        const char* shown;
    } cases[] = {
        {std::make_exception_ptr(KivoraError(QStringLiteral("Kan niet"))), "Kan niet."},
        {std::make_exception_ptr(KivoraError(QStringLiteral("Al klaar."))), "Al klaar."},
        {std::make_exception_ptr(KivoraError(QStringLiteral("Wat?"))), "Wat?"},
        {std::make_exception_ptr(std::runtime_error("kapot")), "kapot."},
        {std::make_exception_ptr(std::bad_alloc()), "Onvoldoende geheugen."},
        {std::make_exception_ptr(42), "Onbekende fout."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Application::exceptionMessage(c.error), QString::fromUtf8(c.shown));
    }
}

} // namespace
