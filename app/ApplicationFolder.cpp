#include "ApplicationFolder.h"

#include "catalogue/clsBooksList.h"
#include "database/SampleBook.h"
#include "platform/DiskPath.h"
#include "platform/PlatformError.h"

#include <cstdlib>
#include <filesystem>

namespace kx::app {

std::string DefaultApplicationFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg == '/')
        return std::string(xdg) + "/kxLedgerWiz";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.local/share/kxLedgerWiz";
}

std::string PrepareApplicationFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec).lexically_normal();
    std::filesystem::create_directories(absolute / "Data", ec);
    if (ec)
        throw platform::PlatformError(platform::ErrorNumberFromErrno(ec.value()),
                                      "无法建立应用程序文件夹 " + absolute.string() + "：" + ec.message());
    database::CreateSampleBook(absolute / "Data" / "kxSample.mde");
    std::string text = absolute.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string PrepareBookList(const std::string& appFolder) {
    const std::string file = platform::JoinPath(appFolder, kBookListName);
    // Loading creates a missing list with the sample book.
    catalogue::clsBooksList list;
    list.SetAppPath(appFolder);
    list.LoadBooks(file);
    return file;
}

} // namespace kx::app
