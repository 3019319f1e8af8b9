// `ledgerwiz` run as its own process, as a user runs it: alone, several at once on
// one application folder or one server, and with a book that cannot be made whole.

#include "e2e/BookContents.h"
#include "e2e/BookOneOnServer.h"
#include "e2e/ProgramRun.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(LedgerwizWindow, WithoutADisplaySaysSoAndEndsWithStatusTwo) {
    const AppFolder app;
    const Environment noDisplay{
        {"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"XDG_RUNTIME_DIR", ""}};
    const struct {
        const char* name;
        std::vector<std::string> before;
        std::string platform;
    } cases[] = {
        {"NoneNamed", {}, ""},
        {"XWithoutDisplay", {}, "xcb"},
        {"WaylandWithoutDisplay", {}, "wayland"},
        {"OnTheCommandLine", {"-platform", "xcb"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = c.before;
        arguments.insert(arguments.end(), {"wizard", "--app", app.path().string()});
        Environment environment = noDisplay;
        environment.emplace_back("QT_QPA_PLATFORM", c.platform);
        const Finished run = ProgramRun(KX_LEDGERWIZ, arguments, environment).Wait();
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_EQ(run.err, "ledgerwiz: 向导窗口需要图形显示（DISPLAY 或 WAYLAND_DISPLAY）；"
                           "没有显示时可设置 QT_QPA_PLATFORM=offscreen。\n");
    }
}

// The wizard's own failures are in CreationFailureTest.
TEST(LedgerwizCreate, AStopOrABookThatCannotBeMadeWholeEndsWithStatusOneAndLeavesEverythingAsItWas) {
    ServerBooks server;
    const std::string failed = "创建账簿时遇到错误：\n    ";
    const struct {
        const char* name;
        std::vector<std::string> options;
        /// The statement that the sample book refuses with the words of a full disk,
        /// or with `onServer` the table missing from the server copy of it that is
        /// the template.
        std::string refused;
        bool onServer;
        /// What standard error says, in this order, and the summary.
        std::vector<std::string> messages;
        std::string out;
    } cases[] = {
        {"WrongPassword", {"--password", "0000"}, "", false, {"操作员“主管”不能打开模板账簿"}, ""},
        {"ReportDeletesRefused", {"--keep", "none"}, "Delete On kxStatement", false,
         {"已删除未完成的新账簿文件：", "database or disk is full"}, ""},
        // The book would be listed under its new name with the template's company.
        {"BookInformationRefused", {}, "Update On kxBookInfo", false,
         {"存储账簿信息串：database or disk is full", "已删除未完成的新账簿文件："}, failed + "无法创建新账簿的数据库文件。\n"},
        {"ServerClearingFails", {}, "kxLog", true, {"清理数据表：kxLog时遇到错误：", "已删除本次创建的新账簿：服务器 "},
         failed + "无法清理新账簿的数据库。\n"},
        {"ServerBookInformationFails", {}, "kxBookInfo", true, {"存储账簿信息串：", "已删除本次创建的新账簿：服务器 "},
         failed + "无法创建新账簿的数据库文件。\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.onServer && !server.Available())
            GTEST_SKIP() << ado::pg::testing::kNoServerReason;
        const AppFolder app;
        std::vector<std::string> options = c.options;
        Environment environment;
        std::optional<BookOneOnServer> bookOne;
        std::string templateDatabase;
        std::map<std::string, long> templateRows;
        if (c.onServer) {
            bookOne.emplace(server);
            templateDatabase = server.ConvertedBook(app.SampleBook().string());
            BookContents(templateDatabase, &server).Run("Drop Table " + c.refused);
            templateRows = BookContents(templateDatabase, &server).RowCounts();
            app.WriteList({kSampleLine, server.SampleLine(templateDatabase, false)});
            options = {"--template", "1", "--sql", server.SqlOption()};
            environment = {server.PortVariable()};
        } else {
            app.WriteList({kSampleLine});
            if (!c.refused.empty())
                BookContents(app.SampleBook())
                    .Run("Create Trigger kx_refuse Before " + c.refused +
                         " Begin Select Raise(Abort, 'database or disk is full'); End");
        }
        const auto before = app.Snapshot();

        const Finished run = ProgramRun(KX_LEDGERWIZ, CreateArguments(app, options), environment).Wait();

        EXPECT_EQ(run.exitCode, 1);
        std::size_t at = 0;
        for (const std::string& message : c.messages)
            EXPECT_NE(at = run.err.find(message, at), std::string::npos) << message << " in\n" << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(app.Snapshot(), before);
        if (c.onServer) {
            EXPECT_EQ(BookContents(templateDatabase, &server).RowCounts(), templateRows);
            // No database of this creation is left, marked or not.
            for (int n = 0; n < BookOneOnServer::kNames; ++n)
                EXPECT_FALSE(server.Exists(BookOneOnServer::Name(n))) << n;
        }
    }
}

TEST(LedgerwizCreate, RunsAtOnceEachMakeAWholeBookOfTheirOwnListedOnce) {
    ServerBooks server;
    const struct {
        const char* name;
        bool serverTemplate, toServer;
        std::set<std::string> made;
    } cases[] = {
        {"BookFiles", false, false, {"kxAcc000001.MDE", "kxAcc000001(1).MDE", "kxAcc000001(2).MDE", "kxAcc000001(3).MDE"}},
        {"CopiesOfOneServerTemplate", true, true, {"kxAcc000001", "kxAcc000001_1"}},
        {"ConversionsOfOneBookFile", false, true, {"kxAcc000001", "kxAcc000001_1", "kxAcc000001_2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.toServer && !server.Available())
            GTEST_SKIP() << ado::pg::testing::kNoServerReason;
        std::optional<BookOneOnServer> bookOne;
        std::vector<std::string> options;
        Environment environment;
        if (c.toServer) {
            bookOne.emplace(server);
            options = {"--sql", server.SqlOption()};
            environment = {server.PortVariable()};
        }
        const AppFolder app;
        if (c.serverTemplate) {
            // Its location names the server without the port, which the runs take from PGPORT.
            app.WriteList({kSampleLine, server.SampleLine(server.ConvertedBook(app.SampleBook().string()), false)});
            options.insert(options.end(), {"--template", "1"});
        } else {
            app.WriteList({kSampleLine});
        }
        std::deque<ProgramRun> runs;
        for (std::size_t i = 0; i < c.made.size(); ++i) {
            std::vector<std::string> more = options;
            more.insert(more.end(), {"--name", "账簿" + std::to_string(i)});
            runs.emplace_back(KX_LEDGERWIZ, CreateArguments(app, more), environment);
        }

        std::set<std::string> made;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const Finished run = runs[i].Wait();
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const std::string book = run.Database();
            BookContents contents(book, c.toServer ? &server : nullptr);
            EXPECT_EQ(contents.BookInfoItems().at(4), "账簿" + std::to_string(i));
            EXPECT_EQ(contents.Count("kxDocRecs"), 0);
            if (c.toServer) {
                EXPECT_EQ(server.Comment(book), "") << "still marked as being made";
            }
            EXPECT_TRUE(made.insert(c.toServer ? book : fs::path(book).filename().string()).second) << book;
        }
        EXPECT_EQ(made, c.made);
        const std::string list = app.ListText();
        for (const std::string& book : made)
            EXPECT_EQ(CountOf(list, "\t" + book + "\t"), 1U) << book << " in\n" << list;
        // Nothing else is left: no other database, no hidden copy beside Data, the sample book and the list.
        EXPECT_FALSE(c.toServer && server.Exists(BookOneOnServer::Name(static_cast<int>(made.size()))));
        EXPECT_EQ(app.Snapshot().size(), (c.toServer ? 0 : made.size()) + 3) << list;
    }
}

} // namespace
} // namespace kx::e2e
