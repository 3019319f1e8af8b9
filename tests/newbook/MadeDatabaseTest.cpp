// A new book file is made under a hidden name and appears under its name only
// when placed, at the next free name when another program took the first; what a
// creation does not keep goes, but never a file that is not its own.

#include "newbook/MadeDatabase.h"
#include "newbook/NewBookDatabase.h"
#include "newbook/StagedBookFile.h"

#include "SampleBookCopy.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace kx::newbook {
namespace {

namespace fs = std::filesystem;

class MadeDatabaseTest : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(Data()); }
    fs::path Data() const { return app.path() / "Data"; }
    std::string Book(const std::string& name) const { return (Data() / name).string(); }
    /// Stages the sample book as new book 1 in the Data folder.
    std::unique_ptr<MadeDatabase> Stage() {
        NewBookDatabaseRequest request;
        request.templateFile = sample.str();
        request.bookNo = "1";
        request.appPath = app.str();
        std::unique_ptr<MadeDatabase> made;
        std::string bookFile;
        EXPECT_TRUE(StageNewBookDatabase(request, bookFile, made));
        EXPECT_EQ(bookFile, Book("kxAcc000001.MDE"));
        return made;
    }
    /// Every entry of the Data folder, hidden ones too, and its content.
    std::map<std::string, std::string> DataFolder() const {
        std::map<std::string, std::string> entries;
        for (const auto& entry : fs::directory_iterator(Data()))
            entries[entry.path().filename().string()] = platform::ReadWholeFile(entry.path());
        return entries;
    }

    test::SampleBookCopy sample;
    test::TempFolder app;
};

TEST_F(MadeDatabaseTest, ANameTakenWhileTheBookWasMadeGivesTheNextFreeName) {
    auto made = Stage();
    const fs::path working = made->WorkingLocation();
    EXPECT_EQ(working.parent_path(), Data());
    EXPECT_TRUE(working.filename().string().starts_with(".kxAcc000001.MDE.kxtmp-")) << working;
    EXPECT_FALSE(made->UnderItsName());
    // Two other programs finish their books first.
    platform::WriteFileAtomically(Data() / "kxAcc000001.MDE", "first");
    platform::WriteFileAtomically(Data() / "kxAcc000001(1).MDE", "second");

    made->Place();
    made->Keep();
    EXPECT_EQ(made->Name(), Book("kxAcc000001(2).MDE"));
    EXPECT_EQ(made->WorkingLocation(), made->Name());
    made.reset();

    EXPECT_EQ(DataFolder(), (std::map<std::string, std::string>{{"kxAcc000001.MDE", "first"},
                                                                {"kxAcc000001(1).MDE", "second"},
                                                                {"kxAcc000001(2).MDE", platform::ReadWholeFile(sample.path())}}));
}

TEST_F(MadeDatabaseTest, WhatIsNotKeptGoesButNeverAFileThatTookItsPlace) {
    struct Case {
        const char* name;
        bool place;
        /// Another program moves the new book away and puts its own file there.
        bool replaced;
        std::map<std::string, std::string> left;
    };
    const Case cases[] = {
        {"Staged", false, false, {}},
        {"Placed", true, false, {}},
        {"PlacedThenReplaced", true, true, {{"kxAcc000001.MDE", "someone's book"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto made = Stage();
        // The journal the book engine leaves beside a file it was changing.
        platform::WriteFileAtomically(made->WorkingLocation() + "-journal", "journal");
        if (c.place) {
            fs::remove(made->WorkingLocation() + "-journal");
            made->Place();
        }
        if (c.replaced) {
            fs::rename(made->Name(), app.path() / "moved.MDE");
            platform::WriteFileAtomically(made->Name(), "someone's book");
        }
        const std::string reason = made->Remove();
        EXPECT_EQ(reason.empty(), !c.replaced) << reason;
        made.reset();
        EXPECT_EQ(DataFolder(), c.left);
        fs::remove(Data() / "kxAcc000001.MDE");
    }
}

} // namespace
} // namespace kx::newbook
