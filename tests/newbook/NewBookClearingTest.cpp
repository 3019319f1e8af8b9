// Which tables a new book keeps is checked on every route of tests/e2e; here the
// clearing's own failures.

#include "newbook/NewBookClearing.h"

#include "SampleBookCopy.h"
#include "database/CreateCnn.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx::newbook {
namespace {

class NewBookClearingTest : public ::testing::Test {
  protected:
    test::SampleBookCopy book;
    support::AccountingObject acc;
    std::vector<short> process;
    std::vector<std::pair<std::string, bool>> prompts;
    ClearingEvents events{[this](short v) { process.push_back(v); },
                          [this](const std::string& m, bool box) { prompts.emplace_back(m, box); }};
};

TEST_F(NewBookClearingTest, AMissingTableIsReportedWithoutTheBoxAndTheClearingGoesOnButFails) {
    ado::Connection cnn;
    database::CreateCnn(cnn, book.str(), "", "", "###");
    cnn.Open({}, {}, {}, -1);
    cnn.Execute("Drop Table kxAccInitial");
    EXPECT_FALSE(ClearNewBook(false, book.str(), {}, {1, 0, 1, 1, 1, 1, 1, 0, 1}, &acc, events));
    EXPECT_EQ(process, (std::vector<short>{40, 60}));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].first.rfind("清理数据表： kxAccInitial时遇到错误：", 0), 0u) << prompts[0].first;
    EXPECT_FALSE(prompts[0].second);
    EXPECT_EQ(cnn.Execute("Select Count(*) From kxAccFormat")->Item(0).Value().ToInt32(), 0);
    EXPECT_GT(cnn.Execute("Select Count(*) From kxStaff")->Item(0).Value().ToInt32(), 0);
    cnn.Close();
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
