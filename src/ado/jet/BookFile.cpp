#include "BookFile.h"

#include "JetFunctions.h"
#include "SqliteDatabase.h"

#include "ado/AdoConstants.h"
#include "ado/AdoError.h"
#include "platform/DiskPath.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace kx::ado::jet {
namespace {

// Removes the half-made file unless the creation went through.
class RemoveOnFailure {
  public:
    explicit RemoveOnFailure(std::filesystem::path file) : file_(std::move(file)) {}
    RemoveOnFailure(const RemoveOnFailure&) = delete;
    RemoveOnFailure& operator=(const RemoveOnFailure&) = delete;
    ~RemoveOnFailure() {
        if (armed_) {
            std::error_code ec;
            std::filesystem::remove(file_, ec);
            std::filesystem::remove(file_.string() + "-journal", ec);
        }
    }
    void Disarm() noexcept { armed_ = false; }

  private:
    std::filesystem::path file_;
    bool armed_ = true;
};

// Marks the file as a book of this system in the engine's header.
constexpr const char* kMarkBook = "PRAGMA application_id = 1803045975";

} // namespace

void CreateBookFile(std::string_view pathText, std::string_view password) {
    RequireSqlCipher();
    const std::filesystem::path file = platform::ToDiskPath(pathText);
    // O_EXCL: an existing file, or one appearing at the same moment, is never
    // taken over; 0600 because books hold accounts.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int err = errno;
        throw AdoError(errors::FileWrite, kEngineSource,
                       err == EEXIST
                           ? "Database already exists: '" + std::string(pathText) + "'."
                           : "Could not create file '" + std::string(pathText) + "': " + std::strerror(err),
                       err);
    }
    ::close(fd);
    RemoveOnFailure guard(file);

    {
        SqliteDatabase db = SqliteDatabase::OpenFile(file, false, false);
        if (!password.empty())
            db.Key(password);
        db.Run(kMarkBook);
        db.Run("SELECT count(*) FROM sqlite_master");
    }
    guard.Disarm();
}

OpenedBookFile OpenBookFile(std::string_view pathText, std::string_view password, bool readOnly) {
    RequireSqlCipher();
    const std::string source(pathText);
    if (source.empty())
        throw AdoError(errors::E_Fail, kEngineSource,
                       "No book file is named: the Data Source property is empty.");
    std::filesystem::path file = platform::ToDiskPath(source);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw AdoError(errors::E_Fail, kEngineSource, "Could not find file '" + source + "'.");
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size == 0)
        throw AdoError(errors::E_Fail, kEngineSource, "Unrecognized database format '" + source + "'.");

    SqliteDatabase db = SqliteDatabase::OpenFile(file, readOnly, false);
    if (!password.empty())
        db.Key(password);
    try {
        // The key is only tried on the first read: a wrong one fails here.
        db.Run("SELECT count(*) FROM sqlite_master");
    } catch (const AdoError& e) {
        if ((e.NativeError() & 0xFF) == SQLITE_NOTADB)
            throw AdoError(errors::AuthenticationFailed, kEngineSource, "Not a valid password.",
                           e.NativeError());
        throw;
    }
    RegisterJetFunctions(db.Handle());
    return OpenedBookFile{std::move(db), std::move(file)};
}

} // namespace kx::ado::jet

namespace kx::ado::jet {

bool BeginsAsBookFile(const std::filesystem::path& file, std::string_view password) {
    RequireSqlCipher();
    // Read-write: a book kept in write-ahead-log mode is read only through the
    // engine's side files, which a read-only connection cannot make.
    SqliteDatabase db = SqliteDatabase::OpenFile(file, false, false);
    db.Key(password);
    try {
        // The schema cookie sits in the header of page 1: nothing beyond it is read.
        SqliteStatement statement = db.Prepare("PRAGMA schema_version");
        return statement.Step();
    } catch (const AdoError& e) {
        const int code = e.NativeError() & 0xFF;
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            return false;
        throw;
    }
}

} // namespace kx::ado::jet
