// Server books through the ADO API: opening them, listing their tables, the
// statements the book routines send, and the rows recordsets write back.

#include "ServerBookFixture.h"
#include "ado/ProviderRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kx::ado {
namespace {

using test::CatchAdoError;
using test::Pattern;

// Built the way the conversion builds its row copy statement.
std::string ImportStatement(const std::string& table, const std::string& targets, const std::string& sources,
                            const std::string& file, const std::string& password = test::kBookPassword,
                            const std::string& bookTable = {}) {
    static int rowset = 0;
    return "INSERT INTO " + table + " (" + targets + ") SELECT " + sources +
           " FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data Source=\"" + file +
           "\";Persist Security Info=False;Jet OLEDB:Database Password=" + password + "')...[" +
           (bookTable.empty() ? table : bookTable) + "] Rowset_" + std::to_string(++rowset);
}

// The column definitions the conversion makes for every row of its type map.
constexpr const char* kMappedTable =
    "CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (50) COLLATE Chinese_PRC_CI_AS "
    "NULL,[Flag] [bit] NULL,[Num] [int] NULL,[Allow] [varchar] (256) COLLATE Chinese_PRC_CI_AS NULL,[Memo1] "
    "[ntext] COLLATE Chinese_PRC_CI_AS NULL,[Stamp] [datetime] NULL,[Amount] [money] NULL,[Ratio] [float] "
    "NULL,[Small] [int] NULL,[Single] [money] NULL,[Photo] [image] NULL,[Other] [ntext] NULL) ON [PRIMARY] ";

struct FieldExpectation {
    const char* name;
    DataTypeEnum type;
    long definedSize;
};

class ServerStatements : public test::ServerBookFixture {
  protected:
    Variant Scalar(const std::string& sql) { return BookFileFixture::Scalar(cnn_, sql); }
};

TEST_F(ServerStatements, TablesOfTheTypeMapReportTheirFieldTypes) {
    cnn_.Execute(kMappedTable);
    std::optional<Recordset> rs = cnn_.Execute("Select * From T1");
    ASSERT_TRUE(rs.has_value());
    // Small, Single and Other are made as Num, Amount and Memo1 are.
    const FieldExpectation expected[] = {
        {"ID", adInteger, 4},          {"Name", adVarWChar, 50},          {"Flag", adBoolean, 2},
        {"Num", adInteger, 4},         {"Allow", adVarWChar, 256},        {"Memo1", adLongVarWChar, 1073741823},
        {"Stamp", adDBTimeStamp, 16},  {"Amount", adCurrency, 8},         {"Ratio", adDouble, 8},
        {"Photo", adLongVarBinary, 2147483647}};
    ASSERT_EQ(rs->Fields().Count(), 13);
    for (const FieldExpectation& e : expected) {
        SCOPED_TRACE(e.name);
        const Field field = rs->Item(e.name);
        EXPECT_EQ(field.Type(), e.type);
        EXPECT_EQ(field.DefinedSize(), e.definedSize);
    }
    const long identity = rs->Item("ID").Attributes();
    EXPECT_NE(identity, 90) << "90 marks a Jet counter, which the conversion would take it for";
    EXPECT_EQ(identity & (adFldUpdatable | adFldIsNullable), 0);
    EXPECT_NE(rs->Item("Num").Attributes() & adFldIsNullable, 0);
    EXPECT_NE(rs->Item("Memo1").Attributes() & adFldLong, 0);
    EXPECT_NE(rs->Item("Photo").Attributes() & adFldLong, 0);
    // The caller's comparison with 1 has no truth value for a missing table, which it reports as an error.
    EXPECT_EQ(Scalar("Select OBJECTPROPERTY(OBJECT_ID('t1'),'TableHasIdentity')").ToInt32(), 1);
    EXPECT_TRUE(Scalar("Select OBJECTPROPERTY(OBJECT_ID('kxMissing'),'TableHasIdentity')").IsNull());
}

class JetImport : public ServerStatements {
  protected:
    void SetUp() override {
        ServerStatements::SetUp();
        if (IsSkipped())
            return;
        bookFile_ = CreateBook();
        book_ = test::OpenBook(bookFile_);
        Run(book_,
            {"CREATE TABLE T1 (ID COUNTER, Name TEXT(50), Flag BIT, Num LONG, Allow MEMO, Memo1 MEMO, "
             "Stamp DATETIME, Amount CURRENCY, Ratio DOUBLE, Small SHORT, Single SINGLE, Photo LONGBINARY, "
             "Other BYTE)"});
        cnn_.Execute(kMappedTable);
    }

    std::string ImportAll(const std::string& file) {
        return ImportStatement(
            "T1",
            "[ID],[Name],[Flag],[Num],[Allow],[Memo1],[Stamp],[Amount],[Ratio],[Small],[Single],"
            "[Other]",
            "[ID],[Name],[Flag],[Num],CONVERT (varchar(256),[Allow]),[Memo1],[Stamp],[Amount],"
            "[Ratio],[Small],[Single],[Other]",
            file);
    }

    std::string bookFile_;
    Connection book_;
};

TEST_F(JetImport, CopiesEveryValueExactlyAndKeepsTheCounterButAWrongPasswordStoresNothing) {
    std::string longMemo;
    for (int i = 0; i < 3000; ++i)
        longMemo += "会计𠮷\t\\";
    std::string allow(300, 'x');
    allow.replace(0, 3, "允许");
    Run(book_, {"INSERT INTO T1 (ID, Name, Flag, Num, Allow, Memo1, Stamp, Amount, Ratio, Small, Single, Other) "
                "VALUES (3, '主管𠮷 O''Brien', -1, -7, '" + allow + "', '" + longMemo +
                    "', '2024-02-29 13:14:15', 123456789.1234, 0.1, -32768, 1.5, 255)",
                "INSERT INTO T1 (ID) VALUES (8)"});
    for (const auto& [password, table] : {std::pair{"wrong", "T1"}, std::pair{test::kBookPassword, "kxNowhere"}}) {
        const AdoError error =
            CatchAdoError([&] { cnn_.Execute(ImportStatement("T1", "[ID]", "[ID]", bookFile_, password, table)); });
        EXPECT_EQ(error.Source(), "Microsoft OLE DB Provider for SQL Server");
        EXPECT_NE(error.Description().find("Microsoft.Jet.OLEDB.4.0"), std::string::npos) << error.Description();
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM T1").ToInt32(), 0);
    cnn_.Execute("SET IDENTITY_INSERT dbo.T1 ON ");
    cnn_.Execute(ImportAll(bookFile_));
    cnn_.Execute("SET IDENTITY_INSERT dbo.T1 OFF ");

    Recordset rs;
    rs.Open("T1", cnn_, adOpenForwardOnly, adLockReadOnly, adCmdTable);
    ASSERT_EQ(rs.RecordCount(), 2);
    const std::pair<const char*, Variant> first[] = {
        {"ID", Variant(3)}, {"Name", Variant("主管𠮷 O'Brien")}, {"Flag", Variant(true)}, {"Num", Variant(-7)},
        {"Allow", Variant(allow.substr(0, 256 + 4))}, // cut to 256 characters
        {"Memo1", Variant(longMemo)}, {"Stamp", Variant(Date::FromParts(2024, 2, 29, 13, 14, 15))},
        {"Amount", Variant(Currency{1234567891234})}, {"Ratio", Variant(0.1)}, {"Small", Variant(-32768)},
        {"Single", Variant(Currency{15000})}, {"Photo", Variant::Null()}, // image fields are left out
        {"Other", Variant("255")}};
    for (const auto& [name, value] : first)
        EXPECT_EQ(rs.Item(name).Value(), value) << name;
    rs.MoveNext();
    EXPECT_EQ(rs.Item("ID").Value(), Variant(8));
    for (const char* empty : {"Name", "Flag", "Num", "Allow", "Memo1", "Stamp", "Amount", "Ratio", "Other"})
        EXPECT_TRUE(rs.Item(empty).Value().IsNull()) << empty;
    rs.Close();
    cnn_.Execute("INSERT INTO T1 ([Name]) VALUES (N'after')");
    EXPECT_EQ(Scalar("SELECT MAX(ID) FROM T1").ToInt32(), 9) << "new rows follow the imported numbers";
}

TEST_F(ServerStatements, FailuresCarryTheServersMessageAndASqlServerNumber) {
    const AdoError unknown = CatchAdoError([&] { cnn_.Execute("EXEC sp_who2 'active'"); });
    EXPECT_EQ(unknown.Number(), errors::ErrorsInCommand);
    EXPECT_EQ(unknown.Source(), "Microsoft OLE DB Provider for SQL Server");
    EXPECT_NE(unknown.Description().find("EXEC sp_who2 'active'"), std::string::npos) << unknown.Description();
    const AdoError missing = CatchAdoError([&] { cnn_.Execute("Select * From kxNoSuchTable"); });
    EXPECT_EQ(missing.Number(), errors::NoSuchTable);
    EXPECT_NE(missing.Description().find("kxnosuchtable"), std::string::npos) << missing.Description();
    cnn_.Execute(kMappedTable);
    const AdoError exists = CatchAdoError([&] { cnn_.Execute(kMappedTable); });
    EXPECT_EQ(exists.NativeError(), 2714);
    EXPECT_NE(exists.Description().find("already exists"), std::string::npos) << exists.Description();
    // A quote in a typed operator name breaks the statement; the check then answers False.
    EXPECT_THROW(cnn_.Execute("SELECT * From T1 WHERE (Name = 'a'b')"), AdoError);

    Connection master = OpenServer("master");
    EXPECT_EQ(CatchAdoError([&] { master.Execute("Create Database " + database_); }).NativeError(), 1801);
    // A table dropped by a three-part name is gone from that database.
    const std::string other = NewDatabase();
    Connection second = OpenServer(other);
    second.Execute("CREATE TABLE kxGone ([a] [int] NULL) ON [PRIMARY] ");
    cnn_.Execute("Drop Table [" + other + "]..[kxGone]");
    EXPECT_TRUE(UserTables(second.OpenSchema(adSchemaTables)).empty());
    const AdoError gone = CatchAdoError([&] { cnn_.Execute("Drop Table [" + other + "]..[kxGone]"); });
    EXPECT_EQ(gone.Number(), errors::NoSuchTable);
    EXPECT_EQ(gone.NativeError(), 208);
}

// Recordsets opened on server tables by name: writing rows back (long values above
// all) into tables that have no primary key.

std::string ChineseText(std::size_t repeats) {
    std::string text;
    for (std::size_t i = 0; i < repeats; ++i)
        text += "会计𠮷\t\\";
    return text;
}

class ServerTableEdits : public test::ServerBookFixture {
  protected:
    void SetUp() override {
        ServerBookFixture::SetUp();
        if (IsSkipped())
            return;
        cnn_.Execute("CREATE TABLE kxSystem ([ID] [int] IDENTITY (1, 1) NOT NULL,[Memo1] [ntext] COLLATE "
                     "Chinese_PRC_CI_AS NULL,[Photo] [image] NULL,[Note] [nvarchar] (20) COLLATE "
                     "Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
        cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'one')");
    }

    Recordset OpenByName(const std::string& table = "kxSystem") {
        Recordset rs;
        rs.Open(table, cnn_, adOpenForwardOnly, adLockOptimistic, adCmdTable);
        rs.SetCacheSize(1000);
        return rs;
    }

    /// The rows as a fresh connection reads them, by ID.
    std::vector<std::vector<Variant>> StoredRows() {
        Connection reader = OpenServer(database_);
        std::optional<Recordset> rs = reader.Execute("Select ID, Memo1, Photo, Note From kxSystem Order By ID");
        std::vector<std::vector<Variant>> rows;
        for (; !rs->IsEOF(); rs->MoveNext())
            rows.push_back({rs->Item(0L).Value(), rs->Item(1L).Value(), rs->Item(2L).Value(), rs->Item(3L).Value()});
        return rows;
    }
};

class ServerBinarySizes : public ServerTableEdits, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ServerBinarySizes, LongValuesReplaceAndShrinkInPlace) {
    const Bytes value = Pattern(GetParam());
    const std::string memo = ChineseText(GetParam() / 14);
    Recordset rs = OpenByName();
    rs.Item("Photo").SetValue(Variant(Pattern(GetParam() + 4000, 9)));
    rs.Item("Memo1").SetValue(Variant(ChineseText(GetParam() / 14 + 300)));
    rs.Update();
    rs.Item("Photo").SetValue(Variant(value));
    rs.Item("Memo1").SetValue(Variant(memo));
    rs.Update();
    rs.Close();
    const std::vector<Variant> stored = StoredRows().at(0);
    ASSERT_EQ(stored.at(2).Type(), VariantType::Binary) << "an empty value is not Null";
    EXPECT_TRUE(stored.at(2).AsBytes() == value);
    EXPECT_TRUE(stored.at(1) == Variant(memo));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ServerBinarySizes,
                         ::testing::Values(0u, 1u, 999u, 1000u, 1001u, 4u * 1024u * 1024u + 3u));

TEST_F(ServerTableEdits, UpdatesFollowTheRowsVersionAndRefuseARowChangedElsewhere) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'two')");
    Recordset rs = OpenByName();
    for (const char* note : {"1a", "1b"}) {
        rs.Item("Note").SetValue(Variant(note));
        rs.Update();
    }
    rs.Item("Memo1").SetValue(Variant(ChineseText(10)));
    rs.UpdateBatch(adAffectAll);
    rs.MoveNext();
    rs.Item("Note").SetValue(Variant("2a"));
    rs.MoveFirst(); // leaving the row writes it
    std::vector<std::vector<Variant>> stored = StoredRows();
    EXPECT_EQ(stored.at(0).at(3), Variant("1b"));
    EXPECT_EQ(stored.at(0).at(1), Variant(ChineseText(10)));
    EXPECT_EQ(stored.at(1).at(3), Variant("2a"));

    OpenServer(database_).Execute("UPDATE kxSystem SET Note = N'theirs' WHERE ID = 1");
    rs.Item("Note").SetValue(Variant("overwritten"));
    EXPECT_EQ(CatchAdoError([&] { rs.Update(); }).Number(), errors::RowNotFound);
    rs.CancelUpdate();
    EXPECT_EQ(CatchAdoError([&] { rs.Delete(); }).Number(), errors::RowNotFound);
    stored = StoredRows();
    EXPECT_EQ(stored.at(0).at(3), Variant("theirs"));
    EXPECT_EQ(stored.size(), 2u);
}

TEST_F(ServerTableEdits, AddedRowsGetTheirIdentityAndCanBeDeleted) {
    Recordset rs = OpenByName();
    rs.AddNew();
    rs.Item("Note").SetValue(Variant("second"));
    rs.Update();
    EXPECT_EQ(rs.Item("ID").Value(), Variant(2));
    EXPECT_TRUE(rs.Item("Photo").Value().IsNull());
    rs.Item("Note").SetValue(Variant("second, edited"));
    rs.Update();
    EXPECT_EQ(CatchAdoError([&] { rs.Item("ID").SetValue(Variant(7)); }).Number(), errors::FeatureNotAvailable)
        << "an identity cannot be assigned";
    rs.MoveFirst();
    rs.Delete();
    rs.Close();
    EXPECT_EQ(StoredRows(), (std::vector<std::vector<Variant>>{
                                {Variant(2), Variant::Null(), Variant::Null(), Variant("second, edited")}}));
}

TEST_F(ServerTableEdits, AWholeTableDeleteCountsItsRowsHoweverTheServerEmptiesTheTable) {
    // Alone on the database the rows go by TRUNCATE, beside another session by DELETE.
    for (const bool otherSession : {false, true}) {
        SCOPED_TRACE(otherSession ? "another session" : "alone");
        std::optional<Connection> other;
        if (otherSession)
            other = OpenServer(database_);
        cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'two'), (N'three')");
        long affected = -2;
        EXPECT_FALSE(cnn_.Execute("Delete From kxSystem ", &affected, -1).has_value());
        EXPECT_EQ(affected, otherSession ? 2 : 3);
        EXPECT_TRUE(StoredRows().empty());
    }
}

TEST_F(ServerTableEdits, ValuesOfEveryMappedTypeComeBackAsWritten) {
    cnn_.Execute("CREATE TABLE kxTypes ([Flag] [bit] NULL,[Num] [int] NULL,[Stamp] [datetime] NULL,[Amount] "
                 "[money] NULL,[Ratio] [float] NULL,[Small] [smallint] NULL,[Name] [nvarchar] (10) COLLATE "
                 "Chinese_PRC_CI_AS NULL,[Allow] [varchar] (256) COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
    cnn_.Execute("INSERT INTO kxTypes ([Num]) VALUES (0)");
    const std::vector<std::pair<const char*, Variant>> values = {
        {"Flag", Variant(true)},
        {"Num", Variant(std::int32_t{-2147483647 - 1})},
        {"Stamp", Variant(Date::FromParts(1753, 1, 1, 23, 59, 59))},
        {"Amount", Variant(Currency{-9223372036854775807LL - 1})},
        {"Ratio", Variant(1.0 / 3.0)},
        {"Small", Variant(std::int16_t{32767})},
        {"Name", Variant("十个字符𠮷𠮷𠮷𠮷𠮷𠮷")},
        {"Allow", Variant(std::string(256, 'z'))}};
    for (const bool clear : {false, true}) {
        Recordset rs = OpenByName("kxTypes");
        for (const auto& [name, value] : values)
            rs.Item(name).SetValue(clear ? Variant::Null() : value);
        rs.Update();
        rs.Close();
        Recordset fresh = OpenByName("kxTypes");
        for (const auto& [name, value] : values)
            EXPECT_EQ(fresh.Item(name).Value(), clear ? Variant::Null() : value) << name;
    }
}

TEST_F(ServerTableEdits, TablesOpenByAnyNameFormAndStatementRowsAreReadOnly) {
    Recordset rs;
    rs.Open("[dbo].[KXSYSTEM]", cnn_, adOpenForwardOnly, adLockOptimistic);
    rs.Item("Note").SetValue(Variant(std::string(21, 'n')));
    EXPECT_EQ(CatchAdoError([&] { rs.Update(); }).NativeError(), 8152) << "too long for the column";
    rs.CancelUpdate();
    rs.Item("Note").SetValue(Variant("edited"));
    rs.Update();
    EXPECT_EQ(StoredRows().at(0).at(3), Variant("edited"));

    Recordset statement;
    statement.Open("Select * From kxSystem", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdText);
    EXPECT_EQ(CatchAdoError([&] { statement.Item("Note").SetValue(Variant("y")); }).Number(),
              errors::FeatureNotAvailable);
    Recordset missing;
    const AdoError error =
        CatchAdoError([&] { missing.Open("kxNoSuchTable", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdTable); });
    EXPECT_EQ(error.Number(), errors::NoSuchTable);
    EXPECT_NE(error.Description().find("kxNoSuchTable"), std::string::npos);
}

// Opening server books and listing their tables.

using test::PrepareServerConnection;

class ServerConnection : public test::ServerBookFixture {};

TEST_F(ServerConnection, OpensWithThePropertiesTheWizardSetsAndHidesThePassword) {
    EXPECT_TRUE(IsProviderRegistered("SQLOLEDB.1") && IsProviderRegistered("sqloledb"));
    const std::string text = cnn_.ConnectionString();
    EXPECT_NE(text.find("Initial Catalog=" + database_), std::string::npos) << text;
    EXPECT_EQ(text.find(server_->password), std::string::npos) << "the password must not be read back";
    EXPECT_NE(text.find("SQL"), std::string::npos) << "the clearing recognises server books by it";
}

TEST_F(ServerConnection, MasterAndAnEmptyCatalogOpenTheMaintenanceDatabase) {
    // No database of these names exists on the server: opening proves where they lead.
    for (const char* catalog : {"master", "MASTER", ""}) {
        Connection cnn = PrepareServer(database_);
        cnn.Properties().Set("Initial Catalog", Variant(catalog));
        cnn.Open();
        Recordset listing =
            cnn.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("SYSTEM TABLE")});
        ASSERT_FALSE(listing.IsEOF()) << catalog;
        EXPECT_EQ(listing.Item("TABLE_CATALOG").Value(), Variant(*catalog == '\0' ? "master" : catalog));
        cnn.Close();
    }
}

TEST_F(ServerConnection, AWrongPasswordAMissingDatabaseOrServerLeaveTheConnectionClosed) {
    struct Case {
        Connection cnn;
        std::string text;
        long nativeError;
    };
    Case cases[] = {{PrepareServer(database_, std::string("not the password")),
                     "Login failed for user '" + server_->user + "'", 18456},
                    {PrepareServer("kxAcc_no_such_book"), "Cannot open database", 4060},
                    {PrepareServerConnection(database_, folder_.path().string() + ",1", server_->user,
                                             server_->password),
                     "Cannot connect", 0}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.text);
        const AdoError error = CatchAdoError([&] { c.cnn.Open("", "", "", -1); });
        EXPECT_NE(error.Description().find(c.text), std::string::npos) << error.Description();
        if (c.nativeError != 0) {
            EXPECT_EQ(error.NativeError(), c.nativeError);
        }
        EXPECT_EQ(c.cnn.State(), adStateClosed);
        if (c.nativeError == 18456) {
            EXPECT_EQ(error.Number(), errors::AuthenticationFailed);
            EXPECT_EQ(error.Source(), "Microsoft OLE DB Provider for SQL Server");
            EXPECT_NE(error.Description().find("password authentication failed"), std::string::npos)
                << "the server's own message goes along";
        }
    }
}

TEST_F(ServerConnection, TheCommandTimeLimitCutsOffAStatementThatWaits) {
    cnn_.Execute("CREATE TABLE kxLocked ([a] [int] NULL) ON [PRIMARY] ");
    pg::PgConnectionSettings settings = *server_;
    settings.database = pg::FoldDatabaseName(database_);
    pg::PgConnection holder(settings);
    holder.Exec("BEGIN");
    holder.Exec("LOCK TABLE kxlocked IN ACCESS EXCLUSIVE MODE");

    cnn_.SetCommandTimeout(1);
    const AdoError error = CatchAdoError([&] { cnn_.Execute("Select * From kxLocked"); });
    EXPECT_EQ(error.Number(), errors::Hr(0x80040E31u)) << error.Description();
    holder.Exec("ROLLBACK");
    cnn_.SetCommandTimeout(0);
    EXPECT_TRUE(cnn_.Execute("Select * From kxLocked")->IsEOF());
}

class ServerTableListing : public test::ServerBookFixture {
  protected:
    void SetUp() override {
        ServerBookFixture::SetUp();
        if (IsSkipped())
            return;
        cnn_.Execute(
            "CREATE TABLE kxOperator ([opID] [int] IDENTITY (1, 1) NOT NULL,[opName] [nvarchar] (20) "
            "COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
        cnn_.Execute("CREATE TABLE [kx Blank] ([a] [int] NULL) ON [PRIMARY] ");
        // Views come from outside the book routines; the translator has no CREATE VIEW.
        pg::PgConnectionSettings settings = *server_;
        settings.database = pg::FoldDatabaseName(database_);
        pg::PgConnection(settings).Exec("CREATE VIEW kxoperatornames AS SELECT opname FROM kxoperator");
    }
};

TEST_F(ServerTableListing, ListsUserTablesBesideViewsAndTheServersTablesAndThoseOfAnotherCatalog) {
    EXPECT_EQ(UserTables(cnn_.OpenSchema(adSchemaTables)), (std::vector<std::string>{"kx blank", "kxoperator"}));
    std::set<std::string> types;
    for (Recordset all = cnn_.OpenSchema(adSchemaTables); !all.IsEOF(); all.MoveNext()) {
        types.insert(all.Item("TABLE_TYPE").Value().ToString() + ":" + all.Item("TABLE_NAME").Value().ToString());
        EXPECT_TRUE(all.Item("TABLE_GUID").Value().IsNull());
    }
    EXPECT_EQ(types.count("VIEW:kxoperatornames"), 1u);
    EXPECT_NE(types.lower_bound("SYSTEM TABLE:"), types.lower_bound("SYSTEM TABLE;")) << "no server tables";

    Recordset one = cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant("KXOPERATOR")});
    ASSERT_EQ(one.RecordCount(), 1);
    EXPECT_EQ(one.Item("TABLE_CATALOG").Value(), Variant(database_));
    EXPECT_EQ(one.Item("TABLE_SCHEMA").Value(), Variant("dbo"));
    // The table copy asks for "Table" and keeps the rows whose type is "TABLE".
    Recordset tables = cnn_.OpenSchema(adSchemaTables, {Variant(database_), Variant(), Variant(), Variant("Table")});
    EXPECT_EQ(tables.RecordCount(), 2);
    EXPECT_EQ(tables.Item("Table_Type").Value(), Variant("TABLE"));
    EXPECT_EQ(cnn_.OpenSchema(adSchemaTables, {Variant(""), Variant(""), Variant(""), Variant("view")}).RecordCount(),
              1);

    const std::string other = NewDatabase();
    OpenServer(other).Execute("CREATE TABLE kxOnlyThere ([a] [int] NULL) ON [PRIMARY] ");
    Recordset listing = cnn_.OpenSchema(adSchemaTables, {Variant(other), Variant(), Variant(), Variant("Table")});
    EXPECT_EQ(listing.Item("TABLE_CATALOG").Value(), Variant(other));
    EXPECT_EQ(UserTables(std::move(listing)), std::vector<std::string>{"kxonlythere"});
    EXPECT_EQ(UserTables(cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("TABLE")})),
              (std::vector<std::string>{"kx blank", "kxoperator"}))
        << "the connection's own database is unchanged";
}

} // namespace
} // namespace kx::ado
