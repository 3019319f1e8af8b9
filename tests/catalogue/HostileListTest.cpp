#include "catalogue/clsBooksList.h"

#include "RecordingOwner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace kx::catalogue {
namespace {

namespace fs = std::filesystem;

/// A list path that exists but is no regular file is refused by a load, which
/// would otherwise block on a FIFO or put the sample list in place of the thing,
/// and by a save, which must never rename over it. A link to a device stands for
/// the device itself (a test must not risk /dev/null).
TEST(HostileListPath, SomethingOtherThanARegularFileIsRefusedAndLeftAsItWas) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
        fs::file_type type;
    };
    const Case cases[] = {
        {"fifo", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, fs::file_type::fifo},
        {"device", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }, fs::file_type::character},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const kx::test::TempFolder folder;
        const fs::path list = folder.path() / "books.txt";
        c.make(list);

        test::RecordingOwner owner;
        clsBooksList books;
        books.SetEvents(&owner);
        EXPECT_FALSE(books.LoadBooks(list.string()));
        books.AddBook("样本账簿\t..\\Data\tkxSample.mde\t某公司\t(未知)\t0\t\t");
        EXPECT_FALSE(books.SaveBooks(list.string()));
        ASSERT_EQ(owner.errors.size(), 2U);
        for (const auto& [number, message] : owner.errors)
            EXPECT_NE(message.find("不是普通文件"), std::string::npos) << message;
        EXPECT_EQ(fs::status(list).type(), c.type);
        for (const auto& entry : fs::directory_iterator(folder.path()))
            EXPECT_EQ(entry.path(), list) << "nothing is made beside it";
    }
}

/// A list holds at most kMaxEntries books; a file with more is read up to the
/// bound, said so once, and never rewritten from the cut list.
TEST(HostileListSize, AFileWithMoreBooksThanTheBoundIsReadButNeverRewritten) {
    for (const int books : {int{clsBooksList::kMaxEntries}, int{clsBooksList::kMaxEntries} + 7}) {
        SCOPED_TRACE(books);
        const kx::test::TempFolder folder;
        const fs::path list = folder.path() / "books.txt";
        std::string text;
        for (int i = 0; i < books; ++i)
            text += "Book" + std::to_string(i) + "\t..\\Data\tb" + std::to_string(i) + ".mde\tX\t(x)\t0\t\t\r";
        text += "\n";
        {
            std::ofstream(list, std::ios::binary) << text;
        }
        test::RecordingOwner owner;
        clsBooksList books_;
        books_.SetEvents(&owner);
        ASSERT_TRUE(books_.LoadBooks(list.string()));
        EXPECT_EQ(books_.BookCount(), clsBooksList::kMaxEntries - 1);
        const bool cut = books > clsBooksList::kMaxEntries;
        EXPECT_EQ(owner.errors.size(), cut ? 1U : 0U);
        books_.SetProperty(0, 0, "Renamed");
        EXPECT_EQ(books_.SaveBooks(), !cut);
        if (cut) {
            EXPECT_NE(owner.errors.back().second.find("不能改写"), std::string::npos) << owner.errors.back().second;
            std::ifstream in(list, std::ios::binary);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text) << "the file is as it was";
        }
    }
}

} // namespace
} // namespace kx::catalogue
