#include "BookFileFixture.h"
#include "ado/ConnectionString.h"
#include "ado/Properties.h"
#include "ado/ProviderRegistry.h"
#include "ado/jet/JetProvider.h"

#include <gtest/gtest.h>

#include <set>

namespace kx::ado {
namespace {

using test::CatchAdoError;

TEST(ConnectionStringParsing, SplitsKeepsQuotedTextAndRefusesMalformedText) {
    const auto book = ParseConnectionString(
        "Provider=Microsoft.Jet.OLEDB.4.0;Extended Properties='';Locale Identifier=2052;"
        "Jet OLEDB:System database='';Jet OLEDB:Registry Path=''");
    ASSERT_EQ(book.size(), 5u);
    EXPECT_EQ(book[0].keyword, "Provider");
    EXPECT_EQ(book[0].value, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(book[1].value, "");
    EXPECT_EQ(book[3].keyword, "Jet OLEDB:System database");
    const auto parts = ParseConnectionString(" Data Source = \"a;b\"\"c\" ;Password='it''s';;User ID= sa ;");
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].keyword, "Data Source");
    EXPECT_EQ(parts[0].value, "a;b\"c");
    EXPECT_EQ(parts[1].value, "it's");
    EXPECT_EQ(parts[2].value, "sa");
    for (const char* bad : {"Provider", "Password='open", "Password='a'b"})
        EXPECT_EQ(CatchAdoError([&] { ParseConnectionString(bad); }).Number(), errors::InvalidArgument) << bad;
    // Quoting gives every value back exactly.
    for (const std::string value :
         {"", "plain", "a;b", " padded ", "it's", "say \"hi\"", "both ' and \"", "'quoted'", "路径\\账簿.MDE"}) {
        const auto quoted = ParseConnectionString("K=" + QuoteConnectionStringValue(value) + ";L=1");
        ASSERT_EQ(quoted.size(), 2u);
        EXPECT_EQ(quoted[0].value, value);
    }
}

TEST(PropertiesCollection, MatchesNamesWithoutRegardToCase) {
    Properties props;
    props.Set("Jet OLeDB:Database Password", Variant("secret"));
    props.Set("JET OLEDB:DATABASE PASSWORD", Variant("other"));
    EXPECT_EQ(props.Count(), 1u);
    EXPECT_EQ(props.Item(0).name, "Jet OLeDB:Database Password");
    EXPECT_EQ(props.Get("jet oledb:database password"), Variant("other"));
    EXPECT_EQ(props.Text("missing"), "");
    EXPECT_EQ(CatchAdoError([&] { props.Get("missing"); }).Number(), errors::ItemNotFound);
    EXPECT_TRUE(props.Remove("JET OLEDB:Database Password"));
    EXPECT_FALSE(props.Contains("Jet OLEDB:Database Password"));
}

TEST(ConnectionSettings, ConnectionStringFillsProviderAndProperties) {
    Connection cnn;
    cnn.SetConnectionString("Provider=SQLOLEDB.1;Persist Security Info=False;");
    cnn.Properties().Set("Initial Catalog", Variant("master"));
    EXPECT_EQ(cnn.Provider(), "SQLOLEDB.1");
    EXPECT_EQ(cnn.Properties().Text("persist security info"), "False");
    EXPECT_EQ(cnn.ConnectionString(),
              "Provider=SQLOLEDB.1;Persist Security Info=False;Initial Catalog=master");
    EXPECT_EQ(cnn.State(), adStateClosed);
    Connection copy = cnn; // copies share one connection
    copy.SetCommandTimeout(0);
    EXPECT_EQ(cnn.CommandTimeout(), 0);
}

class ProviderRegistryBooks : public test::BookFileFixture {};

TEST_F(ProviderRegistryBooks, ARegisteredNameReachesItsProviderWithoutRegardToCaseAndAnUnknownOneNone) {
    EXPECT_TRUE(IsProviderRegistered("microsoft.jet.oledb.4.0") && IsProviderRegistered("MICROSOFT.JET.OLEDB"));
    EXPECT_EQ(CatchAdoError([] { CreateProvider("No.Such.Provider"); }).Number(), errors::ProviderNotFound);
    const std::string file = CreateBook();
    Connection unknown;
    unknown.SetConnectionString("Provider=Nobody.Home;Data Source=" + file);
    EXPECT_EQ(CatchAdoError([&] { unknown.Open(); }).Number(), errors::ProviderNotFound);
    EXPECT_EQ(unknown.State(), adStateClosed);
    RegisterProvider("Kx.Books.Alias", [] { return jet::NewJetProvider(); });
    Connection cnn;
    cnn.SetConnectionString("Provider=kx.books.ALIAS;Data Source=" + file);
    cnn.Properties().Set("Jet OLEDB:Database Password", Variant(test::kBookPassword));
    cnn.Open();
    EXPECT_EQ(cnn.State(), adStateOpen);
}

class TableListing : public test::BookFileFixture {
  protected:
    void SetUp() override {
        cnn_ = CreateAndOpenBook();
        Run(cnn_, {"CREATE TABLE kxAccClass (ID COUNTER, Code TEXT(10))", "CREATE TABLE [kx Branch] (x LONG)",
                   "CREATE VIEW vClasses AS SELECT Code FROM kxAccClass"});
    }

    // The listing walk of the conversion: rows whose type is exactly "TABLE".
    static std::set<std::string> UserTables(Recordset& rs) {
        std::set<std::string> names;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            if (rs.Item("Table_Type").Value().ToString() == "TABLE")
                names.insert(rs.Item("Table_Name").Value().ToString());
        return names;
    }

    Connection cnn_;
};

TEST_F(TableListing, ListsUserTablesViewsAndSystemTablesFilteredByTheRestrictions) {
    Recordset rs = cnn_.OpenSchema(adSchemaTables);
    std::set<std::string> rows;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        EXPECT_TRUE(rs.Item("Table_Catalog").Value().IsNull());
        rows.insert(rs.Item("TABLE_TYPE").Value().ToString() + ":" +
                    rs.Item("table_name").Value().ToString());
    }
    EXPECT_EQ(rows, (std::set<std::string>{"TABLE:kxAccClass", "TABLE:kx Branch", "VIEW:vClasses",
                                           "SYSTEM TABLE:sqlite_master", "SYSTEM TABLE:sqlite_sequence"}));
    EXPECT_EQ(UserTables(rs), (std::set<std::string>{"kxAccClass", "kx Branch"}));

    // Restrictions filter by name and type; the rows are read-only.
    Recordset tables = cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("Table")});
    EXPECT_EQ(tables.RecordCount(), 2);
    EXPECT_EQ(UserTables(tables), (std::set<std::string>{"kxAccClass", "kx Branch"}));
    Recordset one =
        cnn_.OpenSchema(adSchemaTables, {Variant::Null(), Variant::Null(), Variant("KXACCCLASS")});
    ASSERT_EQ(one.RecordCount(), 1);
    EXPECT_EQ(one.Item("TABLE_NAME").Value(), Variant("kxAccClass"));
    EXPECT_EQ(
        cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("VIEW")}).RecordCount(), 1);
    EXPECT_EQ(CatchAdoError([&] { one.Item("TABLE_NAME").SetValue(Variant("x")); }).Number(),
              errors::FeatureNotAvailable);
    EXPECT_EQ(CatchAdoError([&] { cnn_.OpenSchema(adSchemaColumns); }).Number(), errors::FeatureNotAvailable);
}

} // namespace
} // namespace kx::ado
