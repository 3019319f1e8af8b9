#include "PrimaryKeyRows.h"

#include "JetSqlTranslator.h"
#include "SqliteDatabase.h"

#include "ado/UnicodeText.h"

#include <algorithm>
#include <utility>

namespace kx::ado::jet {
namespace {

struct KeyColumn {
    std::string table;
    std::string column;
    std::int32_t ordinal = 0;
};

} // namespace

RowSet PrimaryKeyRows(const SqliteDatabase& db, const std::optional<std::string>& table) {
    std::vector<std::string> tables;
    {
        SqliteStatement names =
            db.Prepare("SELECT name FROM main.sqlite_master WHERE type = 'table' AND name NOT "
                       "LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name");
        while (names.Step()) {
            std::string name = names.ColumnValue(0).ToString();
            if (!table || text::EqualsIgnoringCase(name, *table))
                tables.push_back(std::move(name));
        }
    }
    std::vector<KeyColumn> keys;
    for (const std::string& name : tables) {
        std::vector<KeyColumn> ofTable;
        SqliteStatement info = db.Prepare("PRAGMA main.table_info(" + QuoteName(name) + ")");
        while (info.Step()) {
            // The sixth column is the column's place in the primary key, 0 outside it.
            const std::int64_t place = info.ColumnValue(5).ToInt64();
            if (place > 0)
                ofTable.push_back({name, info.ColumnValue(1).ToString(), static_cast<std::int32_t>(place)});
        }
        std::sort(ofTable.begin(), ofTable.end(),
                  [](const KeyColumn& a, const KeyColumn& b) { return a.ordinal < b.ordinal; });
        keys.insert(keys.end(), ofTable.begin(), ofTable.end());
    }

    RowSet rows;
    rows.columns = {
        SchemaColumn("TABLE_CATALOG", adVarWChar, 128), SchemaColumn("TABLE_SCHEMA", adVarWChar, 128),
        SchemaColumn("TABLE_NAME", adVarWChar, 128),    SchemaColumn("COLUMN_NAME", adVarWChar, 128),
        SchemaColumn("COLUMN_GUID", adGUID, 16),        SchemaColumn("COLUMN_PROPID", adInteger, 4),
        SchemaColumn("ORDINAL", adInteger, 4),          SchemaColumn("PK_NAME", adVarWChar, 128)};
    for (KeyColumn& key : keys) {
        std::vector<Variant> row(rows.columns.size(), Variant::Null());
        row[2] = Variant(std::move(key.table));
        row[3] = Variant(std::move(key.column));
        row[6] = Variant(key.ordinal);
        row[7] = Variant(std::string("PrimaryKey"));
        rows.rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace kx::ado::jet
