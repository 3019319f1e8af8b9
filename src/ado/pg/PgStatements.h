#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::pg {

/// The collation that stands for Chinese_PRC_CI_AS: Chinese order, letter case
/// ignored, accents heeded (an ICU collation at strength level 2).
inline constexpr const char* kCaseInsensitiveCollation = "kx_zh_ci";

/// Creates kCaseInsensitiveCollation in the current database when it is missing.
std::string CollationSetupSql();

/// CREATE DATABASE for a new book database: UTF-8, Chinese (pinyin) order by default.
std::string CreateDatabaseSql(std::string_view database);

/// CREATE DATABASE as a copy of database `source` made by the server itself, file
/// by file (STRATEGY FILE_COPY: for a book's size it is faster than copying through
/// the write-ahead log). The copy keeps the source's encoding and collations. The
/// server refuses (SQLSTATE 55006) while any other session is connected to `source`.
std::string CreateDatabaseCopySql(std::string_view database, std::string_view source);

/// Sets every identity sequence of the current database as a copy of the table's
/// rows into a new table would leave it: past the largest stored value when that
/// lies at or beyond the sequence's start, else back at the start. Run on a
/// database copied whole, whose sequences would otherwise carry on from the
/// source's counters (which may lie beyond its rows).
std::string CopiedIdentitiesSql();

/// One row, one column: how many sessions other than this one are connected to
/// database $1, those that a CREATE DATABASE ... TEMPLATE waits for and then fails on
/// (autovacuum workers it ends itself).
std::string OtherSessionsOnDatabaseSql();

/// One row, one column: true when "DELETE FROM `table`" without a condition may be
/// done as a TRUNCATE with the same outcome for everybody: `table` is an ordinary
/// table that no foreign key references, with no triggers, rules or row security
/// of its own, that the user may truncate, and no other session is connected to
/// the current database (TRUNCATE would wait for their locks and is not seen by
/// snapshots taken before it). False for a table that does not exist.
std::string TruncateAllowedSql(std::string_view table);

/// DROP DATABASE; never forces other sessions out.
std::string DropDatabaseSql(std::string_view database);

/// Moves the identity sequence of `table` past the largest value stored in its
/// identity column, never backwards, so rows stored with explicit identity values
/// are not met again by generated ones. Nothing happens for a table without an
/// identity column; a table that does not exist fails with SQLSTATE 42P01.
std::string IdentitySyncSql(std::string_view table);

/// Like IdentitySyncSql, for a caller that knows the largest value stored in the
/// identity column: moves the sequence past `topValue`, never backwards, without
/// reading the table.
std::string IdentityAdvanceSql(std::string_view table, std::int64_t topValue);

/// COPY table (columns) FROM STDIN in text format; no columns: all, in table order.
std::string CopyFromStdinSql(std::string_view table, const std::vector<std::string>& columns = {});

/// COPY table (columns) TO STDOUT in text format; no columns: all, in table order.
std::string CopyToStdoutSql(std::string_view table, const std::vector<std::string>& columns = {});

/// The table listing of the current database in the shape of adSchemaTables:
/// columns TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE, where TABLE_TYPE is
/// "TABLE" for user tables, "VIEW" for user views and "SYSTEM TABLE" for the
/// server's own tables and views. Ordered by type and name.
std::string TableListingSql();

} // namespace kx::ado::pg
