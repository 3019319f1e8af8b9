#include "support/AccountingObject.h"
#include "support/SupportError.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace kx::support {
namespace {

struct NormalizeCase {
    const char* name;
    std::string input;
    std::string expected;
};

void PrintTo(const NormalizeCase& c, std::ostream* os) {
    *os << c.name;
}

class NormalizeTextTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeTextTest, TrimsEndsAndCollapsesInnerWhiteSpace) {
    const AccountingObject acc;
    EXPECT_EQ(acc.NormalizeText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeTextTest,
    testing::Values(
        NormalizeCase{"Empty", "", ""}, NormalizeCase{"OnlyWhiteSpace", " \t\r\n\xE3\x80\x80 ", ""},
        NormalizeCase{"Untouched", "新账簿", "新账簿"},
        NormalizeCase{"SpacesAtBothEnds", "  北京分公司  ", "北京分公司"},
        NormalizeCase{"InnerRunOfSpaces", "a    b", "a b"}, NormalizeCase{"TabBecomesSpace", "a\tb", "a b"},
        NormalizeCase{"LineBreaksBecomeSpace", "第一行\r\n第二行", "第一行 第二行"},
        NormalizeCase{"IdeographicSpaceTrimmed", "\xE3\x80\x80\xE3\x80\x80张三\xE3\x80\x80", "张三"},
        NormalizeCase{"MixedInnerRun", "财务 \t\xE3\x80\x80\r\n主管", "财务 主管"},
        NormalizeCase{"SeveralWords", " a  b\tc ", "a b c"},
        // U+3001 and U+3007 share the lead bytes of U+3000 and must stay.
        NormalizeCase{"NeighboursOfIdeographicSpaceKept", "\xE3\x80\x81\xE3\x80\x87",
                      "\xE3\x80\x81\xE3\x80\x87"},
        NormalizeCase{"MalformedBytesKept", " \xFF\xE3\x80 x ", "\xFF\xE3\x80 x"},
        NormalizeCase{"TruncatedIdeographicSpaceAtEndKept", "x\xE3\x80", "x\xE3\x80"}),
    [](const testing::TestParamInfo<NormalizeCase>& c) { return std::string(c.param.name); });

TEST(AccountingObjectNotice, WithoutReceiverSucceedsQuietly) {
    AccountingObject acc;
    EXPECT_NO_THROW(acc.SendNotice("42|All|Branch|0||"));
}

TEST(AccountingObjectNotice, DeliversEachNoticeUnchangedInOrder) {
    AccountingObject acc;
    std::vector<std::string> received;
    acc.SetNoticeReceiver([&received](const std::string& notice) { received.push_back(notice); });
    acc.SendNotice("42|All|BookList|0||");
    acc.SendNotice("42|All|Branch|0||");
    EXPECT_EQ(received, (std::vector<std::string>{"42|All|BookList|0||", "42|All|Branch|0||"}));
}

TEST(AccountingObjectNotice, RemovedReceiverGetsNothingMore) {
    AccountingObject acc;
    int calls = 0;
    acc.SetNoticeReceiver([&calls](const std::string&) { ++calls; });
    acc.SendNotice("1");
    acc.SetNoticeReceiver(nullptr);
    acc.SendNotice("2");
    EXPECT_EQ(calls, 1);
}

TEST(AccountingObjectNotice, ReceiverMayReplaceItselfWhileRunning) {
    AccountingObject acc;
    std::vector<std::string> received;
    acc.SetNoticeReceiver([&acc, &received](const std::string& first) {
        acc.SetNoticeReceiver(
            [&received](const std::string& later) { received.push_back("second:" + later); });
        // The replaced receiver's captures must still be usable here.
        received.push_back("first:" + first);
    });
    acc.SendNotice("a");
    acc.SendNotice("b");
    EXPECT_EQ(received, (std::vector<std::string>{"first:a", "second:b"}));
}

TEST(AccountingObjectNotice, ReceiverFailureReachesTheCaller) {
    AccountingObject acc;
    acc.SetNoticeReceiver([](const std::string&) { throw std::runtime_error("host gone"); });
    EXPECT_THROW(acc.SendNotice("x"), std::runtime_error);
}

TEST(AccountingObjectConnection, GetConnectionFailsWhenNoneWasSet) {
    AccountingObject acc;
    try {
        static_cast<void>(acc.GetConnection());
        FAIL() << "GetConnection returned without a connection";
    } catch (const SupportError& e) {
        EXPECT_EQ(e.number(), supporterr::ObjectNotSet);
    }
}

TEST(AccountingObjectConnection, SetConnectionRefusesAConnectionThatIsNotOpen) {
    AccountingObject acc;
    try {
        acc.SetConnection(ado::Connection());
        FAIL() << "a closed connection was accepted";
    } catch (const SupportError& e) {
        EXPECT_EQ(e.number(), supporterr::InvalidArgument);
    }
    EXPECT_THROW(static_cast<void>(acc.GetConnection()), SupportError);
}

TEST(AccountingObjectState, SetOperatorIdMakesThatOperatorCurrent) {
    AccountingObject acc;
    EXPECT_EQ(acc.OperatorID(), 0);
    acc.SetOperatorID(7);
    EXPECT_EQ(acc.OperatorID(), 7);
    acc.SetOperatorID(-3);
    EXPECT_EQ(acc.OperatorID(), -3);
}

TEST(AccountingObjectState, SetBookInfoKeepsTheLastValuePerItem) {
    AccountingObject acc;
    acc.SetBookInfo(5, "旧名称");
    acc.SetBookInfo(6, "某公司");
    acc.SetBookInfo(5, "新账簿");
    EXPECT_EQ(acc.PendingBookInfo(), (std::map<int, std::string>{{5, "新账簿"}, {6, "某公司"}}));
}

TEST(SharedAccountingObject, IsOneInstancePerThread) {
    AccountingObject* here = &SharedAccountingObject();
    EXPECT_EQ(here, &SharedAccountingObject());
    here->SetOperatorID(11);

    bool sameAsHere = true;
    std::int32_t thereOperator = -1;
    std::thread worker([&] {
        sameAsHere = &SharedAccountingObject() == here;
        thereOperator = SharedAccountingObject().OperatorID();
    });
    worker.join();
    EXPECT_FALSE(sameAsHere);
    EXPECT_EQ(thereOperator, 0);
    EXPECT_EQ(SharedAccountingObject().OperatorID(), 11);
}

} // namespace
} // namespace kx::support
