#include "newbook/NewBookDatabase.h"
#include "newbook/WizardError.h"

#include "SampleBookCopy.h"
#include "e2e/ServerBooks.h"
#include "platform/AnsiTextFile.h"
#include "platform/PlatformError.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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
        r.readTarget = [] { return ServerLogin{"/nonexistent-socket-folder,1", "sa", "x"}; };
        return r;
    }
    test::TempFolder app;
};

TEST_F(NewBookDatabaseTest, NamesAreSixDigitsAndAnUnreachableServerGivesTheFirst) {
    EXPECT_EQ(MakeNewBookName(32767, false, App(), {}), App() + "/Data/kxAcc032767.MDE");
    EXPECT_EQ(MakeNewBookName(12, true, App(), Request("").readTarget), "kxAcc000012");
}

TEST(BookNumber, TextsThatAreNotSixteenBitNumbersStopTheCreation) {
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

TEST_F(NewBookDatabaseTest, AMissingTemplateOrOneWhoseDatabaseNameCannotBeOneStopsWithItsMessage) {
    const std::string badName = "作为模版的账簿的数据库名无效，无法创建账簿。\n";
    const std::pair<std::string, std::string> cases[] = {
        {App() + "/Data/none.mde", "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。"},
        {"sa:pw@/nonexistent-socket-folder,1|kxAcc000001", "未找到作为模版的当前账簿的数据库，无法创建账簿。"},
        // Told before the server is reached.
        {"sa:pw@/nonexistent-socket-folder,1|", badName + "数据库名不能为空。"},
        {"sa:pw@/nonexistent-socket-folder,1|kx\x1b]0;x\x07", badName + "数据库名不能含有控制字符。"}};
    for (const auto& [location, message] : cases) {
        std::string bookFile;
        try {
            MakeNewBookDatabase(Request(location), bookFile);
            ADD_FAILURE() << location;
        } catch (const WizardError& e) {
            EXPECT_EQ(e.Number(), 522);
            EXPECT_EQ(e.Source(), "AddNewFile");
            EXPECT_EQ(e.what(), message);
        }
        EXPECT_TRUE(bookFile.empty());
    }
}

TEST_F(NewBookDatabaseTest, TheCopyNeverReplacesAnExistingBookButTakesTheNextName) {
    const test::SampleBookCopy sample;
    const auto target = app.path() / "Data" / "kxAcc000001.MDE";
    platform::WriteFileAtomically(target, "someone's book");
    EXPECT_FALSE(CopyBookFile(sample.str(), target.string()));
    EXPECT_FALSE(CopyBookFile(App() + "/Data/none.mde", (app.path() / "Data" / "new.MDE").string()));
    std::string bookFile;
    ASSERT_TRUE(MakeNewBookDatabase(Request(sample.str()), bookFile));
    EXPECT_EQ(bookFile, App() + "/Data/kxAcc000001(1).MDE");
    EXPECT_EQ(platform::ReadWholeFile(bookFile), platform::ReadWholeFile(sample.path()));
    EXPECT_EQ(platform::ReadWholeFile(target), "someone's book");
}

/// What holds the rule's first name of a new server book when the creation begins.
enum class Taker {
    SomeonesDatabases, // and the name after it
    RunningCreation,   // a claim of this test
    KilledRunsLeftover, // a database left marked as being made
};

TEST_F(NewBookDatabaseTest, AServerBookTakesTheNextFreeNameAndAKilledRunsLeftoverGivesItsNameBack) {
    e2e::ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const ServerLogin login{server.Server(), server.User(), server.Password()};
    const test::SampleBookCopy sample;
    const std::string templateDatabase = server.ConvertedBook(sample.str());
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
        // itself meets the taken ones.
        {"CopyMeetsSomeonesDatabases", true, Taker::SomeonesDatabases},
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
            const bool someones = c.taker == Taker::SomeonesDatabases;
            for (const std::string& name : someones ? std::vector{first, first + "_1"} : std::vector{first}) {
                server.CreateDatabase(name, {});
                server.SetComment(name, someones ? "someone's" : e2e::ServerBooks::MakingMark());
            }
        }
        NewBookDatabaseRequest request = Request(c.serverTemplate ? server.Location() + "|" + templateDatabase : sample.str());
        request.isSql = true;
        request.bookNo = std::to_string(bookNo);
        request.operatorName = "主管";
        request.operatorPassword = "8888";
        if (!c.serverTemplate)
            request.readTarget = [login] { return login; };

        std::string bookFile;
        std::unique_ptr<MadeDatabase> made;
        ASSERT_TRUE(StageNewBookDatabase(request, bookFile, made));

        EXPECT_EQ(bookFile, made->Name());
        EXPECT_TRUE(server.Marked(bookFile)) << "marked until placed";
        if (c.taker == Taker::KilledRunsLeftover) {
            // The leftover went first, by this run's sweep or another program's on
            // the same server (which may have come a moment late: then the next name).
            EXPECT_TRUE(bookFile == first || (bookFile == first + "_1" && !server.Exists(first))) << bookFile;
        } else {
            EXPECT_EQ(bookFile, first + (c.taker == Taker::SomeonesDatabases ? "_2" : "_1"));
        }
        if (c.taker == Taker::SomeonesDatabases) {
            EXPECT_EQ(server.Comment(first + "_1"), "someone's");
        }
        if (running) {
            EXPECT_TRUE(server.Marked(first));
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
