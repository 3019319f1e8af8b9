// `ledgerwiz create` when the k-th write, sync, copy, rename or link of the
// platform layer fails, for every k that a creation reaches: it ends with status
// 1 and leaves the application folder as it was (and no database of its own on
// the server), or with status 0 and the folder holds exactly the new, complete
// book and its line in the list.

#include "e2e/BookContents.h"
#include "e2e/BookOneOnServer.h"
#include "e2e/ProgramRun.h"

#include "CreateCommand.h"
#include "platform/FaultPlan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;
using platform::sys::Call;
using platform::sys::Fault;

struct CommandRun {
    int status;
    std::string out, err;
};

/// `ledgerwiz create` of new book 1 from the sample book on `app`, in this process,
/// under the fault plan `faults`, into a database on `server` when given; `calls`
/// gets how many calls of each kind the creation made.
CommandRun CreateUnder(const AppFolder& app, const std::vector<Fault>& faults, const ServerBooks* server,
                       std::map<Call, unsigned long>* calls = nullptr) {
    const std::vector<std::string> arguments = CreateArguments(app);
    app::CreateOptions options;
    EXPECT_EQ(app::ParseCreateOptions({arguments.begin() + 1, arguments.end()}, options), "");
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

TEST(CreationUnderFaults, EveryFailingCallLeavesTheFolderAsItWasOrHoldsTheWholeNewBook) {
    ServerBooks server;
    for (const bool toServer : {false, true}) {
        SCOPED_TRACE(toServer ? "to the server" : "to a book file");
        if (toServer && !server.Available())
            GTEST_SKIP() << ado::pg::testing::kNoServerReason;
        std::optional<BookOneOnServer> bookOne;
        if (toServer)
            bookOne.emplace(server);
        const ServerBooks* target = toServer ? &server : nullptr;
        // How many calls of each kind one creation makes.
        std::map<Call, unsigned long> calls;
        {
            const AppFolder app;
            app.WriteList({kSampleLine});
            const CommandRun run = CreateUnder(app, {}, target, &calls);
            ASSERT_EQ(run.status, 0) << run.err;
            if (bookOne)
                bookOne->DropAll();
        }
        ASSERT_GT(calls[Call::Rename], 0u);
        ASSERT_TRUE(toServer || (calls[Call::Copy] > 0 && calls[Call::Fsync] > 1 && calls[Call::Rename] > 1));

        // A full disk where data is written, a failing one where it is synced or
        // named; links are made only where a rename cannot refuse to replace.
        const std::pair<Call, int> kinds[] = {
            {Call::Copy, ENOSPC}, {Call::Write, ENOSPC}, {Call::Fsync, EIO}, {Call::Rename, EIO}, {Call::Link, EIO}};
        for (const auto& [call, error] : kinds) {
            for (unsigned long k = 1; k <= calls[call]; ++k) {
                SCOPED_TRACE(std::string(platform::sys::NameOf(call)) + ":" + std::to_string(k));
                const AppFolder app;
                app.WriteList({kSampleLine});
                auto expected = app.Snapshot();
                const std::string listBefore = app.ListText();

                const CommandRun run = CreateUnder(app, {{call, k, error}}, target);

                const std::string book = toServer ? BookOneOnServer::Name(0) : (app.Data() / "kxAcc000001.MDE").string();
                if (run.status == 0) {
                    BookContents contents(book, target);
                    EXPECT_EQ(contents.BookInfoItems().at(4), "新账簿");
                    EXPECT_EQ(contents.Count("kxDocRecs"), 0);
                    EXPECT_EQ(app.ListText(),
                              WithLineAppended(listBefore, "新账簿\t" + (toServer ? server.Location() + "\t" + book
                                                                                    : app.Data().string() + "\tkxAcc000001.MDE") +
                                                               "\t某某有限公司\t(未知)\t0\t\t"));
                    expected["books.txt"] = FileDigest(app.ListFile());
                    if (toServer) {
                        EXPECT_EQ(server.Comment(book), "") << "a whole book, not marked";
                    } else {
                        expected["Data/kxAcc000001.MDE"] = FileDigest(book);
                    }
                } else {
                    EXPECT_EQ(run.status, 1);
                    EXPECT_EQ(run.out.find("已创建新账簿"), std::string::npos) << run.out;
                    // The book file's failure names the system's reason; the server's its database.
                    if (toServer) {
                        EXPECT_NE(run.err.find("已删除本次创建的新账簿：服务器 " + server.Server() + " 上的数据库 " + book),
                                  std::string::npos) << run.err;
                    } else if (run.err.find("创建新账簿的数据库文件遇到错误。") != std::string::npos) {
                        EXPECT_NE(run.err.find(std::strerror(error)), std::string::npos) << run.err;
                    }
                }
                EXPECT_EQ(app.Snapshot(), expected);
                // No other database of the run is left, marked or not.
                for (int n = run.status == 0 ? 1 : 0; toServer && n < BookOneOnServer::kNames; ++n)
                    EXPECT_FALSE(server.Exists(BookOneOnServer::Name(n))) << BookOneOnServer::Name(n);
                if (bookOne)
                    bookOne->DropAll();
            }
        }
    }
}

TEST(CreationUnderFaults, AFolderWithoutHardLinksOrAtomicRenamesStillGetsItsBook) {
    // renameat2 unsupported and every link refused, as on FAT, exFAT and some shares.
    const AppFolder app;
    app.WriteList({kSampleLine});
    const CommandRun run = CreateUnder(app, {{Call::Rename, 1, EINVAL}, {Call::Link, 1, EPERM, true}}, nullptr);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(BookContents(app.Data() / "kxAcc000001.MDE").Count("kxDocRecs"), 0);
    EXPECT_EQ(app.ListText(), WithLineAppended(kSampleLine + "\r\n", "新账簿\t" + app.Data().string() +
                                                                "\tkxAcc000001.MDE\t某某有限公司\t(未知)\t0\t\t"));
    EXPECT_EQ(app.Snapshot().size(), 4u) << "Data, the sample book, the new book and the list";
}

} // namespace
} // namespace kx::e2e
