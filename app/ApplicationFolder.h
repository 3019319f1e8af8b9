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

} // namespace kx::app
