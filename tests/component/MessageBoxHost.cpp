// message_box_host <library>: a host without a GUI application. It loads the
// component library, shows a box first with no application object at all and then
// under a QCoreApplication, and prints the two answers.
#include "component/ComponentLibrary.h"
#include "platform/MessageBoxService.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: message_box_host <library>\n");
        return 2;
    }
    try {
        const kx::component::ComponentLibrary library(argv[1]);
        if (kx::platform::InstalledFallbackMessageBox() == nullptr) {
            std::fprintf(stderr, "the library installed no message box\n");
            return 1;
        }
        using namespace kx::platform::msgbox;
        const int first = kx::platform::CurrentMessageBox().Show("没有图形程序。", "从Access数据库恢复数据", kCritical);
        int second = 0;
        {
            QCoreApplication application(argc, argv);
            second = kx::platform::CurrentMessageBox().Show("只有核心程序。", "从Access数据库恢复数据",
                                                            kQuestion + kYesNo);
        }
        std::printf("answers %d %d\n", first, second);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
