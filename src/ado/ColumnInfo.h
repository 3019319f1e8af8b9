#pragma once

#include "AdoConstants.h"

#include <string>
#include <utility>

namespace kx::ado {

/// What a provider reports about one column of a row set; it becomes a Field.
struct ColumnInfo {
    /// Field.Name.
    std::string name;
    /// Field.Type (a DataTypeEnum value).
    DataTypeEnum type = adVariant;
    /// Field.DefinedSize: characters for text, bytes for binary and fixed types.
    long definedSize = 0;
    /// Field.Attributes (FieldAttributeEnum flags).
    long attributes = 0;
    /// Field.Precision and Field.NumericScale (255 when they do not apply).
    int precision = 255;
    int numericScale = 255;
    /// The table and column the values come from; empty for computed columns,
    /// which cannot be written back.
    std::string baseTable;
    std::string baseColumn;
    /// Part of the base table's primary key.
    bool isKey = false;
    /// Filled in by the data source (an AutoNumber/identity column).
    bool isAutoIncrement = false;
};

/// A column of a schema row set (OpenSchema), which reports every column as
/// one that may hold Null.
inline ColumnInfo SchemaColumn(std::string name, DataTypeEnum type, long size) {
    ColumnInfo info;
    info.name = std::move(name);
    info.type = type;
    info.definedSize = size;
    info.attributes = adFldMayBeNull | adFldIsNullable;
    return info;
}

} // namespace kx::ado
