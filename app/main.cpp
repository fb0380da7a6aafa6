#include "editor/mindmanagerform.h"
#include "env/startup.h"
#include "model/modelstate.h"
#include "platform/ui/application.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>

namespace {

// The last map file named on the command line that exists; names are taken
// from where the program was started, not from the program folder.
QString mapFileFromCommandLine(const QStringList& parameters, const QString& startFolder) {
    QString found;
    for (const QString& p : parameters) {
        if (!p.toUpper().endsWith(QStringLiteral(".BRM"))) {
            continue;
        }
        const QFileInfo file(QDir(startFolder), p);
        if (file.isFile()) {
            found = file.absoluteFilePath();
        }
    }
    return found;
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
        programValues().mapFileToOpen = mapFileFromCommandLine(parameters, startFolder);

        Tmindmanagerform editor;
        editor.prepareform();
        editor.showMaximized();
        return Application::exec();
    } catch (...) {
        Application::showException(std::current_exception());
        return 1;
    }
}
