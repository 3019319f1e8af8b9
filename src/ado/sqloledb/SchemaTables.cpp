#include "ado/sqloledb/SchemaTables.h"

#include "ado/UnicodeText.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgStatements.h"

#include <optional>

namespace kx::ado::sqloledb {

namespace {

std::optional<std::string> Restriction(const std::vector<Variant>& restrictions, std::size_t index) {
    if (index >= restrictions.size() || restrictions[index].IsMissing()) {
        return std::nullopt;
    }
    std::string value = restrictions[index].ToString();
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

bool Matches(const std::optional<std::string>& restriction, std::string_view value) {
    return !restriction || text::EqualsIgnoringCase(*restriction, value);
}

} // namespace

RowSet ListTables(pg::PgConnection& connection, const std::string& catalogName,
                  const std::vector<Variant>& restrictions) {
    const std::optional<std::string> schema = Restriction(restrictions, 1);
    const std::optional<std::string> name = Restriction(restrictions, 2);
    const std::optional<std::string> type = Restriction(restrictions, 3);

    RowSet rows;
    rows.columns = {
        SchemaColumn("TABLE_CATALOG", adVarWChar, 128),  SchemaColumn("TABLE_SCHEMA", adVarWChar, 128),
        SchemaColumn("TABLE_NAME", adVarWChar, 128),     SchemaColumn("TABLE_TYPE", adVarWChar, 128),
        SchemaColumn("TABLE_GUID", adGUID, 16),          SchemaColumn("DESCRIPTION", adVarWChar, 255),
        SchemaColumn("TABLE_PROPID", adInteger, 4),      SchemaColumn("DATE_CREATED", adDBTimeStamp, 16),
        SchemaColumn("DATE_MODIFIED", adDBTimeStamp, 16)};

    const pg::PgResult listing = connection.Exec(pg::TableListingSql());
    const int schemaColumn = listing.ColumnIndex("TABLE_SCHEMA");
    const int nameColumn = listing.ColumnIndex("TABLE_NAME");
    const int typeColumn = listing.ColumnIndex("TABLE_TYPE");
    for (int row = 0; row < listing.RowCount(); ++row) {
        const std::string_view serverSchema = listing.Value(row, schemaColumn);
        const std::string_view tableSchema =
            serverSchema == "public" ? std::string_view("dbo") : serverSchema;
        const std::string_view tableName = listing.Value(row, nameColumn);
        const std::string_view tableType = listing.Value(row, typeColumn);
        if (!Matches(schema, tableSchema) || !Matches(name, tableName) || !Matches(type, tableType)) {
            continue;
        }
        std::vector<Variant> values(rows.columns.size(), Variant::Null());
        values[0] = Variant(catalogName);
        values[1] = Variant(tableSchema);
        values[2] = Variant(tableName);
        values[3] = Variant(tableType);
        rows.rows.push_back(std::move(values));
    }
    return rows;
}

} // namespace kx::ado::sqloledb
