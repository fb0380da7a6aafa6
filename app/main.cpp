#include "editor/mindmanagerform.h"
#include "env/startup.h"
#include "model/modelstate.h"
#include "platform/ui/application.h"
#include "startmenu/menuform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

namespace {

// Start-up makes the program folder the working folder; files named on the
// command line are meant from where the program was started.
QStringList fromStartFolder(const QStringList& parameters, const QString& startFolder) {
    QStringList out;
    for (const QString& p : parameters) {
        const QString suffix = QFileInfo(p).suffix().toUpper();
        const bool document = suffix == QStringLiteral("BRM") || suffix == QStringLiteral("RVF") ||
                              suffix == QStringLiteral("RTF");
        const QFileInfo here(QDir(startFolder), p);
        out.append(document && QFileInfo(p).isRelative() && here.isFile() ? here.absoluteFilePath()
                                                                          : p);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Kivora"));
    try {
        modelState(); // the model-wide state exists before any map
        const QScreen* screen = QGuiApplication::primaryScreen();
        setdefaultassignmentrect(screen ? screen->geometry().width() : 1024);
        const QString startFolder = QDir::currentPath();
        const QStringList parameters = QCoreApplication::arguments().mid(1);
        // Settings, working folder, command line and data folder, before any window.
        opstarten(QCoreApplication::applicationFilePath(), parameters);

        Tmenuform menu;
        menu.commandline = fromStartFolder(parameters, startFolder);
        menu.editorStarter = [](QWidget& owner) {
            Tmindmanagerform editor(&owner);
            editor.setWindowFlag(Qt::Window);
            editor.Hoofdmenu1()->setText(QStringLiteral("Sluit"));
            editor.prepareform();
            editor.showModal();
        };
        if (screen) {
            // Filled also where no window manager maximises it.
            menu.setGeometry(screen->availableGeometry());
        }
        menu.showMaximized();
        return Application::exec();
    } catch (...) {
        Application::showException(std::current_exception());
        return 1;
    }
}
