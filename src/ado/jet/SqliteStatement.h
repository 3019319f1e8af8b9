#pragma once

#include "ado/Variant.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kx::ado::jet {

/// How the engine stores one value of a row (its storage class).
enum class StorageClass { Null, Integer, Real, Text, Blob };

/// Owns one compiled statement (a sqlite3_stmt handle), finalized in the destructor.
class SqliteStatement {
  public:
    SqliteStatement(sqlite3* db, sqlite3_stmt* stmt) noexcept : db_(db), stmt_(stmt) {}
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    /// True when the statement compiled to nothing (blank text).
    bool IsEmpty() const noexcept { return stmt_ == nullptr; }
    /// True when running the statement changes nothing in the database.
    bool IsReadOnly() const noexcept;
    /// The connection the statement belongs to.
    sqlite3* Database() const noexcept { return db_; }
    /// Runs to the next row: true on a row, false when done. Throws AdoError.
    bool Step();
    /// Binds a value to parameter `index` (1-based): Null and Empty as NULL, Bool as
    /// -1/0, integers as integers, Double as real, Currency as an integer when whole
    /// and as a real otherwise, Date as "yyyy-mm-dd hh:mm:ss" text, String as text,
    /// Binary as a blob (an empty one stays an empty blob, not NULL).
    void Bind(int index, const Variant& value);

    int ColumnCount() const noexcept;
    std::string ColumnName(int column) const;
    /// The declared type of the column's origin, "" for computed columns.
    std::string DeclaredType(int column) const;
    std::string TableName(int column) const;
    std::string OriginName(int column) const;
    std::string DatabaseName(int column) const;
    /// The stored value as it is: Null, Int64, Double, String or Binary.
    Variant ColumnValue(int column) const;

    // The stored value of the current row without a Variant. The texts and bytes
    // stay valid until the next Step, and ask for no conversion: ColumnText is
    // for Text values, ColumnBytes for Blob values.
    StorageClass Storage(int column) const noexcept;
    std::int64_t ColumnInt64(int column) const noexcept;
    double ColumnDouble(int column) const noexcept;
    std::string_view ColumnText(int column) const noexcept;
    std::string_view ColumnBytes(int column) const noexcept;

  private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

/// The "yyyy-mm-dd hh:mm:ss" text under which dates are stored.
std::string StoredDateText(Date date);

} // namespace kx::ado::jet
