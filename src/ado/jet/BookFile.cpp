#include "BookFile.h"

#include "SqliteDatabase.h"

#include "ado/AdoConstants.h"
#include "ado/AdoError.h"
#include "platform/DiskPath.h"

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

} // namespace kx::ado::jet
