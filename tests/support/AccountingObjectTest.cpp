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

TEST(AccountingObject, SetBookInfoKeepsTheLastValuePerItem) {
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
    std::thread([&] {
        sameAsHere = &SharedAccountingObject() == here;
        thereOperator = SharedAccountingObject().OperatorID();
    }).join();
    EXPECT_FALSE(sameAsHere);
    EXPECT_EQ(thereOperator, 0);
    EXPECT_EQ(SharedAccountingObject().OperatorID(), 11);
}

} // namespace
} // namespace kx::support
