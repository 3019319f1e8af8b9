#include "database/LongFieldCopy.h"

#include "KeyedBook.h"
#include "platform/PrivateTempFolder.h"

#include <gtest/gtest.h>

namespace kx::database {
namespace {

ado::Variant Blob(std::size_t size, int seed) {
    ado::Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::byte>((i * 31 + static_cast<std::size_t>(seed)) & 0xFF);
    return ado::Variant(bytes);
}

/// Two tables of one keyed book, standing for the book file table and the server
/// table that the row copy filled: same rows, long values missing.
class LongFieldCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        cnn = test::OpenNewKeyedBook(file.string(),
                                     {"CREATE TABLE src ([k] LONG, [Memo1] MEMO, [Photo] LONGBINARY)",
                                      "CREATE TABLE dst ([k] LONG, [Memo1] MEMO, [Photo] LONGBINARY)"});
    }
    void TearDown() override { cnn.Close(); }

    void AddSource(int key, const ado::Variant& memo, const ado::Variant& photo) {
        ado::Recordset rs;
        rs.Open("src", cnn, ado::adOpenKeyset, ado::adLockOptimistic, ado::adCmdTable);
        rs.AddNew();
        rs.Item("k").SetValue(ado::Variant(static_cast<std::int32_t>(key)));
        rs.Item("Memo1").SetValue(memo);
        rs.Item("Photo").SetValue(photo);
        rs.Update();
        rs.Close();
    }
    void AddDestination(int key, const ado::Variant& memo = ado::Variant::Null()) {
        cnn.Execute("INSERT INTO dst ([k], [Memo1]) VALUES (" + std::to_string(key) + ", " +
                    (memo.IsNull() ? std::string("NULL") : "'" + memo.ToString() + "'") + ")");
    }
    ado::Variant Destination(int key, const char* column) {
        return cnn.Execute("Select " + std::string(column) + " From dst Where k = " + std::to_string(key))
            ->Item(0)
            .Value();
    }
    bool Copy() {
        auto source = cnn.Execute("Select * From src");
        return CopyLongFields(*source, cnn, "dst", "Memo1|Photo|");
    }

    test::TempFolder folder;
    std::filesystem::path file = folder.path() / "book.mde";
    ado::Connection cnn;
};

TEST_F(LongFieldCopyTest, EveryValueArrivesWholeInItsPartnerRow) {
    // Shorter values after longer ones must keep no bytes of them.
    const std::string chinese = "资产负债表𠮷" + std::string(3000, 'x') + "结束";
    const std::vector<std::size_t> sizes{3 * 1024 * 1024 + 5, 0, 1, 999, 1000, 1001};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int key = static_cast<int>(i);
        AddSource(key, ado::Variant(i == 1 ? "短" : chinese + std::to_string(i)), Blob(sizes[i], key));
        AddDestination(key);
    }
    AddSource(9, ado::Variant::Null(), ado::Variant::Null());
    AddDestination(9, ado::Variant(std::string("kept")));
    const auto before = std::distance(std::filesystem::directory_iterator(platform::PrivateTempFolder()),
                                      std::filesystem::directory_iterator());
    ASSERT_TRUE(Copy());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int key = static_cast<int>(i);
        EXPECT_EQ(Destination(key, "Memo1").ToString(), i == 1 ? "短" : chinese + std::to_string(i));
        if (sizes[i] == 0)
            EXPECT_TRUE(Destination(key, "Photo").IsNull()) << "an empty value loads nothing";
        else
            EXPECT_EQ(Destination(key, "Photo").ToBytes(), Blob(sizes[i], key).ToBytes()) << i;
    }
    // A Null source leaves the destination as the row copy left it.
    EXPECT_EQ(Destination(9, "Memo1").ToString(), "kept");
    EXPECT_TRUE(Destination(9, "Photo").IsNull());
    // The temporary file holds accounting data: it is gone once the table is done.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(platform::PrivateTempFolder()),
                            std::filesystem::directory_iterator()),
              before);
}

TEST_F(LongFieldCopyTest, ADestinationWithFewerRowsStopsAtTheFirstRowWithoutPartner) {
    AddSource(1, ado::Variant(std::string("one")), Blob(10, 1));
    AddSource(2, ado::Variant(std::string("two")), Blob(10, 2));
    AddDestination(1);
    auto rows = cnn.Execute("Select * From src");
    std::string cause;
    EXPECT_FALSE(CopyLongFields(*rows, cnn, "dst", "Memo1|Photo|", &cause));
    EXPECT_EQ(cause, "服务器数据表dst的行少于账簿文件中的行。");
    EXPECT_EQ(Destination(1, "Memo1").ToString(), "one");
    // With no long columns named, every row is still walked.
    AddDestination(2);
    auto source = cnn.Execute("Select * From src");
    EXPECT_TRUE(CopyLongFields(*source, cnn, "dst", ""));
}

TEST_F(LongFieldCopyTest, AValueThatCannotBeStoredStopsTheCopyWithItsCause) {
    // The destination's column takes whole numbers only: the text cannot go in.
    cnn.Execute("CREATE TABLE numbers ([k] LONG, [Memo1] LONG)");
    cnn.Execute("INSERT INTO numbers ([k], [Memo1]) VALUES (1, 5)");
    AddSource(1, ado::Variant(std::string("kein Zahl")), Blob(10, 1));
    auto rows = cnn.Execute("Select * From src");
    std::string cause;
    EXPECT_FALSE(CopyLongFields(*rows, cnn, "numbers", "Memo1|", &cause));
    EXPECT_FALSE(cause.empty());
    EXPECT_EQ(cnn.Execute("Select Memo1 From numbers")->Item(0).Value().ToInt32(), 5);
}

TEST_F(LongFieldCopyTest, FailuresAnswerFalseInsteadOfThrowing) {
    AddSource(1, ado::Variant(std::string("one")), Blob(10, 1));
    auto source = cnn.Execute("Select * From src");
    const std::string path = (folder.path() / "value.tmp").string();
    EXPECT_FALSE(SaveFieldToFile((folder.path() / "missing" / "value.tmp").string(), *source, "Memo1"));
    EXPECT_FALSE(SaveFieldToFile(path, *source, "NoSuchField"));
    EXPECT_FALSE(LoadFieldFromFile((folder.path() / "missing.tmp").string(), *source, "Photo"));
    EXPECT_FALSE(CopyLongFields(*source, cnn, "kxNoSuchTable", "Memo1|"));
    source->MoveNext();
    EXPECT_FALSE(SaveFieldToFile(path, *source, "Memo1")) << "no row at the end";
}

} // namespace
} // namespace kx::database
