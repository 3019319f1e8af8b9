#pragma once

#include "SqliteDatabase.h"

#include <filesystem>
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

/// An existing book file, opened for the engine.
struct OpenedBookFile {
    SqliteDatabase database;
    /// The file on disk that `pathText` named.
    std::filesystem::path file;
};

/// Opens the existing book file `pathText` (through platform::ToDiskPath; it is
/// never created) with its key `password` ("" for an unkeyed file), read-only when
/// `readOnly`, with the Jet functions (RegisterJetFunctions) available. Throws
/// AdoError: errors::E_Fail for an empty name ("No book file is named ..."), a
/// missing file ("Could not find file '...'.") or an empty one ("Unrecognized
/// database format '...'."), errors::AuthenticationFailed ("Not a valid
/// password.") for a wrong key, and the engine's error otherwise.
OpenedBookFile OpenBookFile(std::string_view pathText, std::string_view password, bool readOnly);

} // namespace kx::ado::jet

namespace kx::ado::jet {

/// Whether the file `file` begins with the first page of a book file that
/// `password` opens: the page decrypts (its authentication code matches) and reads
/// as a database header. Reads that page only, so a file of which only the first
/// pages are written, the rest a hole of zeros, answers as the whole book would.
/// False for anything else, an unencrypted database included; throws AdoError
/// only when the engine cannot look at the file at all.
bool BeginsAsBookFile(const std::filesystem::path& file, std::string_view password);

} // namespace kx::ado::jet
