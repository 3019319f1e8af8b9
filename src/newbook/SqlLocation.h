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

/// One part of a SQL location string, each cut at the first occurrence of its
/// separators: 0 the server (between "@" and "|"), 1 the user (before ":"), 2 the
/// password (between ":" and "@"), 3 the database (after "|"). "" when a separator
/// the part needs is missing or stands on the wrong side, and for any other index.
std::string SqlLocationPart(std::string_view location, short index);

/// True for a SQL location string: one that contains "@".
bool IsSqlLocation(std::string_view location) noexcept;

/// True for a template archive: the last four characters are ".WAK" in any case.
bool IsArchiveLocation(std::string_view location) noexcept;

} // namespace kx::newbook
