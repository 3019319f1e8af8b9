#include "BookFileFixture.h"

#include "ado/Stream.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace kx::ado {
namespace {

using test::CatchAdoError;
using test::Pattern;
using test::OpenBook;

// Chinese text with a character outside the basic plane (U+20BB7) and ASCII.
std::string ChineseText(std::size_t repeats) {
    std::string text;
    for (std::size_t i = 0; i < repeats; ++i)
        text += "会计凭证𠮷ab";
    return text;
}

// Reads a long value the way the row-by-row copy does: pieces of 1000 until the
// actual size is counted.
Variant ReadInPieces(Field field) {
    const long size = field.ActualSize();
    Variant whole;
    for (long count = 0; count < size; count += 1000) {
        const Variant piece = field.GetChunk(1000);
        if (piece.IsNull())
            continue;
        if (whole.IsEmpty())
            whole = piece;
        else if (whole.Type() == VariantType::String)
            whole.MutableString() += piece.AsString();
        else
            whole.MutableBytes().insert(whole.MutableBytes().end(), piece.AsBytes().begin(),
                                        piece.AsBytes().end());
    }
    return whole;
}

class LongValues : public test::BookFileFixture {
  protected:
    void SetUp() override {
        file_ = CreateBook();
        cnn_ = OpenBook(file_);
        Run(cnn_,
            {"CREATE TABLE kxSystem (ID COUNTER, Memo1 MEMO, Short TEXT(20), Photo LONGBINARY)",
             "INSERT INTO kxSystem (Memo1) VALUES (NULL)", "INSERT INTO kxSystem (Memo1) VALUES (NULL)"});
    }

    // Writes one row's fields through a recordset and reads them back through a
    // second connection.
    Recordset Written(const std::function<void(Recordset&)>& write) {
        {
            Recordset rs;
            rs.Open("kxSystem", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdTable);
            write(rs);
            rs.Update();
        }
        reader_ = OpenBook(file_);
        Recordset rs;
        rs.Open("SELECT * FROM kxSystem ORDER BY ID", reader_, adOpenStatic, adLockReadOnly, adCmdText);
        return rs;
    }

    std::string file_;
    Connection cnn_;
    Connection reader_;
};

TEST_F(LongValues, ChineseTextPassesWholeAndInPieces) {
    const std::string memo = ChineseText(400); // 4000 characters, 12400 bytes
    const std::string shortText = "中文𠮷";
    Recordset rs = Written([&](Recordset& w) {
        w.Item("Memo1").SetValue(Variant(memo));
        w.Item("Short").SetValue(Variant(shortText));
    });
    EXPECT_EQ(rs.Item("Memo1").Value(), Variant(memo));
    EXPECT_EQ(rs.Item("Short").ActualSize(), static_cast<long>(shortText.size()));
    EXPECT_EQ(Scalar(reader_, "SELECT Len(Short) FROM kxSystem WHERE ID = 1"), Variant(std::int32_t{3}));
    Field field = rs.Item("Memo1");
    EXPECT_EQ(ReadInPieces(field), Variant(memo));
    EXPECT_TRUE(field.GetChunk(1000).IsNull());
    // A new row starts again from the beginning.
    rs.MoveNext();
    EXPECT_TRUE(rs.Item("Photo").Value().IsNull());
    EXPECT_EQ(rs.Item("Photo").ActualSize(), 0);
    EXPECT_TRUE(rs.Item("Photo").GetChunk(1000).IsNull());
    rs.MovePrevious();
    EXPECT_EQ(field.GetChunk(3), Variant("会计凭"));
    EXPECT_EQ(field.GetChunk(2), Variant("证𠮷"));
}

TEST_F(LongValues, TextAppendedInPiecesIsCheckedAsUtf8OnceWhole) {
    const std::string memo = ChineseText(300);
    Recordset rs = Written([&](Recordset& w) {
        Field field = w.Item("Memo1");
        field.AppendChunk(Variant::FromByteString("dropped"));
        field.SetValue(Variant("replaced")); // the next piece starts the value again
        for (std::size_t at = 0; at < memo.size(); at += 1000) // pieces may split characters
            field.AppendChunk(Variant::FromByteString(std::string_view(memo).substr(at, 1000)));
    });
    EXPECT_EQ(rs.Item("Memo1").Value(), Variant(memo));

    Recordset bad;
    // The text column comes first: every column is checked.
    bad.Open("SELECT Memo1, ID FROM kxSystem ORDER BY ID", cnn_, adOpenStatic, adLockOptimistic, adCmdText);
    bad.Item("Memo1").AppendChunk(Variant::FromByteString("ok \xE4\xB8"));
    EXPECT_EQ(CatchAdoError([&] { bad.Update(); }).Number(), errors::DataConversion);
    bad.Item("Memo1").AppendChunk(Variant::FromByteString("\xAD"));
    bad.Update();
    EXPECT_EQ(Scalar(cnn_, "SELECT Memo1 FROM kxSystem WHERE ID = 1"), Variant("ok 中"));
}

class LongBinaryValues : public LongValues, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(LongBinaryValues, PassThroughValuesChunksStreamsAndFiles) {
    const Bytes bytes = Pattern(GetParam());
    const std::string path = File("value.tmp");
    platform::WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    Stream stream;
    stream.SetType(adTypeBinary);
    stream.Open("", adModeUnknown, -1, "", "");
    stream.LoadFromFile(path);
    const Variant loaded = stream.Read(adReadAll);
    stream.Close();
    ASSERT_EQ(loaded.Type(), VariantType::Binary);
    EXPECT_TRUE(loaded.AsBytes() == bytes);

    Recordset rs = Written([&](Recordset& w) {
        w.Item("Photo").SetValue(loaded);
        w.MoveNext();
        Field field = w.Item("Photo");
        field.AppendChunk(Variant(Bytes())); // the first piece replaces the value
        for (std::size_t at = 0; at < bytes.size(); at += 1000) {
            const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(at);
            field.AppendChunk(Variant(Bytes(
                first, first + static_cast<std::ptrdiff_t>(std::min<std::size_t>(1000, bytes.size() - at)))));
        }
    });
    const Variant value = rs.Item("Photo").Value();
    ASSERT_EQ(value.Type(), VariantType::Binary);
    EXPECT_TRUE(value.AsBytes() == bytes);
    EXPECT_EQ(rs.Item("Photo").ActualSize(), static_cast<long>(bytes.size()));
    Stream out;
    out.Open();
    out.Write(value);
    out.SaveToFile(File("copy.tmp"), adSaveCreateOverWrite);
    EXPECT_EQ(platform::ReadWholeFile(File("copy.tmp")), platform::ReadWholeFile(path));

    rs.MoveNext();
    const Variant whole = ReadInPieces(rs.Item("Photo"));
    if (bytes.empty()) {
        EXPECT_TRUE(whole.IsEmpty()); // nothing to read
        EXPECT_EQ(rs.Item("Photo").Value(), Variant(Bytes()));
    } else {
        ASSERT_EQ(whole.Type(), VariantType::Binary);
        EXPECT_TRUE(whole.AsBytes() == bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LongBinaryValues,
                         ::testing::Values(0u, 1u, 999u, 1000u, 1001u, 5u * 1024u * 1024u + 7u));

TEST_F(LongValues, StreamsReadAndWriteAtThePositionAndReplaceFilesWhole) {
    Stream stream;
    EXPECT_EQ(CatchAdoError([&] { stream.LoadFromFile(File("x")); }).Number(), errors::ObjectClosed);
    stream.Open();
    stream.Write(Variant("abcdef"));
    stream.SetPosition(2);
    EXPECT_EQ(stream.Read(2), Variant::FromByteString("cd"));
    stream.Write(Variant("XYZ"));
    stream.SetPosition(0);
    EXPECT_EQ(stream.Read(), Variant::FromByteString("abcdXYZ"));
    const std::string path = File("value.tmp");
    stream.SaveToFile(path, adSaveCreateOverWrite);
    stream.SetPosition(1);
    stream.SetEOS();
    stream.SaveToFile(path, adSaveCreateOverWrite);
    stream.LoadFromFile(path);
    EXPECT_EQ(stream.Size(), 1);
    EXPECT_EQ(stream.Read(), Variant::FromByteString("a"));
    EXPECT_TRUE(stream.IsEOS());
    EXPECT_EQ(stream.Read(10), Variant(Bytes()));
    const std::pair<std::function<void()>, long> refusals[] = {
        {[&] { stream.LoadFromFile(File("missing.tmp")); }, errors::FileOpen},
        {[&] { stream.SaveToFile(path); }, errors::FileWrite},
        {[&] { stream.SetType(adTypeText); }, errors::FeatureNotAvailable}};
    for (const auto& [use, error] : refusals)
        EXPECT_EQ(CatchAdoError(use).Number(), error);
    EXPECT_EQ(platform::ReadWholeFile(path), "a");
}

} // namespace
} // namespace kx::ado
