#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

// Hosts create the control inside their application object; the tests do the
// same, headless unless the caller chose a platform.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
