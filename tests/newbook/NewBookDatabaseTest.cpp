#include "newbook/BookInfoWriter.h"
#include "newbook/NewBookDatabase.h"
#include "newbook/WizardError.h"

#include "SampleBookCopy.h"
#include "database/NewServerDatabase.h"
#include "database/SqlBookConversion.h"
#include "e2e/ServerBooks.h"
#include "platform/AnsiTextFile.h"
#include "platform/PlatformError.h"

#include <gtest/gtest.h>

#include <optional>

namespace kx::newbook {
namespace {

class NewBookDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directories(app.path() / "Data"); }
    std::string App() const { return app.str(); }
    NewBookDatabaseRequest Request(const std::string& templateFile) const {
        NewBookDatabaseRequest r;
        r.templateFile = templateFile;
        r.bookNo = "1";
        r.appPath = App();
        r.readTarget = [] { return ServerLogin{}; };
        return r;
    }
    test::TempFolder app;
};

TEST_F(NewBookDatabaseTest, BookFileNamesCountPastExistingFiles) {
    const auto noServer = [] { return ServerLogin{}; };
    platform::WriteFileAtomically(app.path() / "Data" / "kxAcc000001.MDE", "x");
    platform::WriteFileAtomically(app.path() / "Data" / "kxAcc000001(1).MDE", "x");
    EXPECT_EQ(MakeNewBookName(1, false, App(), noServer), App() + "/Data/kxAcc000001(2).MDE");
    EXPECT_EQ(MakeNewBookName(32767, false, App(), noServer), App() + "/Data/kxAcc032767.MDE");
    // An unreachable server gives the first database name.
    const auto nowhere = [] { return ServerLogin{"/nonexistent-socket-folder,1", "sa", "x"}; };
    EXPECT_EQ(MakeNewBookName(12, true, App(), nowhere), "kxAcc000012");
}

TEST(BookNumber, TextsThatAreNotSixteenBitNumbersStopTheCreation) {
    EXPECT_EQ(BookNumberOf("1"), 1);
    EXPECT_EQ(BookNumberOf(" 32767 "), 32767);
    EXPECT_EQ(BookNumberOf("-32768"), -32768);
    EXPECT_EQ(BookNumberOf("+7"), 7);
    for (const auto& [text, error] : {std::pair<const char*, long>{"32768", 6}, {"一", 13}, {"1x", 13}}) {
        try {
            BookNumberOf(text);
            ADD_FAILURE() << text;
        } catch (const platform::PlatformError& e) {
            EXPECT_EQ(e.number(), error) << text;
        }
    }
}

TEST_F(NewBookDatabaseTest, AMissingTemplateStopsWithItsMessage) {
    const std::pair<std::string, const char*> cases[] = {
        {App() + "/Data/none.mde", "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。"},
        {"sa:pw@/nonexistent-socket-folder,1|kxAcc000001", "未找到作为模版的当前账簿的数据库，无法创建账簿。"}};
    for (const auto& [location, message] : cases) {
        std::string bookFile;
        try {
            MakeNewBookDatabase(Request(location), bookFile);
            ADD_FAILURE() << location;
        } catch (const WizardError& e) {
            EXPECT_EQ(e.Number(), 522);
            EXPECT_EQ(e.Source(), "AddNewFile");
            EXPECT_STREQ(e.what(), message);
        }
        EXPECT_TRUE(bookFile.empty());
    }
}

TEST_F(NewBookDatabaseTest, TheCopyNeverReplacesAnExistingBook) {
    const test::SampleBookCopy sample;
    const auto target = app.path() / "Data" / "kxAcc000001.MDE";
    platform::WriteFileAtomically(target, "someone's book");
    EXPECT_FALSE(CopyBookFile(sample.str(), target.string()));
    EXPECT_EQ(platform::ReadWholeFile(target), "someone's book");
    EXPECT_FALSE(CopyBookFile(App() + "/Data/none.mde", (app.path() / "Data" / "new.MDE").string()));
}

TEST_F(NewBookDatabaseTest, AFailedBookInformationWriteIsPromptedWithTheBox) {
    std::vector<std::pair<std::string, bool>> prompts;
    EXPECT_FALSE(WriteBookInfo(false, App() + "/Data/none.mde", {}, {"a", "b", QDate(2026, 1, 1)},
                               [&](const std::string& m, bool box) { prompts.emplace_back(m, box); }));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_TRUE(prompts[0].second);
}

/// What holds the rule's first name of a new server book when the creation begins.
enum class Taker {
    SomeonesDatabase,
    /// A creation still running (here: a claim of this test).
    RunningCreation,
    /// A database left marked as being made by a run that was killed.
    KilledRunsLeftover,
};

TEST_F(NewBookDatabaseTest, AServerBookTakesTheNextFreeNameAndAKilledRunsLeftoverGivesItsNameBack) {
    e2e::ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const ServerLogin login{server.Server(), server.User(), server.Password()};
    const test::SampleBookCopy sample;
    const std::string templateDatabase = server.NewDatabaseName();
    ASSERT_TRUE(database::CreateSqlBook(sample.str(), login.server, templateDatabase, login.user, login.password));
    ado::Connection master;
    database::CreateCnn(master, "master", login.server, login.user, login.password);
    master.Open({}, {}, {}, -1);

    const struct {
        const char* name;
        /// A copy of the server template, else a conversion of the sample book.
        bool serverTemplate;
        Taker taker;
    } cases[] = {
        // The copy of a server template looks for free names with the login of the
        // target, which here reaches no server: every name looks free, and the claim
        // itself meets the taken one.
        {"CopyMeetsSomeonesDatabase", true, Taker::SomeonesDatabase},
        {"CopyMeetsARunningCreation", true, Taker::RunningCreation},
        {"CopyAfterAKilledRun", true, Taker::KilledRunsLeftover},
        {"ConversionBesideARunningCreation", false, Taker::RunningCreation},
        {"ConversionAfterAKilledRun", false, Taker::KilledRunsLeftover},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int bookNo = server.FreeBookNumber();
        const std::string first = e2e::BookDatabaseName(bookNo);
        std::optional<database::NewServerDatabase> running;
        if (c.taker == Taker::RunningCreation) {
            running = database::NewServerDatabase::Create(master, first);
            ASSERT_TRUE(running->IsCreated()) << running->Cause();
        } else {
            server.CreateDatabase(first, {});
            server.SetComment(first, c.taker == Taker::SomeonesDatabase ? "someone's" : e2e::ServerBooks::MakingMark());
        }
        NewBookDatabaseRequest request =
            Request(c.serverTemplate ? login.user + ":" + login.password + "@" + login.server + "|" + templateDatabase
                                     : sample.str());
        request.isSql = true;
        request.bookNo = std::to_string(bookNo);
        request.operatorName = "主管";
        request.operatorPassword = "8888";
        if (c.serverTemplate)
            request.readTarget = [] { return ServerLogin{"/nonexistent-socket-folder,1", "sa", "x"}; };
        else
            request.readTarget = [login] { return login; };

        std::string bookFile;
        std::unique_ptr<MadeDatabase> made;
        ASSERT_TRUE(StageNewBookDatabase(request, bookFile, made));

        ASSERT_TRUE(made);
        EXPECT_EQ(bookFile, made->Name());
        EXPECT_TRUE(server.Marked(bookFile)) << "marked until placed";
        if (c.taker == Taker::KilledRunsLeftover) {
            // The leftover went first, by this run's sweep or another program's on
            // the same server (which may have come a moment late: then the next name).
            EXPECT_TRUE(bookFile == first || (bookFile == first + "_1" && !server.Exists(first))) << bookFile;
        } else {
            EXPECT_EQ(bookFile, first + "_1");
        }
        if (c.taker == Taker::SomeonesDatabase) {
            EXPECT_EQ(server.Comment(first), "someone's");
        }
        if (running) {
            EXPECT_TRUE(server.Marked(first));
            EXPECT_TRUE(running->Owns());
            EXPECT_EQ(running->Drop(), "");
        }
        made->Place();
        EXPECT_EQ(server.Comment(bookFile), "");
        EXPECT_EQ(made->Remove(), "");
        EXPECT_FALSE(server.Exists(bookFile));
    }
}

} // namespace
} // namespace kx::newbook
