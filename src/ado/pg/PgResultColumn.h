#pragma once

#include <string>
#include <vector>

namespace kx::ado::pg {

class PgResult;

/// What a result says about one of its columns.
struct PgResultColumn {
    std::string name;
    unsigned int typeOid = 0;
    /// The type modifier (a varchar's length, a numeric's precision and scale), -1
    /// when there is none.
    int typeModifier = -1;
    /// The table the values come from, 0 for a computed column.
    unsigned int tableOid = 0;
    /// The column's number in that table (attnum), 0 for a computed column.
    int tableColumn = 0;
};

/// The columns of a result, in order.
std::vector<PgResultColumn> ResultColumns(const PgResult& result);

} // namespace kx::ado::pg
