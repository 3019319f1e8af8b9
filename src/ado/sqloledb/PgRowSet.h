#pragma once

#include "ado/RowSet.h"

#include <cstddef>
#include <string>

namespace kx::ado::pg {
class PgConnection;
class PgResult;
} // namespace kx::ado::pg

namespace kx::ado::sqloledb {

/// Number of leading columns of a table read by RowSetFromResult that identify
/// each row: its ctid and its xmin, as text.
inline constexpr std::size_t kRowIdentityColumns = 2;

/// The rows of a text-format result as a RowSet.
///
/// Columns are typed by pg::DescribePgType. Where a column comes straight from a
/// table, `catalog` (a connection to the database the result came from; null when
/// that is not the current one) is asked once for its table, its name there,
/// whether it is NOT NULL, an identity, or part of the primary key. Attributes:
/// adFldFixed for fixed-size types; adFldLong | adFldMayDefer for long ones;
/// adFldIsNullable | adFldMayBeNull unless NOT NULL; adFldUpdatable for table
/// columns other than identities. An identity column is reported as SQL Server
/// reports one: not updatable, isAutoIncrement set, and never with the attributes
/// 90 of a Jet counter (an int identity NOT NULL has adFldFixed alone).
///
/// With `updateTable` given, the result's first kRowIdentityColumns columns are
/// the rows' identities (RowSet::rowIdentities) and not columns of the RowSet, and
/// edits go to that table. Without it the rows cannot be written back.
RowSet RowSetFromResult(pg::PgConnection* catalog, const pg::PgResult& result,
                        const std::string& updateTable = {});

} // namespace kx::ado::sqloledb
