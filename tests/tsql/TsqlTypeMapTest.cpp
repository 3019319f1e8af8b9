#include "ado/tsql/TsqlTypeMap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kx::ado::tsql {
namespace {

struct TypeCase {
    std::string tsql;
    std::vector<long long> args;
    std::string pg; // empty: refused
};

TEST(TypeMap, MapsToThePostgresqlTypeOrRefusesNamingTheType) {
    const TypeCase cases[] = {
        {"int", {}, "integer"}, {"INT", {}, "integer"}, {"nvarchar", {50}, "varchar(50)"},
        {"nvarchar", {1}, "varchar(1)"}, {"varchar", {256}, "varchar(256)"}, {"bit", {}, "boolean"},
        {"ntext", {}, "text"}, {"datetime", {}, "timestamp"}, {"money", {}, "numeric(19,4)"},
        {"float", {}, "double precision"}, {"image", {}, "bytea"}, {"smallint", {}, "smallint"},
        {"tinyint", {}, "smallint"}, {"bigint", {}, "bigint"}, {"real", {}, "real"}, {"float", {24}, "real"},
        {"float", {25}, "double precision"}, {"float", {53}, "double precision"}, {"char", {}, "char(1)"},
        {"nchar", {10}, "char(10)"}, {"nvarchar", {kTsqlMaxLength}, "text"}, {"varchar", {}, "varchar(1)"},
        {"uniqueidentifier", {}, "uuid"}, {"decimal", {}, "numeric(18,0)"},
        {"decimal", {10}, "numeric(10,0)"}, {"numeric", {19, 4}, "numeric(19,4)"},
        {"smallmoney", {}, "numeric(10,4)"}, {"smalldatetime", {}, "timestamp(0)"},
        {"varbinary", {kTsqlMaxLength}, "bytea"}, {"text", {}, "text"}, {"xml", {}, ""},
        {"timestamp", {}, ""}, {"sql_variant", {}, ""}, {"int", {4}, ""}, {"nvarchar", {0}, ""},
        {"nvarchar", {1, 2}, ""}, {"char", {kTsqlMaxLength}, ""}, {"decimal", {39}, ""},
        {"decimal", {5, 6}, ""}, {"decimal", {5, 2, 1}, ""}, {"float", {54}, ""}};
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(c.tsql + " with " + std::to_string(c.args.size()) + " arguments");
        if (!c.pg.empty()) {
            EXPECT_EQ(MapTsqlType(c.tsql, c.args), c.pg);
            continue;
        }
        try {
            ADD_FAILURE() << "mapped to " << MapTsqlType(c.tsql, c.args);
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(c.tsql), std::string::npos) << error.what();
        }
    }
    EXPECT_TRUE(IsTsqlBitType("BIT"));
    EXPECT_FALSE(IsTsqlBitType("int"));
}

} // namespace
} // namespace kx::ado::tsql
