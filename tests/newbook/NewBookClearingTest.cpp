#include "newbook/NewBookClearing.h"

#include "SampleBookCopy.h"
#include "database/CreateCnn.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kx::newbook {
namespace {

const std::vector<std::string> kAllTables{
    "kxSystem",    "kxBookInfo",   "kxOperator",  "kxOpRight",     "kxAccPeriod",  "kxAccClass", "kxAccInitial",
    "kxFrmFormat", "kxAccFormat",  "kxAssistItem", "kxBranch",     "kxCashFlow",   "kxExplain",  "kxTrans",
    "kxTransSetting", "kxAccReport", "kxStatement", "kxDocDir",    "kxDocRecs",    "kxBranchInit", "kxItemInit",
    "kxFlowInit",  "kxJournal",    "kxJournalRecs", "kxLog",       "kxAccData",    "kxStaff",    "kxWages",
    "kxWagesRecs", "kxFaClass",    "kxFaCard",     "kxFaDeprec"};

const std::set<std::string> kAlwaysEmptied{"kxDocDir",   "kxDocRecs",     "kxAccPeriod", "kxBranchInit", "kxItemInit",
                                           "kxFlowInit", "kxJournal",     "kxJournalRecs", "kxLog",      "kxAccData"};
const std::set<std::string> kWages{"kxWages", "kxWagesRecs", "kxStaff"};
const std::set<std::string> kGovernedByBoxes0To6{"kxAssistItem", "kxAccClass", "kxAccInitial", "kxFrmFormat",
                                                 "kxAccFormat",  "kxBranch",   "kxCashFlow",   "kxExplain",
                                                 "kxTrans",      "kxTransSetting"};

class NewBookClearingTest : public ::testing::Test {
protected:
    std::map<std::string, long> Counts() {
        ado::Connection cnn;
        database::CreateCnn(cnn, book.str(), "", "", "###");
        cnn.Open({}, {}, {}, -1);
        std::map<std::string, long> counts;
        for (const auto& table : kAllTables)
            counts[table] = cnn.Execute("Select Count(*) From " + table)->Item(0).Value().ToInt32();
        cnn.Close();
        return counts;
    }
    bool Clear(const RetainStates& retain) {
        return ClearNewBook(false, book.str(), {}, retain, &acc, events);
    }

    test::SampleBookCopy book;
    support::AccountingObject acc;
    std::vector<short> process;
    std::vector<std::pair<std::string, bool>> prompts;
    ClearingEvents events{[this](short v) { process.push_back(v); },
                          [this](const std::string& m, bool box) { prompts.emplace_back(m, box); }};
};

TEST_F(NewBookClearingTest, StartingBoxesKeepTheBaseDataAndEmptyBusinessAndWages) {
    const auto before = Counts();
    ASSERT_TRUE(Clear({1, 1, 1, 1, 1, 1, 1, 1, 1}));
    const auto after = Counts();
    for (const auto& table : kAllTables) {
        if (kAlwaysEmptied.contains(table) || kWages.contains(table))
            EXPECT_EQ(after.at(table), 0) << table;
        else
            EXPECT_EQ(after.at(table), before.at(table)) << table;
    }
    EXPECT_EQ(process, (std::vector<short>{40, 60}));
    EXPECT_TRUE(prompts.empty());
}

TEST_F(NewBookClearingTest, NoBoxSetEmptiesTheBaseDataButKeepsWages) {
    const auto before = Counts();
    ASSERT_TRUE(Clear({0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const auto after = Counts();
    for (const auto& table : kAllTables) {
        if (kAlwaysEmptied.contains(table) || kGovernedByBoxes0To6.contains(table)) {
            EXPECT_EQ(after.at(table), 0) << table;
        } else if (table != "kxStatement") {
            EXPECT_EQ(after.at(table), before.at(table)) << table;
        }
    }
    // Report rows whose code has at most four characters stay; longer codes go.
    ado::Connection cnn;
    database::CreateCnn(cnn, book.str(), "", "", "###");
    cnn.Open({}, {}, {}, -1);
    EXPECT_EQ(cnn.Execute("Select Count(*) From kxStatement Where Len(AssistCode)>4")->Item(0).Value().ToInt32(), 0);
    EXPECT_GT(cnn.Execute("Select Count(*) From kxStatement Where Len(AssistCode)=4")->Item(0).Value().ToInt32(), 0);
    EXPECT_GT(cnn.Execute("Select Count(*) From kxStatement Where AssistCode Is Null")->Item(0).Value().ToInt32(), 0);
    cnn.Close();
}

TEST_F(NewBookClearingTest, AMissingTableIsReportedWithoutTheBoxAndTheClearingGoesOn) {
    {
        ado::Connection cnn;
        database::CreateCnn(cnn, book.str(), "", "", "###");
        cnn.Open({}, {}, {}, -1);
        cnn.Execute("Drop Table kxAccInitial");
        cnn.Close();
    }
    ASSERT_TRUE(Clear({1, 0, 1, 1, 1, 1, 1, 0, 1}));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].first.rfind("清理数据表： kxAccInitial时遇到错误：", 0), 0u) << prompts[0].first;
    EXPECT_FALSE(prompts[0].second);
    ado::Connection cnn;
    database::CreateCnn(cnn, book.str(), "", "", "###");
    cnn.Open({}, {}, {}, -1);
    EXPECT_EQ(cnn.Execute("Select Count(*) From kxAccFormat")->Item(0).Value().ToInt32(), 0);
    EXPECT_GT(cnn.Execute("Select Count(*) From kxStaff")->Item(0).Value().ToInt32(), 0);
    cnn.Close();
}

TEST_F(NewBookClearingTest, WithoutTheHostsObjectTheClearingStopsWithAnError) {
    EXPECT_THROW(ClearNewBook(false, book.str(), {}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, nullptr, events),
                 support::SupportError);
    EXPECT_EQ(process, (std::vector<short>{40}));
}

TEST_F(NewBookClearingTest, ZapTableWithoutAConnectionFailsQuietly) {
    EXPECT_FALSE(ZapTable("kxLog", "", nullptr, events));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].first.rfind("清理数据表：kxLog时遇到错误：", 0), 0u);
    EXPECT_FALSE(prompts[0].second);
}

} // namespace
} // namespace kx::newbook
