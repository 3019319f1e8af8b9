#pragma once

#include <string>

namespace kx::app {

/// The per-user application folder: $XDG_DATA_HOME/kxLedgerWiz, or
/// ~/.local/share/kxLedgerWiz when XDG_DATA_HOME is unset.
std::string DefaultApplicationFolder();

/// Makes sure the application folder, its Data folder and the sample book
/// Data/kxSample.mde exist; returns the folder as an absolute path without a
/// trailing separator. Existing files are never touched. Throws
/// platform::PlatformError (or ado::AdoError) when they cannot be made.
std::string PrepareApplicationFolder(const std::string& folder);

/// The name of the book list file inside the application folder.
inline constexpr const char* kBookListName = "books.txt";

/// Makes sure the book list of `appFolder` exists (a missing one is created with
/// the sample book) and returns its path.
std::string PrepareBookList(const std::string& appFolder);

} // namespace kx::app
