#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace kx::newbook {

/// A template archive that cannot be unpacked: not a zip archive, not exactly one
/// book file inside, an unsafe entry, or more unpacked data than allowed.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// How much an archive may unpack to. The ratio bound catches archives built to
/// explode (a few kilobytes that inflate to gigabytes); the floor keeps small,
/// well-compressed books unpackable.
struct ArchiveLimits {
    /// Most bytes the one book file may have.
    std::uint64_t maxUnpackedBytes = std::uint64_t{4} << 30;
    /// Most unpacked bytes per byte of archive file ...
    std::uint64_t maxRatio = 1100;
    /// ... unless the unpacked size stays below this.
    std::uint64_t ratioFloorBytes = std::uint64_t{64} << 20;
};

/// Unpacks template archives (".WAK" files): zip archives that hold one book file.
///
/// An archive is accepted only when every entry is a regular file or a folder with
/// a relative path that stays inside the archive (no leading "/" or "\", no drive
/// letter, no ".." component), and exactly one entry is a regular file. Links of
/// any kind make the archive unsafe. Entry paths are never used to name files on
/// the disk: the one file's content goes to the caller's target.
class ArchiveUnpacker {
  public:
    explicit ArchiveUnpacker(ArchiveLimits limits = {}) : limits_(limits) {}

    /// Writes the one book file of `archive` to `target`, replacing it. The data
    /// goes to a new file (mode 0600) beside `target` that takes the target's name
    /// only when complete. Throws ArchiveError, or PlatformError for a file that
    /// cannot be read or written; then nothing was written and `target` is as it
    /// was.
    void UnpackSingleFile(const std::filesystem::path& archive, const std::filesystem::path& target) const;

    /// Whether an entry path stays inside the folder it is unpacked to.
    static bool IsSafeEntryPath(const std::string& path);

  private:
    ArchiveLimits limits_;
};

} // namespace kx::newbook
