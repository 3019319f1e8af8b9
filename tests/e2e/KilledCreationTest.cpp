// `ledgerwiz create` killed with SIGKILL at some moment, as a user's kill -9 or a
// lost session ends it, and then run again: the hidden temporary files that the
// killed run left in the Data folder and beside the book list are gone, and so is
// the server database that it left half-made.

#include "e2e/AppFolder.h"
#include "e2e/BookContents.h"
#include "e2e/BookOneOnServer.h"
#include "e2e/ServerBooks.h"

#include "database/NewServerDatabase.h"
#include "database/SqlBookConversion.h"

#include "platform/HiddenTemporary.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// The hidden temporaries of a folder and their journal files.
std::vector<std::string> HiddenTemporariesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!platform::HiddenTemporaryOf(name).empty())
            names.push_back(name);
    }
    return names;
}

/// The sample book with a few hundred thousand rows in kxLog (which a new book
/// empties): some 20 MB, whose copy takes long enough to be killed in the middle.
/// Made once for the test program.
const fs::path& LargeTemplate() {
    static const auto made = [] {
        auto folder = std::make_unique<test::TempFolder>();
        const fs::path book = folder->path() / "large.mde";
        fs::copy_file(test::SampleBookCopy::Master(), book);
        BookContents contents(book);
        contents.Run("Insert Into kxLog (opName, LogAction, LogDetail) Values ('主管', '填充', '" +
                     std::string(250, 'x') + "')");
        for (int doubling = 0; doubling < 16; ++doubling)
            contents.Run(
                "Insert Into kxLog (opName, LogAction, LogDetail) Select opName, LogAction, LogDetail "
                "From kxLog");
        return std::make_pair(std::move(folder), book);
    }();
    return made.second;
}

/// `ledgerwiz create` of 新账簿 from template `templateChoice` on `app`, with the
/// `more` options; `port` is the server's port for server names given without one.
void StartCreate(QProcess& process, const AppFolder& app, const char* kxFault, const char* templateChoice = "0",
                 const QStringList& more = {}, const std::string& port = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("KX_FAULT"));
    if (kxFault != nullptr)
        environment.insert(QStringLiteral("KX_FAULT"), QString::fromUtf8(kxFault));
    if (!port.empty())
        environment.insert(QStringLiteral("PGPORT"), QString::fromStdString(port));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KX_LEDGERWIZ),
                  QStringList{QStringLiteral("create"), QStringLiteral("--app"),
                              QString::fromStdString(app.path().string()), QStringLiteral("--template"),
                              QString::fromUtf8(templateChoice), QStringLiteral("--operator"), QStringLiteral("主管"),
                              QStringLiteral("--password"), QStringLiteral("8888"), QStringLiteral("--name"),
                              QStringLiteral("新账簿"), QStringLiteral("--company"), QStringLiteral("某某有限公司"),
                              QStringLiteral("--month"), QStringLiteral("2027-01")} +
                      more);
}

/// When the first run is killed.
struct KillCase {
    const char* name;
    bool largeTemplate;
    int listEntries; // other books in the list after the sample book's line
    const char* kxFault;
    /// After this many milliseconds; or, when negative, as soon as a hidden
    /// temporary shows in `watched` (the kill then must leave it there).
    int afterMs;
    bool watchListFolder = false; // watch the application folder, not Data
};

void PrintTo(const KillCase& c, std::ostream* os) {
    *os << c.name;
}

class KilledCreation : public ::testing::TestWithParam<KillCase> {};

TEST_P(KilledCreation, TheNextRunLeavesNoHiddenTemporary) {
    const KillCase& c = GetParam();
    const AppFolder app;
    if (c.largeTemplate) {
        fs::remove(app.SampleBook());
        fs::copy_file(LargeTemplate(), app.SampleBook());
    }
    // The template is the sample book, the list's first line.
    std::vector<std::string> lines{kSampleLine};
    // Long lines make a long list whose save can be caught in the middle.
    const std::string longName(300, 'x');
    for (int i = 1; i <= c.listEntries; ++i)
        lines.push_back("旧账簿" + std::to_string(i) + longName + "\t..\\Data\tkxOld" + std::to_string(i) +
                        ".MDE\t某某有限公司\t(未知)\t0\t\t");
    app.WriteList(lines);

    QProcess killed;
    StartCreate(killed, app, c.kxFault);
    ASSERT_TRUE(killed.waitForStarted(30000));
    const fs::path watched = c.watchListFolder ? app.path() : app.Data();
    if (c.afterMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(c.afterMs));
    } else {
        const auto deadline = std::chrono::steady_clock::now() + 120s;
        while (HiddenTemporariesIn(watched).empty() && std::chrono::steady_clock::now() < deadline)
            ASSERT_FALSE(killed.waitForFinished(0)) << "the run ended before a hidden temporary showed";
    }
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished(30000));
    if (c.afterMs < 0) {
        EXPECT_FALSE(HiddenTemporariesIn(watched).empty()) << "the kill left nothing to remove";
    }

    QProcess next;
    StartCreate(next, app, nullptr);
    ASSERT_TRUE(next.waitForFinished(300000));
    EXPECT_EQ(next.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
    EXPECT_EQ(HiddenTemporariesIn(app.Data()), std::vector<std::string>{});
    EXPECT_EQ(HiddenTemporariesIn(app.path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledCreation,
                         ::testing::Values(KillCase{"AtOnce", false, 0, nullptr, 0},
                                           KillCase{"AfterTenMilliseconds", false, 0, nullptr, 10},
                                           KillCase{"AfterAFifthOfASecond", false, 0, nullptr, 200},
                                           KillCase{"WhileCopyingALargeTemplate", true, 0, nullptr, -1},
                                           // Without the kernel's copy the template goes through a buffer.
                                           KillCase{"WhileCopyingThroughABuffer", true, 0, "copy:1:EXDEV",
                                                    -1},
                                           KillCase{"WhileSavingALongList", false, 30000, nullptr, -1, true}),
                         [](const auto& p) { return std::string(p.param.name); });

/// Where the server book of the killed run comes from.
struct ServerKillCase {
    const char* name;
    /// A copy of a server template on its server, else a conversion of a book file.
    bool serverTemplate;
};

void PrintTo(const ServerKillCase& c, std::ostream* os) {
    *os << c.name;
}

class KilledServerCreation : public ::testing::TestWithParam<ServerKillCase> {};

TEST_P(KilledServerCreation, TheNextRunSucceedsAndTheHalfMadeDatabaseIsGoneButNothingElse) {
    const ServerKillCase& c = GetParam();
    ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    const BookOneOnServer bookOne(server);
    const AppFolder app;
    std::string templateDatabase;
    if (c.serverTemplate) {
        // A large template on the server, whose copy takes long enough to be killed in the middle.
        templateDatabase = server.NewDatabaseName();
        ASSERT_TRUE(database::CreateSqlBook(app.SampleBook().string(), server.Server(), templateDatabase,
                                            server.User(), server.Password()));
        server.RunSql(templateDatabase, "INSERT INTO kxlog (opname, logaction, logdetail) SELECT '主管', '填充', "
                                        "repeat('x', 250) FROM generate_series(1, 100000)");
        app.WriteList({kSampleLine, "服务器样本账簿\t" + server.User() + ":" + server.Password() + "@" +
                                        server.Host() + "\t" + templateDatabase + "\t××××有限公司\t(未知)\t0\t\t"});
    } else {
        fs::remove(app.SampleBook());
        fs::copy_file(LargeTemplate(), app.SampleBook());
        app.WriteList({kSampleLine});
    }
    const char* templateChoice = c.serverTemplate ? "1" : "0";
    const QStringList sql{QStringLiteral("--sql"),
                          QString::fromStdString(server.Host() + "," + server.User() + "," + server.Password())};

    // Killed as soon as its new database is there and marked as being made.
    QProcess killed;
    StartCreate(killed, app, nullptr, templateChoice, sql, server.Port());
    ASSERT_TRUE(killed.waitForStarted(30000));
    std::vector<std::string> marked;
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while ((marked = server.MarkedLike(BookOneOnServer::Name(0))).empty() &&
           std::chrono::steady_clock::now() < deadline)
        ASSERT_FALSE(killed.waitForFinished(5)) << "the run ended before its database showed";
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished(30000));
    ASSERT_EQ(marked.size(), 1u);
    const std::string halfMade = marked.front();

    // What the sweep must leave alone: somebody's database, and one that a creation
    // still running (this test) is making.
    const std::string someones = server.NewDatabaseName();
    server.CreateDatabase(someones, {});
    ado::Connection master;
    database::CreateCnn(master, "master", server.Server(), server.User(), server.Password());
    master.Open({}, {}, {}, -1);
    database::NewServerDatabase running = database::NewServerDatabase::Create(master, server.NewDatabaseName());
    ASSERT_TRUE(running.IsCreated()) << running.Cause();

    // The next run, from a small template so as to end soon.
    if (c.serverTemplate) {
        BookContents(templateDatabase, server.Server(), server.User(), server.Password()).Run("Delete From kxLog");
    } else {
        fs::remove(app.SampleBook());
        fs::copy_file(test::SampleBookCopy::Master(), app.SampleBook());
    }
    QProcess next;
    StartCreate(next, app, nullptr, templateChoice, sql, server.Port());
    ASSERT_TRUE(next.waitForFinished(300000));
    ASSERT_EQ(next.exitStatus(), QProcess::NormalExit);
    const std::string out = next.readAllStandardOutput().toStdString();
    ASSERT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
    const std::string made = out.substr(out.find("数据库：") + std::string("数据库：").size());
    const std::string database = made.substr(0, made.find('\n'));

    // The half-made database is gone: dropped by this run's sweep or another
    // program's; its name may have been taken again since, by the whole new book.
    if (pg::FoldDatabaseName(database) != halfMade) {
        EXPECT_FALSE(server.Exists(halfMade)) << halfMade;
    }
    EXPECT_EQ(server.MarkedLike(BookOneOnServer::Name(0)), std::vector<std::string>{});
    EXPECT_EQ(server.Comment(database), "");
    BookContents book(database, server.Server(), server.User(), server.Password());
    EXPECT_EQ(book.BookInfoItems().at(4), "新账簿");
    EXPECT_EQ(book.Count("kxLog"), 0);
    const std::string list = app.ListText();
    EXPECT_NE(list.find("\t" + database + "\t"), std::string::npos) << list;
    EXPECT_EQ(list.find("\t" + database + "\t"), list.rfind("\t" + database + "\t")) << list;
    // Nothing else was dropped.
    EXPECT_EQ(server.Comment(someones), "");
    EXPECT_TRUE(server.Marked(running.Name()));
    if (c.serverTemplate) {
        EXPECT_TRUE(server.Exists(templateDatabase));
    }
    EXPECT_EQ(running.Drop(), "");
}

INSTANTIATE_TEST_SUITE_P(Routes, KilledServerCreation,
                         ::testing::Values(ServerKillCase{"WhileCopyingAServerTemplate", true},
                                           ServerKillCase{"WhileConvertingABookFile", false}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kx::e2e
