#include "platform/AnsiTextFile.h"
#include "platform/Gb18030Codec.h"
#include "platform/PlatformError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kx::platform {
namespace {

TEST(Gb18030Codec, EncodesAsTheChineseCodePageAndRefusesWhatIsNotGb18030) {
    const Gb18030Codec codec;
    EXPECT_EQ(codec.FromUtf8("样本"), "\xD1\xF9\xB1\xBE");
    // A CJK Extension B character and an emoji lie outside the older code page.
    const std::string text = "𠮷野家\t😀\t样本账簿\t××××有限公司\r\n";
    EXPECT_EQ(codec.ToUtf8(codec.FromUtf8(text)), text);
    // 0x81 0x20 is a lead byte followed by an impossible trail byte; a lone lead byte is truncated.
    EXPECT_THROW(codec.ToUtf8(std::string("ab\x81\x20", 4)), PlatformError);
    EXPECT_THROW(codec.ToUtf8(std::string("ab\x81", 3)), PlatformError);
    EXPECT_THROW(codec.FromUtf8(std::string("\xFF\xFE", 2)), PlatformError);
}

TEST(AnsiTextFile, WritesGb18030PrivatelyKeepsAChangedModeAndReadsItBack) {
    test::TempFolder folder;
    const auto file = folder.path() / "list.txt";
    WriteAnsiTextFile(file, "样本账簿\t..\\Data\r\n");
    EXPECT_EQ(ReadWholeFile(file), Gb18030Codec().FromUtf8("样本账簿\t..\\Data\r\n"));
    EXPECT_EQ(ReadAnsiTextFile(file), "样本账簿\t..\\Data\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    WriteAnsiTextFile(file, "two");
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    EXPECT_EQ(ReadAnsiTextFile(file), "two");
}

TEST(AnsiTextFile, FailuresLeaveWhatWasThereAndNoTemporaryFile) {
    test::TempFolder folder;
    const auto file = folder.path() / "list.txt";
    WriteAnsiTextFile(file, "old content");
    // Text that cannot be encoded fails before anything is written.
    EXPECT_THROW(WriteAnsiTextFile(file, std::string("\xFF", 1)), PlatformError);
    EXPECT_EQ(ReadAnsiTextFile(file), "old content");
    const auto target = folder.path() / "sub";
    std::filesystem::create_directory(target);
    EXPECT_THROW(WriteAnsiTextFile(target, "x"), PlatformError);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(folder.EntryCount(), 2u);
    try {
        ReadAnsiTextFile(folder.path() / "missing.txt");
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errnum::FileNotFound);
    }
    WriteFileAtomically(file, std::string("ok\x81\x20", 4));
    EXPECT_THROW(ReadAnsiTextFile(file), PlatformError) << "invalid bytes are an error, not a loss";
}

} // namespace
} // namespace kx::platform
