#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace kx::platform {

/// What tells one content of a file from another without reading it: the file's
/// device, inode, size and modification and change times. A save that replaces a
/// file puts a new inode in place, and a program that writes a file in place changes
/// its times, so a file whose version is still the one seen earlier still holds what
/// was read then. Keep the file seen open meanwhile: a file that replaced it could
/// otherwise get its inode number again.
struct FileVersion {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    bool operator==(const FileVersion&) const = default;
};

/// The version of the regular file at `file`; nullopt when there is none or it
/// cannot be looked at.
std::optional<FileVersion> VersionOf(const std::filesystem::path& file) noexcept;

/// The version of the open regular file `fd`; nullopt when it cannot be looked at.
std::optional<FileVersion> VersionOf(int fd) noexcept;

} // namespace kx::platform
