#include "model/modelstate.h"
#include "platform/ui/application.h"

#include <QMainWindow>

int main(int argc, char** argv) {
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Kivora"));
    try {
        modelState(); // the model-wide state exists before any map
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
