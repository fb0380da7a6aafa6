#include "env/startup.h"
#include "model/modelstate.h"
#include "platform/ui/application.h"

#include <QMainWindow>
#include <QScreen>

int main(int argc, char** argv) {
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Kivora"));
    try {
        modelState(); // the model-wide state exists before any map
        const QScreen* screen = QGuiApplication::primaryScreen();
        setdefaultassignmentrect(screen ? screen->geometry().width() : 1024);
        // Settings, working folder, command line and data folder, before any window.
        opstarten(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
        QMainWindow window;
        window.setWindowTitle(QStringLiteral("Kivora"));
        window.resize(1024, 768);
        window.show();
        return Application::exec();
    } catch (...) {
        Application::showException(std::current_exception());
        return 1;
    }
}
