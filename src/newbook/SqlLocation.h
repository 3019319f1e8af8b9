#pragma once

#include <string>
#include <string_view>

namespace kx::newbook {

/// Indexes of the parts of a SQL location string "user:password@server|database".
enum SqlLocationIndex : short {
    kSqlServer = 0,
    kSqlUser = 1,
    kSqlPassword = 2,
    kSqlDatabase = 3,
};

/// One part of a SQL location string "user:password@server|database", cut as
/// catalogue::BookLocation cuts it (the login before the first "|", then its first
/// ":" and first "@"): 0 the server, 1 the user, 2 the password, 3 the database.
/// "" for a part that cannot be cut, and for any other index.
std::string SqlLocationPart(std::string_view location, short index);

/// True for a template archive: the last four characters are ".WAK" in any case.
bool IsArchiveLocation(std::string_view location) noexcept;

} // namespace kx::newbook
