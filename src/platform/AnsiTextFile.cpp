#include "AnsiTextFile.h"

#include "FileDescriptor.h"
#include "Gb18030Codec.h"
#include "PlatformError.h"

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
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw PlatformError(errnum::PathFileAccessError, "不是文件：" + file.string());
        mode = st.st_mode & 07777;
    }

    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::string pattern = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd.get() < 0)
        ThrowErrno(errno, "无法写入文件", file);
    const std::filesystem::path temp = pattern;
    struct TempRemover {
        const std::filesystem::path& path;
        bool armed = true;
        ~TempRemover() {
            if (armed)
                ::unlink(path.c_str());
        }
    } remover{temp};

    if (::fchmod(fd.get(), mode) != 0)
        ThrowErrno(errno, "无法设置文件权限", file);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, "无法写入文件", file);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0)
        ThrowErrno(errno, "无法写入文件", file);
    if (fd.Close() != 0)
        ThrowErrno(errno, "无法写入文件", file);
    if (::rename(temp.c_str(), file.c_str()) != 0)
        ThrowErrno(errno, "无法替换文件", file);
    remover.armed = false;

    // Make the rename itself durable.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

void WriteAnsiTextFile(const std::filesystem::path& file, std::string_view utf8) {
    WriteFileAtomically(file, Codec().FromUtf8(utf8));
}

} // namespace kx::platform
