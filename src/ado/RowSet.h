#pragma once

#include "ColumnInfo.h"
#include "RowSource.h"
#include "Variant.h"

#include <memory>
#include <string>
#include <vector>

namespace kx::ado {

/// Everything a provider hands to a client-side cursor: the columns, all rows
/// (or the source it reads them from on first need), and what it needs to write
/// edits back.
struct RowSet {
    std::vector<ColumnInfo> columns;
    /// One value per column in each row, already of the column's kind (a String
    /// for text columns, Currency for money ...), Null for a missing value.
    std::vector<std::vector<Variant>> rows;
    /// The one base table to which edits are written; empty when the rows cannot
    /// be written back (computed results, joins, schema rows).
    std::string updateTable;
    /// Per row, the values by which the provider finds the row again when it is
    /// written back (its own choice: key values, stored values ...). Either empty
    /// or one entry per row.
    std::vector<std::vector<Variant>> rowIdentities;
    /// When set, `rows` and `rowIdentities` are empty and this source gives them
    /// when they are first needed; the columns and updateTable are final already.
    /// A provider sets it only where the columns do not depend on the values.
    std::unique_ptr<RowSource> unread;
};

} // namespace kx::ado
