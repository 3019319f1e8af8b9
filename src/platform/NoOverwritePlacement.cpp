#include "NoOverwritePlacement.h"

#include "FileDescriptor.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::platform {
namespace {

[[noreturn]] void ThrowErrno(int err, const std::filesystem::path& to) {
    throw PlatformError(ErrorNumberFromErrno(err), "无法建立文件 " + to.string() + "：" + std::strerror(err));
}

/// The answers of a file system that cannot do what was asked, as opposed to one
/// that refused this particular move.
bool MeansUnsupported(int err) {
    return err == EINVAL || err == ENOSYS || err == EPERM || err == EOPNOTSUPP;
}

/// What a failed move with `err` means: the name is taken, the file system cannot
/// do it this way, or a failure that is thrown.
Placement FailedPlacement(int err, const std::filesystem::path& to) {
    if (err == EEXIST)
        return Placement::NameTaken;
    if (MeansUnsupported(err))
        return Placement::Unsupported;
    ThrowErrno(err, to);
}

} // namespace

namespace placement {

Placement RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (sys::RenameNoReplace(from.c_str(), to.c_str()) == 0)
        return Placement::Placed;
    return FailedPlacement(errno, to);
}

Placement LinkThenUnlink(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (sys::Link(from.c_str(), to.c_str()) == 0) {
        // The file is in place; the old name is only a second link to it.
        ::unlink(from.c_str());
        return Placement::Placed;
    }
    return FailedPlacement(errno, to);
}

Placement ExclusiveCreateThenRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    struct stat placeholder {};
    {
        FileDescriptor reserved(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (reserved.get() < 0) {
            const int err = errno;
            if (err == EEXIST)
                return Placement::NameTaken;
            ThrowErrno(err, to);
        }
        if (::fstat(reserved.get(), &placeholder) != 0)
            placeholder = {};
    }
    if (sys::Rename(from.c_str(), to.c_str()) == 0)
        return Placement::Placed;
    const int err = errno;
    // Take the placeholder away again, but only if it is still ours.
    struct stat now {};
    if (::lstat(to.c_str(), &now) == 0 && now.st_dev == placeholder.st_dev &&
        now.st_ino == placeholder.st_ino)
        ::unlink(to.c_str());
    ThrowErrno(err, to);
}

} // namespace placement

Placement PlaceWithoutOverwrite(const std::filesystem::path& from, const std::filesystem::path& to) {
    Placement result = placement::RenameNoReplace(from, to);
    if (result == Placement::Unsupported)
        result = placement::LinkThenUnlink(from, to);
    if (result == Placement::Unsupported)
        result = placement::ExclusiveCreateThenRename(from, to);
    return result;
}

} // namespace kx::platform
