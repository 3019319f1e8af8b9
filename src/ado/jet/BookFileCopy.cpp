#include "BookFileCopy.h"

#include "BookFile.h"
#include "SqliteDatabase.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <memory>
#include <string>

namespace kx::ado::jet {
namespace {

struct FinishBackup {
    void operator()(sqlite3_backup* backup) const noexcept { sqlite3_backup_finish(backup); }
};
using Backup = std::unique_ptr<sqlite3_backup, FinishBackup>;

/// How long the copy waits for a writer of the source to let go.
constexpr long kBusySeconds = 30;

std::string JournalMode(const SqliteDatabase& db) {
    SqliteStatement mode = db.Prepare("PRAGMA main.journal_mode");
    return mode.Step() ? mode.ColumnValue(0).ToString() : std::string();
}

/// Ends the read transaction of the byte copy on every way out.
class ReadTransaction {
  public:
    explicit ReadTransaction(SqliteDatabase& db) : db_(db) {
        db_.Run("BEGIN");
        // The first read takes the lock that the transaction then holds.
        db_.Run("SELECT count(*) FROM main.sqlite_master");
    }
    ~ReadTransaction() {
        try {
            db_.Run("COMMIT");
        } catch (const std::exception&) {
            // Nothing was written; closing the connection ends the transaction too.
        }
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

  private:
    SqliteDatabase& db_;
};

void CopyThroughEngine(const OpenedBookFile& source, std::string_view sourcePathText,
                       std::string_view password, const std::filesystem::path& target) {
    SqliteDatabase copy = SqliteDatabase::OpenFile(target, false, false);
    if (!password.empty())
        copy.Key(password);
    {
        Backup backup(sqlite3_backup_init(copy.Handle(), "main", source.database.Handle(), "main"));
        if (!backup)
            copy.ThrowError(sqlite3_errcode(copy.Handle()));
        // All pages in one step: one read transaction on the source, so one state of it.
        const int rc = sqlite3_backup_step(backup.get(), -1);
        if (rc != SQLITE_DONE) {
            backup.reset();
            ThrowEngineError(rc, rc == SQLITE_BUSY || rc == SQLITE_LOCKED
                                     ? "The book file '" + std::string(sourcePathText) +
                                           "' is locked by another program."
                                     : std::string(sqlite3_errstr(rc)));
        }
        const int finished = sqlite3_backup_finish(backup.release());
        if (finished != SQLITE_OK)
            copy.ThrowError(finished);
    }
    // The pages came with the source's journal mode; the copy keeps all of its
    // content in its own file.
    SqliteStatement mode = copy.Prepare("PRAGMA main.journal_mode = DELETE");
    if (!mode.Step() || mode.ColumnValue(0).ToString() != "delete")
        ThrowEngineError(SQLITE_ERROR, "The copy of the book file '" + std::string(sourcePathText) +
                                           "' cannot leave write-ahead-log mode.");
}

} // namespace

void CopyBookFileContent(std::string_view sourcePathText, std::string_view password,
                         const std::filesystem::path& target, const std::function<void()>& copyBytes) {
    OpenedBookFile source = OpenBookFile(sourcePathText, password, true);
    source.database.SetBusyTimeout(kBusySeconds);
    if (JournalMode(source.database) == "wal") {
        CopyThroughEngine(source, sourcePathText, password, target);
        return;
    }
    // A writer needs the file to itself to change it, which the read lock refuses.
    // (Closing another descriptor of the file drops the engine's locks of this
    // process; `copyBytes` closes its own only after the last byte is read.)
    const ReadTransaction reading(source.database);
    copyBytes();
}

} // namespace kx::ado::jet
