#pragma once

#include <string>
#include <string_view>

namespace kx::ado::pg {

// Named text properties of a whole database, kept in the database's comment
// (COMMENT ON DATABASE), which lives in the server's shared catalog: every session
// reads and writes the properties of every database without connecting to it.
//
// The comment holds one line "name=value" per property. Lines of another form (a
// comment someone wrote by hand) are kept as they are and never read as
// properties. Names hold no "=" and no line break; values hold no line break.

/// Adds property `name` with `value` to database `database` ("" for the
/// connection's own database). Fails with SQLSTATE 42710 when the database has the
/// property already and 3D000 when there is no such database. Throws
/// std::invalid_argument for a name or value the comment cannot hold.
std::string AddDatabasePropertySql(std::string_view database, std::string_view name, std::string_view value);

/// Removes property `name` of database `database` ("" for the connection's own);
/// the comment goes when nothing is left in it. Fails with SQLSTATE 42704 when the
/// database does not have the property and 3D000 when there is no such database.
std::string DropDatabasePropertySql(std::string_view database, std::string_view name);

/// Every database that has property `name` (only `database` when it is not
/// ""): rows of "name" (the database) and "value" (the property's), ordered by
/// database name.
std::string DatabasePropertyListingSql(std::string_view name, std::string_view database);

} // namespace kx::ado::pg
