// `ledgerwiz create` when the k-th write, sync, copy, rename or link of the
// platform layer fails, for every k that a creation reaches: it ends with status
// 1 and leaves the application folder as it was (and no database of its own on
// the server), or with status 0 and the folder holds exactly the new, complete
// book and its line in the list.

#include "e2e/AppFolder.h"
#include "e2e/BookContents.h"
#include "e2e/BookOneOnServer.h"
#include "e2e/ServerBooks.h"

#include "CreateCommand.h"
#include "platform/FaultPlan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;
using platform::sys::Call;
using platform::sys::Fault;

const std::string kNewLine = "\tkxAcc000001.MDE\t某某有限公司\t(未知)\t0\t\t";

struct CommandRun {
    int status;
    std::string out, err;
};

/// `ledgerwiz create` of the new book 1 from the sample book on `app`, in this
/// process, under the fault plan `faults`, into a database on `server` when given;
/// `calls` gets how many calls of each kind the creation made.
CommandRun CreateUnder(const AppFolder& app, const std::vector<Fault>& faults,
                       std::map<Call, unsigned long>* calls = nullptr, const ServerBooks* server = nullptr) {
    app::CreateOptions options;
    const std::vector<std::string> args{"--app",  app.path().string(), "--template", "0",  "--operator",     "主管",
                                        "--password", "8888", "--name", "新账簿", "--company", "某某有限公司",
                                        "--month", "2027-01"};
    EXPECT_EQ(app::ParseCreateOptions(args, options), "");
    if (server != nullptr) {
        options.toServer = true;
        options.server = server->Server();
        options.user = server->User();
        options.password = server->Password();
    }
    std::ostringstream out, err;
    const platform::sys::ScopedFaultPlan plan(faults);
    const int status = app::RunCreateCommand(options, out, err);
    if (calls != nullptr)
        for (const Call call : {Call::Write, Call::Fsync, Call::Rename, Call::Link, Call::Copy})
            (*calls)[call] = plan.Calls(call);
    return {status, out.str(), err.str()};
}

/// Checks the folder after `run`: as `before`, or, when the run succeeded, with the
/// whole new book in Data and its line at the end of the list.
void ExpectAsBeforeOrTheNewBook(const AppFolder& app, const std::map<std::string, std::string>& before,
                                const std::string& listBefore, const CommandRun& run) {
    std::map<std::string, std::string> expected = before;
    if (run.status == 0) {
        const fs::path book = app.Data() / "kxAcc000001.MDE";
        ASSERT_TRUE(fs::is_regular_file(book));
        BookContents contents(book);
        EXPECT_EQ(contents.BookInfoItems().at(4), "新账簿");
        EXPECT_EQ(contents.Count("kxDocRecs"), 0);
        expected["Data/kxAcc000001.MDE"] = FileDigest(book);
        expected["books.txt"] = FileDigest(app.ListFile());
        EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, "新账簿\t" + app.Data().string() + kNewLine));
    } else {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.find("已创建新账簿"), std::string::npos) << run.out;
    }
    EXPECT_EQ(app.Snapshot(), expected);
}

TEST(CreationUnderFaults, EveryFailingCallLeavesTheFolderAsItWasOrHoldsTheWholeNewBook) {
    // How many calls of each kind one creation makes.
    std::map<Call, unsigned long> calls;
    {
        const AppFolder app;
        app.WriteList({kSampleLine});
        ASSERT_EQ(CreateUnder(app, {}, &calls).status, 0);
    }
    ASSERT_GT(calls[Call::Copy], 0u);
    ASSERT_GT(calls[Call::Fsync], 1u);
    ASSERT_GT(calls[Call::Rename], 1u);

    // A full disk where data is written, a failing one where it is synced or
    // named; links are made only where a rename cannot refuse to replace.
    const std::pair<Call, int> kinds[] = {
        {Call::Copy, ENOSPC}, {Call::Write, ENOSPC}, {Call::Fsync, EIO}, {Call::Rename, EIO}, {Call::Link, EIO}};
    for (const auto& [call, error] : kinds) {
        // The k-th call for every k the creation reaches.
        for (unsigned long k = 1; k <= calls[call]; ++k) {
            SCOPED_TRACE(std::string(platform::sys::NameOf(call)) + ":" + std::to_string(k) + ":" +
                         std::strerror(error));
            const AppFolder app;
            app.WriteList({kSampleLine});
            const auto before = app.Snapshot();
            const std::string listBefore = app.ListText();

            const CommandRun run = CreateUnder(app, {{call, k, error}});

            ASSERT_NO_FATAL_FAILURE(ExpectAsBeforeOrTheNewBook(app, before, listBefore, run));
            // A failure of the new book's file names the system's reason.
            if (run.status != 0 && run.err.find("创建新账簿的数据库文件遇到错误。") != std::string::npos) {
                EXPECT_NE(run.err.find(std::strerror(error)), std::string::npos) << run.err;
            }
        }
    }
}

TEST(CreationUnderFaults, EveryFailingCallOfAServerCreationLeavesNoDatabaseOfItsOwnUnlessListed) {
    ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    BookOneOnServer bookOne(server);
    std::map<Call, unsigned long> calls;
    {
        const AppFolder app;
        app.WriteList({kSampleLine});
        const CommandRun run = CreateUnder(app, {}, &calls, &server);
        ASSERT_EQ(run.status, 0) << run.err;
        bookOne.DropAll();
    }
    // The list is saved: the new database is placed (no longer marked) by then.
    ASSERT_GT(calls[Call::Rename], 0u);

    const std::pair<Call, int> kinds[] = {{Call::Write, ENOSPC}, {Call::Fsync, EIO}, {Call::Rename, EIO}};
    for (const auto& [call, error] : kinds) {
        for (unsigned long k = 1; k <= calls[call]; ++k) {
            SCOPED_TRACE(std::string(platform::sys::NameOf(call)) + ":" + std::to_string(k) + ":" +
                         std::strerror(error));
            const AppFolder app;
            app.WriteList({kSampleLine});
            auto expected = app.Snapshot();
            const std::string listBefore = app.ListText();

            const CommandRun run = CreateUnder(app, {{call, k, error}}, nullptr, &server);

            const std::string book = BookOneOnServer::Name(0);
            if (run.status == 0) {
                EXPECT_EQ(server.Comment(book), "") << "a whole book, not marked";
                EXPECT_EQ(BookContents(book, server.Server(), server.User(), server.Password()).Count("kxDocRecs"), 0);
                EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, "新账簿\t" + server.Location() + "\t" + book +
                                                                           "\t某某有限公司\t(未知)\t0\t\t"));
                expected["books.txt"] = FileDigest(app.ListFile());
            } else {
                EXPECT_EQ(run.status, 1);
                EXPECT_EQ(run.out.find("已创建新账簿"), std::string::npos) << run.out;
                EXPECT_NE(run.err.find("已删除本次创建的新账簿：服务器 " + server.Server() + " 上的数据库 " + book),
                          std::string::npos)
                    << run.err;
            }
            // No other database of the run is left, marked or not.
            for (int n = run.status == 0 ? 1 : 0; n < BookOneOnServer::kNames; ++n)
                EXPECT_FALSE(server.Exists(BookOneOnServer::Name(n))) << BookOneOnServer::Name(n);
            EXPECT_EQ(app.Snapshot(), expected);
            bookOne.DropAll();
        }
    }
}

TEST(CreationUnderFaults, AFolderWithoutHardLinksOrAtomicRenamesStillGetsItsBook) {
    // renameat2 unsupported and every link refused, as on FAT, exFAT and some shares.
    const AppFolder app;
    app.WriteList({kSampleLine});
    const auto before = app.Snapshot();
    const std::string listBefore = app.ListText();

    const CommandRun run = CreateUnder(app, {{Call::Rename, 1, EINVAL}, {Call::Link, 1, EPERM, true}});

    EXPECT_EQ(run.status, 0) << run.err;
    ExpectAsBeforeOrTheNewBook(app, before, listBefore, run);
}

} // namespace
} // namespace kx::e2e
