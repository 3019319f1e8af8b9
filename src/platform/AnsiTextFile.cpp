#include "AnsiTextFile.h"

#include "FileDescriptor.h"
#include "Gb18030Codec.h"
#include "PlatformError.h"
#include "PublishedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::platform {
namespace {

[[noreturn]] void ThrowErrno(int err, const std::string& what, const std::filesystem::path& file) {
    throw PlatformError(ErrorNumberFromErrno(err), what + " " + file.string() + "：" + std::strerror(err));
}

const Gb18030Codec& Codec() {
    thread_local const Gb18030Codec codec;
    return codec;
}

} // namespace

int ErrorNumberFromErrno(int err) noexcept {
    switch (err) {
    case ENOENT:
        return errnum::FileNotFound;
    case ENOTDIR:
        return errnum::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return errnum::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return errnum::DiskFull;
    case EIO:
        return errnum::DeviceIOError;
    default:
        return errnum::PathFileAccessError;
    }
}

std::string ReadWholeFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        ThrowErrno(errno, "无法打开文件", file);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        ThrowErrno(errno, "无法读取文件", file);
    if (S_ISDIR(st.st_mode))
        throw PlatformError(errnum::PathFileAccessError, "不是文件：" + file.string());
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, "无法读取文件", file);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

std::string ReadAnsiTextFile(const std::filesystem::path& file) {
    const std::string bytes = ReadWholeFile(file);
    try {
        return Codec().ToUtf8(bytes);
    } catch (const PlatformError& e) {
        throw PlatformError(e.number(), file.string() + "：" + e.what());
    }
}

void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    PublishedFile out(file, PublishMode::Replace);
    out.Write(bytes);
    (void)out.Publish(); // Replace always puts the file in place
}

void WriteAnsiTextFile(const std::filesystem::path& file, std::string_view utf8) {
    WriteFileAtomically(file, Codec().FromUtf8(utf8));
}

} // namespace kx::platform
