#include "JetProvider.h"
#include "TextLengthGuard.h"

#include "BookFile.h"
#include "JetColumnType.h"
#include "JetSqlTranslator.h"
#include "PrimaryKeyRows.h"
#include "ResultColumn.h"
#include "SqliteDatabase.h"
#include "StatementRows.h"

#include "ado/AdoError.h"
#include "ado/UnicodeText.h"
#include "ado/ValueCoercion.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <memory>
#include <optional>

namespace kx::ado::jet {
namespace {

constexpr long kMemoSize = 536870910;
constexpr long kLongBinarySize = 1073741823;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// A table or view name alone: "[a b]", "\"a\"", or a plain identifier.
bool LooksLikeName(std::string_view text) {
    if (text.empty())
        return false;
    if (text.front() == '[')
        return text.back() == ']' && text.find(']') == text.size() - 1;
    if (text.front() == '"' || text.front() == '`')
        return text.size() >= 2 && text.back() == text.front();
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::isalnum(u) || c == '_' || u >= 0x80;
    });
}

bool OnlyBlanksAndSemicolons(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ';' || std::isspace(static_cast<unsigned char>(c)); });
}

ColumnInfo ComputedColumn(std::string name, const std::vector<std::vector<Variant>>& rows,
                          std::size_t column) {
    bool anyBlob = false;
    bool anyText = false;
    bool anyReal = false;
    bool anyWide = false;
    std::size_t longestText = 0;
    for (const std::vector<Variant>& row : rows) {
        const Variant& v = row[column];
        switch (v.Type()) {
        case VariantType::Binary:
            anyBlob = true;
            break;
        case VariantType::String:
            anyText = true;
            longestText = std::max(longestText, text::CharCount(v.AsString()));
            break;
        case VariantType::Double:
            anyReal = true;
            break;
        case VariantType::Int64: {
            const std::int64_t n = v.ToInt64();
            if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
                anyWide = true;
            break;
        }
        default:
            break;
        }
    }
    ColumnInfo info;
    info.name = std::move(name);
    info.attributes = adFldMayDefer | adFldMayBeNull | adFldIsNullable;
    if (anyBlob) {
        info.type = adLongVarBinary;
        info.definedSize = kLongBinarySize;
        info.attributes |= adFldLong;
    } else if (anyText || (!anyReal && rows.empty())) {
        info.type = longestText > 255 ? adLongVarWChar : adVarWChar;
        info.definedSize = longestText > 255 ? kMemoSize : 255;
        if (longestText > 255)
            info.attributes |= adFldLong;
    } else if (anyReal) {
        info.type = adDouble;
        info.definedSize = 8;
        info.precision = 15;
        info.attributes |= adFldFixed;
    } else {
        info.type = anyWide ? adBigInt : adInteger;
        info.definedSize = anyWide ? 8 : 4;
        info.precision = anyWide ? 19 : 10;
        info.attributes |= adFldFixed;
    }
    return info;
}

std::vector<std::size_t> BaseColumnsOf(const std::vector<ColumnInfo>& columns, const std::string& table) {
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (!columns[i].baseColumn.empty() && text::EqualsIgnoringCase(columns[i].baseTable, table))
            indices.push_back(i);
    return indices;
}

class JetProvider final : public Provider {
  public:
    void Open(const Properties& properties, const ProviderSettings& settings) override;
    void Close() noexcept override { db_.reset(); }
    ExecuteResult Execute(std::string_view command, CommandKind kind,
                          const ProviderSettings& settings) override;
    RowSet OpenSchema(long schema, const std::vector<Variant>& restrictions) override;
    void ApplyChange(const std::vector<ColumnInfo>& columns, const std::string& table,
                     RowChange& change) override;
    std::vector<std::string> SecretProperties() const override {
        return {"Password", "PWD", "Jet OLEDB:Database Password", "Jet OLEDB:New Database Password"};
    }

  private:
    SqliteDatabase& Db();
    void ApplyTimeout(const ProviderSettings& settings);
    bool TableOrViewExists(const std::string& name);
    RowSet ReadRows(SqliteStatement statement);
    std::vector<std::size_t> IdentityColumns(const std::vector<ColumnInfo>& columns,
                                             const std::string& table);
    std::int64_t LocateRow(const std::vector<ColumnInfo>& columns, const std::string& table,
                           const std::vector<std::size_t>& identityColumns, const RowChange& change);
    void ReadBack(const std::vector<ColumnInfo>& columns, const std::string& table,
                  const std::vector<std::size_t>& identityColumns, std::int64_t rowid, RowChange& change);

    std::optional<SqliteDatabase> db_;
    /// The schema version that the text length guards were made for; -1 for a
    /// read-only connection, which needs none.
    std::int64_t guardedSchema_ = -1;
};

SqliteDatabase& JetProvider::Db() {
    if (!db_)
        throw AdoError(errors::ObjectClosed, kEngineSource,
                       "Operation is not allowed when the object is closed.");
    return *db_;
}

void JetProvider::Open(const Properties& properties, const ProviderSettings& settings) {
    const bool readOnly = (settings.mode & adModeReadWrite) == adModeRead;
    const std::string source = properties.Text("Data Source");
    db_ = OpenBookFile(source, properties.Text("Jet OLEDB:Database Password"), readOnly).database;
    guardedSchema_ = readOnly ? -1 : GuardTextLengths(*db_);
    ApplyTimeout(settings);
}

void JetProvider::ApplyTimeout(const ProviderSettings& settings) {
    // A book locked by another writer is waited for up to the command time limit.
    Db().SetBusyTimeout(settings.commandTimeout);
}

bool JetProvider::TableOrViewExists(const std::string& name) {
    SqliteStatement statement = Db().Prepare(
        "SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ?1 COLLATE NOCASE");
    statement.Bind(1, Variant(name));
    return statement.Step();
}

ExecuteResult JetProvider::Execute(std::string_view command, CommandKind kind,
                                   const ProviderSettings& settings) {
    SqliteDatabase& db = Db();
    ApplyTimeout(settings);
    const std::string_view trimmed = Trim(command);
    std::string sql;
    if (kind == CommandKind::Table ||
        (kind == CommandKind::Unknown && LooksLikeName(trimmed) && TableOrViewExists(UnquoteName(trimmed))))
        sql = "SELECT * FROM " + QuoteName(UnquoteName(trimmed));
    else
        sql = TranslateJetSql(command);

    std::string_view tail;
    SqliteStatement statement = db.Prepare(sql, &tail);
    if (!OnlyBlanksAndSemicolons(tail))
        throw AdoError(errors::ErrorsInCommand, kEngineSource,
                       "Characters found after end of SQL statement.");
    if (statement.IsEmpty())
        throw AdoError(
            errors::ErrorsInCommand, kEngineSource,
            "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
    ExecuteResult result;
    if (statement.ColumnCount() > 0) {
        result.rows = ReadRows(std::move(statement));
        return result;
    }
    const std::int64_t before = db.TotalChanges();
    while (statement.Step()) {
    }
    result.recordsAffected = static_cast<long>(db.TotalChanges() - before);
    // A table made or altered by this statement gets its guards too.
    if (guardedSchema_ >= 0 && SchemaVersion(db) != guardedSchema_)
        guardedSchema_ = GuardTextLengths(db);
    return result;
}

RowSet JetProvider::ReadRows(SqliteStatement statement) {
    const int count = statement.ColumnCount();
    const auto n = static_cast<std::size_t>(count);
    RowSet rows;
    rows.columns.resize(n);
    std::vector<bool> computed(n, false);
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (std::optional<ColumnInfo> info = DescribeResultColumn(statement, i)) {
            rows.columns[index] = std::move(*info);
        } else {
            rows.columns[index].name = statement.ColumnName(i);
            computed[index] = true;
        }
    }

    // Rows are read now only when the columns' types depend on them; otherwise a
    // query waits until its rows are needed (often only its columns are).
    const bool readNow =
        !statement.IsReadOnly() || std::find(computed.begin(), computed.end(), true) != computed.end();
    std::vector<std::vector<Variant>> stored;
    if (readNow) {
        while (statement.Step()) {
            std::vector<Variant> row(n);
            for (int i = 0; i < count; ++i)
                row[static_cast<std::size_t>(i)] = statement.ColumnValue(i);
            stored.push_back(std::move(row));
        }
        for (std::size_t i = 0; i < n; ++i)
            if (computed[i])
                rows.columns[i] = ComputedColumn(std::move(rows.columns[i].name), stored, i);
    }

    // Edits go back to one table only, each of its columns appearing once.
    std::string table;
    bool updatable = true;
    for (std::size_t i = 0; i < n && updatable; ++i) {
        const ColumnInfo& info = rows.columns[i];
        if (info.baseTable.empty())
            continue;
        if (table.empty())
            table = info.baseTable;
        else if (!text::EqualsIgnoringCase(table, info.baseTable))
            updatable = false;
        for (std::size_t k = 0; k < i && updatable; ++k)
            if (text::EqualsIgnoringCase(rows.columns[k].baseTable, info.baseTable) &&
                text::EqualsIgnoringCase(rows.columns[k].baseColumn, info.baseColumn))
                updatable = false;
    }
    std::vector<std::size_t> identity;
    if (updatable && !table.empty()) {
        rows.updateTable = table;
        identity = IdentityColumns(rows.columns, table);
    }

    if (!readNow) {
        std::vector<DataTypeEnum> types;
        types.reserve(n);
        for (const ColumnInfo& info : rows.columns)
            types.push_back(info.type);
        rows.unread =
            std::make_unique<StatementRows>(std::move(statement), std::move(types), std::move(identity));
        return rows;
    }

    if (!identity.empty()) {
        rows.rowIdentities.reserve(stored.size());
        for (const std::vector<Variant>& row : stored) {
            std::vector<Variant> key;
            key.reserve(identity.size());
            for (const std::size_t i : identity)
                key.push_back(row[i]);
            rows.rowIdentities.push_back(std::move(key));
        }
    }
    rows.rows.reserve(stored.size());
    for (std::vector<Variant>& row : stored) {
        for (std::size_t i = 0; i < n; ++i)
            row[i] = ConvertStoredValue(row[i], rows.columns[i].type);
        rows.rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::size_t> JetProvider::IdentityColumns(const std::vector<ColumnInfo>& columns,
                                                      const std::string& table) {
    std::size_t keyCount = 0;
    SqliteStatement info = Db().Prepare("PRAGMA table_info(" + QuoteName(table) + ")");
    while (info.Step())
        if (info.ColumnValue(5).ToInt64() > 0)
            ++keyCount;
    const std::vector<std::size_t> base = BaseColumnsOf(columns, table);
    std::vector<std::size_t> keys;
    for (const std::size_t i : base)
        if (columns[i].isKey)
            keys.push_back(i);
    return keyCount > 0 && keys.size() == keyCount ? keys : base;
}

std::int64_t JetProvider::LocateRow(const std::vector<ColumnInfo>& columns, const std::string& table,
                                    const std::vector<std::size_t>& identityColumns,
                                    const RowChange& change) {
    if (identityColumns.empty())
        throw AdoError(errors::RowNotFound, kEngineSource,
                       "Insufficient key column information for updating or refreshing.");
    std::string sql = "SELECT rowid FROM " + QuoteName(table) + " WHERE ";
    for (std::size_t k = 0; k < identityColumns.size(); ++k)
        sql += (k == 0 ? "" : " AND ") + QuoteName(columns[identityColumns[k]].baseColumn) + " IS ?" +
               std::to_string(k + 1) + " COLLATE BINARY";
    sql += " LIMIT 1";
    SqliteStatement statement = Db().Prepare(sql);
    // The stored values found at fetch time identify the row exactly; without them
    // the values as the recordset holds them are the best guess.
    const bool haveIdentity = change.identity.size() == identityColumns.size();
    for (std::size_t k = 0; k < identityColumns.size(); ++k)
        statement.Bind(static_cast<int>(k + 1),
                       haveIdentity ? change.identity[k] : change.original.at(identityColumns[k]));
    if (!statement.Step())
        throw AdoError(
            errors::RowNotFound, kEngineSource,
            "Row cannot be located for updating. Some values may have been changed since it was last "
            "read.");
    return statement.ColumnValue(0).ToInt64();
}

void JetProvider::ReadBack(const std::vector<ColumnInfo>& columns, const std::string& table,
                           const std::vector<std::size_t>& identityColumns, std::int64_t rowid,
                           RowChange& change) {
    const std::vector<std::size_t> base = BaseColumnsOf(columns, table);
    std::string sql = "SELECT ";
    for (std::size_t k = 0; k < base.size(); ++k)
        sql += (k == 0 ? "" : ", ") + QuoteName(columns[base[k]].baseColumn);
    sql += " FROM " + QuoteName(table) + " WHERE rowid = ?1";
    SqliteStatement statement = Db().Prepare(sql);
    statement.Bind(1, Variant(rowid));
    if (!statement.Step())
        throw AdoError(errors::RowNotFound, kEngineSource, "The written row cannot be read back.");
    std::vector<Variant> stored(columns.size());
    for (std::size_t k = 0; k < base.size(); ++k)
        stored[base[k]] = statement.ColumnValue(static_cast<int>(k));
    change.values.resize(columns.size());
    for (const std::size_t i : base)
        change.values[i] = ConvertStoredValue(stored[i], columns[i].type);
    change.identity.clear();
    for (const std::size_t i : identityColumns)
        change.identity.push_back(stored[i]);
}

void JetProvider::ApplyChange(const std::vector<ColumnInfo>& columns, const std::string& table,
                              RowChange& change) {
    SqliteDatabase& db = Db();
    const std::vector<std::size_t> identity = IdentityColumns(columns, table);
    std::vector<std::size_t> assigned;
    for (const std::size_t i : BaseColumnsOf(columns, table))
        if (i < change.changed.size() && change.changed[i])
            assigned.push_back(i);

    if (change.kind == RowChangeKind::Delete) {
        const std::int64_t rowid = LocateRow(columns, table, identity, change);
        SqliteStatement statement = db.Prepare("DELETE FROM " + QuoteName(table) + " WHERE rowid = ?1");
        statement.Bind(1, Variant(rowid));
        statement.Step();
        return;
    }

    std::int64_t rowid = 0;
    if (change.kind == RowChangeKind::Update) {
        rowid = LocateRow(columns, table, identity, change);
        if (!assigned.empty()) {
            std::string sql = "UPDATE " + QuoteName(table) + " SET ";
            for (std::size_t k = 0; k < assigned.size(); ++k)
                sql += (k == 0 ? "" : ", ") + QuoteName(columns[assigned[k]].baseColumn) + " = ?" +
                       std::to_string(k + 1);
            sql += " WHERE rowid = ?" + std::to_string(assigned.size() + 1);
            SqliteStatement statement = db.Prepare(sql);
            for (std::size_t k = 0; k < assigned.size(); ++k)
                statement.Bind(static_cast<int>(k + 1), change.values.at(assigned[k]));
            statement.Bind(static_cast<int>(assigned.size() + 1), Variant(rowid));
            statement.Step();
        }
    } else {
        std::string sql = "INSERT INTO " + QuoteName(table);
        if (assigned.empty()) {
            sql += " DEFAULT VALUES";
        } else {
            std::string names;
            std::string marks;
            for (std::size_t k = 0; k < assigned.size(); ++k) {
                names += (k == 0 ? "" : ", ") + QuoteName(columns[assigned[k]].baseColumn);
                marks += (k == 0 ? "?" : ", ?") + std::to_string(k + 1);
            }
            sql += " (" + names + ") VALUES (" + marks + ")";
        }
        SqliteStatement statement = db.Prepare(sql);
        for (std::size_t k = 0; k < assigned.size(); ++k)
            statement.Bind(static_cast<int>(k + 1), change.values.at(assigned[k]));
        statement.Step();
        rowid = db.LastInsertRowId();
    }
    ReadBack(columns, table, identity, rowid, change);
}

RowSet JetProvider::OpenSchema(long schema, const std::vector<Variant>& restrictions) {
    if (schema == adSchemaPrimaryKeys) {
        const bool named = restrictions.size() > 2 && !restrictions[2].IsMissing();
        return PrimaryKeyRows(Db(),
                              named ? std::optional<std::string>(restrictions[2].ToString()) : std::nullopt);
    }
    if (schema != adSchemaTables)
        throw AdoError(errors::FeatureNotAvailable, kEngineSource,
                       "Object or provider is not capable of performing requested operation: schema " +
                           std::to_string(schema) + ".");
    struct Entry {
        std::string name;
        std::string type;
    };
    std::vector<Entry> entries{{"sqlite_master", "SYSTEM TABLE"}};
    SqliteStatement statement =
        Db().Prepare("SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view')");
    while (statement.Step()) {
        std::string name = statement.ColumnValue(0).ToString();
        const bool isView = statement.ColumnValue(1).ToString() == "view";
        const bool isInternal = text::EqualsIgnoringCase(std::string_view(name).substr(0, 7), "sqlite_");
        entries.push_back({std::move(name), isView ? "VIEW" : isInternal ? "SYSTEM TABLE" : "TABLE"});
    }
    const auto restriction = [&](std::size_t index) -> std::optional<std::string> {
        if (index < restrictions.size() && !restrictions[index].IsMissing())
            return restrictions[index].ToString();
        return std::nullopt;
    };
    const std::optional<std::string> nameFilter = restriction(2);
    const std::optional<std::string> typeFilter = restriction(3);
    std::erase_if(entries, [&](const Entry& e) {
        return (nameFilter && !text::EqualsIgnoringCase(e.name, *nameFilter)) ||
               (typeFilter && !text::EqualsIgnoringCase(e.type, *typeFilter));
    });
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.type != b.type)
            return a.type < b.type;
        return text::CompareIgnoringCase(a.name, b.name) < 0;
    });

    RowSet rows;
    rows.columns = {
        SchemaColumn("TABLE_CATALOG", adVarWChar, 128), SchemaColumn("TABLE_SCHEMA", adVarWChar, 128),
        SchemaColumn("TABLE_NAME", adVarWChar, 128),    SchemaColumn("TABLE_TYPE", adVarWChar, 128),
        SchemaColumn("TABLE_GUID", adGUID, 16),         SchemaColumn("DESCRIPTION", adVarWChar, 255),
        SchemaColumn("TABLE_PROPID", adInteger, 4),     SchemaColumn("DATE_CREATED", adDate, 8),
        SchemaColumn("DATE_MODIFIED", adDate, 8)};
    for (Entry& e : entries) {
        std::vector<Variant> row(rows.columns.size(), Variant::Null());
        row[2] = Variant(std::move(e.name));
        row[3] = Variant(std::move(e.type));
        rows.rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::unique_ptr<Provider> NewJetProvider() {
    return std::make_unique<JetProvider>();
}

} // namespace kx::ado::jet
