#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kx::platform {

// Hidden temporary files: a file on its way to the name NAME is written as
// ".NAME.kxtmp-XXXXXX" in the same folder (XXXXXX: six letters or digits that
// mkostemp chose) and holds an exclusive flock(2) for as long as its owner works
// on it. A run that is killed leaves it behind; the next run that writes into
// the folder sees that nobody holds its lock and removes it, together with the
// "-journal", "-wal" and "-shm" files that SQLite keeps beside a database of that
// name.
//
// Why a lock and a name, and not O_TMPFILE + linkat: an unnamed file needs a hard
// link to get its name, which FAT, exFAT and some network shares do not have, and
// the database engine opens its files by name, so a copy it works on before it is
// published must have one. A lock goes when its process goes, however it ends,
// so a file whose lock can be taken is one whose owner is gone.

/// The name ".NAME.kxtmp-XXXXXX" in the folder of `target`, the X's for mkostemp
/// to fill in.
std::string HiddenTemporaryTemplate(const std::filesystem::path& target);

/// The hidden temporary that a folder entry `name` belongs to: `name` itself when
/// it is one, the database's name when `name` is the "-journal", "-wal" or "-shm"
/// file of one; empty for every other name.
std::string_view HiddenTemporaryOf(std::string_view name) noexcept;

/// Creates a new hidden temporary from `pathTemplate` (see HiddenTemporaryTemplate),
/// open for reading and writing, mode 0600, and takes its lock on the same open
/// file before anyone can see it unlocked for long: a remover that took the lock
/// first is noticed and a new name tried. Answers the descriptor with `pathTemplate`
/// filled in, or -1 with errno set. A file system without flock gives an unlocked
/// file (nobody can take its lock there, so nobody removes it either).
int CreateHiddenTemporary(std::string& pathTemplate) noexcept;

/// Removes from `folder` every hidden temporary whose owner is gone (its lock can
/// be taken at once) and the journal files of each, and the journal files of
/// temporaries that are gone themselves. Only names of that exact form, only
/// regular files; links are never followed nor removed, nor anything a running
/// program still holds. Housekeeping: whatever fails is left alone. Answers how
/// many files it removed.
std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& folder) noexcept;

/// RemoveLeftoverTemporaries(folder), the first time this process asks for that
/// folder; later calls for it do nothing.
void RemoveLeftoverTemporariesOnce(const std::filesystem::path& folder) noexcept;

} // namespace kx::platform
