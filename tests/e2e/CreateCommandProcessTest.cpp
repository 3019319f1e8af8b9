// `ledgerwiz create` run as its own process, as a user runs it: alone, several at
// once on one application folder or one server, and with a book that cannot be
// made whole.

#include "e2e/AppFolder.h"
#include "e2e/BookContents.h"
#include "e2e/BookOneOnServer.h"
#include "e2e/ServerBooks.h"

#include "database/SqlBookConversion.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int exitCode = -1;
    std::string out, err;

    /// The new book's database that the summary names ("" when none).
    std::string Database() const {
        const std::size_t at = out.find("数据库：");
        return at == std::string::npos ? std::string()
                                       : out.substr(at + std::string("数据库：").size(),
                                                    out.find('\n', at) - at - std::string("数据库：").size());
    }
};

/// Starts the built ledgerwiz headless: `ledgerwiz create` of book `name` with the
/// operator 主管 typing `password`, on the application folder `app`, with the `more`
/// options; `port` is the server's port for server names given without one.
void StartCreate(QProcess& process, const AppFolder& app, const QString& password, const QStringList& more = {},
                 const QString& name = QStringLiteral("新账簿"), const QString& port = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!port.isEmpty())
        environment.insert(QStringLiteral("PGPORT"), port);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KX_LEDGERWIZ),
                  QStringList{QStringLiteral("create"), QStringLiteral("--app"), QString::fromStdString(app.path().string()),
                   QStringLiteral("--template"), QStringLiteral("0"), QStringLiteral("--operator"), QStringLiteral("主管"),
                   QStringLiteral("--password"), password, QStringLiteral("--name"), name,
                   QStringLiteral("--company"), QStringLiteral("某某有限公司"), QStringLiteral("--director"),
                   QStringLiteral("王五"), QStringLiteral("--month"), QStringLiteral("2027-01")} + more);
}

Finished WaitFor(QProcess& process) {
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, "ledgerwiz did not finish: " + process.errorString().toStdString()};
    }
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

Finished RunCreate(const AppFolder& app, const QString& password, const QStringList& more = {}) {
    QProcess process;
    StartCreate(process, app, password, more);
    return WaitFor(process);
}

TEST(LedgerwizWindow, WithoutADisplaySaysSoAndEndsWithStatusTwo) {
    const AppFolder app;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KX_LEDGERWIZ),
                  {QStringLiteral("wizard"), QStringLiteral("--app"), QString::fromStdString(app.path().string())});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "not aborted";
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_NE(process.readAllStandardError().toStdString().find("QT_QPA_PLATFORM=offscreen"), std::string::npos);
}

TEST(LedgerwizCreate, MakesTheBookFromTheSampleBookPrintsTheSummaryAndListsIt) {
    // A fresh application folder with the sample book and no book list yet.
    const AppFolder app;
    ASSERT_FALSE(fs::exists(app.ListFile()));

    const Finished run = RunCreate(app, QStringLiteral("8888"));

    ASSERT_EQ(run.exitCode, 0) << run.err;
    const fs::path book = app.Data() / "kxAcc000001.MDE";
    EXPECT_EQ(run.out, "已创建新账簿：\n"
                       "    账簿名称：新账簿\n"
                       "    单位名称：某某有限公司\n"
                       "    财务主管：王五\n"
                       "    建账日期：2027年01月\n"
                       "单击“完成”按钮，结束向导。\n"
                       "数据库：" + book.string() + "\n");
    ASSERT_TRUE(fs::is_regular_file(book));
    EXPECT_EQ(BookContents(book).BookInfoItems().at(14), "2027年01月");
    // The list the program made holds the sample book, then the new one at the end.
    EXPECT_EQ(app.ListText(), WithLineAppended(kSampleLine + "\r\n", "新账簿\t" + app.Data().string() +
                                                                "\tkxAcc000001.MDE\t某某有限公司\t(未知)\t0\t\t"));
}

TEST(LedgerwizCreate, AStopOrABookThatCannotBeMadeWholeEndsWithStatusOneAndLeavesTheFolderAsItWas) {
    struct Case {
        const char* name;
        /// Makes the sample book (the template) fit the case.
        void (*arrange)(const AppFolder&);
        QStringList arguments;
        /// What standard error says, in this order, and the summary.
        std::vector<std::string> messages;
        std::string out;
    };
    const auto asItIs = [](const AppFolder&) {};
    const Case cases[] = {
        // A wrong password stops before the creation.
        {"WrongPassword", asItIs, {QStringLiteral("0000")}, {"操作员“主管”不能打开模板账簿"}, ""},
        // An unreachable server stops it at the new book's database.
        {"UnreachableServer", asItIs,
         {QStringLiteral("8888"), QStringLiteral("--sql"), QStringLiteral("/nonexistent-socket,sa,x")},
         {"创建Sql数据库时错误（转换Access数据库失败）"},
         "正在创建新账簿...\n账簿名称：\n单位名称：\n财务主管：\n建账日期：       年     月\n"},
        // A voucher table that cannot be emptied: the book would hold the template's vouchers.
        {"VoucherTableRefusesDeletes",
         [](const AppFolder& app) {
             BookContents(app.SampleBook())
                 .Run("Create Trigger kx_refuse Before Delete On kxDocRecs Begin Select Raise(Abort, 'disk I/O error'); End");
         },
         {QStringLiteral("8888")},
         {"清理数据表：kxDocRecs时遇到错误：disk I/O error\n", "已删除未完成的新账簿文件：" },
         "创建账簿时遇到错误：\n    无法清理新账簿的数据库。\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AppFolder app;
        app.WriteList({kSampleLine});
        c.arrange(app);
        const auto before = app.Snapshot();

        const Finished run = RunCreate(app, c.arguments.front(), c.arguments.mid(1));

        EXPECT_EQ(run.exitCode, 1);
        std::size_t at = 0;
        for (const std::string& message : c.messages) {
            at = run.err.find(message, at);
            EXPECT_NE(at, std::string::npos) << message << " in\n" << run.err;
        }
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(app.Snapshot(), before);
    }
}

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(LedgerwizCreate, RunsAtOnceOnOneFolderEachMakeABookOfTheirOwn) {
    const AppFolder app;
    app.WriteList({kSampleLine});
    std::array<QProcess, 4> runs;
    for (std::size_t i = 0; i < runs.size(); ++i)
        StartCreate(runs[i], app, QStringLiteral("8888"), {}, QStringLiteral("账簿%1").arg(i));

    std::set<std::string> books;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        const Finished run = WaitFor(runs[i]);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const fs::path book = run.Database();
        EXPECT_TRUE(books.insert(book.filename().string()).second) << book << " was made twice";
        // Each book is whole: its own name and no voucher of the template.
        BookContents contents(book);
        EXPECT_EQ(contents.BookInfoItems().at(4), "账簿" + std::to_string(i));
        EXPECT_EQ(contents.Count("kxDocRecs"), 0);
    }
    EXPECT_EQ(books, (std::set<std::string>{"kxAcc000001.MDE", "kxAcc000001(1).MDE", "kxAcc000001(2).MDE",
                                            "kxAcc000001(3).MDE"}));
    // Nothing else is left in the Data folder, no hidden copy either.
    std::set<std::string> data;
    for (const auto& entry : fs::directory_iterator(app.Data()))
        data.insert(entry.path().filename().string());
    // Each run's book is listed once, whatever order the runs saved the list in.
    const std::string list = app.ListText();
    for (const std::string& book : books)
        EXPECT_EQ(CountOf(list, "\t" + book + "\t"), 1U) << book << " in\n" << list;
    books.insert("kxSample.mde");
    EXPECT_EQ(data, books);
}

/// Starts `count` runs of `ledgerwiz create --sql` at once on `app` with the
/// `options` (the template chosen), the test server as the target, books 账簿0,
/// 账簿1 ...: each ends with status 0 and a whole, unmarked database of its own,
/// listed once. Gives the databases.
std::set<std::string> CreateOnServerAtOnce(const AppFolder& app, ServerBooks& server, const QStringList& options,
                                           std::size_t count) {
    const QStringList sql{QStringLiteral("--sql"),
                          QString::fromStdString(server.Host() + "," + server.User() + "," + server.Password())};
    std::vector<QProcess> runs(count);
    for (std::size_t i = 0; i < runs.size(); ++i)
        StartCreate(runs[i], app, QStringLiteral("8888"), options + sql, QStringLiteral("账簿%1").arg(i),
                    QString::fromStdString(server.Port()));

    std::set<std::string> databases;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        const Finished run = WaitFor(runs[i]);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        if (run.exitCode != 0)
            continue;
        EXPECT_TRUE(databases.insert(run.Database()).second) << run.Database() << " was made twice";
        EXPECT_EQ(server.Comment(run.Database()), "") << "still marked as being made";
        BookContents contents(run.Database(), server.Server(), server.User(), server.Password());
        EXPECT_EQ(contents.BookInfoItems().at(4), "账簿" + std::to_string(i));
        EXPECT_EQ(contents.Count("kxDocRecs"), 0);
        EXPECT_EQ(CountOf(app.ListText(), "\t" + run.Database() + "\t"), 1U) << app.ListText();
    }
    return databases;
}

TEST(LedgerwizCreate, RunsAtOnceFromOneServerTemplateEachMakeADatabaseOfTheirOwn) {
    ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const BookOneOnServer bookOne(server);
    const AppFolder app;
    // The template on the server; its location names the server without the port,
    // which the runs take from the environment.
    const std::string templateDatabase = server.NewDatabaseName();
    ASSERT_TRUE(database::CreateSqlBook(app.SampleBook().string(), server.Server(), templateDatabase, server.User(),
                                        server.Password()));
    app.WriteList({kSampleLine, "服务器样本账簿\t" + server.User() + ":" + server.Password() + "@" + server.Host() +
                                    "\t" + templateDatabase + "\t××××有限公司\t(未知)\t0\t\t"});

    EXPECT_EQ(CreateOnServerAtOnce(app, server, {QStringLiteral("--template"), QStringLiteral("1")}, 2),
              (std::set<std::string>{"kxAcc000001", "kxAcc000001_1"}));
    EXPECT_FALSE(server.Exists("kxAcc000001_2"));
}

TEST(LedgerwizCreate, RunsAtOnceFromOneBookFileToOneServerEachMakeADatabaseOfTheirOwn) {
    ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const BookOneOnServer bookOne(server);
    const AppFolder app;
    app.WriteList({kSampleLine});

    // The sample book converted three times at one moment.
    EXPECT_EQ(CreateOnServerAtOnce(app, server, {QStringLiteral("--template"), QStringLiteral("0")}, 3),
              (std::set<std::string>{"kxAcc000001", "kxAcc000001_1", "kxAcc000001_2"}));
    EXPECT_FALSE(server.Exists("kxAcc000001_3"));
}

} // namespace
} // namespace kx::e2e
