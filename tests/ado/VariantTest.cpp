#include "BookFileFixture.h"

#include "ado/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace kx::ado {
namespace {

using test::CatchAdoError;

TEST(Variant, ToStringGivesTheTextForm) {
    const std::pair<Variant, std::string> cases[] = {
        {Variant(), ""},
        {Variant::Null(), ""},
        {Variant(true), "True"},
        {Variant(false), "False"},
        {Variant(std::int32_t{-5}), "-5"},
        {Variant(0.1 + 0.2), "0.3"},
        {Variant(1e20), "1E+20"},
        {Variant(Currency{125000}), "12.5"},
        {Variant(Currency{-1}), "-0.0001"},
        {Variant(Currency{INT64_MIN}), "-922337203685477.5808"},
        {Variant(Date::FromParts(2013, 3, 15)), "2013-03-15"},
        {Variant(Date::FromParts(2013, 3, 15, 8, 5, 9)), "2013-03-15 08:05:09"},
        {Variant("中文𠮷"), "中文𠮷"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(value.ToString(), text);
}

TEST(Variant, NumbersConvertRoundingHalfToEvenWithTrueAsMinusOne) {
    EXPECT_EQ(Variant(2.5).ToInt32(), 2);
    EXPECT_EQ(Variant(3.5).ToInt32(), 4);
    EXPECT_EQ(Variant(-2.5).ToInt32(), -2);
    EXPECT_EQ(Variant(Currency{25000}).ToInt32(), 2);
    EXPECT_EQ(Variant(Currency{35000}).ToInt32(), 4);
    EXPECT_EQ(Variant(Currency{-25001}).ToInt32(), -3);
    EXPECT_EQ(Variant(true).ToInt32(), -1);
    EXPECT_EQ(Variant(true).ToCurrency(), Currency::FromUnits(-1));
    EXPECT_TRUE(Variant(std::int32_t{-1}).ToBool());
    EXPECT_FALSE(Variant("False").ToBool());
    EXPECT_TRUE(Variant("true").ToBool());
    EXPECT_FALSE(Variant().ToBool());
    EXPECT_FALSE(Variant(" 0 ").ToBool());
    EXPECT_TRUE(Variant("2").ToBool());
    EXPECT_FALSE(Variant(Currency{0}).ToBool());
    EXPECT_TRUE(Variant(Currency{1}).ToBool());
    EXPECT_EQ(Variant("+42").ToInt64(), 42);
    EXPECT_EQ(Variant(" 42 ").ToInt32(), 42);
    EXPECT_EQ(Variant("9223372036854775807").ToInt64(), INT64_MAX);
    EXPECT_DOUBLE_EQ(Variant("1.5e3").ToDouble(), 1500.0);
    EXPECT_EQ(Variant().ToInt32(), 0);
    // Currency is exact from text, and doubles round to four places.
    EXPECT_EQ(ParseCurrency("12345678901234.5678").scaled, 123456789012345678);
    EXPECT_EQ(ParseCurrency("-0.01").scaled, -100);
    EXPECT_EQ(ParseCurrency("7").scaled, 70000);
    EXPECT_EQ(Variant("1.23456").ToCurrency().scaled, 12346);
    EXPECT_EQ(Variant(0.1235).ToCurrency().scaled, 1235);
    EXPECT_EQ(Variant(-123456789.0001).ToCurrency().scaled, -1234567890001);
}

TEST(Variant, ConversionsThatCannotWorkFailWithTheirError) {
    const std::pair<std::function<void()>, long> cases[] = {
        {[] { Variant("abc").ToInt32(); }, errors::TypeMismatch},
        {[] { Variant("12abc").ToDouble(); }, errors::TypeMismatch},
        {[] { ParseCurrency("1.2.3"); }, errors::TypeMismatch},
        {[] { Variant(1.0).AsString(); }, errors::TypeMismatch},
        {[] { Variant(std::int64_t{1} << 31).ToInt32(); }, errors::Overflow},
        {[] { Variant(std::int32_t{40000}).ToInt16(); }, errors::Overflow},
        {[] { Variant(1e30).ToInt64(); }, errors::Overflow},
        {[] { Variant(1e30).ToCurrency(); }, errors::Overflow},
        {[] { Variant("99999999999999999999").ToCurrency(); }, errors::Overflow},
        {[] { Variant::Null().ToInt32(); }, errors::InvalidUseOfNull},
        {[] { Variant::Null().ToDouble(); }, errors::InvalidUseOfNull},
        {[] { Date::FromParts(2013, 2, 29); }, errors::InvalidArgument},
        {[] { Date::FromParts(2013, 13, 1); }, errors::InvalidArgument},
        {[] { Date::FromParts(2013, 1, 1, 24, 0, 0); }, errors::InvalidArgument},
        {[] { ParseDate("15.03.2013"); }, errors::TypeMismatch},
        {[] { ParseDate("2013-02-30"); }, errors::TypeMismatch}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(CatchAdoError(cases[i].first).Number(), cases[i].second) << "case " << i;
}

TEST(Variant, DatesMatchTheAutomationDateNumbers) {
    const std::pair<DateParts, double> cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},       {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{1900, 2, 28, 0, 0, 0}, 60.0},       {{1900, 3, 1, 0, 0, 0}, 61.0},
        {{2000, 1, 1, 12, 0, 0}, 36526.5},    {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{1800, 1, 1, 0, 0, 0}, -36522.0},    {{2013, 3, 15, 23, 59, 59}, 41348.99998842592},
        {{9999, 12, 31, 23, 59, 59}, 2958465.999988426}};
    for (const auto& [parts, days] : cases) {
        EXPECT_DOUBLE_EQ(Date::FromParts(parts).days, days);
        EXPECT_EQ(Date{days}.Parts(), parts) << days;
    }
    for (const DateParts parts : {DateParts{100, 1, 1, 0, 0, 1}, DateParts{2024, 2, 29, 12, 30, 0}})
        EXPECT_EQ(Date::FromParts(parts).Parts(), parts);
    EXPECT_EQ(ParseDate("2013/3/5 7:08").Parts(), (DateParts{2013, 3, 5, 7, 8, 0}));
    EXPECT_EQ(ParseDate("2013-03-15T10:20:30.250").Parts(), (DateParts{2013, 3, 15, 10, 20, 30}));
    EXPECT_EQ(Variant("2013-03-15 10:20:30").ToDate().Parts(), (DateParts{2013, 3, 15, 10, 20, 30}));
}

TEST(Variant, EqualityNeedsTheSameKind) {
    EXPECT_EQ(Variant("a"), Variant(std::string("a")));
    EXPECT_NE(Variant(std::int32_t{1}), Variant(std::int16_t{1}));
    EXPECT_NE(Variant(), Variant::Null());
    EXPECT_TRUE(Variant::Null().IsMissing());
    EXPECT_EQ(Variant::FromByteString(std::string("\0\1", 2)).AsBytes().size(), 2u);
}

} // namespace
} // namespace kx::ado
