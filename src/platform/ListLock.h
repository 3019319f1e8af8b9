#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <sys/types.h>
#include <utility>

namespace kx::platform {

/// The exclusive right to change a list file that several programs share (the book
/// list): whoever loads, changes and saves the list holds it, so that no other
/// program's change falls between the load and the save and is lost.
///
/// Held through `flock` on a hidden lock file ".NAME.lock" in the list's folder. The
/// lock file is created when missing (mode 0666 less the umask, so that every user
/// who may change the folder may lock it) and never deleted: a program that deleted
/// it while another waited on it would let two programs hold two different locks.
/// The lock is advisory; programs that only read the list need none, since every
/// save puts a whole new file in place.
///
/// Reentrant: a thread that already holds the lock of a list gets it again at once
/// (the holds are counted and the lock goes with the last one). Another thread of
/// the same process waits as another program does, and so does a child forked while
/// the lock was held.
///
/// Waiting is bounded: the lock is tried every few milliseconds until the timeout,
/// then the constructor throws PlatformError "账簿列表正被其他程序修改，请稍后再试：" and
/// the list's path. A lock file that cannot be created or opened throws with the
/// system's reason on its own line.
class ListLock {
  public:
    /// How long a lock is waited for when the constructor is given no time:
    /// KX_LIST_LOCK_TIMEOUT_MS milliseconds when that environment variable holds a
    /// number, otherwise 10 seconds.
    static std::chrono::milliseconds DefaultTimeout();

    /// The lock file of `listFile`: ".NAME.lock" beside it.
    static std::filesystem::path LockFileOf(const std::filesystem::path& listFile);

    /// Takes the lock of `listFile` (which need not exist), waiting at most `timeout`
    /// (DefaultTimeout() when none is given).
    explicit ListLock(const std::filesystem::path& listFile,
                      std::optional<std::chrono::milliseconds> timeout = std::nullopt);
    ~ListLock();
    ListLock(ListLock&& other) noexcept : key_(std::exchange(other.key_, std::nullopt)) {}
    ListLock(const ListLock&) = delete;
    ListLock& operator=(const ListLock&) = delete;
    ListLock& operator=(ListLock&&) = delete;

  private:
    /// The lock file's identity (device and inode): one lock whatever path led to it.
    std::optional<std::pair<dev_t, ino_t>> key_;
};

} // namespace kx::platform
