// Recordsets opened on server tables by name: their order, and writing rows back
// (long values above all) into tables that have no primary key.

#include "ServerBookFixture.h"

#include "ado/Stream.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace kx::ado {
namespace {

using test::CatchAdoError;

Bytes Pattern(std::size_t size, unsigned seed = 0) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::byte>((i * 131 + i / 251 + seed) & 0xFF);
    return bytes;
}

// Chinese text with a character outside the basic plane (U+20BB7), a tab, a
// backslash and ASCII: five characters, 14 bytes a repeat.
std::string ChineseText(std::size_t repeats) {
    std::string text;
    for (std::size_t i = 0; i < repeats; ++i)
        text += "会计𠮷\t\\";
    return text;
}

// Writes one value to the file the way the row-by-row copy does: pieces of 1000
// until the field's actual size is counted. False for an empty or Null value.
bool SaveFieldToFile(const std::string& path, Recordset& rs, const std::string& name) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    Field field = rs.Item(name);
    const long size = field.ActualSize();
    for (long count = 0; count < size; count += 1000) {
        const Variant piece = field.GetChunk(1000);
        if (piece.IsNull())
            break;
        const Bytes bytes = piece.ToBytes();
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return size > 0;
}

// Puts the file's bytes into the field through a stream and saves the row.
void LoadFieldFromFile(const std::string& path, Recordset& rs, const std::string& name) {
    Stream stream;
    stream.SetType(adTypeBinary);
    stream.Open("", adModeUnknown, -1, "", "");
    stream.LoadFromFile(path);
    rs.Item(name).SetValue(stream.Read(adReadAll));
    rs.Update();
    stream.Close();
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
    }

    Recordset OpenByName(Connection& cnn, const std::string& table = "kxSystem") {
        Recordset rs;
        rs.Open(table, cnn, adOpenForwardOnly, adLockOptimistic, adCmdTable);
        rs.SetCacheSize(1000);
        return rs;
    }

    /// The rows as a fresh connection reads them, by ID.
    std::vector<std::vector<Variant>> StoredRows() {
        Connection reader = OpenServer(database_);
        std::optional<Recordset> rs =
            reader.Execute("Select ID, Memo1, Photo, Note From kxSystem Order By ID");
        std::vector<std::vector<Variant>> rows;
        for (; !rs->IsEOF(); rs->MoveNext())
            rows.push_back(
                {rs->Item(0L).Value(), rs->Item(1L).Value(), rs->Item(2L).Value(), rs->Item(3L).Value()});
        return rows;
    }
};

// The conversion of a book with long values, end to end: the row copy, then the
// row-by-row copy of kxSystem's long text and image fields through a file.
TEST_F(ServerTableEdits, LongValuesCopiedRowByRowArriveWholeWithoutAKey) {
    const std::string bookFile = CreateBook();
    Connection book = test::OpenBook(bookFile);
    Run(book, {"CREATE TABLE kxSystem (ID COUNTER, Memo1 MEMO, Photo LONGBINARY, Note TEXT(20))"});
    struct Source {
        std::optional<std::string> memo;
        std::optional<Bytes> photo;
    };
    const std::vector<Source> sources = {
        {ChineseText(260000), Pattern(3u * 1024u * 1024u + 5u)}, // several MB each
        {std::string("短"), Pattern(1001, 1)},                   // shorter after longer
        {std::nullopt, std::nullopt},
        {std::string("x"), Pattern(1, 2)},
        {ChineseText(200).substr(0, 999), Pattern(999, 3)},
        {std::string(1000, 'a'), Pattern(1000, 4)},
        {std::string(), Bytes()},
    };
    {
        Recordset rs;
        rs.Open("kxSystem", book, adOpenForwardOnly, adLockOptimistic, adCmdTable);
        for (const Source& source : sources) {
            rs.AddNew();
            rs.Item("Memo1").SetValue(source.memo ? Variant(*source.memo) : Variant::Null());
            rs.Item("Photo").SetValue(source.photo ? Variant(*source.photo) : Variant::Null());
            rs.Item("Note").SetValue(Variant("行"));
            rs.Update();
        }
    }

    cnn_.Execute("SET IDENTITY_INSERT dbo.kxSystem ON ");
    cnn_.Execute("INSERT INTO kxSystem ([ID],[Memo1],[Note]) SELECT [ID],[Memo1],[Note] FROM OPENDATASOURCE "
                 "('Microsoft.Jet.OLEDB.4.0','Data Source=\"" +
                 bookFile + "\";Persist Security Info=False;Jet OLEDB:Database Password=" +
                 test::kBookPassword + "')...[kxSystem] Rowset_1");
    cnn_.Execute("SET IDENTITY_INSERT dbo.kxSystem OFF ");

    std::optional<Recordset> source = book.Execute("Select * From kxSystem");
    Recordset target = OpenByName(cnn_);
    const std::string path = folder_.File("value.tmp");
    while (!source->IsEOF()) {
        for (const char* name : {"Memo1", "Photo"})
            if (SaveFieldToFile(path, *source, name))
                LoadFieldFromFile(path, target, name);
        target.UpdateBatch(adAffectAll);
        source->MoveNext();
        target.MoveNext();
    }
    target.Close();

    const std::vector<std::vector<Variant>> stored = StoredRows();
    ASSERT_EQ(stored.size(), sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(stored[i][0], Variant(static_cast<std::int32_t>(i + 1)));
        EXPECT_TRUE(stored[i][1] == (sources[i].memo ? Variant(*sources[i].memo) : Variant::Null()));
        // An empty image is not copied (the copy skips values without bytes) and stays Null.
        const bool copied = sources[i].photo && !sources[i].photo->empty();
        EXPECT_TRUE(stored[i][2] == (copied ? Variant(*sources[i].photo) : Variant::Null()));
        EXPECT_EQ(stored[i][3], Variant("行"));
    }
}

TEST_F(ServerTableEdits, RowsComeInTheOrderInWhichTheyWereAdded) {
    for (const char* note : {"c", "a", "b", "甲", "A"})
        cnn_.Execute(std::string("INSERT INTO kxSystem ([Note]) VALUES (N'") + note + "')");
    Recordset rs = OpenByName(cnn_);
    std::vector<Variant> notes;
    for (; !rs.IsEOF(); rs.MoveNext())
        notes.push_back(rs.Item("Note").Value());
    EXPECT_EQ(notes,
              (std::vector<Variant>{Variant("c"), Variant("a"), Variant("b"), Variant("甲"), Variant("A")}));
}

class ServerBinarySizes : public ServerTableEdits, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ServerBinarySizes, ReplaceAndShrinkInPlace) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'one')");
    const Bytes longer = Pattern(GetParam() + 4000, 9);
    const Bytes value = Pattern(GetParam());
    Recordset rs = OpenByName(cnn_);
    rs.Item("Photo").SetValue(Variant(longer));
    rs.Update();
    rs.Item("Photo").SetValue(Variant(value));
    rs.Update();
    rs.Close();
    const Variant stored = StoredRows().at(0).at(2);
    ASSERT_EQ(stored.Type(), VariantType::Binary) << "an empty value is not Null";
    EXPECT_TRUE(stored.AsBytes() == value);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ServerBinarySizes,
                         ::testing::Values(0u, 1u, 999u, 1000u, 1001u, 4u * 1024u * 1024u + 3u));

TEST_F(ServerTableEdits, ARowChangedElsewhereIsNotOverwritten) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'mine')");
    Recordset rs = OpenByName(cnn_);
    Connection other = OpenServer(database_);
    other.Execute("UPDATE kxSystem SET Note = N'theirs' WHERE ID = 1");

    rs.Item("Note").SetValue(Variant("overwritten"));
    const AdoError error = CatchAdoError([&] { rs.Update(); });
    EXPECT_EQ(error.Number(), errors::RowNotFound);
    rs.CancelUpdate();
    EXPECT_EQ(StoredRows().at(0).at(3), Variant("theirs"));

    const AdoError deletion = CatchAdoError([&] { rs.Delete(); });
    EXPECT_EQ(deletion.Number(), errors::RowNotFound);
    EXPECT_EQ(StoredRows().size(), 1u);
}

TEST_F(ServerTableEdits, EveryUpdateFollowsTheRowsNewVersion) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'one')");
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'two')");
    Recordset rs = OpenByName(cnn_);
    for (const char* note : {"1a", "1b", "1c"}) {
        rs.Item("Note").SetValue(Variant(note));
        rs.Update();
    }
    rs.Item("Memo1").SetValue(Variant(ChineseText(10)));
    rs.UpdateBatch(adAffectAll);
    rs.MoveNext();
    rs.Item("Note").SetValue(Variant("2a"));
    rs.MoveFirst(); // leaving the row writes it
    rs.Item("Note").SetValue(Variant("1d"));
    rs.Update();
    const std::vector<std::vector<Variant>> stored = StoredRows();
    EXPECT_EQ(stored.at(0).at(3), Variant("1d"));
    EXPECT_EQ(stored.at(0).at(1), Variant(ChineseText(10)));
    EXPECT_EQ(stored.at(1).at(3), Variant("2a"));
}

TEST_F(ServerTableEdits, AddedRowsGetTheirIdentityAndCanBeDeleted) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'first')");
    Recordset rs = OpenByName(cnn_);
    rs.AddNew();
    rs.Item("Note").SetValue(Variant("second"));
    rs.Update();
    EXPECT_EQ(rs.Item("ID").Value(), Variant(2));
    EXPECT_TRUE(rs.Item("Photo").Value().IsNull());
    rs.Item("Note").SetValue(Variant("second, edited"));
    rs.Update();
    EXPECT_EQ(CatchAdoError([&] { rs.Item("ID").SetValue(Variant(7)); }).Number(),
              errors::FeatureNotAvailable)
        << "an identity cannot be assigned";
    rs.MoveFirst();
    rs.Delete();
    rs.Close();
    const std::vector<std::vector<Variant>> stored = StoredRows();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0][0], Variant(2));
    EXPECT_EQ(stored[0][3], Variant("second, edited"));
}

TEST_F(ServerTableEdits, ValuesOfEveryMappedTypeComeBackAsWritten) {
    cnn_.Execute(
        "CREATE TABLE kxTypes ([Flag] [bit] NULL,[Num] [int] NULL,[Stamp] [datetime] NULL,[Amount] "
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
        {"Allow", Variant(std::string(256, 'z'))},
    };
    Recordset rs = OpenByName(cnn_, "kxTypes");
    for (const auto& [name, value] : values)
        rs.Item(name).SetValue(value);
    rs.Update();
    for (const auto& [name, value] : values)
        EXPECT_EQ(rs.Item(name).Value(), value) << name << " as the update read it back";
    rs.Close();

    Recordset fresh = OpenByName(cnn_, "kxTypes");
    for (const auto& [name, value] : values)
        EXPECT_EQ(fresh.Item(name).Value(), value) << name;
    for (const auto& [name, value] : values)
        fresh.Item(name).SetValue(Variant::Null());
    fresh.Update();
    fresh.Close();
    Recordset cleared = OpenByName(cnn_, "kxTypes");
    for (const auto& [name, value] : values)
        EXPECT_TRUE(cleared.Item(name).Value().IsNull()) << name;
}

TEST_F(ServerTableEdits, ATooLongTextIsRefusedAndTheRowKeepsItsValue) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'short')");
    Recordset rs = OpenByName(cnn_);
    rs.Item("Note").SetValue(Variant(std::string(21, 'n')));
    const AdoError error = CatchAdoError([&] { rs.Update(); });
    EXPECT_EQ(error.NativeError(), 8152);
    EXPECT_EQ(StoredRows().at(0).at(3), Variant("short"));
}

TEST_F(ServerTableEdits, RowsOfAStatementAreReadOnly) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'x')");
    Recordset rs;
    rs.Open("Select * From kxSystem", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdText);
    EXPECT_EQ(CatchAdoError([&] { rs.Item("Note").SetValue(Variant("y")); }).Number(),
              errors::FeatureNotAvailable);
}

TEST_F(ServerTableEdits, AMissingTableCannotBeOpenedByName) {
    Recordset rs;
    const AdoError error = CatchAdoError(
        [&] { rs.Open("kxNoSuchTable", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdTable); });
    EXPECT_EQ(error.Number(), errors::NoSuchTable);
    EXPECT_NE(error.Description().find("kxNoSuchTable"), std::string::npos);
}

TEST_F(ServerTableEdits, ABareTableNameWithoutACommandTypeOpensTheTable) {
    cnn_.Execute("INSERT INTO kxSystem ([Note]) VALUES (N'bare')");
    Recordset rs;
    rs.Open("[dbo].[KXSYSTEM]", cnn_, adOpenForwardOnly, adLockOptimistic);
    rs.Item("Note").SetValue(Variant("edited"));
    rs.Update();
    EXPECT_EQ(StoredRows().at(0).at(3), Variant("edited"));
}

} // namespace
} // namespace kx::ado
