// Main of the window tests: Qt runs offscreen (also when ctest lists the tests) and the resource
// folder is the build's, where the skin is copied.
#include "gui/ui/resource_paths.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    v38::setResourceDir(QStringLiteral(V38_BINARY_DIR "/bin"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
