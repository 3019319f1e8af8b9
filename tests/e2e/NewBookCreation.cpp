#include "e2e/NewBookCreation.h"

#include <vector>

namespace kx::e2e {

namespace {

constexpr int kEmptied = -1;
/// The retain box that governs a table (names folded to lower case, as a server
/// book has them): box 7 (staff and wages) empties its tables when set, the other
/// boxes when not set; kEmptied tables are always emptied, tables not named are kept.
const std::map<std::string, int> kGoverningBox{
    {"kxdocdir", kEmptied},  {"kxdocrecs", kEmptied}, {"kxaccperiod", kEmptied}, {"kxbranchinit", kEmptied},
    {"kxiteminit", kEmptied}, {"kxflowinit", kEmptied}, {"kxjournal", kEmptied},  {"kxjournalrecs", kEmptied},
    {"kxlog", kEmptied},     {"kxaccdata", kEmptied}, {"kxassistitem", 0},       {"kxaccclass", 1},
    {"kxaccinitial", 1},     {"kxfrmformat", 1},      {"kxaccformat", 1},        {"kxbranch", 2},
    {"kxcashflow", 3},       {"kxexplain", 4},        {"kxtrans", 6},            {"kxtranssetting", 6},
    {"kxwages", 7},          {"kxwagesrecs", 7},      {"kxstaff", 7}};

const std::string kStandardReportRows = "AssistCode Is Null Or Len(AssistCode)<=4";
const std::string kOwnReportRows = "Len(AssistCode)>4";

} // namespace

void NewBookCreation::WalkToNewBookPage(WizardHost& host, int bookId, const RetainChoice& retain, bool toServer,
                                        const QString& password) {
    ASSERT_TRUE(host.OpenList(app.ListFile()));
    host.wiz.SetBookID(bookId);
    ASSERT_FALSE(host.wiz.FromFile().isEmpty());
    host.TypeOperator(QStringLiteral("主管"), password);
    if (toServer)
        host.TypeServerTarget(QString::fromStdString(server.Server()), QString::fromStdString(server.User()),
                              QString::fromStdString(server.Password()));
    if (retain.boxes)
        host.ChooseRetained(*retain.boxes);
    else
        host.wiz.SetStep(2);
    host.DescribeNewBook(kNewBookName, kNewCompany, kNewDirector, kNewBeginDate);
}

void NewBookCreation::Create(WizardHost& host, int bookId, const RetainChoice& retain, bool toServer) {
    ASSERT_NO_FATAL_FAILURE(WalkToNewBookPage(host, bookId, retain, toServer));
    // A host checks the operator before it lets the user on to the last page.
    ASSERT_TRUE(host.wiz.PasswordOK());
    host.wiz.SetStep(4);
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
    const std::vector<std::pair<QString, bool>> buttons{
        {QStringLiteral("完成(&C)"), true}, {QStringLiteral("上一步(&B)"), false}, {QStringLiteral("下一步(&F)"), false}};
    for (short i = 0; i < 3; ++i) {
        EXPECT_EQ(host.wiz.ButtonCaption(i), buttons[static_cast<std::size_t>(i)].first);
        EXPECT_EQ(host.wiz.ButtonEnabled(i), buttons[static_cast<std::size_t>(i)].second) << "button " << i;
    }
    // Only the book list notice: the completed flag is set without a notice of its own.
    EXPECT_EQ(host.notices, std::vector<std::string>{host.BookListNotice()});
}

void NewBookCreation::ExpectClearedAsRetained(BookContents& created, BookContents& templateBook,
                                              const RetainBoxes& boxes) {
    const std::map<std::string, long> templateRows = templateBook.RowCounts();
    const std::map<std::string, long> rows = created.RowCounts();
    ASSERT_EQ(rows.size(), templateRows.size());
    for (const auto& [table, count] : templateRows) {
        if (table == "kxstatement")
            continue;
        ASSERT_TRUE(rows.contains(table)) << table;
        // Every template table has rows, so that an emptied and a kept table differ.
        ASSERT_GT(count, 0) << table;
        const auto rule = kGoverningBox.find(table);
        const int governing = rule == kGoverningBox.end() ? -2 : rule->second;
        const bool kept = governing == -2 || (governing == 7 ? !boxes[7] : governing >= 0 && boxes[static_cast<std::size_t>(governing)]);
        EXPECT_EQ(rows.at(table), kept ? count : 0) << table;
    }
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
