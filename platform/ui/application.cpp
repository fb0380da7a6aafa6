#include "application.h"

#include "modal.h"

#include "platform/error.h"

#include <QMessageBox>
#include <new>

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

QString Application::exceptionMessage(const std::exception_ptr& error) {
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const KivoraError& e) {
        message = e.message();
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("Onvoldoende geheugen");
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        message = QStringLiteral("Onbekende fout");
    }
    // The error report ends every message as a sentence.
    static const QString closing = QStringLiteral(".!?:\u2026");
    if (!message.isEmpty() && !closing.contains(message.back())) {
        message += QLatin1Char('.');
    }
    return message;
}

void Application::showException(const std::exception_ptr& error) {
    const QString title = QApplication::applicationName();
    QMessageBox box(QMessageBox::Critical, title, exceptionMessage(error), QMessageBox::Ok);
    execModal(box);
}
