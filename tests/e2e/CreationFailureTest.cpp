// A creation through the wizard whose book would not be whole or not listed leaves
// the application folder and the book list as they were, byte for byte, and tells
// the host why; only a book already in the list stays. The failures that need no
// host are run through `ledgerwiz create` in CreateCommandProcessTest.

#include "e2e/NewBookCreation.h"

#include "platform/AnsiTextFile.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

struct StopCase;

class CreationStops : public NewBookCreation, public testing::WithParamInterface<StopCase> {};

/// A way for the creation to fail. The sample book is the template and the only
/// book of the list unless `arrange` says otherwise.
struct StopCase {
    const char* name;
    void (*arrange)(CreationStops&) = [](CreationStops&) {};
    /// Runs once the host has walked to page 3, just before page 4.
    void (*breakIt)(CreationStops&, WizardHost&) = [](CreationStops&, WizardHost&) {};
    /// Every message in order, how it begins ("{Data}" for the Data folder), and whether in a box.
    std::vector<std::pair<std::string, bool>> messages;
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
    WizardHost host(app.path());
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, 0, kStartingBoxes, false));
    c.breakIt(*this, host);
    auto folderBefore = app.Snapshot();
    const std::string listBefore = c.bookKept ? platform::ReadAnsiTextFile(listFile) : std::string();

    host.wiz.SetStep(4);

    EXPECT_FALSE(host.wiz.Completed());
    EXPECT_EQ(host.process, c.process);
    ASSERT_EQ(host.messages.size(), c.messages.size()) << host.messages.back().first;
    for (std::size_t i = 0; i < c.messages.size(); ++i) {
        std::string beginning = c.messages[i].first;
        if (const auto at = beginning.find("{Data}"); at != std::string::npos)
            beginning.replace(at, 6, app.Data().string());
        EXPECT_TRUE(host.messages[i].first.starts_with(beginning)) << host.messages[i].first;
        EXPECT_EQ(host.messages[i].second, c.messages[i].second) << host.messages[i].first;
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
    const fs::path book = app.Data() / "kxAcc000001.MDE";
    EXPECT_EQ(host.wiz.BookFile().toStdString(), book.string());
    if (c.bookKept) {
        EXPECT_EQ(platform::ReadAnsiTextFile(listFile),
                  WithLineAppended(listBefore, NewListLine(app.Data().string(), "kxAcc000001.MDE")));
        EXPECT_EQ(BookContents(book).Count("kxDocRecs"), 0);
        folderBefore["books.txt"] = FileDigest(listFile);
        folderBefore["Data/kxAcc000001.MDE"] = FileDigest(book);
    }
    EXPECT_EQ(app.Snapshot(), folderBefore);
    EXPECT_TRUE(box.shown.empty());
}

const std::vector<short> kRanToTheEnd{0, 5, 20, 40, 40, 60, 60, 100, -1};
constexpr const char* kFailed = "创建账簿时遇到错误：";

const StopCase kStopCases[] = {
    // The book information cannot be stored: told in its box, the clearing still
    // runs, and the book, which would carry the template's name, goes again.
    {.name = "BookInfoRefused",
     .arrange =
         [](CreationStops& t) {
             BookContents(t.app.SampleBook())
                 .Run("Create Trigger kx_refuse Before Update On kxBookInfo Begin Select Raise(Abort, 'disk full'); End");
         },
     .messages = {{"存储账簿信息串：disk full", true}, {"已删除未完成的新账簿文件：{Data}/.kxAcc000001.MDE.kxtmp-", false}},
     .process = kRanToTheEnd, .summary = {kFailed, "    无法创建新账簿的数据库文件。"}, .forwardClosed = true},
    // A table that cannot be emptied is told and the clearing goes on, but the
    // book would still hold the template's vouchers.
    {.name = "ClearingStatementRefused",
     .arrange =
         [](CreationStops& t) {
             BookContents(t.app.SampleBook())
                 .Run("Create Trigger kx_refuse Before Delete On kxDocRecs Begin Select Raise(Abort, 'disk full'); End");
         },
     .messages = {{"清理数据表：kxDocRecs时遇到错误：disk full", false}, {"已删除未完成的新账簿文件：{Data}/.kxAcc000001.MDE.kxtmp-", false}},
     .process = kRanToTheEnd, .summary = {kFailed, "    无法清理新账簿的数据库。"}, .forwardClosed = true},
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
     .process = {0, 5, 20, 40, 40, 60, 60, -1}, .summary = {"正在创建新账簿..."}, .bookKept = true},
};

INSTANTIATE_TEST_SUITE_P(Creation, CreationStops, testing::ValuesIn(kStopCases),
                         [](const testing::TestParamInfo<StopCase>& c) { return std::string(c.param.name); });

} // namespace
} // namespace kx::e2e
