#pragma once

#include "SqliteStatement.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;

namespace kx::ado::jet {

/// Owns one connection of the SQLCipher engine (a sqlite3 handle), closed in the
/// destructor. Every failure throws AdoError with the engine's own message.
///
/// A connection and its statements are used by one thread at a time (as every
/// data-layer object is), so the engine does not lock the connection on each call.
class SqliteDatabase {
  public:
    /// Opens an existing file; `create` also allows an empty new one. Throws
    /// AdoError when the engine cannot open it.
    static SqliteDatabase OpenFile(const std::filesystem::path& file, bool readOnly, bool create);

    SqliteDatabase(SqliteDatabase&& other) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&& other) noexcept;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase();

    sqlite3* Handle() const noexcept { return db_; }

    /// Gives the engine the encryption key; must come before the first read.
    void Key(std::string_view password);
    /// How long a statement waits for a file that another connection has locked;
    /// 0 or less waits as long as it takes.
    void SetBusyTimeout(long seconds) noexcept;
    /// Runs one statement that returns no rows the caller wants (pragmas).
    void Run(std::string_view sql);
    /// Compiles the first statement of `sql`; `tail` receives the rest.
    SqliteStatement Prepare(std::string_view sql, std::string_view* tail = nullptr) const;
    /// Rows changed since the connection opened.
    std::int64_t TotalChanges() const noexcept;
    std::int64_t LastInsertRowId() const noexcept;
    /// Throws the AdoError for a failed engine call with result `rc`.
    [[noreturn]] void ThrowError(int rc) const;

  private:
    explicit SqliteDatabase(sqlite3* db) noexcept : db_(db) {}
    sqlite3* db_ = nullptr;
};

/// The AdoError for an engine result code and message: the number tells the
/// kind (errors::NoSuchTable, ErrorsInCommand, IntegrityViolation,
/// AuthenticationFailed, PermissionDenied, E_Fail), the description is the
/// engine's message, the native error the extended result code.
[[noreturn]] void ThrowEngineError(int rc, const std::string& message);

/// Throws AdoError unless the engine linked in is SQLCipher (a plain SQLite would
/// silently read and write books unencrypted). Checked once per process.
void RequireSqlCipher();

/// The source name of errors raised by the book-file engine.
inline constexpr const char* kEngineSource = "Microsoft JET Database Engine";

} // namespace kx::ado::jet
