// Test entry for windows: the program's own application object, headless.
#include "platform/ui/application.h"

#include <gtest/gtest.h>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says this for every top-level window; it means nothing here.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support propagateSizeHints"))) {
        return;
    }
    if (previousHandler) {
        previousHandler(type, context, message);
    }
}

} // namespace

int main(int argc, char** argv) {
    previousHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Kivora"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
