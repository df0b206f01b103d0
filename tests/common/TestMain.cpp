// Shared main of the test programs: a QApplication on the offscreen platform and a
// scripted UI hook, so that no test can ever open a real modal window.
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ResetFormatSettings();
    SetUiHook(std::make_unique<TScriptedUiHook>());
    return RUN_ALL_TESTS();
}
