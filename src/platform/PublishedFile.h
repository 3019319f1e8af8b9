#pragma once

#include "FileDescriptor.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kx::platform {

/// How PublishedFile::Publish puts the finished file at its name.
enum class PublishMode {
    /// Renamed over whatever file has the name: a reader sees the old content or
    /// the new one, never a mix.
    Replace,
    /// Never replaces: when the name is taken the new file is dropped (see
    /// NoOverwritePlacement.h for how this holds on every file system).
    NoOverwrite,
};

/// A file that appears at its name only when it is whole and on the disk.
///
/// The constructor creates a hidden temporary file ".NAME.kxtmp-XXXXXX" in the
/// target's folder (same file system, so putting it in place is one rename). The
/// caller writes it through Write, CopyFrom or fd(); Publish then syncs the file,
/// puts it in place and syncs the folder, so that after a crash the name holds the
/// old file or the whole new one. A PublishedFile that goes without a successful
/// Publish (an exception on the way, an early return) removes its temporary file.
///
/// The temporary file holds a lock for the whole life of the object, so that one
/// left behind by a killed run is told from one still being written: the first
/// PublishedFile of a process in a folder removes that folder's leftovers (see
/// HiddenTemporary.h).
///
/// Every failure throws PlatformError with the system's reason in its text.
class PublishedFile {
  public:
    /// Starts a file for `target`. `permissions` is the mode the published file
    /// gets; without it a replaced file keeps its mode and a new file gets 0600
    /// (lists and books hold passwords and accounts). In Replace mode a folder at
    /// `target` is an error.
    PublishedFile(std::filesystem::path target, PublishMode mode,
                  std::optional<mode_t> permissions = std::nullopt);
    ~PublishedFile();
    PublishedFile(const PublishedFile&) = delete;
    PublishedFile& operator=(const PublishedFile&) = delete;

    /// The open temporary file, for writers that need the descriptor itself.
    int fd() const noexcept { return fd_.get(); }
    const std::filesystem::path& target() const noexcept { return target_; }
    /// The temporary file's path, for a writer that opens the file by its name (the
    /// database engine, which keeps its journal files beside it under that name and
    /// must have closed the file, and removed them, before Publish).
    const std::filesystem::path& temporaryPath() const noexcept { return temporary_; }

    /// Appends bytes to the temporary file.
    void Write(std::string_view bytes);

    /// Appends the whole content of the regular file `source`.
    void CopyFrom(const std::filesystem::path& source);

    /// Syncs the file, puts it at the target's name and syncs the folder. Answers
    /// false, and drops the new file, when the mode is NoOverwrite and the name is
    /// taken; otherwise true. Called once.
    [[nodiscard]] bool Publish();

  private:
    static mode_t PermissionsFor(const std::filesystem::path& target, PublishMode mode,
                                 std::optional<mode_t> permissions);
    static int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary);
    [[noreturn]] void Fail(int err, const char* what) const;

    std::filesystem::path target_;
    PublishMode mode_;
    mode_t permissions_;
    std::filesystem::path temporary_;
    FileDescriptor fd_;
    bool published_ = false;
};

} // namespace kx::platform
