#include "BookFileFixture.h"

#include "ado/jet/JetSqlTranslator.h"

#include <gtest/gtest.h>

namespace kx::ado {
namespace {

using test::CatchAdoError;

struct TypeCase {
    const char* declared;
    DataTypeEnum type;
    long definedSize;
    long attributes;
};

constexpr long kMemo = 536870910;
constexpr long kOle = 1073741823;

class JetTypes : public test::BookFileFixture {};

// Attributes as a Jet book reports them: 90 for an AutoNumber, 118 for fixed
// nullable columns, 102 for text, 234 for long values, 70 for NOT NULL text.
TEST_F(JetTypes, ColumnsReportTheDeclaredJetType) {
    const TypeCase cases[] = {
        {"COUNTER", adInteger, 4, 90},          {"LONG", adInteger, 4, 118},
        {"INTEGER", adInteger, 4, 118},         {"INT", adInteger, 4, 118},
        {"SHORT", adSmallInt, 2, 118},          {"SMALLINT", adSmallInt, 2, 118},
        {"BYTE", adUnsignedTinyInt, 1, 118},    {"BIT", adBoolean, 2, 118},
        {"YESNO", adBoolean, 2, 118},           {"LOGICAL", adBoolean, 2, 118},
        {"SINGLE", adSingle, 4, 118},           {"DOUBLE", adDouble, 8, 118},
        {"FLOAT", adDouble, 8, 118},            {"CURRENCY", adCurrency, 8, 118},
        {"MONEY", adCurrency, 8, 118},          {"DATETIME", adDate, 8, 118},
        {"DATE", adDate, 8, 118},               {"TEXT(50)", adVarWChar, 50, 102},
        {"VARCHAR(20)", adVarWChar, 20, 102},   {"CHAR(10)", adVarWChar, 10, 102},
        {"MEMO", adLongVarWChar, kMemo, 234},   {"LONGTEXT", adLongVarWChar, kMemo, 234},
        {"TEXT", adLongVarWChar, kMemo, 234},   {"LONGBINARY", adLongVarBinary, kOle, 234},
        {"OLEOBJECT", adLongVarBinary, kOle, 234}, {"IMAGE", adLongVarBinary, kOle, 234},
        {"BLOB", adLongVarBinary, kOle, 234},   {"GUID", adGUID, 16, 118},
        {"DECIMAL(12,2)", adNumeric, 19, 118},  {"NUMERIC", adNumeric, 19, 118},
        {"TEXT(10) WITH COMPRESSION NOT NULL", adVarWChar, 10, 70}};
    std::string columns;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        columns += (i == 0 ? "[Value 0] " : ", [Value " + std::to_string(i) + "] ") + cases[i].declared;
    Connection cnn = CreateAndOpenBook();
    Run(cnn, {"CREATE TABLE t (" + columns + ")", "CREATE TABLE a (x AUTOINCREMENT)",
              "CREATE TABLE k (x COUNTER(1,1) CONSTRAINT PrimaryKey PRIMARY KEY)"});
    auto rs = cnn.Execute("Select * From t");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].declared);
        const Field field = rs->Item("value " + std::to_string(i));
        EXPECT_EQ(field.Name(), "Value " + std::to_string(i));
        EXPECT_EQ(field.Type(), cases[i].type);
        EXPECT_EQ(field.DefinedSize(), cases[i].definedSize);
        EXPECT_EQ(field.Attributes(), cases[i].attributes);
    }
    for (const char* table : {"a", "k"})
        EXPECT_EQ(cnn.Execute(std::string("Select * From ") + table)->Item(0L).Attributes(), 90) << table;
}

TEST_F(JetTypes, AddedComputedAndCounterColumnsAreTyped) {
    Connection cnn = CreateAndOpenBook();
    Run(cnn, {"CREATE TABLE t (x LONG, s TEXT(10))", "ALTER TABLE t ADD COLUMN Notes MEMO",
              "ALTER TABLE t ADD Code TEXT(8)", "INSERT INTO t (x, s) VALUES (5, 'abc')"});
    auto added = cnn.Execute("SELECT * FROM t");
    EXPECT_EQ(added->Item("Notes").Type(), adLongVarWChar);
    EXPECT_EQ(added->Item("Code").Type(), adVarWChar);
    EXPECT_EQ(added->Item("Code").DefinedSize(), 8);
    auto rs = cnn.Execute("SELECT count(*) AS n, x * 1.5 AS r, s || 'd' AS c, x + 3000000000 AS big FROM t");
    EXPECT_EQ(rs->Item("n").Type(), adInteger);
    EXPECT_EQ(rs->Item("n").Value(), Variant(std::int32_t{1}));
    EXPECT_EQ(rs->Item("r").Type(), adDouble);
    EXPECT_EQ(rs->Item("c").Type(), adVarWChar);
    EXPECT_EQ(rs->Item("c").Value(), Variant("abcd"));
    EXPECT_EQ(rs->Item("big").Type(), adBigInt);
    EXPECT_EQ(rs->Item("big").Value(), Variant(std::int64_t{3000000005}));
    EXPECT_EQ(rs->Item("n").Attributes() & (adFldUpdatable | adFldUnknownUpdatable), 0);

    // Counters stay numbered beside another key and are never reused.
    Run(cnn, {"CREATE TABLE k ([ID] COUNTER, [Code] TEXT(10), CONSTRAINT pk PRIMARY KEY ([Code]))",
              "INSERT INTO k (Code) VALUES ('A')", "INSERT INTO k (Code) VALUES ('B')",
              "DELETE FROM k WHERE ID = 2", "INSERT INTO k (Code) VALUES ('C')"});
    EXPECT_EQ(Scalar(cnn, "SELECT max(ID) FROM k"), Variant(std::int32_t{3}));
    // The other key still refuses duplicates, letter case not counting.
    EXPECT_EQ(CatchAdoError([&] { cnn.Execute("INSERT INTO k (Code) VALUES ('a')"); }).Number(),
              errors::IntegrityViolation);
    EXPECT_EQ(cnn.Execute("SELECT * FROM k")->Item("ID").Attributes(), 90);
}

TEST(JetSqlTranslation, RewritesOnlyWhatDiffers) {
    const std::pair<const char*, const char*> cases[] = {
        {"Select * From [kx Table] Where Len(x)>4", "Select * From [kx Table] Where Len(x)>4"},
        {"DELETE * FROM kxLog", "DELETE  FROM kxLog"},
        {"CREATE TABLE [t] ([ID] COUNTER, [Name] TEXT(50), [Memo1] MEMO, [Photo] IMAGE)",
         "CREATE TABLE [t] ([ID] INTEGER PRIMARY KEY AUTOINCREMENT, [Name] TEXT(50) COLLATE NOCASE, "
         "[Memo1] MEMO TEXT COLLATE NOCASE, [Photo] IMAGE BLOB)"},
        {"create table t (a COUNTER, b LONG, CONSTRAINT pk PRIMARY KEY (a))",
         "create table t (a INTEGER PRIMARY KEY AUTOINCREMENT, b LONG)"},
        {"CREATE TABLE t (a AUTOINCREMENT, b TEXT(5) PRIMARY KEY)",
         "CREATE TABLE t (a INTEGER PRIMARY KEY AUTOINCREMENT, b TEXT(5) COLLATE NOCASE UNIQUE )"},
        {"CREATE TABLE t (g GUID, s STRING(9), c TEXT(5) COLLATE BINARY)",
         "CREATE TABLE t (g GUID TEXT COLLATE NOCASE, s STRING TEXT(9) COLLATE NOCASE, c TEXT(5) "
         "COLLATE BINARY)"},
        {"ALTER TABLE t ADD COLUMN n MEMO;", "ALTER TABLE t ADD COLUMN n MEMO TEXT COLLATE NOCASE;"},
        {"INSERT INTO t VALUES ('CREATE TABLE x (a COUNTER)')",
         "INSERT INTO t VALUES ('CREATE TABLE x (a COUNTER)')"}};
    for (const auto& [jet, engine] : cases)
        EXPECT_EQ(jet::TranslateJetSql(jet), engine);
}

} // namespace
} // namespace kx::ado
