#include "TextLengthGuard.h"

#include "JetColumnType.h"
#include "JetSqlTranslator.h"
#include "SqliteDatabase.h"

#include "ado/AdoConstants.h"

#include <string>
#include <utility>
#include <vector>

namespace kx::ado::jet {
namespace {

constexpr const char* kTriggerPrefix = "kx_text_length_";

struct SizedColumn {
    std::string name;
    long size = 0;
};

std::vector<std::string> TableNames(const SqliteDatabase& db) {
    std::vector<std::string> names;
    SqliteStatement tables =
        db.Prepare("SELECT name FROM main.sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                   "ESCAPE '\\'");
    while (tables.Step())
        names.push_back(tables.ColumnValue(0).ToString());
    return names;
}

std::vector<SizedColumn> SizedTextColumns(const SqliteDatabase& db, const std::string& table) {
    std::vector<SizedColumn> columns;
    SqliteStatement info = db.Prepare("PRAGMA main.table_info(" + QuoteName(table) + ")");
    while (info.Step()) {
        const JetFieldType type = DescribeDeclaredType(info.ColumnValue(2).ToString(), false, false);
        if (type.type == adVarWChar && type.definedSize > 0)
            columns.push_back({info.ColumnValue(1).ToString(), type.definedSize});
    }
    return columns;
}

std::string QuoteLiteral(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

} // namespace

std::int64_t SchemaVersion(const SqliteDatabase& db) {
    SqliteStatement version = db.Prepare("PRAGMA main.schema_version");
    return version.Step() ? version.ColumnValue(0).ToInt64() : 0;
}

std::int64_t GuardTextLengths(SqliteDatabase& db) {
    std::vector<std::string> old;
    {
        SqliteStatement triggers =
            db.Prepare("SELECT name FROM sqlite_temp_master WHERE type = 'trigger' AND name LIKE 'kx\\_text\\_length\\_%' "
                       "ESCAPE '\\'");
        while (triggers.Step())
            old.push_back(triggers.ColumnValue(0).ToString());
    }
    for (const std::string& name : old)
        db.Run("DROP TRIGGER IF EXISTS temp." + QuoteName(name));

    const std::vector<std::string> tables = TableNames(db);
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const std::vector<SizedColumn> columns = SizedTextColumns(db, tables[t]);
        if (columns.empty())
            continue;
        std::string tooLong;
        std::string names;
        for (const SizedColumn& column : columns) {
            tooLong += (tooLong.empty() ? "" : " OR ") + std::string("length(NEW.") + QuoteName(column.name) +
                       ") > " + std::to_string(column.size);
            names += (names.empty() ? "" : ", ") + QuoteName(column.name);
        }
        const std::string body = " ON main." + QuoteName(tables[t]) + " WHEN " + tooLong +
                                 " BEGIN SELECT RAISE(ABORT, " + QuoteLiteral(kFieldTooSmall) + "); END";
        const std::string suffix = std::to_string(t);
        db.Run("CREATE TEMP TRIGGER " + QuoteName(kTriggerPrefix + std::string("i") + suffix) + " BEFORE INSERT" +
               body);
        db.Run("CREATE TEMP TRIGGER " + QuoteName(kTriggerPrefix + std::string("u") + suffix) +
               " BEFORE UPDATE OF " + names + body);
    }
    return SchemaVersion(db);
}

} // namespace kx::ado::jet
