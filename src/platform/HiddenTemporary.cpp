#include "HiddenTemporary.h"

#include "FileDescriptor.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kx::platform {
namespace {

constexpr std::string_view kMarker = ".kxtmp-";
constexpr std::size_t kRandomLength = 6;
constexpr std::array<std::string_view, 3> kJournalSuffixes = {"-journal", "-wal", "-shm"};

bool IsHiddenTemporary(std::string_view name) noexcept {
    const std::size_t tail = kMarker.size() + kRandomLength;
    if (name.size() < 2 + tail || name.front() != '.')
        return false;
    const std::string_view target = name.substr(1, name.size() - 1 - tail);
    if (target == "." || target == ".." || name.substr(name.size() - tail, kMarker.size()) != kMarker)
        return false;
    for (const char c : name.substr(name.size() - kRandomLength)) {
        const bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alphanumeric)
            return false;
    }
    return true;
}

bool SameFile(const struct stat& a, const struct stat& b) noexcept {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

/// Takes the lock without waiting: 0, or the errno of flock (EWOULDBLOCK: it is held).
int TryLock(int fd) noexcept {
    int rc = 0;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    return rc == 0 ? 0 : errno;
}

/// Opens the regular file `name` of the folder `dir` only to lock it: never through
/// a link, never waiting on a device or a pipe that took its place.
FileDescriptor OpenToLock(int dir, const std::string& name) noexcept {
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::openat(dir, name.c_str(), O_RDONLY | kFlags);
    if (fd < 0 && errno == EACCES) // a lock needs no reading; a file of mode 0200 is opened to write
        fd = ::openat(dir, name.c_str(), O_WRONLY | kFlags);
    return FileDescriptor(fd);
}

/// Removes those of `names` that are regular files of the folder `dir`.
std::size_t RemoveRegularFiles(int dir, const std::vector<std::string>& names) noexcept {
    std::size_t removed = 0;
    for (const std::string& name : names) {
        struct stat st {};
        if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            ::unlinkat(dir, name.c_str(), 0) == 0)
            ++removed;
    }
    return removed;
}

/// Removes the hidden temporary `name` of the folder `dir` and its `journals` when
/// its owner is gone; only the journals when it is gone itself.
std::size_t RemoveIfOrphaned(int dir, const std::string& name, const std::vector<std::string>& journals) noexcept {
    struct stat seen {};
    if (::fstatat(dir, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? RemoveRegularFiles(dir, journals) : 0;
    if (!S_ISREG(seen.st_mode))
        return 0;
    const FileDescriptor fd = OpenToLock(dir, name);
    struct stat opened {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || !SameFile(seen, opened) || TryLock(fd.get()) != 0)
        return 0;
    // Locked: its owner is gone. Removed while the lock is held, and only if the name
    // still is the file that was locked.
    struct stat now {};
    if (::fstatat(dir, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || !SameFile(now, opened))
        return 0;
    std::size_t removed = RemoveRegularFiles(dir, journals);
    if (::unlinkat(dir, name.c_str(), 0) == 0)
        ++removed;
    return removed;
}

struct DirCloser {
    void operator()(DIR* dir) const noexcept { ::closedir(dir); }
};

/// RemoveLeftoverTemporaries; false when the folder could not be read.
bool Sweep(const std::filesystem::path& folder, std::size_t& removed) noexcept {
    try {
        const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
        if (!dir)
            return false;
        // Each temporary's name with the names of its journals; read whole first, as
        // removing while reading may skip entries.
        std::map<std::string, std::vector<std::string>> temporaries;
        while (const dirent* entry = ::readdir(dir.get())) {
            const std::string_view name = entry->d_name;
            const std::string_view temporary = HiddenTemporaryOf(name);
            if (temporary.empty())
                continue;
            auto& journals = temporaries[std::string(temporary)];
            if (temporary.size() != name.size())
                journals.emplace_back(name);
        }
        for (const auto& [name, journals] : temporaries)
            removed += RemoveIfOrphaned(::dirfd(dir.get()), name, journals);
        return true;
    } catch (const std::bad_alloc&) {
        return true; // housekeeping gives way
    }
}

} // namespace

std::string HiddenTemporaryTemplate(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    return (folder / ("." + target.filename().string() + std::string(kMarker) + "XXXXXX")).string();
}

std::string_view HiddenTemporaryOf(std::string_view name) noexcept {
    if (IsHiddenTemporary(name))
        return name;
    for (const std::string_view suffix : kJournalSuffixes) {
        if (name.ends_with(suffix) && IsHiddenTemporary(name.substr(0, name.size() - suffix.size())))
            return name.substr(0, name.size() - suffix.size());
    }
    return {};
}

int CreateHiddenTemporary(std::string& pathTemplate) noexcept {
    // The pattern is kept in place of the name tried last: same length, no allocation.
    const std::size_t randomAt = pathTemplate.size() - kRandomLength;
    for (int attempt = 0; attempt < 100; ++attempt) {
        pathTemplate.replace(randomAt, kRandomLength, kRandomLength, 'X');
        FileDescriptor fd(::mkostemp(pathTemplate.data(), O_CLOEXEC));
        if (fd.get() < 0)
            return -1;
        const int lockError = TryLock(fd.get());
        struct stat st {};
        if (lockError == 0 && ::fstat(fd.get(), &st) == 0 && st.st_nlink > 0) {
            return fd.Release();
        }
        if (lockError != 0 && lockError != EWOULDBLOCK) {
            // The file system cannot lock: the file stays unlocked and, as nobody can
            // take its lock either, is never taken for a leftover.
            return fd.Release();
        }
        // A sweep of another run took the new file for a leftover in the moment
        // between its creation and the lock, and removes it. Try another name, taking
        // this one away if the sweep has not yet.
        struct stat named {};
        if (::fstat(fd.get(), &st) == 0 && ::lstat(pathTemplate.c_str(), &named) == 0 && SameFile(st, named))
            ::unlink(pathTemplate.c_str());
    }
    errno = EAGAIN;
    return -1;
}

std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& folder) noexcept {
    std::size_t removed = 0;
    (void)Sweep(folder, removed);
    return removed;
}

void RemoveLeftoverTemporariesOnce(const std::filesystem::path& folder) noexcept {
    static std::mutex mutex;
    static std::set<std::string> swept;
    try {
        std::error_code ec;
        const std::string key = std::filesystem::absolute(folder, ec).lexically_normal().string();
        const std::lock_guard lock(mutex);
        std::size_t removed = 0;
        if (!swept.contains(key) && Sweep(folder, removed))
            swept.insert(key);
    } catch (const std::exception&) {
        // Housekeeping: the next call tries again.
    }
}

} // namespace kx::platform
