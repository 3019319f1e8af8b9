#include "ado/sqloledb/PgRowSet.h"

#include "ado/pg/PgConnection.h"
#include "ado/pg/PgFieldType.h"
#include "ado/pg/PgResult.h"
#include "ado/pg/PgResultColumn.h"
#include "ado/pg/PgValueText.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace kx::ado::sqloledb {

namespace {

struct TableColumn {
    std::string table;
    std::string column;
    bool notNull = false;
    bool identity = false;
    bool key = false;
};

using TableColumns = std::map<std::pair<unsigned int, int>, TableColumn>;

constexpr const char* kTableColumnsQuery = R"(
SELECT a.attrelid, a.attnum, c.relname, a.attname, a.attnotnull, a.attidentity <> '',
       EXISTS (SELECT 1 FROM pg_index i
               WHERE i.indrelid = a.attrelid AND i.indisprimary AND a.attnum = ANY (i.indkey))
FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid
WHERE a.attrelid = ANY ($1::oid[]) AND a.attnum > 0 AND NOT a.attisdropped)";

TableColumns LookUpTableColumns(pg::PgConnection& catalog, const std::vector<pg::PgResultColumn>& columns) {
    std::set<unsigned int> tables;
    for (const pg::PgResultColumn& column : columns) {
        if (column.tableOid != 0) {
            tables.insert(column.tableOid);
        }
    }
    TableColumns found;
    if (tables.empty()) {
        return found;
    }
    std::string array = "{";
    for (const unsigned int oid : tables) {
        if (array.size() > 1) {
            array += ',';
        }
        array += std::to_string(oid);
    }
    array += "}";
    const pg::PgParam params[] = {pg::PgParam::Text(array)};
    const pg::PgResult rows = catalog.ExecParams(kTableColumnsQuery, params);
    for (int row = 0; row < rows.RowCount(); ++row) {
        const auto oid = static_cast<unsigned int>(std::stoul(std::string(rows.Value(row, 0))));
        const int number = std::stoi(std::string(rows.Value(row, 1)));
        found[{oid, number}] =
            TableColumn{std::string(rows.Value(row, 2)), std::string(rows.Value(row, 3)),
                        rows.Value(row, 4) == "t", rows.Value(row, 5) == "t", rows.Value(row, 6) == "t"};
    }
    return found;
}

ColumnInfo Describe(const pg::PgResultColumn& column, const TableColumn* base) {
    const pg::PgFieldType type = pg::DescribePgType(column.typeOid, column.typeModifier);
    ColumnInfo info;
    info.name = column.name;
    info.type = type.type;
    info.definedSize = type.definedSize;
    info.precision = type.precision;
    info.numericScale = type.numericScale;
    long attributes = 0;
    if (type.isFixed) {
        attributes |= adFldFixed;
    }
    if (type.isLong) {
        attributes |= adFldLong | adFldMayDefer;
    }
    if (base == nullptr || !base->notNull) {
        attributes |= adFldIsNullable | adFldMayBeNull;
    }
    if (base != nullptr) {
        info.baseTable = base->table;
        info.baseColumn = base->column;
        info.isKey = base->key;
        info.isAutoIncrement = base->identity;
        if (!base->identity) {
            attributes |= adFldUpdatable;
        }
    }
    info.attributes = attributes;
    return info;
}

} // namespace

RowSet RowSetFromResult(pg::PgConnection* catalog, const pg::PgResult& result,
                        const std::string& updateTable) {
    const std::vector<pg::PgResultColumn> all = pg::ResultColumns(result);
    const std::size_t hidden = updateTable.empty() ? 0 : kRowIdentityColumns;
    const std::vector<pg::PgResultColumn> visible(
        all.begin() + static_cast<std::ptrdiff_t>(std::min(hidden, all.size())), all.end());
    const TableColumns tableColumns =
        catalog != nullptr ? LookUpTableColumns(*catalog, visible) : TableColumns();

    RowSet rows;
    rows.columns.reserve(visible.size());
    for (const pg::PgResultColumn& column : visible) {
        const auto found = tableColumns.find({column.tableOid, column.tableColumn});
        rows.columns.push_back(Describe(column, found != tableColumns.end() ? &found->second : nullptr));
    }
    rows.updateTable = updateTable;

    const int rowCount = result.RowCount();
    const auto width = static_cast<int>(all.size());
    rows.rows.reserve(static_cast<std::size_t>(rowCount));
    if (hidden > 0) {
        rows.rowIdentities.reserve(static_cast<std::size_t>(rowCount));
    }
    for (int row = 0; row < rowCount; ++row) {
        if (hidden > 0) {
            std::vector<Variant> identity;
            for (int column = 0; column < static_cast<int>(hidden); ++column) {
                identity.emplace_back(result.Value(row, column));
            }
            rows.rowIdentities.push_back(std::move(identity));
        }
        std::vector<Variant> values;
        values.reserve(visible.size());
        for (int column = static_cast<int>(hidden); column < width; ++column) {
            if (result.IsNull(row, column)) {
                values.push_back(Variant::Null());
            } else {
                values.push_back(pg::VariantFromPgText(
                    result.Value(row, column), rows.columns[static_cast<std::size_t>(column) - hidden].type));
            }
        }
        rows.rows.push_back(std::move(values));
    }
    return rows;
}

} // namespace kx::ado::sqloledb
