#pragma once

#include "ado/Connection.h"

#include <string>

namespace kx::database {

/// The fixed database password of every book file.
inline constexpr const char* kBookDatabasePassword = "7.305918624471";
/// The placeholder that callers pass to mean kBookDatabasePassword.
inline constexpr const char* kBookPasswordPlaceholder = "###";

/// The connection string that chooses the book-file provider.
inline constexpr const char* kJetConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;Extended Properties='';Locale Identifier=2052;"
    "Jet OLEDB:System database='';Jet OLEDB:Registry Path=''";
/// The connection string that chooses the server provider.
inline constexpr const char* kSqlConnectionString = "Provider=SQLOLEDB.1;Persist Security Info=False;";

/// Replaces `rCnn` by a new, closed connection prepared for one book:
/// - `server` empty: the book file `database` (a path), Jet user "Admin", the
///   database password `password` ("###" exactly stands for the fixed book
///   password; anything else, "" included, is used as it is);
/// - `server` given: database `database` ("master" when empty) on that server, with
///   `user` and `password`.
/// Both get Mode adModeReadWrite and a client-side cursor. A step that fails is
/// passed over; a connection that cannot work shows up when it is opened. Never
/// throws.
void CreateCnn(ado::Connection& rCnn, const std::string& database, const std::string& server,
               const std::string& user, const std::string& password);

} // namespace kx::database
