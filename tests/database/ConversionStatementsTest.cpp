#include "database/CreateCnn.h"
#include "database/SqlBookConversion.h"

#include "KeyedBook.h"
#include "ado/AdoError.h"

#include <gtest/gtest.h>

#include <regex>

namespace kx::database {
namespace {

/// The converted column lists of `table`, made by a Jet DDL statement in a keyed book file of its own.
ConvertedColumns ColumnsOf(const std::string& ddl, const std::string& table) {
    test::TempFolder folder;
    ado::Connection cnn = test::OpenNewKeyedBook((folder.path() / "book.mde").string(), {ddl});
    auto rows = *cnn.Execute("Select * From " + table); // the provider goes with the last handle on it
    return BuildConvertedColumns(rows);
}

int NextRowset(const std::string& statement) {
    std::smatch m;
    EXPECT_TRUE(std::regex_search(statement, m, std::regex("Rowset_([0-9]+)$"))) << statement;
    return std::stoi(m[1]);
}

TEST(ConversionStatements, TheInsertReadsTheBookTableThroughANewRowsetAndNoTableIsOfImagesOnly) {
    const std::string statement = MakeInsertSql("/books/a b.mde", "T1", "[ID],[Name],[#Allow#]");
    const int n = NextRowset(statement);
    EXPECT_EQ(statement, "INSERT INTO T1 ([ID],[Name],[Allow]) SELECT [ID],[Name],CONVERT (varchar(256),[Allow]) "
                         "FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data Source=\"/books/a b.mde\";Persist "
                         "Security Info=False;Jet OLEDB:Database Password=7.305918624471')...[T1] Rowset_" +
                             std::to_string(n));
    EXPECT_EQ(NextRowset(MakeInsertSql("x", "T2", "[a]")), n + 1);
    EXPECT_THROW(ColumnsOf("CREATE TABLE pics ([a] LONGBINARY, [b] LONGBINARY)", "pics"), ado::AdoError);
}

TEST(ConversionStatements, EachBookColumnTypeGetsItsServerType) {
    struct Case {
        const char* name;
        const char* declared;
        const char* clause;
        const char* copied;
        bool longValue;
    };
    const Case cases[] = {
        {"Counter", "COUNTER", "[int] IDENTITY (1, 1) NOT NULL", "[Counter]", false},
        {"Text", "TEXT(30)", "[nvarchar] (30) COLLATE Chinese_PRC_CI_AS NULL", "[Text]", false},
        {"YesNo", "BIT", "[bit] NULL", "[YesNo]", false},
        {"Number", "LONG", "[int] NULL", "[Number]", false},
        {"allow", "MEMO", "[varchar] (256) COLLATE Chinese_PRC_CI_AS NULL", "[#allow#]", false},
        {"ALLOW", "MEMO", "[varchar] (256) COLLATE Chinese_PRC_CI_AS NULL", "[#ALLOW#]", false},
        {"Memo", "MEMO", "[ntext] COLLATE Chinese_PRC_CI_AS NULL", "[Memo]", true},
        {"When", "DATETIME", "[datetime] NULL", "[When]", false},
        {"Amount", "CURRENCY", "[money] NULL", "[Amount]", false},
        {"Ratio", "DOUBLE", "[float] NULL", "[Ratio]", false},
        {"Small", "SHORT", "[int] NULL", "[Small]", false},
        {"Single", "SINGLE", "[money] NULL", "[Single]", false},
        {"Picture", "LONGBINARY", "[image] NULL", "", true},
        {"Tiny", "BYTE", "[ntext] NULL", "[Tiny]", false},
        {"Id", "GUID", "[ntext] NULL", "[Id]", false},
        {"Exact", "DECIMAL", "[ntext] NULL", "[Exact]", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ConvertedColumns lists =
            ColumnsOf(std::string("CREATE TABLE t ([k] LONG, [") + c.name + "] " + c.declared + ")", "t");
        EXPECT_EQ(lists.definitions, std::string("[k] [int] NULL,[") + c.name + "] " + c.clause);
        EXPECT_EQ(lists.copied, std::string("[k]") + (*c.copied != '\0' ? std::string(",") + c.copied : ""));
        EXPECT_EQ(lists.longValues, c.longValue ? std::string(c.name) + "|" : "");
    }
}

} // namespace
} // namespace kx::database
