#include "FileVersion.h"

#include <sys/stat.h>

namespace kx::platform {
namespace {

std::int64_t Nanoseconds(const timespec& time) noexcept {
    return std::int64_t{time.tv_sec} * 1000000000 + time.tv_nsec;
}

std::optional<FileVersion> VersionFrom(int result, const struct stat& st) noexcept {
    if (result != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileVersion{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                       static_cast<std::int64_t>(st.st_size), Nanoseconds(st.st_mtim),
                       Nanoseconds(st.st_ctim)};
}

} // namespace

std::optional<FileVersion> VersionOf(const std::filesystem::path& file) noexcept {
    struct stat st {};
    const int result = ::stat(file.c_str(), &st);
    return VersionFrom(result, st);
}

std::optional<FileVersion> VersionOf(int fd) noexcept {
    struct stat st {};
    const int result = ::fstat(fd, &st);
    return VersionFrom(result, st);
}

} // namespace kx::platform
