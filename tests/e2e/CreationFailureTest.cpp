// A creation that stops, or whose book would not be whole or not listed, leaves the
// application folder, the book list, the template and the server as they were,
// byte for byte, and tells the user why. Only a book already in the list stays.

#include "e2e/NewBookCreation.h"

#include "platform/AnsiTextFile.h"

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

struct StopCase;

class CreationStops : public NewBookCreation, public testing::WithParamInterface<StopCase> {
  public:
    /// Makes the sample book refuse `statement` ("Delete" or "Update") on `table`.
    void RefuseInSample(const std::string& statement, const std::string& table) {
        BookContents(app.SampleBook())
            .Run("Create Trigger kx_refuse Before " + statement + " On " + table +
                 " Begin Select Raise(Abort, 'database or disk is full'); End");
    }
    /// Lists a server template made from the sample book without `table`; the new
    /// book gets a number of the test's own.
    void ServerTemplateWithout(const std::string& table) {
        const auto [database, line] = ServerTemplate();
        BookContents(database, &server).Run("Drop Table " + table);
        app.WriteList({kSampleLine, line});
        templateDatabase = database;
        bookId = 1;
        bookNo = server.FreeBookNumber();
    }
    /// `text` with "{Data}" standing for the Data folder, "{server}" for the server
    /// and "{database}" for the new book's database name.
    std::string Expand(std::string text) const {
        for (const auto& [mark, value] : {std::pair<std::string, std::string>{"{Data}", app.Data().string()},
                                          {"{server}", server.Available() ? server.Server() : ""},
                                          {"{database}", BookDatabaseName(bookNo == 0 ? 1 : bookNo)}})
            for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
                text.replace(at, mark.size(), value);
        return text;
    }

    int bookId = 0;
    int bookNo = 0;
    std::string templateDatabase;
};

/// A message the host is given: how it begins ("{Data}" etc. as in Expand) and whether in a box.
struct Message {
    const char* beginning;
    bool box;
};

/// A way for the creation to stop or to fail. The sample book is the template and
/// the only book of the list unless `arrange` says otherwise.
struct StopCase {
    const char* name;
    void (*arrange)(CreationStops&) = [](CreationStops&) {};
    /// Runs once the host has walked to page 3, just before page 4.
    void (*breakIt)(CreationStops&, WizardHost&) = [](CreationStops&, WizardHost&) {};
    RetainChoice retain = kStartingBoxes;
    std::vector<Message> messages;
    std::vector<short> process;
    /// Summary lines 0 and 1 on page 4 (line 1 only when given; lines 2 to 4 are
    /// then hidden, from line 3 when line 2 gives the reason).
    const char* summary[2] = {};
    bool reasonLine = false;
    /// The way forward (button 2) is closed: a step failed.
    bool forwardClosed = false;
    /// The host was told that the book list changed.
    bool listNotice = false;
    /// The book was listed before the failure, and stays.
    bool bookKept = false;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

TEST_P(CreationStops, TellsWhyAndLeavesNothingThatIsNotAWholeListedBook) {
    const StopCase& c = GetParam();
    app.WriteList({kSampleLine});
    c.arrange(*this);
    if (!templateDatabase.empty() && !server.Available())
        GTEST_SKIP() << ado::pg::testing::kNoServerReason;
    WizardHost host(app.path());
    if (bookNo != 0)
        host.wiz.SetBookNo(QString::number(bookNo));
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, bookId, c.retain, false));
    c.breakIt(*this, host);
    auto folderBefore = app.Snapshot();
    const std::string listBefore = c.bookKept ? platform::ReadAnsiTextFile(listFile) : std::string();
    std::map<std::string, long> templateRows;
    if (!templateDatabase.empty())
        templateRows = BookContents(templateDatabase, &server).RowCounts();

    host.wiz.SetStep(4);

    EXPECT_FALSE(host.wiz.Completed());
    EXPECT_EQ(host.process, c.process);
    ASSERT_EQ(host.messages.size(), c.messages.size()) << host.messages.back().first;
    for (std::size_t i = 0; i < c.messages.size(); ++i) {
        EXPECT_TRUE(host.messages[i].first.starts_with(Expand(c.messages[i].beginning))) << host.messages[i].first;
        EXPECT_EQ(host.messages[i].second, c.messages[i].box) << host.messages[i].first;
    }
    EXPECT_EQ(host.Summary(0).text().toStdString(), c.summary[0]);
    if (c.summary[1] != nullptr) {
        EXPECT_EQ(host.Summary(1).text().toStdString(), c.summary[1]);
        for (int line = c.reasonLine ? 3 : 2; line <= 4; ++line)
            EXPECT_TRUE(host.Summary(line).isHidden()) << "summary line " << line;
    }
    EXPECT_EQ(host.wiz.ButtonCaption(0), QStringLiteral("取消(&A)")) << "never the finish button";
    EXPECT_EQ(host.wiz.ButtonEnabled(2), !c.forwardClosed);
    EXPECT_EQ(host.notices, c.listNotice ? std::vector<std::string>{host.BookListNotice()} : std::vector<std::string>{});
    // The name chosen for the new book stays although the book is gone.
    EXPECT_EQ(host.wiz.BookFile().toStdString(), Expand(templateDatabase.empty() ? "{Data}/kxAcc000001.MDE" : "{database}"));
    if (c.bookKept) {
        const fs::path book = app.Data() / "kxAcc000001.MDE";
        EXPECT_EQ(platform::ReadAnsiTextFile(listFile),
                  WithLineAppended(listBefore, NewListLine(app.Data().string(), "kxAcc000001.MDE")));
        EXPECT_EQ(BookContents(book).Count("kxDocRecs"), 0);
        folderBefore["books.txt"] = FileDigest(listFile);
        folderBefore["Data/kxAcc000001.MDE"] = FileDigest(book);
    }
    EXPECT_EQ(app.Snapshot(), folderBefore);
    if (!templateDatabase.empty()) {
        EXPECT_EQ(BookContents(templateDatabase, &server).RowCounts(),
                  templateRows);
        // No database of this creation is left, marked or not.
        for (const char* counter : {"", "_1", "_2"})
            EXPECT_FALSE(server.Exists(BookDatabaseName(bookNo) + counter)) << counter;
    }
    EXPECT_TRUE(box.shown.empty());
}

const std::vector<short> kStoppedInTheClearing{0, 5, 20, 40, 40, -1};
const std::vector<short> kRanToTheEnd{0, 5, 20, 40, 40, 60, 60, 100, -1};
constexpr const char* kMaking = "正在创建新账簿...";
constexpr const char* kFailed = "创建账簿时遇到错误：";
constexpr Message kStagedFileRemoved{"已删除未完成的新账簿文件：{Data}/.kxAcc000001.MDE.kxtmp-", false};
constexpr Message kServerBookRemoved{"已删除本次创建的新账簿：服务器 {server} 上的数据库 kxAcc", false};

const StopCase kStopCases[] = {
    // A table that cannot be emptied is told and the clearing goes on, but the
    // book would still hold the template's vouchers.
    {.name = "ClearingStatementRefused",
     .arrange = [](CreationStops& t) { t.RefuseInSample("Delete", "kxDocRecs"); },
     .messages = {{"清理数据表：kxDocRecs时遇到错误：database or disk is full", false}, kStagedFileRemoved},
     .process = kRanToTheEnd, .summary = {kFailed, "    无法清理新账簿的数据库。"}, .forwardClosed = true},
    {.name = "ReportStatementRefused",
     .arrange = [](CreationStops& t) { t.RefuseInSample("Delete", "kxStatement"); },
     .retain = kMixedBoxes,
     .messages = {kStagedFileRemoved, {"database or disk is full", true}},
     .process = kStoppedInTheClearing, .summary = {kMaking}},
    // The book would be listed under its new name with the template's company.
    {.name = "BookInformationRefused",
     .arrange = [](CreationStops& t) { t.RefuseInSample("Update", "kxBookInfo"); },
     .messages = {{"存储账簿信息串：database or disk is full", true}, kStagedFileRemoved},
     .process = kRanToTheEnd, .summary = {kFailed, "    无法创建新账簿的数据库文件。"}, .forwardClosed = true},
    // The list's folder goes while the user is on page 3: the finished book, which
    // was already under its name, goes again.
    {.name = "ListFolderGone",
     .arrange =
         [](CreationStops& t) {
             t.listFile = t.app.path() / "lists" / "books.txt";
             fs::create_directory(t.listFile.parent_path());
             platform::WriteAnsiTextFile(t.listFile, kSampleLine + "\r\n");
         },
     .breakIt = [](CreationStops& t, WizardHost&) { fs::remove_all(t.listFile.parent_path()); },
     .messages = {{"已删除本次创建的新账簿：{Data}/kxAcc000001.MDE", false}},
     .process = kRanToTheEnd, .summary = {kFailed, "    无法更新账簿列表。"}, .reasonLine = true, .listNotice = true},
    // The host fails at the notice that the list changed: the list names the
    // book, which therefore stays.
    {.name = "HostNoticeFails",
     .breakIt =
         [](CreationStops&, WizardHost& host) {
             host.acc->SetNoticeReceiver([](const std::string&) { throw std::runtime_error("主程序没有响应。"); });
         },
     .messages = {{"主程序没有响应。", true}},
     .process = {0, 5, 20, 40, 40, 60, 60, -1}, .summary = {kMaking}, .bookKept = true},
    // The same on the server, from a server template that lacks a table; the
    // database made for the new book is dropped again.
    {.name = "ServerClearingStatementRefused",
     .arrange = [](CreationStops& t) { t.ServerTemplateWithout("kxLog"); },
     .messages = {{"清理数据表：kxLog时遇到错误：", false}, kServerBookRemoved},
     .process = kRanToTheEnd, .summary = {kFailed, "    无法清理新账簿的数据库。"}, .forwardClosed = true},
    {.name = "ServerBookInformationRefused",
     .arrange = [](CreationStops& t) { t.ServerTemplateWithout("kxBookInfo"); },
     .messages = {{"存储账簿信息串：", true}, kServerBookRemoved},
     .process = kRanToTheEnd, .summary = {kFailed, "    无法创建新账簿的数据库文件。"}, .forwardClosed = true},
};

INSTANTIATE_TEST_SUITE_P(Creation, CreationStops, testing::ValuesIn(kStopCases),
                         [](const testing::TestParamInfo<StopCase>& c) { return std::string(c.param.name); });

} // namespace
} // namespace kx::e2e
