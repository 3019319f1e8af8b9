#include "platform/ListLock.h"
#include "platform/PlatformError.h"

#include "LockHolderProcess.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
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
    // Who holds the lock: another thread of this process, or another process.
    using Holder = std::function<std::shared_ptr<void>()>;
    const std::pair<const char*, Holder> holders[] = {
        {"thread",
         [this] {
             auto release = std::make_shared<std::promise<void>>();
             std::promise<void> taken;
             auto thread =
                 std::make_shared<std::thread>([&taken, this, done = release->get_future()]() mutable {
                     const ListLock lock(List(), 0ms);
                     taken.set_value();
                     done.wait();
                 });
             taken.get_future().wait();
             return std::shared_ptr<void>(nullptr, [release, thread](void*) {
                 release->set_value();
                 thread->join();
             });
         }},
        {"process", [this] {
             auto other = std::make_shared<test::LockHolderProcess>(List());
             EXPECT_TRUE(other->held());
             return other;
         }}};
    for (const auto& [name, hold] : holders) {
        SCOPED_TRACE(name);
        std::shared_ptr<void> holder = hold();
        const auto start = Clock::now();
        try {
            const ListLock lock(List(), 150ms);
            ADD_FAILURE() << "the lock was had twice";
        } catch (const PlatformError& e) {
            EXPECT_EQ(std::string(e.what()), "账簿列表正被其他程序修改，请稍后再试：" + List().string());
            EXPECT_EQ(e.number(), errnum::PermissionDenied);
        }
        const auto waited = Clock::now() - start;
        EXPECT_GE(waited, 150ms);
        EXPECT_LT(waited, 2s);
        holder.reset(); // lets go
        EXPECT_NO_THROW(ListLock(List(), 0ms));
    }
}

TEST_F(ListLockTest, AHolderThatLetsGoInTimeIsWaitedFor) {
    std::promise<void> taken;
    std::thread holder([&] {
        const ListLock lock(List(), 0ms);
        taken.set_value();
        std::this_thread::sleep_for(120ms);
    });
    taken.get_future().wait();
    const auto start = Clock::now();
    EXPECT_NO_THROW(ListLock(List(), 5s));
    EXPECT_GE(Clock::now() - start, 60ms);
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
