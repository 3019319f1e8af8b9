#include "BookFileFixture.h"

#include "ado/jet/JetSqlTranslator.h"

#include <gtest/gtest.h>

#include <memory>

namespace kx::ado {
namespace {

using test::CatchAdoError;

struct TypeCase {
    std::string declared;
    DataTypeEnum type;
    long definedSize;
    long attributes;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.declared;
}

// Attributes as a Jet book reports them: 90 for an AutoNumber, 118 for fixed
// nullable columns, 102 for text, 234 for long values, 70 for NOT NULL text.
class JetTypeReporting : public ::testing::TestWithParam<TypeCase> {
  protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<test::TempFolder>();
        file_ = folder_->File("types.mde");
        jet::CreateBookFile(file_, test::kBookPassword);
    }
    static void TearDownTestSuite() { folder_.reset(); }

    static std::unique_ptr<test::TempFolder> folder_;
    static std::string file_;
};

std::unique_ptr<test::TempFolder> JetTypeReporting::folder_;
std::string JetTypeReporting::file_;

TEST_P(JetTypeReporting, ReportsTheDeclaredJetType) {
    static int table = 0;
    const std::string name = "[t " + std::to_string(++table) + "]";
    Connection cnn = test::OpenBook(file_);
    cnn.Execute("CREATE TABLE " + name + " ([Value] " + GetParam().declared + ")");
    auto rs = cnn.Execute("Select * From " + name);
    ASSERT_TRUE(rs.has_value());
    const Field field = rs->Item("value");
    EXPECT_EQ(field.Name(), "Value");
    EXPECT_EQ(field.Type(), GetParam().type);
    EXPECT_EQ(field.DefinedSize(), GetParam().definedSize);
    EXPECT_EQ(field.Attributes(), GetParam().attributes);
}

constexpr long kMemo = 536870910;
constexpr long kOle = 1073741823;

INSTANTIATE_TEST_SUITE_P(
    JetTypes, JetTypeReporting,
    ::testing::Values(
        TypeCase{"COUNTER", adInteger, 4, 90}, TypeCase{"AUTOINCREMENT", adInteger, 4, 90},
        TypeCase{"COUNTER(1,1) CONSTRAINT PrimaryKey PRIMARY KEY", adInteger, 4, 90},
        TypeCase{"LONG", adInteger, 4, 118}, TypeCase{"INTEGER", adInteger, 4, 118},
        TypeCase{"INT", adInteger, 4, 118}, TypeCase{"SHORT", adSmallInt, 2, 118},
        TypeCase{"SMALLINT", adSmallInt, 2, 118}, TypeCase{"BYTE", adUnsignedTinyInt, 1, 118},
        TypeCase{"BIT", adBoolean, 2, 118}, TypeCase{"YESNO", adBoolean, 2, 118},
        TypeCase{"LOGICAL", adBoolean, 2, 118}, TypeCase{"SINGLE", adSingle, 4, 118},
        TypeCase{"DOUBLE", adDouble, 8, 118}, TypeCase{"FLOAT", adDouble, 8, 118},
        TypeCase{"CURRENCY", adCurrency, 8, 118}, TypeCase{"MONEY", adCurrency, 8, 118},
        TypeCase{"DATETIME", adDate, 8, 118}, TypeCase{"DATE", adDate, 8, 118},
        TypeCase{"TEXT(50)", adVarWChar, 50, 102}, TypeCase{"VARCHAR(20)", adVarWChar, 20, 102},
        TypeCase{"CHAR(10)", adVarWChar, 10, 102},
        TypeCase{"TEXT(10) WITH COMPRESSION NOT NULL", adVarWChar, 10, 70},
        TypeCase{"MEMO", adLongVarWChar, kMemo, 234}, TypeCase{"LONGTEXT", adLongVarWChar, kMemo, 234},
        TypeCase{"TEXT", adLongVarWChar, kMemo, 234}, TypeCase{"LONGBINARY", adLongVarBinary, kOle, 234},
        TypeCase{"OLEOBJECT", adLongVarBinary, kOle, 234}, TypeCase{"IMAGE", adLongVarBinary, kOle, 234},
        TypeCase{"BLOB", adLongVarBinary, kOle, 234}, TypeCase{"GUID", adGUID, 16, 118},
        TypeCase{"DECIMAL(12,2)", adNumeric, 19, 118}, TypeCase{"NUMERIC", adNumeric, 19, 118}));

class JetTypeColumns : public test::BookFileFixture {};

TEST_F(JetTypeColumns, ColumnsAddedLaterAreDeclaredTheSameWay) {
    Connection cnn = CreateAndOpenBook();
    Run(cnn, {"CREATE TABLE t (id COUNTER)", "ALTER TABLE t ADD COLUMN Notes MEMO",
              "ALTER TABLE t ADD Code TEXT(8)"});
    auto rs = cnn.Execute("SELECT * FROM t");
    EXPECT_EQ(rs->Item("Notes").Type(), adLongVarWChar);
    EXPECT_EQ(rs->Item("Code").Type(), adVarWChar);
    EXPECT_EQ(rs->Item("Code").DefinedSize(), 8);
}

TEST_F(JetTypeColumns, ComputedColumnsAreTypedFromTheirValues) {
    Connection cnn = CreateAndOpenBook();
    Run(cnn, {"CREATE TABLE t (x LONG, s TEXT(10))", "INSERT INTO t VALUES (5, 'abc')"});
    auto rs = cnn.Execute("SELECT count(*) AS n, x * 1.5 AS r, s || 'd' AS c, x + 3000000000 AS big FROM t");
    EXPECT_EQ(rs->Item("n").Type(), adInteger);
    EXPECT_EQ(rs->Item("n").Value(), Variant(std::int32_t{1}));
    EXPECT_EQ(rs->Item("r").Type(), adDouble);
    EXPECT_EQ(rs->Item("c").Type(), adVarWChar);
    EXPECT_EQ(rs->Item("c").Value(), Variant("abcd"));
    EXPECT_EQ(rs->Item("big").Type(), adBigInt);
    EXPECT_EQ(rs->Item("big").Value(), Variant(std::int64_t{3000000005}));
    EXPECT_EQ(rs->Item("n").Attributes() & (adFldUpdatable | adFldUnknownUpdatable), 0);
}

TEST_F(JetTypeColumns, ACounterWithAnotherKeyStaysAutoNumbered) {
    Connection cnn = CreateAndOpenBook();
    Run(cnn, {"CREATE TABLE t ([ID] COUNTER, [Code] TEXT(10), CONSTRAINT pk PRIMARY KEY ([Code]))",
              "INSERT INTO t (Code) VALUES ('A')", "INSERT INTO t (Code) VALUES ('B')"});
    EXPECT_EQ(Scalar(cnn, "SELECT max(ID) FROM t"), Variant(std::int32_t{2}));
    // The other key still refuses duplicates, letter case not counting.
    EXPECT_EQ(CatchAdoError([&] { cnn.Execute("INSERT INTO t (Code) VALUES ('a')"); }).Number(),
              errors::IntegrityViolation);
    auto rs = cnn.Execute("SELECT * FROM t");
    EXPECT_EQ(rs->Item("ID").Attributes(), 90);
}

TEST_F(JetTypeColumns, CountersAreNeverReused) {
    Connection cnn = CreateAndOpenBook();
    Run(cnn, {"CREATE TABLE t (ID COUNTER, x LONG)", "INSERT INTO t (x) VALUES (1)",
              "INSERT INTO t (x) VALUES (2)", "DELETE FROM t WHERE ID = 2", "INSERT INTO t (x) VALUES (3)"});
    EXPECT_EQ(Scalar(cnn, "SELECT ID FROM t WHERE x = 3"), Variant(std::int32_t{3}));
}

struct TranslationCase {
    std::string jet;
    std::string engine;
};

void PrintTo(const TranslationCase& c, std::ostream* os) {
    *os << c.jet;
}

class JetSqlTranslation : public ::testing::TestWithParam<TranslationCase> {};

TEST_P(JetSqlTranslation, RewritesOnlyWhatDiffers) {
    EXPECT_EQ(jet::TranslateJetSql(GetParam().jet), GetParam().engine);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, JetSqlTranslation,
    ::testing::Values(
        TranslationCase{"Select * From [kx Table] Where Len(x)>4", "Select * From [kx Table] Where Len(x)>4"},
        TranslationCase{"DELETE * FROM kxLog", "DELETE  FROM kxLog"},
        TranslationCase{"Delete From kxLog ", "Delete From kxLog "},
        TranslationCase{
            "CREATE TABLE [t] ([ID] COUNTER, [Name] TEXT(50), [Memo1] MEMO, [Photo] IMAGE)",
            "CREATE TABLE [t] ([ID] INTEGER PRIMARY KEY AUTOINCREMENT, [Name] TEXT(50) COLLATE NOCASE, "
            "[Memo1] MEMO TEXT COLLATE NOCASE, [Photo] IMAGE BLOB)"},
        TranslationCase{"create table t (a COUNTER, b LONG, CONSTRAINT pk PRIMARY KEY (a))",
                        "create table t (a INTEGER PRIMARY KEY AUTOINCREMENT, b LONG)"},
        TranslationCase{
            "CREATE TABLE t (a AUTOINCREMENT, b TEXT(5) PRIMARY KEY)",
            "CREATE TABLE t (a INTEGER PRIMARY KEY AUTOINCREMENT, b TEXT(5) COLLATE NOCASE UNIQUE )"},
        TranslationCase{
            "CREATE TABLE t (g GUID, s STRING(9), c TEXT(5) COLLATE BINARY)",
            "CREATE TABLE t (g GUID TEXT COLLATE NOCASE, s STRING TEXT(9) COLLATE NOCASE, c TEXT(5) "
            "COLLATE BINARY)"},
        TranslationCase{"ALTER TABLE t ADD COLUMN n MEMO;",
                        "ALTER TABLE t ADD COLUMN n MEMO TEXT COLLATE NOCASE;"},
        TranslationCase{"INSERT INTO t VALUES ('CREATE TABLE x (a COUNTER)')",
                        "INSERT INTO t VALUES ('CREATE TABLE x (a COUNTER)')"}));

} // namespace
} // namespace kx::ado
