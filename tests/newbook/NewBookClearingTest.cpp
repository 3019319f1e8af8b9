// Which tables a new book keeps, and a statement that a table refuses, are checked
// on the routes and failures of tests/e2e; here the clearing's own failures.

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

TEST(NewBookClearing, AMissingTableIsReportedWithoutTheBoxAndWithoutTheHostsObjectOrAConnectionItFails) {
    test::SampleBookCopy book;
    support::AccountingObject acc;
    std::vector<short> process;
    std::vector<std::pair<std::string, bool>> prompts;
    const ClearingEvents events{[&](short v) { process.push_back(v); },
                                [&](const std::string& m, bool box) { prompts.emplace_back(m, box); }};
    ado::Connection cnn;
    database::CreateCnn(cnn, book.str(), "", "", "###");
    cnn.Open({}, {}, {}, -1);
    cnn.Execute("Drop Table kxAccInitial");
    cnn.Close();
    EXPECT_FALSE(ClearNewBook(false, book.str(), {}, {1, 0, 1, 1, 1, 1, 1, 0, 1}, &acc, events));
    EXPECT_EQ(process, (std::vector<short>{40, 60}));
    EXPECT_EQ(prompts, (std::vector<std::pair<std::string, bool>>{
                           {"清理数据表： kxAccInitial时遇到错误：no such table: kxAccInitial", false}}));

    EXPECT_THROW(ClearNewBook(false, book.str(), {}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, nullptr, events), support::SupportError);
    EXPECT_EQ(process, (std::vector<short>{40, 60, 40}));
    EXPECT_FALSE(ZapTable("kxLog", "", nullptr, events));
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[1], (std::pair<std::string, bool>{"清理数据表：kxLog时遇到错误：对象变量未设置。", false}));
}

} // namespace
} // namespace kx::newbook
