#include "support/AccountingObject.h"
#include "SampleBookCopy.h"
#include "ado/AdoError.h"
#include "platform/Utf8Text.h"
#include "support/SupportError.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace kx::support {
namespace {

TEST(AccountingObject, NormalizeTextTrimsEndsAndCollapsesInnerWhiteSpace) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {" \t\r\n\xE3\x80\x80 ", ""}, {"新账簿", "新账簿"}, {"  北京分公司  ", "北京分公司"},
        {"a    b", "a b"}, {"a\tb", "a b"}, {"第一行\r\n第二行", "第一行 第二行"},
        {"\xE3\x80\x80\xE3\x80\x80张三\xE3\x80\x80", "张三"}, {"财务 \t\xE3\x80\x80\r\n主管", "财务 主管"},
        {" a  b\tc ", "a b c"},
        // U+3001 and U+3007 share the lead bytes of U+3000 and must stay, as must malformed bytes.
        {"\xE3\x80\x81\xE3\x80\x87", "\xE3\x80\x81\xE3\x80\x87"}, {" \xFF\xE3\x80 x ", "\xFF\xE3\x80 x"},
        {"x\xE3\x80", "x\xE3\x80"}};
    const AccountingObject acc;
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(acc.NormalizeText(input), expected) << input;
}

TEST(AccountingObject, NoticesReachTheCurrentReceiverUnchangedInOrder) {
    AccountingObject acc;
    EXPECT_NO_THROW(acc.SendNotice("42|All|Branch|0||")) << "without a receiver";
    std::vector<std::string> received;
    acc.SetNoticeReceiver([&acc, &received](const std::string& first) {
        acc.SetNoticeReceiver([&received](const std::string& later) { received.push_back("second:" + later); });
        // The replaced receiver's captures must still be usable here.
        received.push_back("first:" + first);
    });
    acc.SendNotice("42|All|BookList|0||");
    acc.SendNotice("42|All|Branch|0||");
    acc.SetNoticeReceiver(nullptr);
    acc.SendNotice("gone");
    EXPECT_EQ(received, (std::vector<std::string>{"first:42|All|BookList|0||", "second:42|All|Branch|0||"}));
    acc.SetNoticeReceiver([](const std::string&) { throw std::runtime_error("host gone"); });
    EXPECT_THROW(acc.SendNotice("x"), std::runtime_error);
}

TEST(AccountingObject, ConnectionMustHaveBeenSetOpen) {
    AccountingObject acc;
    const auto numberOf = [](const std::function<void()>& body) -> int {
        try {
            body();
        } catch (const SupportError& e) {
            return e.number();
        }
        ADD_FAILURE() << "no error";
        return 0;
    };
    EXPECT_EQ(numberOf([&] { static_cast<void>(acc.GetConnection()); }), supporterr::ObjectNotSet);
    EXPECT_EQ(numberOf([&] { acc.SetConnection(ado::Connection()); }), supporterr::InvalidArgument);
    EXPECT_EQ(numberOf([&] { static_cast<void>(acc.GetConnection()); }), supporterr::ObjectNotSet);
}

TEST(SharedAccountingObject, IsOneInstancePerThread) {
    AccountingObject* here = &SharedAccountingObject();
    EXPECT_EQ(here, &SharedAccountingObject());
    here->SetOperatorID(11);
    bool sameAsHere = true;
    std::int32_t thereOperator = -1;
    std::thread([&] {
        sameAsHere = &SharedAccountingObject() == here;
        thereOperator = SharedAccountingObject().OperatorID();
    }).join();
    EXPECT_FALSE(sameAsHere);
    EXPECT_EQ(thereOperator, 0);
    EXPECT_EQ(SharedAccountingObject().OperatorID(), 11);
}

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

TEST_F(OperatorRightsTest, PasswordsMatchExactlyWhatIsStoredForThatOperator) {
    const std::tuple<std::int32_t, const char*, bool> cases[] = {
        {1, "8888", true}, {2, "6666", true}, {1, "6666", false}, {1, "8888 ", false}, {1, "888", false},
        {1, "88888", false}, {1, "", false}, {1, "' OR '1'='1", false}, {99, "8888", false}};
    for (const auto& [operatorId, typed, expected] : cases)
        EXPECT_EQ(acc.CheckOperatorPassword(operatorId, typed), expected) << operatorId << ":" << typed;
}

TEST_F(OperatorRightsTest, RightsBelongToTheCurrentOperatorAndCodesCannotWidenTheQuery) {
    acc.SetOperatorID(1);
    EXPECT_TRUE(acc.HasRight("VCH_LOOK"));
    acc.SetOperatorID(2);
    EXPECT_FALSE(acc.HasRight("VCH_LOOK"));
    EXPECT_TRUE(acc.HasRight("JNL_LOOK"));
    EXPECT_FALSE(acc.HasRight("NO_SUCH_RIGHT"));
    EXPECT_FALSE(acc.HasRight("x' Or '1'='1"));
    EXPECT_FALSE(acc.HasRight("VCH_LOOK' Or opID = 1 Or 'a'='b"));
    acc.SetOperatorID(99);
    EXPECT_FALSE(acc.HasRight("VCH_LOOK"));
    // The connection handed back is the one set, not a copy.
    ado::Connection back = acc.GetConnection();
    back.Close();
    EXPECT_EQ(cnn.State(), ado::adStateClosed);
    cnn.Open({}, {}, {}, -1);
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
    // A separator inside a value cannot shift the items.
    acc.SetBookInfo(5, "甲|乙");
    acc.SetBookInfo(17, "x");
    acc.SaveBookInfo("存储账簿信息串", "|");
    const auto shifted = platform::SplitText(StoredBookInfo(cnn), '|');
    ASSERT_EQ(shifted.size(), 17u);
    EXPECT_EQ(shifted[4], "甲｜乙");
    EXPECT_EQ(shifted[15], "");
    EXPECT_EQ(shifted[16], "x");
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
        EXPECT_EQ(cnn.Execute("Select Count(*) From kxOperator")->Item(0).Value().ToInt32(), 3);
        cnn.Close();
    }
    ado::Connection missing;
    acc.PrepareConnection(missing, (book.path().parent_path() / "none.mde").string(), "", "", "");
    EXPECT_THROW(missing.Open({}, {}, {}, -1), ado::AdoError);
    EXPECT_FALSE(std::filesystem::exists(book.path().parent_path() / "none.mde"));
}

} // namespace
} // namespace kx::support
