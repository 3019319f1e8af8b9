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
