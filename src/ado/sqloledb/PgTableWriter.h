#pragma once

#include "ado/ColumnInfo.h"
#include "ado/RowChange.h"

#include <string>
#include <vector>

namespace kx::ado::pg {
class PgConnection;
} // namespace kx::ado::pg

namespace kx::ado::sqloledb {

/// Writes one edited row of a table read with RowSetFromResult back to `table` (a
/// PostgreSQL name) on `connection`, with every value bound as a parameter.
///
/// A row is found by the identity it was read with: its ctid together with its
/// xmin, which name exactly one version of one row. Any later change of the row
/// (by this recordset through another path, or by anyone else) gives it a new
/// version, and then Update and Delete fail with errors::RowNotFound and change
/// nothing; so do rows without an identity. Tables need no primary key.
///
/// Update writes only the assigned columns; Insert writes the assigned columns and
/// lets the table fill in the rest (an identity among them). Afterwards the row's
/// new identity is in `change.identity`, and the stored values of the written
/// columns, and for an Insert of every column, are in `change.values`; long values
/// that were just sent are not read back, since they are stored exactly as sent.
/// Server failures throw pg::PgError.
void WriteRowChange(pg::PgConnection& connection, const std::vector<ColumnInfo>& columns,
                    const std::string& table, RowChange& change);

} // namespace kx::ado::sqloledb
