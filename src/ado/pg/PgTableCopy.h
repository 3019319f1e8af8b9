#pragma once

#include <string_view>

namespace kx::ado::pg {

class PgConnection;

/// Copies a whole table from the database of `source` to the database of `target`,
/// as "SELECT * INTO [target]..[t] FROM [source]..[t]" does: makes `targetTable`
/// with the columns of `sourceTable` (names, types, collations, nullability and
/// identity, whose sequence ends up past the copied values) and copies all rows in
/// the server's binary form, so every value arrives unchanged. Keys, indexes,
/// defaults and constraints are not carried over.
///
/// Table names are PostgreSQL names (folded, unquoted). The target table must not
/// exist yet. Everything on the target happens in one transaction: when any step
/// fails, nothing of the new table stays. Returns the number of rows copied; throws
/// PgError (SQLSTATE 42P01 when the source table does not exist, 42P07 when the
/// target table does).
long long CopyTableBetweenConnections(PgConnection& source, std::string_view sourceTable,
                                      PgConnection& target, std::string_view targetTable);

} // namespace kx::ado::pg
