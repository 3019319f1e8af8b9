#include "support/AccountingObject.h"
#include "support/SupportError.h"

#include "SampleBookCopy.h"
#include "ado/AdoError.h"
#include "platform/Utf8Text.h"

#include <gtest/gtest.h>

namespace kx::support {
namespace {

class OperatorRightsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The book file is reached with empty texts, as the operator check asks.
        acc.PrepareConnection(cnn, book.str(), "", "", "");
        cnn.Open({}, {}, {}, -1);
        acc.SetConnection(cnn);
    }
    void TearDown() override { cnn.Close(); }

    test::SampleBookCopy book;
    AccountingObject acc;
    ado::Connection cnn;
};

TEST_F(OperatorRightsTest, GetConnectionGivesBackTheSameOpenConnection) {
    ado::Connection back = acc.GetConnection();
    EXPECT_EQ(back.State(), ado::adStateOpen);
    back.Close();
    EXPECT_EQ(cnn.State(), ado::adStateClosed);
    cnn.Open({}, {}, {}, -1);
}

struct PasswordCase {
    const char* name;
    std::int32_t operatorId;
    const char* typed;
    bool expected;
};

void PrintTo(const PasswordCase& c, std::ostream* os) { *os << c.name; }

class OperatorPasswordTest : public OperatorRightsTest, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(OperatorPasswordTest, MatchesExactlyThePasswordStoredForThatOperator) {
    EXPECT_EQ(acc.CheckOperatorPassword(GetParam().operatorId, GetParam().typed), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Passwords, OperatorPasswordTest,
    ::testing::Values(PasswordCase{"SupervisorRight", 1, "8888", true}, PasswordCase{"CashierRight", 2, "6666", true},
                      PasswordCase{"OtherOperatorsPassword", 1, "6666", false},
                      PasswordCase{"TrailingSpace", 1, "8888 ", false}, PasswordCase{"Prefix", 1, "888", false},
                      PasswordCase{"Longer", 1, "88888", false}, PasswordCase{"Empty", 1, "", false},
                      PasswordCase{"QuoteInjection", 1, "' OR '1'='1", false},
                      PasswordCase{"UnknownOperator", 99, "8888", false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(OperatorRightsTest, RightsBelongToTheCurrentOperator) {
    acc.SetOperatorID(1);
    EXPECT_TRUE(acc.HasRight("VCH_LOOK"));
    acc.SetOperatorID(2);
    EXPECT_FALSE(acc.HasRight("VCH_LOOK"));
    EXPECT_TRUE(acc.HasRight("JNL_LOOK"));
    EXPECT_FALSE(acc.HasRight("NO_SUCH_RIGHT"));
    acc.SetOperatorID(99);
    EXPECT_FALSE(acc.HasRight("VCH_LOOK"));
}

TEST_F(OperatorRightsTest, RightCodeCannotWidenTheQuery) {
    acc.SetOperatorID(2);
    EXPECT_FALSE(acc.HasRight("x' Or '1'='1"));
    EXPECT_FALSE(acc.HasRight("VCH_LOOK' Or opID = 1 Or 'a'='b"));
}

std::string StoredBookInfo(ado::Connection& cnn) {
    return cnn.Execute("Select InfoValue From kxBookInfo Where InfoName = 'BookInfo'")->Item(0).Value().ToString();
}

TEST_F(OperatorRightsTest, SaveBookInfoReplacesTheSetItemsAndKeepsTheOthers) {
    const std::string before = StoredBookInfo(cnn);
    acc.SetBookInfo(5, "新账簿");
    acc.SetBookInfo(6, "上海某某贸易有限公司");
    acc.SetBookInfo(15, "2026年12月");
    acc.SetBookInfo(14, acc.InfoItem14());
    acc.SaveBookInfo("存储账簿信息串", "|");
    const auto items = platform::SplitText(StoredBookInfo(cnn), '|');
    const auto old = platform::SplitText(before, '|');
    ASSERT_EQ(items.size(), 15u);
    EXPECT_EQ(items[4], "新账簿");
    EXPECT_EQ(items[5], "上海某某贸易有限公司");
    EXPECT_EQ(items[13].rfind("KXLW-", 0), 0u);
    EXPECT_EQ(items[13].size(), 13u);
    EXPECT_EQ(items[14], "2026年12月");
    EXPECT_EQ(items[0], old[0]);
    EXPECT_EQ(items[6], old[6]);
}

TEST_F(OperatorRightsTest, ASeparatorInsideAValueCannotShiftTheItems) {
    acc.SetBookInfo(5, "甲|乙");
    acc.SetBookInfo(17, "x");
    acc.SaveBookInfo("存储账簿信息串", "|");
    const auto items = platform::SplitText(StoredBookInfo(cnn), '|');
    ASSERT_EQ(items.size(), 17u);
    EXPECT_EQ(items[4], "甲｜乙");
    EXPECT_EQ(items[15], "");
    EXPECT_EQ(items[16], "x");
}

TEST_F(OperatorRightsTest, SaveBookInfoWritesTheRowWhenTheBookHasNone) {
    cnn.Execute("Delete From kxBookInfo");
    acc.SetBookInfo(2, "000007");
    acc.SaveBookInfo("存储账簿信息串", "|");
    EXPECT_EQ(StoredBookInfo(cnn), "|000007");
}

TEST(AccountingObjectPrepare, BookFileConnectionOpensTheKeyedBookWithPlaceholderOrNothing) {
    test::SampleBookCopy book;
    AccountingObject acc;
    for (const char* user : {"", "###"}) {
        ado::Connection cnn;
        acc.PrepareConnection(cnn, book.str(), "", user, "");
        EXPECT_EQ(cnn.State(), ado::adStateClosed);
        cnn.Open({}, {}, {}, -1);
        auto rows = cnn.Execute("Select Count(*) From kxOperator");
        ASSERT_TRUE(rows.has_value());
        EXPECT_EQ(rows->Item(0).Value().ToInt32(), 3);
        cnn.Close();
    }
}

TEST(AccountingObjectPrepare, MissingBookFailsWhenOpened) {
    test::TempFolder folder;
    AccountingObject acc;
    ado::Connection cnn;
    acc.PrepareConnection(cnn, (folder.path() / "none.mde").string(), "", "", "");
    EXPECT_THROW(cnn.Open({}, {}, {}, -1), ado::AdoError);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.mde"));
}

} // namespace
} // namespace kx::support
