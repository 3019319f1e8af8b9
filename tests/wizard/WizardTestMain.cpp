#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

// Every test runs inside one application object, headless unless the caller chose a platform;
// the pages are laid out for the CJK font the window program uses.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    QApplication::setFont(font);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
