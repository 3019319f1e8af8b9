#include "ResultColumn.h"

#include "JetColumnType.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <string>

namespace kx::ado::jet {

std::optional<ColumnInfo> DescribeResultColumn(const SqliteStatement& statement, int column) {
    ColumnInfo info;
    info.name = statement.ColumnName(column);
    const std::string table = statement.TableName(column);
    const std::string origin = statement.OriginName(column);
    const std::string database = statement.DatabaseName(column);
    const char* declared = nullptr;
    const char* collation = nullptr;
    int notNull = 0;
    int primaryKey = 0;
    int autoIncrement = 0;
    if (!table.empty() && !origin.empty() &&
        sqlite3_table_column_metadata(statement.Database(), database.empty() ? nullptr : database.c_str(),
                                      table.c_str(), origin.c_str(), &declared, &collation, &notNull,
                                      &primaryKey, &autoIncrement) == SQLITE_OK) {
        const JetFieldType type =
            DescribeDeclaredType(declared != nullptr ? declared : "", autoIncrement != 0, notNull != 0);
        info.type = type.type;
        info.definedSize = type.definedSize;
        info.attributes = type.attributes;
        info.precision = type.precision;
        info.numericScale = type.numericScale;
        info.baseTable = table;
        info.baseColumn = origin;
        info.isKey = primaryKey != 0;
        info.isAutoIncrement = autoIncrement != 0;
        return info;
    }
    if (const std::string declaredType = statement.DeclaredType(column); !declaredType.empty()) {
        const JetFieldType type = DescribeDeclaredType(declaredType, false, false);
        info.type = type.type;
        info.definedSize = type.definedSize;
        info.attributes = type.attributes & ~(adFldUpdatable | adFldUnknownUpdatable);
        info.precision = type.precision;
        info.numericScale = type.numericScale;
        return info;
    }
    return std::nullopt;
}

} // namespace kx::ado::jet
