#include "ado/tsql/TsqlTypeMap.h"

#include "ParamNames.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kx::ado::tsql {
namespace {

struct TypeCase {
    std::string tsql;
    std::vector<long long> args;
    std::string pg;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.tsql << " -> " << c.pg;
}

std::string ParamText(const TypeCase& c) {
    std::string text = c.tsql;
    for (long long arg : c.args) {
        text += "_" + std::to_string(arg);
    }
    return text;
}

class TypeMapTable : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeMapTable, MapsToThePostgresqlType) {
    EXPECT_EQ(MapTsqlType(GetParam().tsql, GetParam().args), GetParam().pg);
}

INSTANTIATE_TEST_SUITE_P(
    ConversionTypes, TypeMapTable,
    ::testing::Values(TypeCase{"int", {}, "integer"}, TypeCase{"INT", {}, "integer"},
                      TypeCase{"nvarchar", {50}, "varchar(50)"}, TypeCase{"varchar", {256}, "varchar(256)"},
                      TypeCase{"bit", {}, "boolean"}, TypeCase{"ntext", {}, "text"},
                      TypeCase{"datetime", {}, "timestamp"}, TypeCase{"money", {}, "numeric(19,4)"},
                      TypeCase{"float", {}, "double precision"}, TypeCase{"image", {}, "bytea"}),
    test::ReadableParamName());

INSTANTIATE_TEST_SUITE_P(
    OtherTypes, TypeMapTable,
    ::testing::Values(TypeCase{"smallint", {}, "smallint"}, TypeCase{"tinyint", {}, "smallint"},
                      TypeCase{"bigint", {}, "bigint"}, TypeCase{"real", {}, "real"},
                      TypeCase{"float", {24}, "real"}, TypeCase{"float", {53}, "double precision"},
                      TypeCase{"char", {}, "char(1)"}, TypeCase{"nchar", {10}, "char(10)"},
                      TypeCase{"nvarchar", {kTsqlMaxLength}, "text"}, TypeCase{"varchar", {}, "varchar(1)"},
                      TypeCase{"uniqueidentifier", {}, "uuid"}, TypeCase{"decimal", {}, "numeric(18,0)"},
                      TypeCase{"decimal", {10}, "numeric(10,0)"},
                      TypeCase{"numeric", {19, 4}, "numeric(19,4)"},
                      TypeCase{"smallmoney", {}, "numeric(10,4)"},
                      TypeCase{"smalldatetime", {}, "timestamp(0)"},
                      TypeCase{"varbinary", {kTsqlMaxLength}, "bytea"}, TypeCase{"text", {}, "text"}),
    test::ReadableParamName());

class TypeMapRefusal : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeMapRefusal, RefusesNamingTheType) {
    try {
        MapTsqlType(GetParam().tsql, GetParam().args);
        FAIL() << "no error";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().tsql), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Invalid, TypeMapRefusal,
                         ::testing::Values(TypeCase{"xml", {}, ""}, TypeCase{"timestamp", {}, ""},
                                           TypeCase{"sql_variant", {}, ""}, TypeCase{"int", {4}, ""},
                                           TypeCase{"nvarchar", {0}, ""}, TypeCase{"nvarchar", {1, 2}, ""},
                                           TypeCase{"char", {kTsqlMaxLength}, ""},
                                           TypeCase{"decimal", {39}, ""}, TypeCase{"decimal", {5, 6}, ""},
                                           TypeCase{"float", {54}, ""}),
                         test::ReadableParamName());

TEST(TypeMap, RecognisesTheBitType) {
    EXPECT_TRUE(IsTsqlBitType("BIT"));
    EXPECT_FALSE(IsTsqlBitType("int"));
}

} // namespace
} // namespace kx::ado::tsql
