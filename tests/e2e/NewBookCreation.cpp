#include "e2e/NewBookCreation.h"

#include "e2e/ClearingRules.h"

#include <vector>

namespace kx::e2e {

namespace {

/// The report rows that stay when box 5 is not set, and those that go.
const std::string kStandardReportRows = "AssistCode Is Null Or Len(AssistCode)<=4";
const std::string kOwnReportRows = "Len(AssistCode)>4";

} // namespace

void NewBookCreation::SetUp() {
    platform::InstallMessageBox(&box);
}

void NewBookCreation::TearDown() {
    platform::InstallMessageBox(nullptr);
}

void NewBookCreation::WalkToNewBookPage(WizardHost& host, int bookId, const RetainChoice& retain, bool toServer,
                                        const QString& password) {
    ASSERT_TRUE(host.OpenList(app.ListFile()));
    host.ChooseBook(bookId);
    ASSERT_FALSE(host.wiz.FromFile().isEmpty());
    host.TypeOperator(QStringLiteral("主管"), password);
    if (toServer)
        host.TypeServerTarget(QString::fromStdString(server.Server()), QString::fromStdString(server.User()),
                              QString::fromStdString(server.Password()));
    if (retain.boxes)
        host.ChooseRetained(*retain.boxes);
    else
        host.KeepStartingRetained();
    host.DescribeNewBook(kNewBookName, kNewCompany, kNewDirector, kNewBeginDate);
}

void NewBookCreation::Create(WizardHost& host, int bookId, const RetainChoice& retain, bool toServer) {
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, bookId, retain, toServer));
    // A host checks the operator before it lets the user on to the last page.
    ASSERT_TRUE(host.wiz.PasswordOK());
    host.Create();
}

void NewBookCreation::ExpectCompleted(WizardHost& host) {
    EXPECT_TRUE(host.wiz.Completed());
    EXPECT_EQ(host.process, (std::vector<short>{0, 5, 20, 40, 40, 60, 60, 100, -1}));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().first;
    const std::vector<QString> lines{QStringLiteral("已创建新账簿："), QStringLiteral("    账簿名称：") + kNewBookName,
                                     QStringLiteral("    单位名称：") + kNewCompany,
                                     QStringLiteral("    财务主管：") + kNewDirector,
                                     QStringLiteral("    建账日期：2013年03月")};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(host.SummaryText(i), lines[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(host.SummaryShown(i)) << "summary line " << i;
    }
    EXPECT_EQ(host.SummaryText(9), QStringLiteral("单击“完成”按钮，结束向导。"));
    EXPECT_EQ(host.wiz.ButtonCaption(0), QStringLiteral("完成(&C)"));
    EXPECT_TRUE(host.wiz.ButtonEnabled(0));
    EXPECT_EQ(host.wiz.ButtonCaption(1), QStringLiteral("上一步(&B)"));
    EXPECT_FALSE(host.wiz.ButtonEnabled(1));
    EXPECT_EQ(host.wiz.ButtonCaption(2), QStringLiteral("下一步(&F)"));
    EXPECT_FALSE(host.wiz.ButtonEnabled(2));
    // Only the book list notice: the completed flag is set without a notice of its own.
    EXPECT_EQ(host.notices, std::vector<std::string>{host.BookListNotice()});
}

void NewBookCreation::ExpectClearedAsRetained(BookContents& created, const std::map<std::string, long>& templateRows,
                                              const RetainBoxes& boxes) {
    const std::map<std::string, long> rows = created.RowCounts();
    ASSERT_EQ(rows.size(), templateRows.size());
    for (const auto& [table, count] : templateRows) {
        if (SameTableName(table, "kxStatement"))
            continue;
        ASSERT_TRUE(rows.contains(table)) << table;
        // Every template table has rows, so that an emptied and a kept table differ.
        ASSERT_GT(count, 0) << table;
        if (KeepsAllRows(table, boxes))
            EXPECT_EQ(rows.at(table), count) << table << " must keep its rows";
        else
            EXPECT_EQ(rows.at(table), 0) << table << " must be emptied";
    }
}

void NewBookCreation::ExpectReportRowsAsRetained(BookContents& created, BookContents& templateBook,
                                                 const RetainBoxes& boxes) {
    const long standard = templateBook.Count("kxStatement", kStandardReportRows);
    const long own = templateBook.Count("kxStatement", kOwnReportRows);
    ASSERT_GT(standard, 0);
    ASSERT_GT(own, 0);
    EXPECT_EQ(created.Count("kxStatement", kStandardReportRows), standard);
    EXPECT_EQ(created.Count("kxStatement", kOwnReportRows), boxes[5] ? own : 0);
}

void NewBookCreation::ExpectBookInformation(BookContents& created, BookContents& templateBook) {
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

std::string NewBookCreation::NewListLine(const std::string& folder, const std::string& file) {
    return kNewBookName.toStdString() + "\t" + folder + "\t" + file + "\t" + kNewCompany.toStdString() +
           "\t(未知)\t0\t\t";
}

} // namespace kx::e2e
