#include "database/CreateCnn.h"
#include "database/SqlBookConversion.h"

#include "TempFolder.h"
#include "ado/AdoError.h"
#include "ado/jet/BookFile.h"

#include <gtest/gtest.h>

#include <regex>

namespace kx::database {
namespace {

/// A keyed book file with one table made by a Jet DDL statement.
class BookTable {
public:
    explicit BookTable(const std::string& ddl) {
        ado::jet::CreateBookFile(file_.string(), kBookDatabasePassword);
        CreateCnn(cnn_, file_.string(), "", "", "###");
        cnn_.Open({}, {}, {}, -1);
        cnn_.Execute(ddl);
    }
    ~BookTable() { cnn_.Close(); }
    ado::Recordset Rows(const std::string& table) { return *cnn_.Execute("Select * From " + table); }

private:
    test::TempFolder folder_;
    std::filesystem::path file_ = folder_.path() / "book.mde";
    ado::Connection cnn_;
};

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
    BookTable images("CREATE TABLE pics ([a] LONGBINARY, [b] LONGBINARY)");
    auto pictures = images.Rows("pics");
    EXPECT_THROW(BuildConvertedColumns(pictures), ado::AdoError);
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
        BookTable book(std::string("CREATE TABLE t ([k] LONG, [") + c.name + "] " + c.declared + ")");
        auto rows = book.Rows("t");
        const ConvertedColumns lists = BuildConvertedColumns(rows);
        EXPECT_EQ(lists.definitions, std::string("[k] [int] NULL,[") + c.name + "] " + c.clause);
        EXPECT_EQ(lists.copied, std::string("[k]") + (*c.copied != '\0' ? std::string(",") + c.copied : ""));
        EXPECT_EQ(lists.longValues, c.longValue ? std::string(c.name) + "|" : "");
    }
}

} // namespace
} // namespace kx::database
