#pragma once

#include "ado/Variant.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace kx::ado::jet {

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

  private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

/// The "yyyy-mm-dd hh:mm:ss" text under which dates are stored.
std::string StoredDateText(Date date);

} // namespace kx::ado::jet
