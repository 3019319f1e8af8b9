#include "SqliteStatement.h"

#include "SqliteDatabase.h"

#include "ado/AdoConstants.h"
#include "ado/AdoError.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace kx::ado::jet {
namespace {

// The engine's "transient" destructor, spelled without a C-style cast: the engine copies the bytes.
const sqlite3_destructor_type kCopyBytes =
    reinterpret_cast<sqlite3_destructor_type>(static_cast<std::intptr_t>(-1));

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

std::string Pad(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

} // namespace

std::string StoredDateText(Date date) {
    const DateParts p = date.Parts();
    return Pad(p.year, 4) + "-" + Pad(p.month, 2) + "-" + Pad(p.day, 2) + " " + Pad(p.hour, 2) + ":" +
           Pad(p.minute, 2) + ":" + Pad(p.second, 2);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        if (stmt_ != nullptr)
            sqlite3_finalize(stmt_);
        db_ = other.db_;
        stmt_ = std::exchange(other.stmt_, nullptr);
    }
    return *this;
}

SqliteStatement::~SqliteStatement() {
    if (stmt_ != nullptr)
        sqlite3_finalize(stmt_);
}

bool SqliteStatement::Step() {
    if (stmt_ == nullptr)
        return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    ThrowEngineError(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
}

void SqliteStatement::Bind(int index, const Variant& value) {
    int rc = SQLITE_OK;
    switch (value.Type()) {
    case VariantType::Empty:
    case VariantType::Null:
        rc = sqlite3_bind_null(stmt_, index);
        break;
    case VariantType::Bool:
        rc = sqlite3_bind_int64(stmt_, index, value.ToBool() ? -1 : 0);
        break;
    case VariantType::Int16:
    case VariantType::Int32:
    case VariantType::Int64:
        rc = sqlite3_bind_int64(stmt_, index, value.ToInt64());
        break;
    case VariantType::Double:
        rc = sqlite3_bind_double(stmt_, index, value.ToDouble());
        break;
    case VariantType::Currency: {
        const Currency amount = value.ToCurrency();
        rc = amount.scaled % Currency::kScale == 0
                 ? sqlite3_bind_int64(stmt_, index, amount.scaled / Currency::kScale)
                 : sqlite3_bind_double(stmt_, index, value.ToDouble());
        break;
    }
    case VariantType::Date: {
        const std::string text = StoredDateText(value.ToDate());
        rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), kCopyBytes);
        break;
    }
    case VariantType::String: {
        const std::string& text = value.AsString();
        rc = sqlite3_bind_text64(stmt_, index, text.data(), text.size(), kCopyBytes, SQLITE_UTF8);
        break;
    }
    case VariantType::Binary: {
        const Bytes& bytes = value.AsBytes();
        // A null pointer would bind NULL; an empty value must stay an empty blob.
        rc = bytes.empty() ? sqlite3_bind_zeroblob(stmt_, index, 0)
                           : sqlite3_bind_blob64(stmt_, index, bytes.data(), bytes.size(), kCopyBytes);
        break;
    }
    }
    if (rc != SQLITE_OK)
        ThrowEngineError(rc, sqlite3_errmsg(db_));
}

bool SqliteStatement::IsReadOnly() const noexcept {
    return stmt_ == nullptr || sqlite3_stmt_readonly(stmt_) != 0;
}

int SqliteStatement::ColumnCount() const noexcept {
    return stmt_ != nullptr ? sqlite3_column_count(stmt_) : 0;
}

std::string SqliteStatement::ColumnName(int column) const {
    return TextOrEmpty(sqlite3_column_name(stmt_, column));
}

std::string SqliteStatement::DeclaredType(int column) const {
    return TextOrEmpty(sqlite3_column_decltype(stmt_, column));
}

std::string SqliteStatement::TableName(int column) const {
    return TextOrEmpty(sqlite3_column_table_name(stmt_, column));
}

std::string SqliteStatement::OriginName(int column) const {
    return TextOrEmpty(sqlite3_column_origin_name(stmt_, column));
}

std::string SqliteStatement::DatabaseName(int column) const {
    return TextOrEmpty(sqlite3_column_database_name(stmt_, column));
}

Variant SqliteStatement::ColumnValue(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return Variant(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return Variant(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        const int size = sqlite3_column_bytes(stmt_, column);
        return Variant(std::string(text != nullptr ? text : "", static_cast<std::size_t>(size)));
    }
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        Bytes bytes(static_cast<std::size_t>(size));
        if (size > 0)
            std::memcpy(bytes.data(), data, bytes.size());
        return Variant(std::move(bytes));
    }
    default:
        return Variant::Null();
    }
}

StorageClass SqliteStatement::Storage(int column) const noexcept {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return StorageClass::Integer;
    case SQLITE_FLOAT:
        return StorageClass::Real;
    case SQLITE_TEXT:
        return StorageClass::Text;
    case SQLITE_BLOB:
        return StorageClass::Blob;
    default:
        return StorageClass::Null;
    }
}

std::int64_t SqliteStatement::ColumnInt64(int column) const noexcept {
    return sqlite3_column_int64(stmt_, column);
}

double SqliteStatement::ColumnDouble(int column) const noexcept {
    return sqlite3_column_double(stmt_, column);
}

std::string_view SqliteStatement::ColumnText(int column) const noexcept {
    // The pointer first, then the size: that order asks for no conversion.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return text != nullptr ? std::string_view(text, static_cast<std::size_t>(size)) : std::string_view();
}

std::string_view SqliteStatement::ColumnBytes(int column) const noexcept {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return data != nullptr ? std::string_view(data, static_cast<std::size_t>(size)) : std::string_view();
}

} // namespace kx::ado::jet
