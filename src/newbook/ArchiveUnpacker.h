#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace kx::newbook {

/// A template archive that cannot be unpacked: not a zip archive, not exactly one
/// book file inside, an unsafe entry, a file that cannot be a book, or no room for
/// it. The text tells the user why, in Chinese.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// What an archive may unpack to. The size that the archive records for its book
/// file is checked against both bounds before anything is written, and the data
/// is cut off where it would pass that size; how well the archive compresses says
/// nothing (deflate reaches about 1,032:1, so a few megabytes can hold gigabytes).
struct ArchiveLimits {
    /// Most bytes the book file may have: 2 GiB, the most a Jet database (what a
    /// book stands for) can hold. No book of this system comes near it, so a larger
    /// file is no book, whatever it holds. Tests give a small bound.
    std::uint64_t maxBookBytes = std::uint64_t{2} << 30;
    /// Bytes that must still be free on the target's file system once the book is
    /// written: the book is copied on from there, the new database needs its
    /// journal, and programs that share the disk must not find it full.
    std::uint64_t freeSpaceMargin = std::uint64_t{128} << 20;
};

/// Unpacks template archives (".WAK" files): zip archives that hold one book file.
///
/// An archive is accepted only when every entry is a regular file or a folder with
/// a relative path that stays inside the archive (no leading "/" or "\", no drive
/// letter, no ".." component), and exactly one entry is a regular file. Links of
/// any kind make the archive unsafe. Entry paths are never used to name files on
/// the disk: the one file's content goes to the caller's target.
///
/// The file must be a book: a size that is a whole number of database pages, within
/// ArchiveLimits, and a first page that opens with the key of book files. That page
/// is checked before the rest is written; the data written never passes the size
/// the archive recorded, and SIGINT or SIGTERM during the unpacking removes the
/// unfinished file (platform::RemovedOnSignal).
class ArchiveUnpacker {
  public:
    explicit ArchiveUnpacker(ArchiveLimits limits = {}) : limits_(limits) {}

    /// Writes the one book file of `archive` to `target`, replacing it. The data
    /// goes to a new file (mode 0600) beside `target` that takes the target's name
    /// only when complete. Throws ArchiveError, or PlatformError for a file that
    /// cannot be read or written; then nothing was written and `target` is as it
    /// was. Refused before any of the book's data is written: a size above
    /// `maxBookBytes`, or that leaves less than `freeSpaceMargin` free beside the
    /// target, or that is no whole number of pages, and a first page that is not a
    /// book's.
    void UnpackSingleFile(const std::filesystem::path& archive, const std::filesystem::path& target) const;

    /// Whether an entry path stays inside the folder it is unpacked to.
    static bool IsSafeEntryPath(const std::string& path);

  private:
    ArchiveLimits limits_;
};

} // namespace kx::newbook
