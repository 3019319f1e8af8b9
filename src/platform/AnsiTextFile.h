#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::platform {

/// Reads a whole ANSI (GB18030) text file and returns its text as UTF-8.
/// Throws PlatformError: a missing or unreadable file, or bytes that are not GB18030.
std::string ReadAnsiTextFile(const std::filesystem::path& file);

/// Writes `utf8` as the whole content of an ANSI (GB18030) text file.
///
/// The file is replaced atomically: the text goes to a temporary file in the same
/// folder, is flushed to the disk, and is renamed over the old file, so a crash or
/// a full disk leaves either the old file byte for byte or the new one, never a
/// torn one. A new file gets mode 0600 (book lists hold server passwords); an
/// existing one keeps its mode. Throws PlatformError; on failure the old file is
/// unchanged and no temporary file is left behind.
void WriteAnsiTextFile(const std::filesystem::path& file, std::string_view utf8);

/// Writes raw bytes with the same atomic replacement as WriteAnsiTextFile (a
/// PublishedFile in PublishMode::Replace).
void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

/// Reads raw bytes of a whole file. Throws PlatformError.
std::string ReadWholeFile(const std::filesystem::path& file);

} // namespace kx::platform
