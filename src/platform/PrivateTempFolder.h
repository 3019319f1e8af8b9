#pragma once

#include <filesystem>
#include <string>

namespace kx::platform {

/// A folder of this process, mode 0700, for temporary files that hold accounting
/// data (unpacked templates, long values on their way between databases). Created
/// on first use under $TMPDIR (or /tmp) and removed with its content when the
/// process exits normally, or when SIGINT, SIGTERM or SIGHUP ends it (see
/// RemovedOnSignal).
const std::filesystem::path& PrivateTempFolder();

/// A new, unused file name inside PrivateTempFolder() with the given extension
/// (without dot); the file is not created.
std::filesystem::path NewPrivateTempName(const std::string& extension = "tmp");

} // namespace kx::platform
