#pragma once

#include <string>
#include <string_view>

namespace kx::ado::jet {

/// Turns a Jet SQL statement into one the book-file engine runs with the same
/// meaning. Only what differs is rewritten; everything else (bracketed names,
/// functions, literals, spacing) passes through unchanged:
///
/// - CREATE TABLE and ALTER TABLE ... ADD [COLUMN]: each column's Jet type is
///   declared through TranslateJetType (so that it is reported back as declared);
///   text columns get COLLATE NOCASE, as Jet compares text without regard to
///   case; a COUNTER (AUTOINCREMENT, IDENTITY) column becomes
///   "INTEGER PRIMARY KEY AUTOINCREMENT", and any other primary key of that table
///   becomes a UNIQUE constraint (a primary key naming the counter alone is
///   dropped as redundant); "WITH COMPRESSION" / "WITH COMP" is dropped.
/// - "DELETE * FROM" becomes "DELETE FROM".
std::string TranslateJetSql(std::string_view sql);

/// The name inside "[name]", "\"name\"" or "`name`"; other text unchanged.
std::string UnquoteName(std::string_view name);

/// The name quoted for the engine ("a""b" style), whatever it contains.
std::string QuoteName(std::string_view name);

} // namespace kx::ado::jet
