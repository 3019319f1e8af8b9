// Connections: their strings and properties, the providers they reach, opening
// book files and listing their tables.

#include "BookFileFixture.h"
#include "ado/ConnectionString.h"
#include "ado/Properties.h"
#include "ado/ProviderRegistry.h"
#include "ado/jet/JetProvider.h"
#include "platform/AnsiTextFile.h"
#include "platform/Utf8Text.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/stat.h>

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

using test::kBookPassword;
using test::OpenBook;

class JetOpen : public test::BookFileFixture {};

TEST_F(JetOpen, ABookOpensOnlyWithItsOwnPasswordAndRefusalsLeaveItAsItWas) {
    const std::string file = CreateBook();
    const std::string open = CreateBook("open.mde", "");
    Connection cnn = OpenBook(file);
    Run(cnn, {"CREATE TABLE [kxOperator] ([opID] COUNTER, [opName] TEXT(20))",
              "INSERT INTO kxOperator (opName) VALUES ('admin')"});
    cnn.Close();
    const std::pair<std::string, const char*> refusals[] = {
        {file, ""}, {file, "7.30591862447"}, {file, "7.3059186244710"}, {file, " 7.305918624471"},
        {file, "x'; PRAGMA key = ''; --"}, {file, "###"}, {open, kBookPassword}};
    for (const auto& [book, password] : refusals) {
        SCOPED_TRACE(password);
        Connection attempt = test::PrepareBookConnection(book, password);
        const AdoError e = CatchAdoError([&] { attempt.Open("", "", "", -1); });
        EXPECT_EQ(e.Number(), errors::AuthenticationFailed);
        EXPECT_EQ(e.Description(), "Not a valid password.");
        EXPECT_EQ(e.Source(), "Microsoft JET Database Engine");
        EXPECT_EQ(attempt.State(), adStateClosed);
    }
    EXPECT_EQ(OpenBook(open, "").State(), adStateOpen);
    Connection again = OpenBook(file);
    EXPECT_EQ(Scalar(again, "Select opName From kxOperator"), Variant("admin"));
    again.Close();
    EXPECT_EQ(again.State(), adStateClosed);
}

TEST_F(JetOpen, AKeyedBookHoldsNoReadableText) {
    const std::string keyed = CreateBook("keyed.mde");
    const std::string plain = CreateBook("plain.mde", "");
    for (const auto& [file, password] :
         {std::pair{keyed, std::string(kBookPassword)}, std::pair{plain, std::string()}}) {
        Connection cnn = OpenBook(file, password);
        Run(cnn, {"CREATE TABLE t (x TEXT(40))", "INSERT INTO t VALUES ('MARKER-TEXT-4711')"});
    }
    const std::string keyedBytes = platform::ReadWholeFile(keyed);
    const std::string plainBytes = platform::ReadWholeFile(plain);
    EXPECT_EQ(keyedBytes.find("MARKER-TEXT-4711"), std::string::npos);
    EXPECT_NE(keyedBytes.rfind("SQLite format 3", 0), 0u);
    EXPECT_NE(plainBytes.find("MARKER-TEXT-4711"), std::string::npos);
}

TEST_F(JetOpen, KeyPropertyAndPathFormsReachTheBookWhichIsForTheOwnerOnly) {
    const std::string file = CreateBook();
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    Connection cnn;
    cnn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;data source=" + file +
                            ";JET OLEDB:DATABASE PASSWORD=" + kBookPassword);
    cnn.Open();
    EXPECT_EQ(cnn.State(), adStateOpen);
    std::string backslashed = file;
    for (char& c : backslashed)
        if (c == '/')
            c = '\\';
    EXPECT_EQ(OpenBook(backslashed).State(), adStateOpen);
}

TEST_F(JetOpen, MissingEmptyAndExistingFilesAreNeverMadeOrReplaced) {
    const std::string missing = File("nothing.mde");
    const AdoError e = CatchAdoError([&] { OpenBook(missing); });
    EXPECT_EQ(e.Number(), errors::E_Fail);
    EXPECT_EQ(e.Description(), "Could not find file '" + missing + "'.");
    EXPECT_FALSE(std::filesystem::exists(missing));
    const std::string empty = File("empty.mde");
    platform::WriteFileAtomically(empty, "");
    EXPECT_EQ(CatchAdoError([&] { OpenBook(empty); }).Description(),
              "Unrecognized database format '" + empty + "'.");

    const std::string file = CreateBook();
    OpenBook(file).Execute("CREATE TABLE t (x LONG)");
    EXPECT_EQ(CatchAdoError([&] { jet::CreateBookFile(file, ""); }).Number(), errors::FileWrite);
    Connection reader = test::PrepareBookConnection(file, kBookPassword);
    reader.SetMode(adModeRead);
    reader.Open();
    EXPECT_EQ(Scalar(reader, "SELECT count(*) FROM t"), Variant(std::int32_t{0}));
    EXPECT_EQ(CatchAdoError([&] { reader.Execute("INSERT INTO t VALUES (1)"); }).Number(),
              errors::PermissionDenied);
}

TEST_F(JetOpen, StateRulesAndPasswordsHiddenWhileOpen) {
    Connection cnn = CreateAndOpenBook();
    EXPECT_EQ(CatchAdoError([&] { cnn.Open(); }).Number(), errors::ObjectOpen);
    const std::string text = cnn.ConnectionString();
    EXPECT_NE(text.find("Data Source="), std::string::npos);
    EXPECT_EQ(text.find(kBookPassword), std::string::npos);
    cnn.Close();
    EXPECT_NE(cnn.ConnectionString().find(kBookPassword), std::string::npos);
    EXPECT_EQ(CatchAdoError([&] { cnn.Execute("SELECT 1"); }).Number(), errors::ObjectClosed);
    EXPECT_EQ(CatchAdoError([&] { cnn.Close(); }).Number(), errors::ObjectClosed);
    cnn.Properties().Set("Persist Security Info", Variant(true));
    cnn.Open();
    EXPECT_NE(cnn.ConnectionString().find(kBookPassword), std::string::npos);
}

} // namespace
} // namespace kx::ado
