#pragma once

#include "e2e/ServerBooks.h"
#include "platform/ListLock.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace kx::e2e {

/// `ledgerwiz create` always makes book number 1, on a server kxAcc000001 or the
/// names after it, while the test programs of a run (ctest -j) share one server. A
/// test that lets it make server books holds this lock (one per server) for its
/// whole time: kxAcc000001 to kxAcc000001_3 are then its own, and are dropped when
/// it takes and when it lets go of them.
class BookOneOnServer {
  public:
    explicit BookOneOnServer(ServerBooks& server)
        : server_(server),
          lock_(std::filesystem::temp_directory_path() /
                    ("kxtest-book1-" + std::to_string(std::hash<std::string>{}(server.Server()))),
                std::chrono::hours(1)) {
        DropAll();
    }
    ~BookOneOnServer() {
        try {
            DropAll();
        } catch (const std::exception&) {
        } // The throwaway server goes at the end of the run with whatever is left.
    }
    BookOneOnServer(const BookOneOnServer&) = delete;
    BookOneOnServer& operator=(const BookOneOnServer&) = delete;

    /// kxAcc000001, then kxAcc000001_1 to _3.
    static std::string Name(int n) { return n == 0 ? "kxAcc000001" : "kxAcc000001_" + std::to_string(n); }
    static constexpr int kNames = 4;

    void DropAll() {
        for (int n = 0; n < kNames; ++n)
            server_.Drop(Name(n));
    }

  private:
    ServerBooks& server_;
    platform::ListLock lock_;
};

} // namespace kx::e2e
