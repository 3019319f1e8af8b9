#pragma once

#include <string_view>

namespace kx::ado::jet {

/// Creates a new, empty book file that the "Microsoft.Jet.OLEDB.4.0" provider
/// opens with `password` (an empty password makes an unencrypted file). The file
/// gets mode 0600. Tables are then made with CREATE TABLE through a Connection.
///
/// `pathText` goes through platform::ToDiskPath. Throws AdoError: errors::
/// FileWrite when the file exists already (it is never overwritten) or cannot be
/// created; on failure no file is left behind.
void CreateBookFile(std::string_view pathText, std::string_view password);

} // namespace kx::ado::jet
