#include "ado/pg/PgValueText.h"
#include "ado/pg/PgFieldType.h"
#include "ado/pg/ServerAddress.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>

namespace kx::ado::pg {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Type modifiers as the server sends them: length + 4 for characters,
// ((precision << 16) | scale) + 4 for numeric.
TEST(PgFieldType, ServerColumnsAreReportedAsSqlServerReportsTheirTsqlTypes) {
    struct Case {
        unsigned int oid;
        int typeModifier;
        DataTypeEnum type;
        long definedSize;
        bool isLong;
    };
    const Case cases[] = {
        {16, -1, adBoolean, 2, false},           {21, -1, adSmallInt, 2, false},
        {23, -1, adInteger, 4, false},           {20, -1, adBigInt, 8, false},
        {700, -1, adSingle, 4, false},           {701, -1, adDouble, 8, false},
        {1700, (19 << 16 | 4) + 4, adCurrency, 8, false}, {1700, (10 << 16 | 4) + 4, adCurrency, 8, false},
        {1700, (18 << 16 | 2) + 4, adNumeric, 19, false}, {1700, (19 << 16 | 2) + 4, adNumeric, 19, false},
        {1700, -1, adNumeric, 19, false},        {1114, 3, adDBTimeStamp, 16, false},
        {1082, -1, adDBTimeStamp, 16, false},    {1043, 54, adVarWChar, 50, false},
        {1043, 260, adVarWChar, 256, false},     {1043, -1, adLongVarWChar, 1073741823, true},
        {1042, 14, adWChar, 10, false},          {25, -1, adLongVarWChar, 1073741823, true},
        {17, -1, adLongVarBinary, 2147483647, true}, {2950, -1, adGUID, 16, false},
        {19, -1, adVarWChar, 128, false},        {1083, -1, adVarWChar, 255, false}};
    for (const Case& c : cases) {
        const PgFieldType type = DescribePgType(c.oid, c.typeModifier);
        EXPECT_EQ(type.type, c.type) << c.oid << "/" << c.typeModifier;
        EXPECT_EQ(type.definedSize, c.definedSize) << c.oid << "/" << c.typeModifier;
        EXPECT_EQ(type.isLong, c.isLong) << c.oid << "/" << c.typeModifier;
    }
}

TEST(PgValueText, ServerTextsBecomeTheFieldsKindOfValue) {
    struct Case {
        std::string text;
        DataTypeEnum type;
        Variant value;
    };
    const Case cases[] = {
        {"t", adBoolean, Variant(true)},
        {"f", adBoolean, Variant(false)},
        {"-32768", adSmallInt, Variant(std::int16_t{-32768})},
        {"2147483647", adInteger, Variant(std::int32_t{2147483647})},
        {"-9223372036854775808", adBigInt, Variant(kMin)},
        {"1e+300", adDouble, Variant(1e300)},
        {"1.5", adSingle, Variant(1.5)},
        {"922337203685477.5807", adCurrency, Variant(Currency{kMax})},
        {"-0.0001", adCurrency, Variant(Currency{-1})},
        {"-922337203685477.5808", adCurrency, Variant(Currency{kMin})},
        {"12.3400", adCurrency, Variant(Currency{123400})},
        {"12.25", adNumeric, Variant(12.25)},
        // More digits than a Double holds: the exact text stays.
        {"1234567890123456789", adNumeric, Variant("1234567890123456789")},
        {"2024-02-29 23:59:58", adDBTimeStamp, Variant(Date::FromParts(2024, 2, 29, 23, 59, 58))},
        {"1900-01-01 00:00:00.5", adDBTimeStamp, Variant(Date::FromParts(1900, 1, 1))},
        {"2024-02-29", adDBTimeStamp, Variant(Date::FromParts(2024, 2, 29))},
        {"\\x00ff10", adLongVarBinary, Variant(Bytes{std::byte{0}, std::byte{0xFF}, std::byte{0x10}})},
        {"\\x", adLongVarBinary, Variant(Bytes{})},
        {"a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11", adGUID, Variant("{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}")},
        {"会计𠮷", adLongVarWChar, Variant("会计𠮷")},
        // Values no Variant kind holds stay text rather than being lost.
        {"infinity", adDBTimeStamp, Variant("infinity")},
        {"10000-01-01 00:00:00", adDBTimeStamp, Variant("10000-01-01 00:00:00")},
        {"999999999999999.9999", adCurrency, Variant("999999999999999.9999")}};
    for (const Case& c : cases)
        EXPECT_EQ(VariantFromPgText(c.text, c.type), c.value) << c.text;
    // Doubles go over as text that reads back to the same double.
    for (const double value : {0.1, 1e-300, 123456789.123456789, -2.5e15, 5e-324, 1.7976931348623157e308})
        EXPECT_EQ(VariantFromPgText(*PgTextOf(Variant(value)), adDouble), Variant(value)) << value;
    EXPECT_TRUE(std::isnan(VariantFromPgText("NaN", adDouble).ToDouble()));
}

// The in-place writers of the row copy give the same text as PgTextOf, whatever the
// buffer held before.
TEST(PgValueText, ValuesAreWrittenInAFormEveryFittingColumnReads) {
    const std::pair<Variant, std::optional<std::string>> cases[] = {
        {Variant(), std::nullopt},
        {Variant::Null(), std::nullopt},
        {Variant(true), "1"},
        {Variant(false), "0"},
        {Variant(std::int16_t{-5}), "-5"},
        {Variant(std::int64_t{1} << 40), "1099511627776"},
        {Variant(Date::FromParts(2024, 1, 2)), "2024-01-02 00:00:00"},
        {Variant(Date::FromParts(1899, 12, 30, 6, 7, 8)), "1899-12-30 06:07:08"},
        {Variant("a\tb\\c"), "a\tb\\c"},
        {Variant(Bytes{std::byte{0}, std::byte{0xAB}}), "\\x00ab"},
        {Variant(Currency{0}), "0"}, {Variant(Currency{1}), "0.0001"}, {Variant(Currency{-1}), "-0.0001"},
        {Variant(Currency{10}), "0.001"}, {Variant(Currency{5000}), "0.5"}, {Variant(Currency{-5000}), "-0.5"},
        {Variant(Currency{10000}), "1"}, {Variant(Currency{-10000}), "-1"}, {Variant(Currency{10001}), "1.0001"},
        {Variant(Currency{123450}), "12.345"}, {Variant(Currency{99990000}), "9999"},
        {Variant(Currency{-12345678901}), "-1234567.8901"}, {Variant(Currency{kMax}), "922337203685477.5807"},
        {Variant(Currency{kMin}), "-922337203685477.5808"},
        {Variant(0.0), "0"}, {Variant(-0.0), "-0"}, {Variant(0.1), "0.1"},
        {Variant(1.0 / 3.0), "0.3333333333333333"}, {Variant(-2.5e-300), "-2.5e-300"}, {Variant(1e300), "1e+300"},
        {Variant(kInfinity), "Infinity"}, {Variant(-kInfinity), "-Infinity"},
        {Variant(std::numeric_limits<double>::quiet_NaN()), "NaN"}};
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(text.value_or("(none)"));
        EXPECT_EQ(PgTextOf(value), text);
        std::string buffer = "left over from an earlier, much longer value";
        if (value.Type() == VariantType::Currency) {
            AssignCurrencyText(buffer, value.ToCurrency());
            EXPECT_EQ(buffer, text);
        } else if (value.Type() == VariantType::Double) {
            AssignDoubleText(buffer, value.ToDouble());
            EXPECT_EQ(buffer, text);
        }
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

TEST(ServerAddress, DataSourceFormsGiveHostAndPortOrAreRefused) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", "", ""}, {"  ", "", ""}, {".", "", ""}, {"(local)", "", ""}, {"(local),5433", "", "5433"},
        {"dbhost", "dbhost", ""}, {" dbhost ", "dbhost", ""}, {"dbhost,5433", "dbhost", "5433"},
        {"dbhost, 5433", "dbhost", "5433"}, {"dbhost:5433", "dbhost", "5433"},
        {"10.0.0.7,1433", "10.0.0.7", "1433"}, {"/run/kx", "/run/kx", ""}, {"/run/kx,55432", "/run/kx", "55432"},
        // A colon in a socket folder belongs to the path.
        {"/run/a:b", "/run/a:b", ""}, {"/run/a:b,7", "/run/a:b", "7"}, {"::1", "::1", ""},
        {"[::1]:5433", "::1", "5433"}, {"[::1],5433", "::1", "5433"}};
    for (const auto& [dataSource, host, port] : cases) {
        const ServerAddress address = ParseDataSource(dataSource);
        EXPECT_EQ(address.host, host) << dataSource;
        EXPECT_EQ(address.port, port) << dataSource;
    }
    for (const char* bad : {"dbhost,", "dbhost,port", "dbhost,0", "dbhost,65536", "dbhost,123456", "dbhost:-1",
                            "dbhost,54 32", "[::1]:x", "SERVER\\SQLEXPRESS", "SERVER\\SQLEXPRESS,1433"})
        EXPECT_THROW(ParseDataSource(bad), std::invalid_argument) << bad;
}

} // namespace
} // namespace kx::ado::pg
