// Recordsets opened on server tables by name: writing rows back (long values above
// all) into tables that have no primary key.

#include "ServerBookFixture.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace kx::ado
