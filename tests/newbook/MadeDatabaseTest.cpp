// A new book file is made under a hidden name and appears under its name only
// when placed, at the next free name when another program took the first; a new
// server database stays marked as being made until placed. What a creation does
// not keep goes, but never a file or a database that is not its own.

#include "newbook/MadeDatabase.h"
#include "newbook/NewBookDatabase.h"
#include "newbook/WizardError.h"

#include "e2e/ServerBooks.h"

#include "SampleBookCopy.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>

namespace kx::newbook {
namespace {

namespace fs = std::filesystem;

class MadeDatabaseTest : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(Data()); }
    fs::path Data() const { return app.path() / "Data"; }
    /// Stages the sample book as new book 1 in the Data folder.
    std::unique_ptr<MadeDatabase> Stage() {
        NewBookDatabaseRequest request;
        request.templateFile = sample.str();
        request.bookNo = "1";
        request.appPath = app.str();
        std::unique_ptr<MadeDatabase> made;
        std::string bookFile;
        EXPECT_TRUE(StageNewBookDatabase(request, bookFile, made));
        EXPECT_EQ(bookFile, (Data() / "kxAcc000001.MDE").string());
        return made;
    }
    /// Every entry of the Data folder, hidden ones too, and its content.
    std::map<std::string, std::string> DataFolder() const {
        std::map<std::string, std::string> entries;
        for (const auto& entry : fs::directory_iterator(Data()))
            entries[entry.path().filename().string()] = platform::ReadWholeFile(entry.path());
        return entries;
    }

    test::SampleBookCopy sample;
    test::TempFolder app;
};

TEST_F(MadeDatabaseTest, ANameTakenWhileTheBookWasMadeGivesTheNextFreeName) {
    auto made = Stage();
    EXPECT_TRUE(fs::path(made->WorkingLocation()).filename().string().starts_with(".kxAcc000001.MDE.kxtmp-"));
    EXPECT_FALSE(made->UnderItsName());
    // Two other programs finish their books first.
    platform::WriteFileAtomically(Data() / "kxAcc000001.MDE", "first");
    platform::WriteFileAtomically(Data() / "kxAcc000001(1).MDE", "second");

    made->Place();
    made->Keep();
    EXPECT_EQ(made->Name(), (Data() / "kxAcc000001(2).MDE").string());
    EXPECT_EQ(made->WorkingLocation(), made->Name());
    made.reset();

    EXPECT_EQ(DataFolder(), (std::map<std::string, std::string>{{"kxAcc000001.MDE", "first"},
                                                                {"kxAcc000001(1).MDE", "second"},
                                                                {"kxAcc000001(2).MDE", platform::ReadWholeFile(sample.path())}}));
}

TEST_F(MadeDatabaseTest, WhatIsNotKeptGoesButNeverAFileThatTookItsPlace) {
    const struct {
        const char* name;
        bool place;
        /// Another program moves the new book away and puts its own file there.
        bool replaced;
        std::map<std::string, std::string> left;
    } cases[] = {
        {"Staged", false, false, {}},
        {"Placed", true, false, {}},
        {"PlacedThenReplaced", true, true, {{"kxAcc000001.MDE", "someone's book"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto made = Stage();
        // The journal the book engine leaves beside a file it was changing.
        platform::WriteFileAtomically(made->WorkingLocation() + "-journal", "journal");
        if (c.place) {
            fs::remove(made->WorkingLocation() + "-journal");
            made->Place();
        }
        if (c.replaced) {
            fs::rename(made->Name(), app.path() / "moved.MDE");
            platform::WriteFileAtomically(made->Name(), "someone's book");
        }
        const std::string reason = made->Remove();
        EXPECT_EQ(reason.empty(), !c.replaced) << reason;
        made.reset();
        EXPECT_EQ(DataFolder(), c.left);
        fs::remove(Data() / "kxAcc000001.MDE");
    }
}

// Removing a server database before and after Place, and keeping it, are run by the
// failures and the successes of tests/e2e; here the endings that no creation reaches.
TEST(MadeServerDatabase, GoesWithTheObjectAndALostClaimIsToldAndLeftToTheSweep) {
    e2e::ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const ServerLogin login{server.Server(), server.User(), server.Password()};
    for (const bool sessionLost : {false, true}) {
        SCOPED_TRACE(sessionLost ? "session lost" : "goes");
        const std::string name = server.NewDatabaseName();
        ado::Connection master;
        database::CreateCnn(master, "master", login.server, login.user, login.password);
        master.Open({}, {}, {}, -1);
        database::NewServerDatabase claim = database::NewServerDatabase::Create(master, name);
        ASSERT_TRUE(claim.IsCreated()) << claim.Cause();
        auto made = std::make_unique<MadeDatabase>(std::move(claim), login);
        master = ado::Connection(); // the claim keeps its own handle
        EXPECT_TRUE(server.Marked(name));
        if (sessionLost) {
            // The connection that holds the claim is lost before Place.
            ASSERT_EQ(server.EndClaimSessions(name), 1);
            try {
                made->Place();
                ADD_FAILURE() << "placed without its connection";
            } catch (const WizardError& e) {
                EXPECT_EQ(e.Number(), 522);
                const std::string message = e.what();
                EXPECT_TRUE(message.starts_with(std::string(kBookFileFailure) + "\n")) << message;
                EXPECT_GT(message.size(), std::string(kBookFileFailure).size() + 1) << "the cause is told";
            }
            const std::string reason = made->Remove();
            EXPECT_TRUE(reason.starts_with("无法删除未完成的数据库" + name + "：")) << reason;
            // Still marked, with nobody holding its claim: a later run's sweep takes it
            // (this one's, or another program's on the same server).
            EXPECT_TRUE(server.Marked(name));
            database::CreateCnn(master, "master", login.server, login.user, login.password);
            master.Open({}, {}, {}, -1);
            for (int tries = 0; tries < 100 && server.Exists(name); ++tries) {
                database::RemoveAbandonedServerDatabases(master);
                if (server.Exists(name))
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        made.reset();
        EXPECT_FALSE(server.Exists(name));
    }
}

// Placed, the database is no longer marked, and Remove drops it by its name alone:
// one name, whatever it holds.
TEST(MadeServerDatabase, APlacedDatabaseThatIsNotKeptGoesByItsNameAndNothingElse) {
    e2e::ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const ServerLogin login{server.Server(), server.User(), server.Password()};
    const std::string canary = server.NewDatabaseName();
    server.CreateDatabase(canary, {});
    const std::string name = server.NewDatabaseName("];Drop Database " + canary + " --");
    ado::Connection master;
    database::CreateCnn(master, "master", login.server, login.user, login.password);
    master.Open({}, {}, {}, -1);
    database::NewServerDatabase claim = database::NewServerDatabase::Create(master, name);
    ASSERT_TRUE(claim.IsCreated()) << claim.Cause();
    MadeDatabase made(std::move(claim), login);
    master = ado::Connection();
    made.Place();
    EXPECT_FALSE(server.Marked(name));
    EXPECT_EQ(made.Remove(), "");
    EXPECT_FALSE(server.Exists(name));
    EXPECT_TRUE(server.Exists(canary));
}

} // namespace
} // namespace kx::newbook
