// A creation that stops, or whose book would not be whole or not listed, leaves the
// application folder, the book list, the template and the server as they were,
// byte for byte, and tells the user why. Only a book already in the list stays.

#include "e2e/NewBookCreation.h"

#include "database/SqlBookConversion.h"
#include "platform/AnsiTextFile.h"

#include <QLabel>

#include <filesystem>
#include <map>
#include <ostream>
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
    /// Lists the sample book alone and makes it refuse `statement` ("Delete" or
    /// "Update") on `table` with the words of a full disk.
    void RefuseInSample(const std::string& statement, const std::string& table) {
        app.WriteList({kSampleLine});
        BookContents(app.SampleBook())
            .Run("Create Trigger kx_refuse Before " + statement + " On " + table +
                 " Begin Select Raise(Abort, '" + kReason + "'); End");
    }
    /// A server template made from the sample book without `table`; the book
    /// number of the new book is one of the test's own.
    void ServerTemplateWithout(const std::string& table) {
        if (!server.Available())
            GTEST_SKIP() << ado::pg::testing::kNoServerReason;
        const auto [database, line] = ServerTemplate();
        BookContents(database, server.Server(), server.User(), server.Password()).Run("Drop Table " + table);
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

    static constexpr const char* kReason = "database or disk is full";
    int bookId = 0;
    int bookNo = 0;
    std::string templateDatabase;
};

void SampleOnly(CreationStops& t) { t.app.WriteList({kSampleLine}); }
void NothingMore(CreationStops&, WizardHost&) {}

/// A message the host is given: how it begins and whether in a box.
struct Message {
    const char* beginning;
    bool box;
};

/// A way for the creation to stop or to fail.
struct StopCase {
    const char* name;
    /// Writes the book list and makes the template the case needs; the sample
    /// book is the template and the only book of the list unless it says otherwise.
    void (*arrange)(CreationStops&) = SampleOnly;
    /// Runs once the host has walked to page 3, just before page 4.
    void (*breakIt)(CreationStops&, WizardHost&) = NothingMore;
    RetainChoice retain = kStartingBoxes;
    /// Every message in order ("{Data}" stands for the Data folder).
    std::vector<Message> messages;
    std::vector<short> process;
    /// Summary lines 0 and 1 on page 4 (line 1 only when not nullptr; lines 2 to 4
    /// are then hidden unless the next is true).
    const char* summary[2] = {};
    /// Line 2 may give the reason.
    bool reasonLine = false;
    /// The way forward (button 2) is closed.
    bool forwardClosed = false;
    /// The host was told that the book list changed (the list step ran).
    bool listNotice = false;
    /// Whether the conversion showed its own box.
    bool conversionBox = false;
    /// BookFile afterwards: the name chosen for the new book, which stays although
    /// the book is gone; kEarlierBookFile when no name was chosen.
    const char* bookFile = "{Data}/kxAcc000001.MDE";
    /// The book was listed before the failure, and stays.
    bool bookKept = false;
};

constexpr const char* kEarlierBookFile = "先前的账簿";

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

TEST_P(CreationStops, TellsWhyAndLeavesNothingThatIsNotAWholeListedBook) {
    const StopCase& c = GetParam();
    c.arrange(*this);
    if (IsSkipped())
        return;
    WizardHost host(app.path());
    if (bookNo != 0)
        host.wiz.SetBookNo(QString::number(bookNo));
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, bookId, c.retain, false));
    c.breakIt(*this, host);
    host.wiz.SetBookFile(QString::fromUtf8(kEarlierBookFile));
    auto folderBefore = app.Snapshot();
    const std::string listBefore = c.bookKept ? platform::ReadAnsiTextFile(listFile) : std::string();
    std::map<std::string, long> templateRows;
    if (!templateDatabase.empty())
        templateRows = BookContents(templateDatabase, server.Server(), server.User(), server.Password()).RowCounts();

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
    // Never the finish button: the page does not say the book was made.
    EXPECT_EQ(host.wiz.ButtonCaption(0), QStringLiteral("取消(&A)"));
    EXPECT_EQ(host.wiz.ButtonEnabled(2), !c.forwardClosed);
    EXPECT_EQ(host.notices, c.listNotice ? std::vector<std::string>{host.BookListNotice()} : std::vector<std::string>{});
    EXPECT_EQ(host.wiz.BookFile().toStdString(), Expand(c.bookFile));
    if (c.bookKept) {
        const fs::path book = app.Data() / "kxAcc000001.MDE";
        EXPECT_EQ(platform::ReadAnsiTextFile(listFile),
                  WithLineAppended(listBefore, NewListLine(app.Data().string(), "kxAcc000001.MDE")));
        EXPECT_EQ(BookContents(book).Count("kxDocRecs"), 0);
        folderBefore[fs::relative(listFile, app.path()).string()] = FileDigest(listFile);
        folderBefore["Data/kxAcc000001.MDE"] = FileDigest(book);
    }
    EXPECT_EQ(app.Snapshot(), folderBefore);
    if (!templateDatabase.empty()) {
        EXPECT_EQ(BookContents(templateDatabase, server.Server(), server.User(), server.Password()).RowCounts(),
                  templateRows);
        // No database of this creation is left, marked or not.
        for (const char* counter : {"", "_1", "_2"})
            EXPECT_FALSE(server.Exists(BookDatabaseName(bookNo) + counter)) << counter;
    }
    ASSERT_EQ(box.shown.size(), c.conversionBox ? 1u : 0u);
    if (c.conversionBox) {
        EXPECT_EQ(box.shown[0].title, database::kConversionFailureTitle);
    }
}

const std::vector<short> kStoppedAtTheDatabase{0, 5, -1};
const std::vector<short> kStoppedInTheClearing{0, 5, 20, 40, 40, -1};
const std::vector<short> kRanToTheEnd{0, 5, 20, 40, 40, 60, 60, 100, -1};
constexpr const char* kMaking = "正在创建新账簿...";
constexpr const char* kFailed = "创建账簿时遇到错误：";
constexpr Message kStagedFileRemoved{"已删除未完成的新账簿文件：{Data}/.kxAcc000001.MDE.kxtmp-", false};
constexpr Message kServerBookRemoved{"已删除本次创建的新账簿：服务器 {server} 上的数据库 kxAcc", false};

const StopCase kStopCases[] = {
    {.name = "TemplateFileMissing",
     // The template goes after it was chosen, as when another program removes it.
     .breakIt = [](CreationStops& t, WizardHost&) { fs::remove(t.app.SampleBook()); },
     .messages = {{"未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。", true}},
     .process = kStoppedAtTheDatabase,
     .summary = {kMaking},
     .bookFile = kEarlierBookFile},
    {.name = "ConversionToAnUnreachableServer",
     .breakIt =
         [](CreationStops&, WizardHost& host) {
             host.wiz.SetStep(1);
             host.TypeServerTarget(QStringLiteral("/nonexistent,1"), QStringLiteral("sa"), QStringLiteral("x"));
             host.wiz.SetStep(3);
         },
     .messages = {{"创建Sql数据库时错误（转换Access数据库失败）", true}},
     .process = kStoppedAtTheDatabase,
     .summary = {kMaking},
     .conversionBox = true,
     .bookFile = "{database}"},
    {.name = "DataFolderIsAFile",
     .arrange =
         [](CreationStops& t) {
             // The template lives outside Data, which is a plain file: no copy can be made there.
             const fs::path templateFile = t.app.path() / "Templates" / "kxSample.mde";
             fs::create_directories(templateFile.parent_path());
             fs::rename(t.app.SampleBook(), templateFile);
             fs::remove(t.app.Data());
             platform::WriteFileAtomically(t.app.Data(), "not a folder");
             t.app.WriteList({"样本账簿\t..\\Templates\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t"});
         },
     // The reason follows on the next line.
     .messages = {{"创建新账簿的数据库文件遇到错误。\n无法写入文件 {Data}/kxAcc000001.MDE：", true}},
     .process = kStoppedAtTheDatabase,
     .summary = {kMaking}},
    {.name = "ClearingWithoutTheHostsObject",
     .breakIt = [](CreationStops&, WizardHost& host) { host.wiz.Acc.reset(); },
     .messages = {kStagedFileRemoved, {"宿主程序没有提供账务对象（Acc）。", true}},
     .process = kStoppedInTheClearing,
     .summary = {kMaking}},
    // A table that cannot be emptied is told and the clearing goes on, but the
    // book would still hold the template's vouchers.
    {.name = "ClearingStatementRefused",
     .arrange = [](CreationStops& t) { t.RefuseInSample("Delete", "kxDocRecs"); },
     .messages = {{"清理数据表：kxDocRecs时遇到错误：database or disk is full", false}, kStagedFileRemoved},
     .process = kRanToTheEnd,
     .summary = {kFailed, "    无法清理新账簿的数据库。"},
     .forwardClosed = true},
    {.name = "ReportStatementRefused",
     .arrange = [](CreationStops& t) { t.RefuseInSample("Delete", "kxStatement"); },
     .retain = kMixedBoxes,
     .messages = {kStagedFileRemoved, {"database or disk is full", true}},
     .process = kStoppedInTheClearing,
     .summary = {kMaking}},
    // The book would be listed under its new name with the template's company.
    {.name = "BookInformationRefused",
     .arrange = [](CreationStops& t) { t.RefuseInSample("Update", "kxBookInfo"); },
     .messages = {{"存储账簿信息串：database or disk is full", true}, kStagedFileRemoved},
     .process = kRanToTheEnd,
     .summary = {kFailed, "    无法创建新账簿的数据库文件。"},
     .forwardClosed = true},
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
     .process = kRanToTheEnd,
     .summary = {kFailed, "    无法更新账簿列表。"},
     .reasonLine = true,
     .listNotice = true},
    // The host fails at the notice that the list changed: the list names the
    // book, which therefore stays.
    {.name = "HostNoticeFails",
     .breakIt =
         [](CreationStops&, WizardHost& host) {
             host.acc->SetNoticeReceiver([](const std::string&) { throw std::runtime_error("主程序没有响应。"); });
         },
     .messages = {{"主程序没有响应。", true}},
     .process = {0, 5, 20, 40, 40, 60, 60, -1},
     .summary = {kMaking},
     .bookKept = true},
    // The same on the server: a server book made from a server template that
    // lacks a table; the database made for the new book is dropped again.
    {.name = "ServerClearingStatementRefused",
     .arrange = [](CreationStops& t) { t.ServerTemplateWithout("kxLog"); },
     .messages = {{"清理数据表：kxLog时遇到错误：", false}, kServerBookRemoved},
     .process = kRanToTheEnd,
     .summary = {kFailed, "    无法清理新账簿的数据库。"},
     .forwardClosed = true,
     .bookFile = "{database}"},
    {.name = "ServerBookInformationRefused",
     .arrange = [](CreationStops& t) { t.ServerTemplateWithout("kxBookInfo"); },
     .messages = {{"存储账簿信息串：", true}, kServerBookRemoved},
     .process = kRanToTheEnd,
     .summary = {kFailed, "    无法创建新账簿的数据库文件。"},
     .forwardClosed = true,
     .bookFile = "{database}"},
};

INSTANTIATE_TEST_SUITE_P(Creation, CreationStops, testing::ValuesIn(kStopCases),
                         [](const testing::TestParamInfo<StopCase>& c) { return std::string(c.param.name); });

} // namespace
} // namespace kx::e2e
