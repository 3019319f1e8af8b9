#include "ListLock.h"

#include "FileDescriptor.h"
#include "PlatformError.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kx::platform {
namespace {

using Key = std::pair<dev_t, ino_t>;

/// One lock this process holds: the process (a child forked meanwhile inherits the
/// record, not the hold), the thread that holds it, how many times, and the open
/// lock file that carries the flock.
struct Hold {
    pid_t process;
    std::thread::id owner;
    int count = 1;
    std::unique_ptr<FileDescriptor> file;
};

/// Every lock this process holds, by lock file. flock on a second open of a file
/// that this process has locked already would wait for itself; this is where a
/// second hold finds the first.
struct Holds {
    std::mutex mutex;
    std::map<Key, Hold> byFile;
};

Holds& ProcessHolds() {
    static Holds holds;
    return holds;
}

constexpr std::chrono::milliseconds kStep{10};
constexpr std::chrono::milliseconds kDefaultTimeout{10000};

[[noreturn]] void ThrowLockFileError(int err, const std::filesystem::path& lockFile) {
    throw PlatformError(ErrorNumberFromErrno(err),
                        "无法使用账簿列表的锁文件：" + lockFile.string() + "\n" + std::strerror(err));
}

} // namespace

std::chrono::milliseconds ListLock::DefaultTimeout() {
    const char* text = std::getenv("KX_LIST_LOCK_TIMEOUT_MS");
    if (text == nullptr)
        return kDefaultTimeout;
    const std::string_view value(text);
    long long ms = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
    if (ec != std::errc() || end != value.data() + value.size() || ms < 0)
        return kDefaultTimeout;
    return std::chrono::milliseconds(ms);
}

std::filesystem::path ListLock::LockFileOf(const std::filesystem::path& listFile) {
    return listFile.parent_path() / ("." + listFile.filename().string() + ".lock");
}

ListLock::ListLock(const std::filesystem::path& listFile, std::optional<std::chrono::milliseconds> timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout.value_or(DefaultTimeout());
    const std::filesystem::path lockFile = LockFileOf(listFile);
    // Read access is all flock needs, so a lock file made by another user still serves.
    auto file = std::make_unique<FileDescriptor>(
        ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (file->get() < 0)
        ThrowLockFileError(errno, lockFile);
    struct stat st {};
    if (::fstat(file->get(), &st) != 0)
        ThrowLockFileError(errno, lockFile);
    const Key key{st.st_dev, st.st_ino};

    Holds& holds = ProcessHolds();
    for (;;) {
        {
            const std::lock_guard guard(holds.mutex);
            auto held = holds.byFile.find(key);
            if (held != holds.byFile.end() && held->second.process != ::getpid()) {
                // The parent's hold, inherited through fork: closing this copy of its
                // lock file leaves the parent's lock alone, and this process waits like
                // any other program.
                holds.byFile.erase(held);
                held = holds.byFile.end();
            }
            if (held != holds.byFile.end() && held->second.owner == std::this_thread::get_id()) {
                ++held->second.count;
                key_ = key;
                return;
            }
            if (held == holds.byFile.end()) {
                if (::flock(file->get(), LOCK_EX | LOCK_NB) == 0) {
                    holds.byFile.emplace(key,
                                         Hold{::getpid(), std::this_thread::get_id(), 1, std::move(file)});
                    key_ = key;
                    return;
                }
                if (errno != EWOULDBLOCK && errno != EINTR)
                    ThrowLockFileError(errno, lockFile);
            }
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            throw PlatformError(errnum::PermissionDenied,
                                "账簿列表正被其他程序修改，请稍后再试：" + listFile.string());
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kStep, deadline - now));
    }
}

ListLock::~ListLock() {
    if (!key_)
        return;
    Holds& holds = ProcessHolds();
    const std::lock_guard guard(holds.mutex);
    const auto held = holds.byFile.find(*key_);
    if (held == holds.byFile.end() || held->second.process != ::getpid() || --held->second.count > 0)
        return;
    // Unlocked explicitly: a child started meanwhile may share the open file.
    ::flock(held->second.file->get(), LOCK_UN);
    holds.byFile.erase(held);
}

} // namespace kx::platform
