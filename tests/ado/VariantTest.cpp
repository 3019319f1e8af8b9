#include "BookFileFixture.h"

#include "ado/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kx::ado {
namespace {

using test::CatchAdoError;

struct TextCase {
    Variant value;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class VariantToString : public ::testing::TestWithParam<TextCase> {};

TEST_P(VariantToString, GivesTheTextForm) {
    EXPECT_EQ(GetParam().value.ToString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, VariantToString,
    ::testing::Values(TextCase{Variant(), ""}, TextCase{Variant::Null(), ""}, TextCase{Variant(true), "True"},
                      TextCase{Variant(false), "False"}, TextCase{Variant(std::int32_t{-5}), "-5"},
                      TextCase{Variant(0.1), "0.1"}, TextCase{Variant(0.1 + 0.2), "0.3"},
                      TextCase{Variant(1e20), "1E+20"}, TextCase{Variant(Currency{125000}), "12.5"},
                      TextCase{Variant(Currency{-1}), "-0.0001"},
                      TextCase{Variant(Currency{INT64_MIN}), "-922337203685477.5808"},
                      TextCase{Variant(Date::FromParts(2013, 3, 15)), "2013-03-15"},
                      TextCase{Variant(Date::FromParts(2013, 3, 15, 8, 5, 9)), "2013-03-15 08:05:09"},
                      TextCase{Variant("中文𠮷"), "中文𠮷"}));

TEST(VariantNumbers, RoundHalfToEvenWhenMadeWhole) {
    EXPECT_EQ(Variant(2.5).ToInt32(), 2);
    EXPECT_EQ(Variant(3.5).ToInt32(), 4);
    EXPECT_EQ(Variant(-2.5).ToInt32(), -2);
    EXPECT_EQ(Variant(Currency{25000}).ToInt32(), 2);
    EXPECT_EQ(Variant(Currency{35000}).ToInt32(), 4);
    EXPECT_EQ(Variant(Currency{-25001}).ToInt32(), -3);
}

TEST(VariantNumbers, TrueIsMinusOne) {
    EXPECT_EQ(Variant(true).ToInt32(), -1);
    EXPECT_EQ(Variant(true).ToCurrency(), Currency::FromUnits(-1));
    EXPECT_TRUE(Variant(std::int32_t{-1}).ToBool());
    EXPECT_FALSE(Variant("False").ToBool());
    EXPECT_TRUE(Variant("true").ToBool());
}

TEST(VariantNumbers, TextConvertsWhenItIsANumber) {
    EXPECT_EQ(Variant(" 42 ").ToInt32(), 42);
    EXPECT_EQ(Variant("9223372036854775807").ToInt64(), INT64_MAX);
    EXPECT_DOUBLE_EQ(Variant("1.5e3").ToDouble(), 1500.0);
    EXPECT_EQ(CatchAdoError([] { Variant("abc").ToInt32(); }).Number(), errors::TypeMismatch);
    EXPECT_EQ(CatchAdoError([] { Variant("12abc").ToDouble(); }).Number(), errors::TypeMismatch);
}

TEST(VariantNumbers, ValuesOutOfRangeOverflow) {
    EXPECT_EQ(CatchAdoError([] { Variant(std::int64_t{1} << 31).ToInt32(); }).Number(), errors::Overflow);
    EXPECT_EQ(CatchAdoError([] { Variant(std::int32_t{40000}).ToInt16(); }).Number(), errors::Overflow);
    EXPECT_EQ(CatchAdoError([] { Variant(1e30).ToInt64(); }).Number(), errors::Overflow);
    EXPECT_EQ(CatchAdoError([] { Variant(1e30).ToCurrency(); }).Number(), errors::Overflow);
    EXPECT_EQ(CatchAdoError([] { Variant("99999999999999999999").ToCurrency(); }).Number(), errors::Overflow);
}

TEST(VariantNumbers, NullIsNoNumber) {
    EXPECT_EQ(CatchAdoError([] { Variant::Null().ToInt32(); }).Number(), errors::InvalidUseOfNull);
    EXPECT_EQ(CatchAdoError([] { Variant::Null().ToDouble(); }).Number(), errors::InvalidUseOfNull);
    EXPECT_EQ(Variant().ToInt32(), 0);
}

TEST(VariantCurrency, TextAmountsAreExact) {
    EXPECT_EQ(ParseCurrency("12345678901234.5678").scaled, 123456789012345678);
    EXPECT_EQ(ParseCurrency("-0.01").scaled, -100);
    EXPECT_EQ(ParseCurrency("7").scaled, 70000);
    EXPECT_EQ(Variant("0.1").ToCurrency().scaled, 1000);
    // More than four places: rounded half to even through the double value.
    EXPECT_EQ(Variant("1.23456").ToCurrency().scaled, 12346);
    EXPECT_EQ(CatchAdoError([] { ParseCurrency("1.2.3"); }).Number(), errors::TypeMismatch);
}

TEST(VariantCurrency, DoublesRoundToFourPlaces) {
    EXPECT_EQ(Variant(0.1235).ToCurrency().scaled, 1235);
    EXPECT_EQ(Variant(19.99).ToCurrency().scaled, 199900);
    EXPECT_EQ(Variant(-123456789.0001).ToCurrency().scaled, -1234567890001);
}

struct DateCase {
    DateParts parts;
    double days;
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.days;
}

class VariantDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(VariantDates, MatchTheAutomationDateNumbers) {
    const Date date = Date::FromParts(GetParam().parts);
    EXPECT_DOUBLE_EQ(date.days, GetParam().days);
    EXPECT_EQ(Date{GetParam().days}.Parts(), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Known, VariantDates,
    ::testing::Values(DateCase{{1899, 12, 30, 0, 0, 0}, 0.0}, DateCase{{1899, 12, 31, 0, 0, 0}, 1.0},
                      DateCase{{1900, 1, 1, 0, 0, 0}, 2.0}, DateCase{{1900, 2, 28, 0, 0, 0}, 60.0},
                      DateCase{{1900, 3, 1, 0, 0, 0}, 61.0}, DateCase{{2000, 1, 1, 0, 0, 0}, 36526.0},
                      DateCase{{2000, 1, 1, 12, 0, 0}, 36526.5}, DateCase{{1899, 12, 29, 6, 0, 0}, -1.25},
                      DateCase{{1800, 1, 1, 0, 0, 0}, -36522.0}));

TEST(VariantDateParts, RoundTripToTheSecond) {
    for (const DateParts parts : {DateParts{2013, 3, 15, 23, 59, 59}, DateParts{9999, 12, 31, 23, 59, 59},
                                  DateParts{100, 1, 1, 0, 0, 1}, DateParts{2024, 2, 29, 12, 30, 0}})
        EXPECT_EQ(Date::FromParts(parts).Parts(), parts);
}

TEST(VariantDateParts, ImpossibleDatesAreRefused) {
    EXPECT_EQ(CatchAdoError([] { Date::FromParts(2013, 2, 29); }).Number(), errors::InvalidArgument);
    EXPECT_EQ(CatchAdoError([] { Date::FromParts(2013, 13, 1); }).Number(), errors::InvalidArgument);
    EXPECT_EQ(CatchAdoError([] { Date::FromParts(2013, 1, 1, 24, 0, 0); }).Number(), errors::InvalidArgument);
}

TEST(VariantDateParts, DateTextsParse) {
    EXPECT_EQ(ParseDate("2013-03-15").Parts(), (DateParts{2013, 3, 15, 0, 0, 0}));
    EXPECT_EQ(ParseDate("2013/3/5 7:08").Parts(), (DateParts{2013, 3, 5, 7, 8, 0}));
    EXPECT_EQ(ParseDate("2013-03-15T10:20:30.250").Parts(), (DateParts{2013, 3, 15, 10, 20, 30}));
    EXPECT_EQ(Variant("2013-03-15 10:20:30").ToDate().Parts(), (DateParts{2013, 3, 15, 10, 20, 30}));
    EXPECT_EQ(CatchAdoError([] { ParseDate("15.03.2013"); }).Number(), errors::TypeMismatch);
    EXPECT_EQ(CatchAdoError([] { ParseDate("2013-02-30"); }).Number(), errors::TypeMismatch);
}

TEST(VariantKinds, EqualityNeedsTheSameKind) {
    EXPECT_EQ(Variant("a"), Variant(std::string("a")));
    EXPECT_NE(Variant(std::int32_t{1}), Variant(std::int16_t{1}));
    EXPECT_NE(Variant(), Variant::Null());
    EXPECT_TRUE(Variant::Null().IsMissing());
    EXPECT_EQ(Variant::FromByteString(std::string("\0\1", 2)).AsBytes().size(), 2u);
    EXPECT_EQ(CatchAdoError([] { Variant(1.0).AsString(); }).Number(), errors::TypeMismatch);
}

} // namespace
} // namespace kx::ado
