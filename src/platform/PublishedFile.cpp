#include "PublishedFile.h"

#include "HiddenTemporary.h"
#include "NoOverwritePlacement.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::platform {
namespace {

constexpr mode_t kPrivateMode = S_IRUSR | S_IWUSR;

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

/// Writes all of `size` bytes, retrying short writes and interruptions; false with
/// errno set on failure.
bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = sys::Write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

/// Copies the rest of `in` to `out` through a buffer; false with errno set on failure.
bool CopyThroughBuffer(int in, int out) {
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0)
            return true;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || !WriteAll(out, buffer.data(), static_cast<std::size_t>(n)))
            return false;
    }
}

/// Copies the rest of `in` to `out` inside the kernel where it can (no trip through
/// this process, and reflinks on file systems that share blocks), through a buffer
/// where it cannot; false with errno set on failure.
bool CopyContent(int in, int out) {
    bool copiedAny = false;
    for (;;) {
        const ssize_t n = sys::CopyFileRange(in, out, std::size_t{1} << 30);
        if (n == 0)
            return true;
        if (n > 0) {
            copiedAny = true;
            continue;
        }
        if (errno == EINTR)
            continue;
        const bool unsupported =
            errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EPERM;
        if (copiedAny || !unsupported)
            return false;
        return CopyThroughBuffer(in, out);
    }
}

/// Makes the names of a folder's entries durable; a file system that cannot sync a
/// folder has nothing more to do.
void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        sys::Fsync(dir.get());
}

} // namespace

mode_t PublishedFile::PermissionsFor(const std::filesystem::path& target, PublishMode mode,
                                     std::optional<mode_t> permissions) {
    if (mode == PublishMode::Replace) {
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0) {
            // Never renamed over a folder, a device or a FIFO.
            if (!S_ISREG(st.st_mode))
                throw PlatformError(errnum::PathFileAccessError, "不是普通文件：" + target.string());
            return permissions.value_or(st.st_mode & 07777);
        }
    }
    return permissions.value_or(kPrivateMode);
}

int PublishedFile::CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    // What killed runs left here goes before this run adds its own; the folder is
    // read once a process.
    RemoveLeftoverTemporariesOnce(FolderOf(target));
    std::string name = HiddenTemporaryTemplate(target);
    const int fd = CreateHiddenTemporary(name);
    const int err = errno;
    if (fd >= 0)
        temporary = std::move(name);
    errno = err;
    return fd;
}

PublishedFile::PublishedFile(std::filesystem::path target, PublishMode mode,
                             std::optional<mode_t> permissions)
    : target_(std::move(target)), mode_(mode), permissions_(PermissionsFor(target_, mode, permissions)),
      fd_(CreateTemporary(target_, temporary_)) {
    if (fd_.get() < 0) {
        const int err = errno;
        temporary_.clear();
        Fail(err, "无法写入文件");
    }
    // mkostemp made it 0600; the final mode goes on before any content does.
    if (permissions_ != kPrivateMode && ::fchmod(fd_.get(), permissions_) != 0) {
        const int err = errno;
        ::unlink(temporary_.c_str());
        Fail(err, "无法设置文件权限");
    }
}

PublishedFile::~PublishedFile() {
    if (!published_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

void PublishedFile::Fail(int err, const char* what) const {
    throw PlatformError(ErrorNumberFromErrno(err),
                        std::string(what) + " " + target_.string() + "：" + std::strerror(err));
}

void PublishedFile::Write(std::string_view bytes) {
    if (!WriteAll(fd_.get(), bytes.data(), bytes.size()))
        Fail(errno, "无法写入文件");
}

void PublishedFile::CopyFrom(const std::filesystem::path& source) {
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (in.get() < 0 || ::fstat(in.get(), &st) != 0) {
        const int err = errno;
        throw PlatformError(ErrorNumberFromErrno(err),
                            "无法读取文件 " + source.string() + "：" + std::strerror(err));
    }
    if (!S_ISREG(st.st_mode))
        throw PlatformError(errnum::PathFileAccessError, "不是文件：" + source.string());
    if (!CopyContent(in.get(), fd_.get()))
        Fail(errno, "无法复制到文件");
}

bool PublishedFile::Publish() {
    if (sys::Fsync(fd_.get()) != 0)
        Fail(errno, "无法写入文件");
    // The lock belongs to the open file, not to the descriptor: a duplicate keeps it
    // until the file is in place, while the writer's descriptor is closed first (some
    // network file systems report a late write error only there).
    const FileDescriptor lock(::fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
    if (lock.get() < 0)
        Fail(errno, "无法写入文件");
    if (fd_.Close() != 0)
        Fail(errno, "无法写入文件");
    if (mode_ == PublishMode::Replace) {
        if (sys::Rename(temporary_.c_str(), target_.c_str()) != 0)
            Fail(errno, "无法替换文件");
    } else if (PlaceWithoutOverwrite(temporary_, target_) == Placement::NameTaken) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    published_ = true;
    SyncFolder(FolderOf(target_));
    return true;
}

} // namespace kx::platform
