#pragma once

#include "e2e/AppFolder.h"
#include "e2e/BookContents.h"
#include "e2e/ServerBooks.h"
#include "e2e/WizardHost.h"

#include "database/SqlBookConversion.h"
#include "platform/MessageBoxService.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace kx::e2e {

/// Whether a new book keeps the rows of sample-book table `table` (lower case)
/// under the retain `boxes`: box 7 (staff and wages) empties its tables when set,
/// the other boxes when not set; the business tables are always emptied and tables
/// not named here are kept. kxStatement keeps its standard reports (AssistCode of
/// at most four characters) always, the template's own reports only with box 5.
inline bool TableKept(const std::string& table, const RetainBoxes& boxes) {
    constexpr int kEmptied = -1;
    static const std::map<std::string, int> governingBox{
        {"kxdocdir", kEmptied},   {"kxdocrecs", kEmptied}, {"kxaccperiod", kEmptied}, {"kxbranchinit", kEmptied},
        {"kxiteminit", kEmptied}, {"kxflowinit", kEmptied}, {"kxjournal", kEmptied},  {"kxjournalrecs", kEmptied},
        {"kxlog", kEmptied},      {"kxaccdata", kEmptied}, {"kxassistitem", 0},       {"kxaccclass", 1},
        {"kxaccinitial", 1},      {"kxfrmformat", 1},      {"kxaccformat", 1},        {"kxbranch", 2},
        {"kxcashflow", 3},        {"kxexplain", 4},        {"kxtrans", 6},            {"kxtranssetting", 6},
        {"kxwages", 7},           {"kxwagesrecs", 7},      {"kxstaff", 7}};
    const auto rule = governingBox.find(table);
    if (rule == governingBox.end())
        return true;
    return rule->second == 7 ? !boxes[7] : rule->second >= 0 && boxes[static_cast<std::size_t>(rule->second)];
}

/// Which retain boxes the host sets on page 2; nullopt leaves them as they start (all set).
using RetainChoice = std::optional<RetainBoxes>;
inline const RetainChoice kStartingBoxes;
inline const RetainChoice kNoBoxSet{RetainBoxes{}};
/// Every other box set, box 0 first, and the other way round: each box differs
/// from its neighbours.
inline const RetainChoice kMixedBoxes{RetainBoxes{true, false, true, false, true, false, true, false, true}};
inline const RetainChoice kOtherMixedBoxes{RetainBoxes{false, true, false, true, false, true, false, true, false}};

/// The list position that stands for the first archive row of the drop-down list,
/// which the host clicks instead of setting BookID.
inline constexpr int kFirstArchiveRow = -1;

/// A new book made through a host of the wizard on an application folder of its
/// own, and what a completed book must look like. The conversion's message box is
/// recorded, never shown.
class NewBookCreation : public testing::Test {
  protected:
    void SetUp() override { platform::InstallMessageBox(&box); }
    void TearDown() override { platform::InstallMessageBox(nullptr); }

  public:
    /// Walks the wizard from the book list `app.ListFile()` to page 3 with book
    /// `bookId` as the template, the operator 主管 with password 8888, the server
    /// target of the test run when `toServer`, the retain boxes and the new book.
    void WalkToNewBookPage(WizardHost& host, int bookId, const RetainChoice& retain, bool toServer) {
        ASSERT_TRUE(host.OpenList(listFile));
        if (bookId == kFirstArchiveRow)
            host.ClickListRow(0);
        else
            host.wiz.SetBookID(bookId);
        ASSERT_FALSE(host.wiz.FromFile().isEmpty());
        host.TypeOperator(QStringLiteral("主管"), QStringLiteral("8888"));
        if (toServer)
            host.TypeServerTarget(QString::fromStdString(server.Server()), QString::fromStdString(server.User()),
                                  QString::fromStdString(server.Password()));
        if (retain)
            host.ChooseRetained(*retain);
        else
            host.wiz.SetStep(2);
        host.DescribeNewBook();
    }

    /// Completed: the summary lines, the finish button alone, the Process sequence,
    /// the one notice, no message.
    static void ExpectCompleted(WizardHost& host) {
        EXPECT_TRUE(host.wiz.Completed());
        EXPECT_EQ(host.process, (std::vector<short>{0, 5, 20, 40, 40, 60, 60, 100, -1}));
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().first;
        const QString lines[] = {QStringLiteral("已创建新账簿："), QStringLiteral("    账簿名称：") + kNewBookName,
                                 QStringLiteral("    单位名称：") + kNewCompany, QStringLiteral("    财务主管：") + kNewDirector,
                                 QStringLiteral("    建账日期：2013年03月"), QStringLiteral("单击“完成”按钮，结束向导。")};
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(host.Summary(i < 5 ? i : 9).text() == lines[i] && !host.Summary(i < 5 ? i : 9).isHidden()) << i;
        EXPECT_EQ(host.wiz.ButtonCaption(0), QStringLiteral("完成(&C)"));
        EXPECT_TRUE(host.wiz.ButtonEnabled(0));
        EXPECT_FALSE(host.wiz.ButtonEnabled(1));
        // Only the book list notice: the completed flag is set without a notice of its own.
        EXPECT_EQ(host.notices, std::vector<std::string>{host.BookListNotice()});
    }

    /// Table by table emptied or holding every row of the template as the retain
    /// `boxes` say; book information items 5, 6, 14 and 15 are the new book's, the
    /// others, the director among them, keep the template's values.
    static void ExpectBook(BookContents& created, BookContents& templateBook, const RetainBoxes& boxes) {
        const std::map<std::string, long> templateRows = templateBook.RowCounts();
        const std::map<std::string, long> rows = created.RowCounts();
        ASSERT_EQ(rows.size(), templateRows.size());
        for (const auto& [table, count] : templateRows) {
            ASSERT_TRUE(rows.contains(table)) << table;
            // Every template table has rows, so that an emptied and a kept table differ.
            ASSERT_GT(count, 0) << table;
            if (table != "kxstatement") {
                EXPECT_EQ(rows.at(table), TableKept(table, boxes) ? count : 0) << table;
            }
        }
        const std::string standard = "AssistCode Is Null Or Len(AssistCode)<=4", ownRows = "Len(AssistCode)>4";
        const long own = templateBook.Count("kxStatement", ownRows);
        ASSERT_GT(own, 0);
        EXPECT_EQ(created.Count("kxStatement", standard), templateBook.Count("kxStatement", standard));
        EXPECT_EQ(created.Count("kxStatement", ownRows), boxes[5] ? own : 0);

        const std::vector<std::string> items = created.BookInfoItems();
        const std::vector<std::string> before = templateBook.BookInfoItems();
        ASSERT_EQ(items.size(), before.size());
        ASSERT_GE(items.size(), 15u);
        EXPECT_EQ(items[4], kNewBookName.toStdString());
        EXPECT_EQ(items[5], kNewCompany.toStdString());
        EXPECT_EQ(items[13].rfind("KXLW-", 0), 0u) << items[13];
        EXPECT_EQ(items[14], "2013年03月");
        for (std::size_t i : {0u, 1u, 2u, 3u, 6u, 7u, 8u, 9u, 10u, 11u, 12u})
            EXPECT_EQ(items[i], before[i]) << "book information item " << i + 1;
    }

    /// A server book on the test server made from the sample book, owned by the
    /// test, and its book list line.
    std::pair<std::string, std::string> ServerTemplate() {
        const std::string database = server.ConvertedBook(app.SampleBook().string());
        return {database, server.SampleLine(database)};
    }

    /// The new book's line in the book list.
    static std::string NewListLine(const std::string& folder, const std::string& file) {
        return kNewBookName.toStdString() + "\t" + folder + "\t" + file + "\t" + kNewCompany.toStdString() + "\t(未知)\t0\t\t";
    }

    AppFolder app;
    /// The book list the host opens.
    std::filesystem::path listFile = app.ListFile();
    ServerBooks server;
    platform::RecordingMessageBox box;
};

} // namespace kx::e2e
