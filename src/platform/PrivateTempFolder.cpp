#include "PrivateTempFolder.h"

#include "PlatformError.h"
#include "RemovedOnSignal.h"

#include <atomic>
#include <optional>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <unistd.h>

namespace kx::platform {
namespace {

struct OwnedFolder {
    std::filesystem::path path;
    std::optional<RemovedOnSignal> onSignal;
    OwnedFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kxLedgerWiz-XXXXXX";
        // mkdtemp creates the folder with mode 0700.
        if (::mkdtemp(pattern.data()) == nullptr)
            throw PlatformError(ErrorNumberFromErrno(errno),
                                std::string("无法建立临时文件夹：") + std::strerror(errno));
        path = pattern;
        // Unpacked templates can be large: a run ended by Ctrl+C or kill takes
        // them with it.
        onSignal.emplace(path, RemovedOnSignal::Kind::Folder);
    }
    ~OwnedFolder() {
        onSignal.reset();
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    OwnedFolder(const OwnedFolder&) = delete;
    OwnedFolder& operator=(const OwnedFolder&) = delete;
};

} // namespace

const std::filesystem::path& PrivateTempFolder() {
    static const OwnedFolder folder;
    return folder.path;
}

std::filesystem::path NewPrivateTempName(const std::string& extension) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        auto name = PrivateTempFolder() / ("rad" + std::to_string(::getpid()) + "_" +
                                           std::to_string(counter.fetch_add(1)) + "." + extension);
        std::error_code ec;
        if (!std::filesystem::exists(name, ec))
            return name;
    }
}

} // namespace kx::platform
