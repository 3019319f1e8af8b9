#pragma once

#include <QString>

#include <filesystem>
#include <vector>

namespace kx::newbook {

/// The names of the template archives in `folder` with extension `extension` (any
/// letter case), in name order (letter case decides only between names that are
/// otherwise equal). A folder that cannot be read has none.
std::vector<QString> ArchiveFileNames(const std::filesystem::path& folder, const QString& extension);

} // namespace kx::newbook
