#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

// Every test runs inside one application object, as a host's or Designer's widgets
// do; headless unless the caller chose a platform (test discovery runs without the
// test environment).
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
