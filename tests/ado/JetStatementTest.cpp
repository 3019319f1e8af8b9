#include "BookFileFixture.h"
#include "ado/jet/JetSqlTranslator.h"

#include <gtest/gtest.h>

namespace kx::ado {
namespace {

using test::CatchAdoError;

class JetStatements : public test::BookFileFixture {
  protected:
    void SetUp() override { cnn_ = CreateAndOpenBook(); }
    Connection cnn_;
};

TEST_F(JetStatements, BracketedNamesWithBlanksAndChineseWork) {
    Run(cnn_, {"CREATE TABLE [科目 表] ([科目 名称] TEXT(20), [Amount] CURRENCY)",
               "INSERT INTO [科目 表] ([科目 名称], [Amount]) VALUES ('现金', 12.5)"});
    auto rs = cnn_.Execute("Select [科目 名称], [Amount] From [科目 表]");
    ASSERT_TRUE(rs.has_value());
    EXPECT_EQ(rs->Item("科目 名称").Value(), Variant("现金"));
    EXPECT_EQ(rs->Item("amount").Value(), Variant(Currency{125000}));
}

TEST_F(JetStatements, NamesAndTextMatchAndSortWithoutRegardToCase) {
    Run(cnn_, {"CREATE TABLE kxOperator (opID COUNTER, opName TEXT(20), OpPwd TEXT(20))",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('B', 'x')",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('ÉCOLE', 'y')",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('ＡＢＣ', 'z')",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('A', 'w')",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('a2', 'v')"});
    EXPECT_EQ(Scalar(cnn_, "select OPPWD from KXOPERATOR where OPNAME='b'"), Variant("x"));
    EXPECT_EQ(Scalar(cnn_, "Select * From kxOperator Where opName='école'").ToInt32(), 2);
    EXPECT_EQ(Scalar(cnn_, "Select OpPwd From kxOperator Where opName='ａｂｃ'"), Variant("z"));
    auto rs = cnn_.Execute("SELECT OpPwd FROM kxOperator WHERE opID <> 3 ORDER BY opName");
    std::string order;
    for (; !rs->IsEOF(); rs->MoveNext())
        order += rs->Item(0L).Value().ToString();
    EXPECT_EQ(order, "wvxy");
}

TEST_F(JetStatements, FunctionCallsGiveJetResults) {
    const std::pair<const char*, Variant> cases[] = {{"Len('中文码𠮷')", Variant(std::int32_t{4})},
                                                     {"Len(12345)", Variant(std::int32_t{5})},
                                                     {"Len(NULL)", Variant::Null()},
                                                     {"UCase('abcäé')", Variant("ABCÄÉ")},
                                                     {"LCase('ÀBÇ')", Variant("àbç")},
                                                     {"Mid('中文𠮷字', 2, 2)", Variant("文𠮷")},
                                                     {"Mid('abcdef', 4)", Variant("def")},
                                                     {"InStr('中文ABC', 'bc')", Variant(std::int32_t{4})},
                                                     {"InStr(5, 'abcabc', 'a')", Variant(std::int32_t{0})},
                                                     {"InStr(2, 'abcabc', 'A')", Variant(std::int32_t{4})},
                                                     {"IIf(1 > 2, 'yes', 'no')", Variant("no")},
                                                     {"Nz(NULL, 'dflt')", Variant("dflt")},
                                                     {"Nz(NULL)", Variant("")},
                                                     {"Trim('  x  ')", Variant("x")}};
    for (const auto& [expression, result] : cases)
        EXPECT_EQ(Scalar(cnn_, std::string("SELECT ") + expression), result) << expression;
}

TEST_F(JetStatements, BadStatementsFailWithTheEngineText) {
    Run(cnn_, {"CREATE TABLE t (x TEXT(20))", "INSERT INTO t VALUES ('1')"});
    const AdoError e = CatchAdoError([&] { cnn_.Execute("DELETE FROM t; DROP TABLE t"); });
    EXPECT_EQ(e.Number(), errors::ErrorsInCommand);
    EXPECT_EQ(e.Description(), "Characters found after end of SQL statement.");
    EXPECT_EQ(Scalar(cnn_, "SELECT count(*) FROM t"), Variant(std::int32_t{1}));
    EXPECT_NO_THROW(cnn_.Execute("DELETE FROM t;"));
    for (const char* bad : {"Selct * From t", "Select * From t Where x='O'Brien'", "   "})
        EXPECT_EQ(CatchAdoError([&] { cnn_.Execute(bad); }).Number(), errors::ErrorsInCommand) << bad;

    const AdoError missing = CatchAdoError([&] { cnn_.Execute("Select * From kxNoSuchTable"); });
    EXPECT_EQ(missing.Number(), errors::NoSuchTable);
    EXPECT_EQ(missing.Source(), "Microsoft JET Database Engine");
    EXPECT_NE(missing.Description().find("no such table: kxNoSuchTable"), std::string::npos);
    EXPECT_NE(missing.NativeError(), 0);
    Recordset rs;
    EXPECT_EQ(CatchAdoError([&] {
                  rs.Open("kxNoSuchTable", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdTable);
              }).Number(),
              errors::NoSuchTable);
    EXPECT_EQ(rs.State(), adStateClosed);
}

TEST_F(JetStatements, TextLongerThanItsDeclaredSizeIsRefusedAsJetRefusesIt) {
    // Made on this connection: the guard follows new tables.
    Run(cnn_, {"CREATE TABLE t (id INTEGER, code TEXT(5), note VARCHAR(3), memo MEMO)",
               "INSERT INTO t (id, code, note, memo) VALUES (1, '12345', '中文字', 'x')"});
    const std::string longMemo(300, 'm');
    struct Case {
        std::string sql;
        bool refused;
    };
    const Case cases[] = {
        {"INSERT INTO t (id, code) VALUES (2, '123456')", true},
        {"INSERT INTO t (id, note) VALUES (2, '中文字符')", true},
        {"INSERT INTO t (id, code, note) VALUES (2, 'abcde', '中文字')", false},
        {"INSERT INTO t (id, memo) VALUES (3, '" + longMemo + "')", false},
        {"UPDATE t SET code = code || 'x' WHERE id = 1", true},
        {"UPDATE t SET memo = '" + longMemo + "' WHERE id = 1", false},
        {"UPDATE t SET code = '1' WHERE id = 1", false},
    };
    for (const Case& c : cases) {
        const auto before = Scalar(cnn_, "SELECT count(*) || '/' || group_concat(code || note, ',') FROM t");
        if (c.refused) {
            const AdoError e = CatchAdoError([&] { cnn_.Execute(c.sql); });
            EXPECT_EQ(e.Number(), errors::DataOverflow) << c.sql;
            EXPECT_NE(e.Description().find("field is too small"), std::string::npos) << c.sql;
            EXPECT_EQ(Scalar(cnn_, "SELECT count(*) || '/' || group_concat(code || note, ',') FROM t"), before)
                << c.sql;
        } else {
            EXPECT_NO_THROW(cnn_.Execute(c.sql)) << c.sql;
        }
    }

    // A later connection to the file is guarded from its opening, and so is the
    // recordset's own row writing.
    cnn_.Close();
    Connection again = test::OpenBook(File("book.mde"));
    EXPECT_EQ(CatchAdoError([&] { again.Execute("INSERT INTO t (id, code) VALUES (9, 'abcdefg')"); }).Number(),
              errors::DataOverflow);
    Recordset rs;
    rs.Open("t", again, adOpenKeyset, adLockOptimistic, adCmdTable);
    rs.AddNew();
    rs.Item("code").SetValue(Variant("toolong"));
    EXPECT_EQ(CatchAdoError([&] { rs.Update(); }).Number(), errors::DataOverflow);
}

TEST_F(JetStatements, ExecuteGivesRowsOnlyForQueriesAndCountsTheRowsOfTheOthers) {
    Run(cnn_, {"CREATE TABLE t (x LONG)", "INSERT INTO t VALUES (1)", "INSERT INTO t VALUES (22222)"});
    long affected = 0;
    EXPECT_FALSE(cnn_.Execute("Delete From t Where Len(x)>4", &affected, -1).has_value());
    EXPECT_EQ(affected, 1);
    EXPECT_FALSE(cnn_.Execute("DELETE * FROM t", &affected).has_value());
    EXPECT_EQ(affected, 1);
    EXPECT_FALSE(cnn_.Execute("INSERT INTO t VALUES (7)", &affected).has_value());
    EXPECT_EQ(affected, 1);
    auto rs = cnn_.Execute("SELECT x FROM t", &affected);
    ASSERT_TRUE(rs.has_value());
    EXPECT_EQ(affected, -1);
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->CursorLocation(), adUseClient);
    EXPECT_EQ(rs->LockType(), adLockReadOnly);
    EXPECT_FALSE(cnn_.Execute("SELECT x FROM t", nullptr, adCmdText | adExecuteNoRecords).has_value());
    // A bare table name is a table when the provider decides.
    EXPECT_EQ(cnn_.Execute("[t]")->RecordCount(), 1);
}

TEST_F(JetStatements, StoredValuesComeBackAsTheirColumnTypesOrAsStoredWhenTheyDoNotFit) {
    Run(cnn_, {"CREATE TABLE t (d DATETIME, m CURRENCY, b BIT, s SHORT, n LONG, f DOUBLE, c TEXT(10))",
               "INSERT INTO t VALUES ('2013-03-15 10:20:30', 1234567.8901, -1, 7, 70000, 0.5, 42)",
               "INSERT INTO t (n, d) VALUES (99999999999, 'not a date')"});
    auto rs = cnn_.Execute("SELECT * FROM t");
    const std::pair<const char*, Variant> expected[] = {{"d", Variant(Date::FromParts(2013, 3, 15, 10, 20, 30))},
                                                        {"m", Variant(Currency{12345678901})},
                                                        {"b", Variant(true)},
                                                        {"s", Variant(std::int16_t{7})},
                                                        {"n", Variant(std::int32_t{70000})},
                                                        {"f", Variant(0.5)},
                                                        {"c", Variant("42")}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(rs->Item(name).Value(), value) << name;
    rs->MoveNext();
    EXPECT_EQ(rs->Item("n").Value(), Variant(std::int64_t{99999999999}));
    EXPECT_EQ(rs->Item("d").Value(), Variant("not a date"));
}

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
