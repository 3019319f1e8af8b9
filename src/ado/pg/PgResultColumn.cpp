#include "ado/pg/PgResultColumn.h"

#include "ado/pg/PgResult.h"

#include <libpq-fe.h>

namespace kx::ado::pg {

std::vector<PgResultColumn> ResultColumns(const PgResult& result) {
    std::vector<PgResultColumn> columns;
    const PGresult* handle = result.Handle();
    const int count = result.ColumnCount();
    columns.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        PgResultColumn column;
        column.name = result.ColumnName(i);
        column.typeOid = PQftype(handle, i);
        column.typeModifier = PQfmod(handle, i);
        column.tableOid = PQftable(handle, i);
        column.tableColumn = PQftablecol(handle, i);
        columns.push_back(std::move(column));
    }
    return columns;
}

} // namespace kx::ado::pg
