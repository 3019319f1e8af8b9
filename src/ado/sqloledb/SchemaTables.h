#pragma once

#include "ado/RowSet.h"
#include "ado/Variant.h"

#include <string>
#include <vector>

namespace kx::ado::pg {
class PgConnection;
} // namespace kx::ado::pg

namespace kx::ado::sqloledb {

/// The adSchemaTables rows of the database `connection` is on, in the columns
/// Provider::OpenSchema names: TABLE_CATALOG is `catalogName` (the database as the
/// caller names it), TABLE_SCHEMA "dbo" for the book's own tables and views (the
/// server's own schemas keep their names), TABLE_NAME the table's name, TABLE_TYPE
/// "TABLE", "VIEW" or "SYSTEM TABLE" (the server's catalog); the other columns are
/// Null. Ordered by type, then name.
///
/// `restrictions` by position: catalog (not looked at here: the caller chose the
/// connection by it), schema, table name, table type; each compared without regard
/// to letter case, so "Table" keeps the "TABLE" rows. Empty, Null and "" restrict
/// nothing. Server failures throw pg::PgError.
RowSet ListTables(pg::PgConnection& connection, const std::string& catalogName,
                  const std::vector<Variant>& restrictions);

} // namespace kx::ado::sqloledb
