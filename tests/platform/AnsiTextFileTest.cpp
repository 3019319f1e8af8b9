#include "platform/AnsiTextFile.h"
#include "platform/Gb18030Codec.h"
#include "platform/PlatformError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kx::platform {
namespace {

TEST(Gb18030Codec, RoundTripsCharactersOutsideTheOlderCodePage) {
    const Gb18030Codec codec;
    // A CJK Extension B character, an emoji and the book list's own characters.
    const std::string text = "𠮷野家\t😀\t样本账簿\t××××有限公司\r\n";
    const std::string bytes = codec.FromUtf8(text);
    EXPECT_NE(bytes, text);
    EXPECT_EQ(codec.ToUtf8(bytes), text);
}

TEST(Gb18030Codec, EncodesTheSampleNameAsTheChineseCodePageDoes) {
    const Gb18030Codec codec;
    EXPECT_EQ(codec.FromUtf8("样本"), "\xD1\xF9\xB1\xBE");
}

TEST(Gb18030Codec, RejectsBytesThatAreNotGb18030) {
    const Gb18030Codec codec;
    // 0x81 0x20 is a lead byte followed by an impossible trail byte; a lone lead byte is truncated.
    EXPECT_THROW(codec.ToUtf8(std::string("ab\x81\x20", 4)), PlatformError);
    EXPECT_THROW(codec.ToUtf8(std::string("ab\x81", 3)), PlatformError);
    EXPECT_THROW(codec.FromUtf8(std::string("\xFF\xFE", 2)), PlatformError);
}

class AnsiTextFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
};

TEST_F(AnsiTextFileTest, WritesGb18030AndReadsItBack) {
    const auto file = folder.path() / "list.txt";
    WriteAnsiTextFile(file, "样本账簿\t..\\Data\r\n");
    EXPECT_EQ(ReadWholeFile(file), Gb18030Codec().FromUtf8("样本账簿\t..\\Data\r\n"));
    EXPECT_EQ(ReadAnsiTextFile(file), "样本账簿\t..\\Data\r\n");
}

TEST_F(AnsiTextFileTest, NewFileIsPrivateAndRewrittenFileKeepsItsMode) {
    const auto file = folder.path() / "list.txt";
    WriteAnsiTextFile(file, "one");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    WriteAnsiTextFile(file, "two");
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    EXPECT_EQ(ReadAnsiTextFile(file), "two");
}

TEST_F(AnsiTextFileTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    const auto file = folder.path() / "list.txt";
    WriteAnsiTextFile(file, "old content");
    // Text that cannot be encoded fails before anything is written.
    EXPECT_THROW(WriteAnsiTextFile(file, std::string("\xFF", 1)), PlatformError);
    EXPECT_EQ(ReadAnsiTextFile(file), "old content");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(AnsiTextFileTest, WritingOverAFolderFailsAndLeavesIt) {
    const auto target = folder.path() / "sub";
    std::filesystem::create_directory(target);
    EXPECT_THROW(WriteAnsiTextFile(target, "x"), PlatformError);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(AnsiTextFileTest, MissingFileReportsFileNotFound) {
    try {
        ReadAnsiTextFile(folder.path() / "missing.txt");
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errnum::FileNotFound);
    }
}

TEST_F(AnsiTextFileTest, InvalidBytesAreAnErrorNotALoss) {
    const auto file = folder.path() / "bad.txt";
    WriteFileAtomically(file, std::string("ok\x81\x20", 4));
    EXPECT_THROW(ReadAnsiTextFile(file), PlatformError);
}

} // namespace
} // namespace kx::platform
