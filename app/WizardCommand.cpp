#include "WizardCommand.h"

#include "ApplicationFolder.h"
#include "WizardWindow.h"
#include "component/QtMessageBox.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace kx::app {

namespace {

/// Restores the system's message box when the window program ends.
class InstalledMessageBox {
  public:
    explicit InstalledMessageBox(platform::MessageBoxService& service) {
        platform::InstallMessageBox(&service);
    }
    ~InstalledMessageBox() { platform::InstallMessageBox(nullptr); }
    InstalledMessageBox(const InstalledMessageBox&) = delete;
    InstalledMessageBox& operator=(const InstalledMessageBox&) = delete;
};

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

/// Whether a Wayland compositor may be reached: named, or at its default socket.
bool WaylandDisplay() {
    if (Set("WAYLAND_DISPLAY"))
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    return runtime != nullptr && *runtime != '\0' &&
           std::filesystem::exists(std::filesystem::path(runtime) / "wayland-0", ec);
}

/// Whether Qt has a screen to open: the platform named ("-platform", else
/// QT_QPA_PLATFORM, a list separated by ";" of which one is enough) finds its
/// display, or with none named there is an X or Wayland display. Without one Qt
/// aborts the program.
bool DisplayNamed(int argc, char** argv) {
    std::string platforms;
    if (const char* value = std::getenv("QT_QPA_PLATFORM"); value != nullptr)
        platforms = value;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "-platform")
            platforms = argv[i + 1];
    }
    if (platforms.empty())
        return Set("DISPLAY") || WaylandDisplay();
    std::string_view rest = platforms;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        const std::string_view platform = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        // Only the X and Wayland platforms need a display server; the others
        // (offscreen, vnc, eglfs ...) draw on their own.
        if (platform.rfind("xcb", 0) == 0 ? Set("DISPLAY")
            : platform.rfind("wayland", 0) == 0 ? WaylandDisplay()
                                                 : !platform.empty())
            return true;
    }
    return false;
}

} // namespace

int RunWizardCommand(int argc, char** argv) {
    if (!DisplayNamed(argc, argv)) {
        std::cerr << "ledgerwiz: 向导窗口需要图形显示（DISPLAY 或 WAYLAND_DISPLAY）；"
                     "没有显示时可设置 QT_QPA_PLATFORM=offscreen。\n";
        return 2;
    }
    QApplication application(argc, argv);
    // The window takes the icon and name of the installed desktop entry.
    QApplication::setDesktopFileName(QStringLiteral("ledgerwiz"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ledgerwiz")));
    // Qt has taken its own options out of argv by now.
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args.front() == "wizard")
        args.erase(args.begin());
    std::string folder = DefaultApplicationFolder();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--app" && i + 1 < args.size()) {
            folder = args[++i];
        } else {
            std::cerr << "ledgerwiz: wizard takes only --app DIR (see ledgerwiz --help)\n";
            return 2;
        }
    }

    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    QApplication::setFont(font);

    std::string appFolder;
    try {
        appFolder = PrepareApplicationFolder(folder);
    } catch (const std::exception& e) {
        std::cerr << "ledgerwiz: " << e.what() << '\n';
        return 1;
    }

    component::QtMessageBox messages;
    const InstalledMessageBox installed(messages);
    WizardWindow window(appFolder, messages);
    messages.SetParentWindow(&window);
    QSize size = window.sizeHint().expandedTo(QSize(680, 500));
    if (const QScreen* screen = window.screen(); screen != nullptr)
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    window.resize(size);
    window.show();
    window.Start();
    return QApplication::exec();
}

} // namespace kx::app
