#pragma once

#include "platform/PublishedFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace kx::newbook {

/// A new book file that is made under a hidden temporary name in the folder of its
/// name, and appears under a name only when it is complete.
///
/// The template is copied into the temporary file (".NAME.kxtmp-XXXXXX"), where the
/// later steps of the creation open it by WorkingPath(). PlaceAt then moves it to a
/// name without ever replacing what is there, on file systems without hard links
/// too. A file that was never placed is removed when the object goes, with the
/// journal the book engine may have left beside it: a failed creation leaves
/// nothing, a killed one only the hidden temporary file.
class StagedBookFile {
  public:
    /// Copies the book file `source` for the name `target`, with the source's
    /// permissions, as ado::jet::CopyBookFileContent copies a book: the source is
    /// only read, and what its write-ahead log holds comes along. Throws
    /// platform::PlatformError with the system's reason, ado::AdoError when the
    /// source cannot be read as a book.
    StagedBookFile(const std::filesystem::path& source, const std::filesystem::path& target);
    ~StagedBookFile();
    StagedBookFile(const StagedBookFile&) = delete;
    StagedBookFile& operator=(const StagedBookFile&) = delete;

    /// Where the file is now: the temporary file until it is placed, then its name.
    const std::filesystem::path& WorkingPath() const noexcept { return path_; }
    bool Placed() const noexcept { return state_ == State::Placed; }

    /// Syncs the file and moves it to `target` (in the same folder). False, with
    /// the file still staged, when something has that name already. Throws
    /// platform::PlatformError with the system's reason.
    bool PlaceAt(const std::filesystem::path& target);

    /// Removes the file, placed or not, but only while its name still holds the
    /// file made here. "" when it is gone, else why it stays.
    std::string Remove();

  private:
    enum class State { Staged, Placed, Removed };

    std::optional<platform::PublishedFile> file_;
    State state_ = State::Staged;
    std::filesystem::path path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

} // namespace kx::newbook
