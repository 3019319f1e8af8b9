#include "platform/ListLock.h"
#include "platform/PlatformError.h"

#include "LockHolderProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <thread>

namespace kx::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class ListLockTest : public testing::Test {
  protected:
    fs::path List() const { return folder.path() / "books.txt"; }

    test::TempFolder folder;
};

TEST_F(ListLockTest, IsReentrantInItsThreadKeepsOtherProgramsOutAndLeavesItsLockFile) {
    {
        const ListLock outer(List(), 0ms);
        {
            // Another spelling of the same file finds the same lock without waiting.
            const ListLock inner(folder.path() / "." / "books.txt", 0ms);
            ListLock moved(ListLock(List(), 0ms));
        }
        test::LockHolderProcess other(List()); // forked while the lock is held
        EXPECT_FALSE(other.held()) << "the outer hold still counts";
    }
    test::LockHolderProcess other(List());
    EXPECT_TRUE(other.held()) << "the last hold let it go";
    other.LetGo();
    EXPECT_EQ(ListLock::LockFileOf(List()), folder.path() / ".books.txt.lock");
    EXPECT_TRUE(fs::is_regular_file(folder.path() / ".books.txt.lock")) << "never deleted";
    EXPECT_FALSE(fs::exists(List())) << "the list itself is not made";
}

TEST_F(ListLockTest, WaitsForAnotherHolderUntilItsTimeThenSaysWhichListIsBusy) {
    const auto expectBusy = [this] {
        const auto start = Clock::now();
        try {
            const ListLock lock(List(), 150ms);
            ADD_FAILURE() << "the lock was had twice";
        } catch (const PlatformError& e) {
            EXPECT_EQ(std::string(e.what()), "账簿列表正被其他程序修改，请稍后再试：" + List().string());
            EXPECT_EQ(e.number(), errnum::PermissionDenied);
        }
        EXPECT_GE(Clock::now() - start, 150ms);
        EXPECT_LT(Clock::now() - start, 2s);
    };
    {
        test::LockHolderProcess other(List());
        ASSERT_TRUE(other.held());
        expectBusy();
    }
    // Another thread of this process, which lets go a moment after it is told.
    std::promise<void> taken, release;
    std::thread holder([&] {
        const ListLock lock(List(), 0ms);
        taken.set_value();
        release.get_future().wait();
        std::this_thread::sleep_for(100ms);
    });
    taken.get_future().wait();
    expectBusy();
    release.set_value();
    EXPECT_NO_THROW(ListLock(List(), 5s));
    holder.join();
}

TEST_F(ListLockTest, ALockFileThatCannotBeMadeGivesTheSystemsReasonOnItsOwnLine) {
    const fs::path list = folder.path() / "missing" / "books.txt";
    try {
        const ListLock lock(list, 0ms);
        FAIL() << "locked a list in a missing folder";
    } catch (const PlatformError& e) {
        EXPECT_EQ(std::string(e.what()), "无法使用账簿列表的锁文件：" +
                                             (folder.path() / "missing" / ".books.txt.lock").string() + "\n" +
                                             std::strerror(ENOENT));
        EXPECT_EQ(e.number(), errnum::FileNotFound);
    }
}

TEST(ListLockTimeout, TenSecondsUnlessTheEnvironmentGivesANumberOfMilliseconds) {
    const char* saved = std::getenv("KX_LIST_LOCK_TIMEOUT_MS");
    const std::optional<std::string> old = saved ? std::optional<std::string>(saved) : std::nullopt;
    const std::pair<std::optional<std::string>, std::chrono::milliseconds> cases[] = {
        {std::nullopt, 10000ms}, {"250", 250ms},  {"0", 0ms},
        {"", 10000ms},           {"-5", 10000ms}, {"12x", 10000ms}};
    for (const auto& [value, timeout] : cases) {
        SCOPED_TRACE(value.value_or("(unset)"));
        if (value)
            ::setenv("KX_LIST_LOCK_TIMEOUT_MS", value->c_str(), 1);
        else
            ::unsetenv("KX_LIST_LOCK_TIMEOUT_MS");
        EXPECT_EQ(ListLock::DefaultTimeout(), timeout);
    }
    if (old)
        ::setenv("KX_LIST_LOCK_TIMEOUT_MS", old->c_str(), 1);
    else
        ::unsetenv("KX_LIST_LOCK_TIMEOUT_MS");
}

} // namespace
} // namespace kx::platform
