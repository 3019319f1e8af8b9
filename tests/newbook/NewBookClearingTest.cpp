#include "newbook/NewBookClearing.h"

#include "SampleBookCopy.h"
#include "database/CreateCnn.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kx::newbook {
namespace {

constexpr int kEmptied = -1; ///< emptied whatever the boxes say
constexpr int kKept = -2;    ///< never touched
constexpr int kWagesBox = 7; ///< emptied when this box IS set

/// Every table of the sample book and the retain box that governs it.
const std::map<std::string, int> kTables{
    {"kxSystem", kKept},       {"kxBookInfo", kKept},        {"kxOperator", kKept},       {"kxOpRight", kKept},
    {"kxCashFlow", 3},         {"kxAccReport", kKept},       {"kxDocDir", kEmptied},      {"kxDocRecs", kEmptied},
    {"kxAccPeriod", kEmptied}, {"kxBranchInit", kEmptied},   {"kxItemInit", kEmptied},    {"kxFlowInit", kEmptied},
    {"kxJournal", kEmptied},   {"kxJournalRecs", kEmptied},  {"kxLog", kEmptied},         {"kxAccData", kEmptied},
    {"kxAssistItem", 0},       {"kxAccClass", 1},            {"kxAccInitial", 1},         {"kxFrmFormat", 1},
    {"kxAccFormat", 1},        {"kxBranch", 2},              {"kxExplain", 4},            {"kxTrans", 6},
    {"kxTransSetting", 6},     {"kxWages", kWagesBox},       {"kxWagesRecs", kWagesBox},  {"kxStaff", kWagesBox},
    {"kxFaClass", kKept},         {"kxFaCard", kKept},         {"kxFaDeprec", kKept}};

class NewBookClearingTest : public ::testing::Test {
  protected:
    /// Row counts of `queries` (table and condition), through one connection.
    std::vector<long> Counts(const std::vector<std::string>& queries) {
        ado::Connection cnn;
        database::CreateCnn(cnn, book.str(), "", "", "###");
        cnn.Open({}, {}, {}, -1);
        std::vector<long> counts;
        for (const std::string& query : queries)
            counts.push_back(cnn.Execute("Select Count(*) From " + query)->Item(0).Value().ToInt32());
        cnn.Close();
        return counts;
    }
    long Count(const std::string& query) { return Counts({query}).front(); }

    test::SampleBookCopy book;
    support::AccountingObject acc;
    std::vector<short> process;
    std::vector<std::pair<std::string, bool>> prompts;
    ClearingEvents events{[this](short v) { process.push_back(v); },
                          [this](const std::string& m, bool box) { prompts.emplace_back(m, box); }};
};

TEST_F(NewBookClearingTest, EachTableIsEmptiedOrKeptAsItsRetainBoxSays) {
    const RetainStates choices[] = {{1, 1, 1, 1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 0, 1, 0, 1, 0, 1, 0, 0},
                                    {0, 1, 0, 1, 0, 1, 0, 1, 1}};
    for (const RetainStates& retain : choices) {
        SCOPED_TRACE(testing::PrintToString(retain));
        const test::SampleBookCopy fresh;
        std::vector<std::string> queries;
        for (const auto& [table, box] : kTables)
            queries.push_back(table);
        queries.push_back("kxStatement Where AssistCode Is Null Or Len(AssistCode)<=4");
        queries.push_back("kxStatement Where Len(AssistCode)>4");
        const std::vector<long> before = Counts(queries);
        for (std::size_t i = 0; i < before.size(); ++i)
            ASSERT_GT(before[i], 0) << queries[i] << ": an emptied and a kept table must differ";
        process.clear();
        ASSERT_TRUE(ClearNewBook(false, book.str(), {}, retain, &acc, events));
        const std::vector<long> after = Counts(queries);
        std::size_t i = 0;
        for (const auto& [table, box] : kTables) {
            const bool kept = box == kKept || (box == kWagesBox ? retain[7] == 0 : box >= 0 && retain[box] != 0);
            EXPECT_EQ(after[i], kept ? before[i] : 0) << table;
            ++i;
        }
        // The template's own reports (codes longer than four characters) go without box 5.
        EXPECT_EQ(after[i], before[i]);
        EXPECT_EQ(after[i + 1], retain[5] != 0 ? before[i + 1] : 0);
        EXPECT_EQ(process, (std::vector<short>{40, 60}));
        EXPECT_TRUE(prompts.empty());
        std::filesystem::copy_file(fresh.path(), book.path(), std::filesystem::copy_options::overwrite_existing);
    }
}

TEST_F(NewBookClearingTest, AMissingTableIsReportedWithoutTheBoxAndTheClearingGoesOn) {
    {
        ado::Connection cnn;
        database::CreateCnn(cnn, book.str(), "", "", "###");
        cnn.Open({}, {}, {}, -1);
        cnn.Execute("Drop Table kxAccInitial");
        cnn.Close();
    }
    ASSERT_TRUE(ClearNewBook(false, book.str(), {}, {1, 0, 1, 1, 1, 1, 1, 0, 1}, &acc, events));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].first.rfind("清理数据表： kxAccInitial时遇到错误：", 0), 0u) << prompts[0].first;
    EXPECT_FALSE(prompts[0].second);
    EXPECT_EQ(Count("kxAccFormat"), 0);
    EXPECT_GT(Count("kxStaff"), 0);
}

TEST_F(NewBookClearingTest, WithoutTheHostsObjectOrAConnectionTheClearingFails) {
    EXPECT_THROW(ClearNewBook(false, book.str(), {}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, nullptr, events),
                 support::SupportError);
    EXPECT_EQ(process, (std::vector<short>{40}));
    EXPECT_FALSE(ZapTable("kxLog", "", nullptr, events));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].first.rfind("清理数据表：kxLog时遇到错误：", 0), 0u);
    EXPECT_FALSE(prompts[0].second);
}

} // namespace
} // namespace kx::newbook
