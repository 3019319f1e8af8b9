#include "SqliteDatabase.h"

#include "TextLengthGuard.h"

#include "ado/AdoConstants.h"
#include "ado/AdoError.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <climits>
#include <utility>

namespace kx::ado::jet {

void ThrowEngineError(int rc, const std::string& message) {
    std::int32_t number = errors::E_Fail;
    switch (rc & 0xFF) {
    case SQLITE_ERROR:
        number = message.rfind("no such table", 0) == 0 ? errors::NoSuchTable : errors::ErrorsInCommand;
        break;
    case SQLITE_CONSTRAINT:
        number = message == kFieldTooSmall ? errors::DataOverflow : errors::IntegrityViolation;
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        number = errors::PermissionDenied;
        break;
    default:
        break;
    }
    throw AdoError(number, kEngineSource, message, rc);
}

void RequireSqlCipher() {
    static const std::string version = [] {
        SqliteDatabase probe = SqliteDatabase::OpenFile(":memory:", false, true);
        SqliteStatement statement = probe.Prepare("PRAGMA cipher_version");
        return statement.Step() ? statement.ColumnValue(0).ToString() : std::string();
    }();
    if (version.empty())
        throw AdoError(errors::E_Fail, kEngineSource,
                       "The database engine in use is not SQLCipher; book files cannot be opened.");
}

SqliteDatabase SqliteDatabase::OpenFile(const std::filesystem::path& file, bool readOnly, bool create) {
    sqlite3* db = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    SqliteDatabase database(db); // owns the handle even when opening failed
    if (rc != SQLITE_OK) {
        const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        ThrowEngineError(rc, message + ": '" + file.string() + "'");
    }
    sqlite3_extended_result_codes(db, 1);
    return database;
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept {
    if (this != &other) {
        if (db_ != nullptr)
            sqlite3_close_v2(db_);
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

SqliteDatabase::~SqliteDatabase() {
    if (db_ != nullptr)
        sqlite3_close_v2(db_);
}

void SqliteDatabase::Key(std::string_view password) {
    // The key goes to the engine as bytes, never through SQL text, so no quoting
    // question arises.
    const int rc = sqlite3_key(db_, password.data(), static_cast<int>(password.size()));
    if (rc != SQLITE_OK)
        ThrowError(rc);
}

void SqliteDatabase::SetBusyTimeout(long seconds) noexcept {
    const int milliseconds =
        seconds <= 0 || seconds > INT_MAX / 1000 ? INT_MAX : static_cast<int>(seconds * 1000);
    sqlite3_busy_timeout(db_, milliseconds);
}

void SqliteDatabase::Run(std::string_view sql) {
    SqliteStatement statement = Prepare(sql);
    while (statement.Step()) {
    }
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql, std::string_view* tail) const {
    sqlite3_stmt* stmt = nullptr;
    const char* end = nullptr;
    const int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, &end);
    SqliteStatement statement(db_, stmt);
    if (rc != SQLITE_OK)
        ThrowError(rc);
    if (tail != nullptr)
        *tail = end != nullptr ? sql.substr(static_cast<std::size_t>(end - sql.data())) : std::string_view();
    return statement;
}

std::int64_t SqliteDatabase::TotalChanges() const noexcept {
    return sqlite3_total_changes(db_);
}

std::int64_t SqliteDatabase::LastInsertRowId() const noexcept {
    return sqlite3_last_insert_rowid(db_);
}

void SqliteDatabase::ThrowError(int rc) const {
    const int extended = db_ != nullptr ? sqlite3_extended_errcode(db_) : rc;
    ThrowEngineError(extended != 0 ? extended : rc,
                     db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
}

} // namespace kx::ado::jet
