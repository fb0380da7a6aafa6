// Test entry for windows: the program's own application object, headless.
#include "platform/ui/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Kivora"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
