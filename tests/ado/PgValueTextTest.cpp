#include "ado/pg/PgValueText.h"
#include "ado/pg/PgFieldType.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace kx::ado::pg {
namespace {

struct TypeCase {
    unsigned int oid;
    int typeModifier;
    DataTypeEnum type;
    long definedSize;
    bool isLong;
};

class ServerColumnTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ServerColumnTypes, AreReportedAsSqlServerReportsTheirTsqlTypes) {
    const TypeCase& c = GetParam();
    const PgFieldType type = DescribePgType(c.oid, c.typeModifier);
    EXPECT_EQ(type.type, c.type);
    EXPECT_EQ(type.definedSize, c.definedSize);
    EXPECT_EQ(type.isLong, c.isLong);
}

// Type modifiers as the server sends them: length + 4 for characters,
// ((precision << 16) | scale) + 4 for numeric.
INSTANTIATE_TEST_SUITE_P(
    PgFieldType, ServerColumnTypes,
    ::testing::Values(
        TypeCase{16, -1, adBoolean, 2, false}, TypeCase{21, -1, adSmallInt, 2, false},
        TypeCase{23, -1, adInteger, 4, false}, TypeCase{20, -1, adBigInt, 8, false},
        TypeCase{700, -1, adSingle, 4, false}, TypeCase{701, -1, adDouble, 8, false},
        TypeCase{1700, (19 << 16 | 4) + 4, adCurrency, 8, false},
        TypeCase{1700, (10 << 16 | 4) + 4, adCurrency, 8, false},
        TypeCase{1700, (18 << 16 | 2) + 4, adNumeric, 19, false},
        TypeCase{1700, (19 << 16 | 2) + 4, adNumeric, 19, false}, TypeCase{1700, -1, adNumeric, 19, false},
        TypeCase{1114, 3, adDBTimeStamp, 16, false}, TypeCase{1082, -1, adDBTimeStamp, 16, false},
        TypeCase{1043, 54, adVarWChar, 50, false}, TypeCase{1043, 260, adVarWChar, 256, false},
        TypeCase{1043, -1, adLongVarWChar, 1073741823, true}, TypeCase{1042, 14, adWChar, 10, false},
        TypeCase{25, -1, adLongVarWChar, 1073741823, true},
        TypeCase{17, -1, adLongVarBinary, 2147483647, true}, TypeCase{2950, -1, adGUID, 16, false},
        TypeCase{19, -1, adVarWChar, 128, false}, TypeCase{1083, -1, adVarWChar, 255, false}));

struct ValueCase {
    std::string text;
    DataTypeEnum type;
    Variant value;
};

class ServerTexts : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ServerTexts, BecomeTheFieldsKindOfValue) {
    EXPECT_EQ(VariantFromPgText(GetParam().text, GetParam().type), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    PgValueText, ServerTexts,
    ::testing::Values(
        ValueCase{"t", adBoolean, Variant(true)}, ValueCase{"f", adBoolean, Variant(false)},
        ValueCase{"-32768", adSmallInt, Variant(std::int16_t{-32768})},
        ValueCase{"2147483647", adInteger, Variant(std::int32_t{2147483647})},
        ValueCase{"-9223372036854775808", adBigInt, Variant(std::numeric_limits<std::int64_t>::min())},
        ValueCase{"0.1", adDouble, Variant(0.1)}, ValueCase{"1e+300", adDouble, Variant(1e300)},
        ValueCase{"1.5", adSingle, Variant(1.5)},
        ValueCase{"922337203685477.5807", adCurrency,
                  Variant(Currency{std::numeric_limits<std::int64_t>::max()})},
        ValueCase{"-0.0001", adCurrency, Variant(Currency{-1})},
        ValueCase{"-922337203685477.5808", adCurrency,
                  Variant(Currency{std::numeric_limits<std::int64_t>::min()})},
        ValueCase{"12.3400", adCurrency, Variant(Currency{123400})},
        ValueCase{"12.25", adNumeric, Variant(12.25)},
        // More digits than a Double holds: the exact text stays.
        ValueCase{"1234567890123456789", adNumeric, Variant("1234567890123456789")},
        ValueCase{"2024-02-29 23:59:58", adDBTimeStamp, Variant(Date::FromParts(2024, 2, 29, 23, 59, 58))},
        ValueCase{"1900-01-01 00:00:00.5", adDBTimeStamp, Variant(Date::FromParts(1900, 1, 1))},
        ValueCase{"2024-02-29", adDBTimeStamp, Variant(Date::FromParts(2024, 2, 29))},
        ValueCase{"\\x00ff10", adLongVarBinary,
                  Variant(Bytes{std::byte{0}, std::byte{0xFF}, std::byte{0x10}})},
        ValueCase{"\\x", adLongVarBinary, Variant(Bytes{})},
        ValueCase{"a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11", adGUID,
                  Variant("{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}")},
        ValueCase{"会计𠮷", adLongVarWChar, Variant("会计𠮷")},
        // Values no Variant kind holds stay text rather than being lost.
        ValueCase{"infinity", adDBTimeStamp, Variant("infinity")},
        ValueCase{"10000-01-01 00:00:00", adDBTimeStamp, Variant("10000-01-01 00:00:00")},
        ValueCase{"999999999999999.9999", adCurrency, Variant("999999999999999.9999")}));

struct TextCase {
    Variant value;
    std::optional<std::string> text;
};

class ValuesForTheServer : public ::testing::TestWithParam<TextCase> {};

TEST_P(ValuesForTheServer, AreWrittenInAFormEveryFittingColumnReads) {
    EXPECT_EQ(PgTextOf(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    PgValueText, ValuesForTheServer,
    ::testing::Values(TextCase{Variant(), std::nullopt}, TextCase{Variant::Null(), std::nullopt},
                      TextCase{Variant(true), "1"}, TextCase{Variant(false), "0"},
                      TextCase{Variant(std::int16_t{-5}), "-5"},
                      TextCase{Variant(std::int64_t{1} << 40), "1099511627776"},
                      TextCase{Variant(0.1), "0.1"}, TextCase{Variant(1.0 / 3.0), "0.3333333333333333"},
                      TextCase{Variant(std::numeric_limits<double>::infinity()), "Infinity"},
                      TextCase{Variant(-std::numeric_limits<double>::infinity()), "-Infinity"},
                      TextCase{Variant(Currency{std::numeric_limits<std::int64_t>::min()}),
                               "-922337203685477.5808"},
                      TextCase{Variant(Currency{123450}), "12.345"},
                      TextCase{Variant(Date::FromParts(2024, 1, 2)), "2024-01-02 00:00:00"},
                      TextCase{Variant(Date::FromParts(1899, 12, 30, 6, 7, 8)), "1899-12-30 06:07:08"},
                      TextCase{Variant("a\tb\\c"), "a\tb\\c"},
                      TextCase{Variant(Bytes{std::byte{0}, std::byte{0xAB}}), "\\x00ab"}));

TEST(PgValueText, DoublesGoOverAsTextThatReadsBackToTheSameDouble) {
    for (const double value : {0.1, 1e-300, 123456789.123456789, -2.5e15, 5e-324, 1.7976931348623157e308}) {
        const std::optional<std::string> text = PgTextOf(Variant(value));
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(VariantFromPgText(*text, adDouble), Variant(value)) << *text;
    }
    EXPECT_TRUE(std::isnan(VariantFromPgText("NaN", adDouble).ToDouble()));
}

class CurrencyTexts : public ::testing::TestWithParam<std::int64_t> {};

TEST_P(CurrencyTexts, AreWrittenInPlaceAsPgTextOfTheAmount) {
    const Currency amount{GetParam()};
    std::string text = "left over from an earlier, much longer value";
    AssignCurrencyText(text, amount);
    EXPECT_EQ(text, *PgTextOf(Variant(amount)));
}

INSTANTIATE_TEST_SUITE_P(Amounts, CurrencyTexts,
                         ::testing::Values(0, 1, -1, 10, 100, 1000, 5000, -5000, 10000, -10000, 10001,
                                           12345678901, -12345678901, 99990000, 123400,
                                           std::numeric_limits<std::int64_t>::max(),
                                           std::numeric_limits<std::int64_t>::min()));

TEST(PgValueText, DoublesWrittenInPlaceMatchPgTextOf) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (const double value : {0.0, -0.0, 0.1, 1.0 / 3.0, -2.5e-300, 1e300, 123456789012345680.0, kInfinity,
                               -kInfinity, std::numeric_limits<double>::quiet_NaN()}) {
        std::string text = "x";
        AssignDoubleText(text, value);
        EXPECT_EQ(text, *PgTextOf(Variant(value))) << value;
    }
}

TEST(PgValueText, BytesBecomeBinaryParametersAndTheRestText) {
    const PgParam bytes = PgParamOf(Variant(Bytes{std::byte{0}, std::byte{1}}));
    EXPECT_TRUE(bytes.binary);
    EXPECT_EQ(bytes.value, std::string("\0\1", 2));
    const PgParam money = PgParamOf(Variant(Currency{5}));
    EXPECT_FALSE(money.binary);
    EXPECT_EQ(money.value, "0.0005");
    EXPECT_FALSE(PgParamOf(Variant::Null()).value.has_value());
}

} // namespace
} // namespace kx::ado::pg
