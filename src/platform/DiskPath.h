#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::platform {

/// The one door through which a path text reaches the disk.
///
/// Book lists and settings come from a platform with "\" separators, drive letters
/// and case-insensitive names; this turns such a text into a path here:
/// - "\" and "/" both separate components;
/// - a leading ".." component stands for the application folder `appPath`;
/// - a leading single "\" means "inside the application folder" ("\Data\x" is
///   appPath/Data/x), while a leading single "/" is an absolute path and plays the
///   part of a drive-letter path; a drive prefix "C:" is dropped and the rest taken
///   from the root;
/// - "\\server\share\..." and "//server/share/..." keep their share prefix;
/// - any other relative text is taken inside `appPath` (or the working folder when
///   `appPath` is empty);
/// - when a component does not exist under its exact name, an existing entry of the
///   same folder whose name differs only in letter case (CaseFolding.h, not ASCII
///   alone) is used instead ("\data" finds "Data", "ä.mde" finds "Ä.MDE").
///   Components that exist under no spelling are kept as written, so a new file
///   can be named through the same door.
std::filesystem::path ToDiskPath(std::string_view pathText, std::string_view appPath = {});

/// Joins a folder text and a name with "/", the separator of paths that the system
/// builds itself. An empty folder gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

/// True when the text names an existing regular file (after ToDiskPath).
bool FileExists(std::string_view pathText, std::string_view appPath = {});

/// The folder part of a path text ("\" or "/" separated), "" when there is none.
std::string ParentFolderOf(std::string_view pathText);

/// The extension of a path text without its dot, "" when there is none.
std::string ExtensionOf(std::string_view pathText);

} // namespace kx::platform
