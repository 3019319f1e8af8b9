#pragma once

#include <filesystem>

namespace kx::platform {

/// What became of a file that was to be moved to a name without overwriting.
enum class Placement {
    /// The file is at the new name and its old name is gone.
    Placed,
    /// A file (or folder) has the name; the file is untouched at its old name.
    NameTaken,
    /// The method does not work on this file system or kernel; nothing changed.
    Unsupported,
};

/// The ways of moving the file `from` to the name `to` in the same folder without
/// ever replacing something at `to`, best first. Each throws PlatformError for a
/// failure other than those its answer covers.
namespace placement {

/// renameat2(RENAME_NOREPLACE): atomic; some file systems and old kernels lack it.
Placement RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

/// link() to the new name, then unlink() of the old one: atomic; file systems
/// without hard links (FAT, exFAT, some network shares) refuse it.
Placement LinkThenUnlink(const std::filesystem::path& from, const std::filesystem::path& to);

/// The last resort: creates `to` empty with O_EXCL and renames over that
/// placeholder. Not atomic: until the rename, other programs see an empty file at
/// `to`, and one that removed the placeholder and made its own file in that moment
/// would have it replaced. Never answers Unsupported.
Placement ExclusiveCreateThenRename(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace placement

/// Tries placement::RenameNoReplace, LinkThenUnlink and ExclusiveCreateThenRename
/// in turn, each only where the one before is Unsupported. Answers Placed or NameTaken.
Placement PlaceWithoutOverwrite(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace kx::platform
