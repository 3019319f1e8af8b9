#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx::database {

/// The schema and data script of the sample book, as built into the program.
std::string_view SampleBookScript();

/// The statements of a book script: groups of lines each ending with ";" as the
/// last character of its last line, the ";" removed; lines starting with "--"
/// between statements are comments.
std::vector<std::string> SplitBookScript(std::string_view script);

/// Creates the sample book at `file`, keyed with the fixed book database password,
/// from SampleBookScript(). An existing file is never overwritten: the result is
/// false and nothing changes. The book is built under a temporary name in the same
/// folder and appears under its own name only when complete. Throws
/// ado::AdoError or platform::PlatformError when it cannot be built.
bool CreateSampleBook(const std::filesystem::path& file);

} // namespace kx::database
