#include "BookFileFixture.h"

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

TEST_F(JetStatements, LenCountsCharactersNotBytes) {
    Run(cnn_,
        {"CREATE TABLE t (x TEXT(20))", "INSERT INTO t VALUES ('中文𠮷')", "INSERT INTO t VALUES ('')"});
    EXPECT_EQ(Scalar(cnn_, "SELECT Len(x) FROM t WHERE x <> ''"), Variant(std::int32_t{3}));
    EXPECT_EQ(Scalar(cnn_, "SELECT Len(x) FROM t WHERE x = ''"), Variant(std::int32_t{0}));
    EXPECT_TRUE(Scalar(cnn_, "SELECT Len(NULL)").IsNull());
}

TEST_F(JetStatements, DeletingByLengthKeepsShortCodesWhateverTheirBytes) {
    Run(cnn_, {"CREATE TABLE kxStatement (ID COUNTER, AssistCode TEXT(20))",
               "INSERT INTO kxStatement (AssistCode) VALUES ('1001')",
               "INSERT INTO kxStatement (AssistCode) VALUES ('100101')",
               "INSERT INTO kxStatement (AssistCode) VALUES ('中文码')",
               "INSERT INTO kxStatement (AssistCode) VALUES ('中文科目代码')",
               "INSERT INTO kxStatement (AssistCode) VALUES (NULL)"});
    long affected = 0;
    EXPECT_FALSE(cnn_.Execute("Delete From kxStatement Where Len(AssistCode)>4", &affected, -1).has_value());
    EXPECT_EQ(affected, 2);
    auto rs = cnn_.Execute("SELECT AssistCode FROM kxStatement ORDER BY ID");
    ASSERT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->Item("AssistCode").Value(), Variant("1001"));
    rs->MoveNext();
    EXPECT_EQ(rs->Item("AssistCode").Value(), Variant("中文码"));
    rs->MoveNext();
    EXPECT_TRUE(rs->Item("AssistCode").Value().IsNull());
}

TEST_F(JetStatements, DeleteStatementsOfTheClearingRun) {
    Run(cnn_,
        {"CREATE TABLE kxLog (x LONG)", "INSERT INTO kxLog VALUES (1)", "INSERT INTO kxLog VALUES (2)"});
    long affected = 0;
    cnn_.Execute("Delete From kxLog ", &affected);
    EXPECT_EQ(affected, 2);
    Run(cnn_, {"INSERT INTO kxLog VALUES (3)", "DELETE * FROM kxLog"});
    EXPECT_EQ(Scalar(cnn_, "SELECT count(*) FROM kxLog"), Variant(std::int32_t{0}));
}

TEST_F(JetStatements, NamesAndTextMatchWithoutRegardToCase) {
    Run(cnn_, {"CREATE TABLE kxOperator (opID COUNTER, opName TEXT(20), OpPwd TEXT(20))",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('Admin', 'x')",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('ÉCOLE', 'y')",
               "INSERT INTO kxOperator (opName, OpPwd) VALUES ('ＡＢＣ', 'z')"});
    EXPECT_EQ(Scalar(cnn_, "select OPPWD from KXOPERATOR where OPNAME='admin'"), Variant("x"));
    EXPECT_EQ(Scalar(cnn_, "Select * From kxOperator Where opName='école'").ToInt32(), 2);
    EXPECT_EQ(Scalar(cnn_, "Select OpPwd From kxOperator Where opName='ａｂｃ'"), Variant("z"));
    auto rs = cnn_.Execute("Select * From kxOperator Where opName='nobody'");
    EXPECT_TRUE(rs->IsEOF());
}

TEST_F(JetStatements, TextSortsWithoutRegardToCase) {
    Run(cnn_, {"CREATE TABLE t (s TEXT(10))", "INSERT INTO t VALUES ('b')", "INSERT INTO t VALUES ('A')",
               "INSERT INTO t VALUES ('a2')", "INSERT INTO t VALUES ('B1')"});
    auto rs = cnn_.Execute("SELECT s FROM t ORDER BY s");
    std::string order;
    for (; !rs->IsEOF(); rs->MoveNext())
        order += rs->Item("s").Value().ToString() + " ";
    EXPECT_EQ(order, "A a2 b B1 ");
}

struct FunctionCase {
    std::string expression;
    Variant result;
};

void PrintTo(const FunctionCase& c, std::ostream* os) {
    *os << c.expression;
}

class JetFunctionCalls : public test::BookFileFixture, public ::testing::WithParamInterface<FunctionCase> {};

TEST_P(JetFunctionCalls, GiveJetResults) {
    Connection cnn = CreateAndOpenBook();
    EXPECT_EQ(Scalar(cnn, "SELECT " + GetParam().expression), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Functions, JetFunctionCalls,
                         ::testing::Values(FunctionCase{"Len('abc')", Variant(std::int32_t{3})},
                                           FunctionCase{"Len(12345)", Variant(std::int32_t{5})},
                                           FunctionCase{"UCase('abcäé')", Variant("ABCÄÉ")},
                                           FunctionCase{"LCase('ÀBÇ')", Variant("àbç")},
                                           FunctionCase{"Mid('中文𠮷字', 2, 2)", Variant("文𠮷")},
                                           FunctionCase{"Mid('abcdef', 4)", Variant("def")},
                                           FunctionCase{"InStr('中文ABC', 'bc')", Variant(std::int32_t{4})},
                                           FunctionCase{"InStr(5, 'abcabc', 'a')", Variant(std::int32_t{0})},
                                           FunctionCase{"InStr(2, 'abcabc', 'A')", Variant(std::int32_t{4})},
                                           FunctionCase{"IIf(1 > 2, 'yes', 'no')", Variant("no")},
                                           FunctionCase{"Nz(NULL, 'dflt')", Variant("dflt")},
                                           FunctionCase{"Nz(NULL)", Variant("")},
                                           FunctionCase{"Trim('  x  ')", Variant("x")}));

TEST_F(JetStatements, OnlyOneStatementRunsPerCommand) {
    Run(cnn_, {"CREATE TABLE t (x LONG)", "INSERT INTO t VALUES (1)"});
    const AdoError e = CatchAdoError([&] { cnn_.Execute("DELETE FROM t; DROP TABLE t"); });
    EXPECT_EQ(e.Number(), errors::ErrorsInCommand);
    EXPECT_EQ(e.Description(), "Characters found after end of SQL statement.");
    EXPECT_EQ(Scalar(cnn_, "SELECT count(*) FROM t"), Variant(std::int32_t{1}));
    EXPECT_NO_THROW(cnn_.Execute("DELETE FROM t;"));
}

TEST_F(JetStatements, AWrongTableNameFailsWithTheEngineText) {
    const AdoError e = CatchAdoError([&] { cnn_.Execute("Select * From kxNoSuchTable"); });
    EXPECT_EQ(e.Number(), errors::NoSuchTable);
    EXPECT_EQ(e.Source(), "Microsoft JET Database Engine");
    EXPECT_NE(e.Description().find("no such table: kxNoSuchTable"), std::string::npos);
    EXPECT_NE(e.NativeError(), 0);
    Recordset rs;
    EXPECT_EQ(CatchAdoError([&] {
                  rs.Open("kxNoSuchTable", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdTable);
              }).Number(),
              errors::NoSuchTable);
    EXPECT_EQ(rs.State(), adStateClosed);
}

TEST_F(JetStatements, BadStatementsAndBrokenQuotingFail) {
    Run(cnn_, {"CREATE TABLE kxOperator (opName TEXT(20))"});
    EXPECT_EQ(CatchAdoError([&] { cnn_.Execute("Selct * From kxOperator"); }).Number(),
              errors::ErrorsInCommand);
    const std::string typed = "O'Brien";
    EXPECT_EQ(CatchAdoError([&] {
                  cnn_.Execute("Select * From kxOperator Where opName='" + typed + "'");
              }).Number(),
              errors::ErrorsInCommand);
    EXPECT_EQ(CatchAdoError([&] { cnn_.Execute("   "); }).Number(), errors::ErrorsInCommand);
}

TEST_F(JetStatements, ExecuteGivesRowsOnlyForQueries) {
    Run(cnn_, {"CREATE TABLE t (x LONG)"});
    long affected = 0;
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

TEST_F(JetStatements, StoredValuesComeBackAsTheirColumnTypes) {
    Run(cnn_, {"CREATE TABLE t (d DATETIME, m CURRENCY, b BIT, s SHORT, n LONG, f DOUBLE, c TEXT(10))",
               "INSERT INTO t VALUES ('2013-03-15 10:20:30', 1234567.8901, -1, 7, 70000, 0.5, 42)"});
    auto rs = cnn_.Execute("SELECT * FROM t");
    EXPECT_EQ(rs->Item("d").Value(), Variant(Date::FromParts(2013, 3, 15, 10, 20, 30)));
    EXPECT_EQ(rs->Item("m").Value(), Variant(Currency{12345678901}));
    EXPECT_EQ(rs->Item("b").Value(), Variant(true));
    EXPECT_EQ(rs->Item("s").Value(), Variant(std::int16_t{7}));
    EXPECT_EQ(rs->Item("n").Value(), Variant(std::int32_t{70000}));
    EXPECT_EQ(rs->Item("f").Value(), Variant(0.5));
    EXPECT_EQ(rs->Item("c").Value(), Variant("42"));
}

TEST_F(JetStatements, ValuesThatDoNotFitTheirColumnAreNotLost) {
    Run(cnn_, {"CREATE TABLE t (n LONG, d DATETIME)", "INSERT INTO t VALUES (99999999999, 'not a date')"});
    auto rs = cnn_.Execute("SELECT * FROM t");
    EXPECT_EQ(rs->Item("n").Value(), Variant(std::int64_t{99999999999}));
    EXPECT_EQ(rs->Item("d").Value(), Variant("not a date"));
}

} // namespace
} // namespace kx::ado
