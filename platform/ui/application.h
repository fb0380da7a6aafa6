#pragma once

#include <QApplication>
#include <QString>
#include <exception>

// The program's application object. Whatever an event handler throws is caught
// here and shown in the platform-style error box; then the program goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The error box: a modal box with the application's title, the message
    // (ending in a full stop) and one OK button.
    static void showException(const std::exception_ptr& error);
    static QString exceptionMessage(const std::exception_ptr& error);
};
