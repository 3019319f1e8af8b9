#pragma once

#include "e2e/ServerBooks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

namespace kx::e2e {

/// `ledgerwiz create` always makes book number 1, on a server kxAcc000001 or the
/// names after it, while the test programs of a run (ctest -j) share one server. A
/// test that lets `ledgerwiz create` make server books holds this lock (a flock on a
/// file named after the server) for its whole time: kxAcc000001 to kxAcc000001_3
/// are then its own, and are dropped when it takes and when it lets go of them.
class BookOneOnServer {
  public:
    explicit BookOneOnServer(ServerBooks& server) : server_(server) {
        std::string key = server.Server();
        for (char& c : key)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        const std::filesystem::path file = std::filesystem::temp_directory_path() / ("kxtest-book1-" + key + ".lock");
        fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            throw std::system_error(errno, std::generic_category(), file.string());
        while (::flock(fd_, LOCK_EX) != 0)
            if (errno != EINTR) {
                const int error = errno;
                ::close(fd_);
                throw std::system_error(error, std::generic_category(), "flock " + file.string());
            }
        DropAll();
    }
    ~BookOneOnServer() {
        try {
            DropAll();
        } catch (const std::exception&) {
            // The throwaway server goes at the end of the run with whatever is left.
        }
        ::close(fd_); // lets go of the lock
    }
    BookOneOnServer(const BookOneOnServer&) = delete;
    BookOneOnServer& operator=(const BookOneOnServer&) = delete;

    /// kxAcc000001, then kxAcc000001_1 to _3.
    static std::string Name(int n) { return n == 0 ? "kxAcc000001" : "kxAcc000001_" + std::to_string(n); }
    static constexpr int kNames = 4;

    /// Drops every name of book 1 now.
    void DropAll() {
        for (int n = 0; n < kNames; ++n)
            server_.Drop(Name(n));
    }

  private:
    ServerBooks& server_;
    int fd_ = -1;
};

} // namespace kx::e2e
