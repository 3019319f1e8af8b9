#include "platform/DiskPath.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kx::platform {
namespace {

class DiskPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(app.path() / "Data" / "Sub");
        std::ofstream(app.path() / "Data" / "kxSample.mde") << "x";
    }
    std::string App() const { return app.str(); }
    test::TempFolder app;
};

TEST_F(DiskPathTest, WindowsPathFormsBecomeDiskPathsFoundWithoutRegardToCase) {
    const std::filesystem::path data = app.path() / "Data";
    const std::string absolute = data.string();
    const std::pair<std::string, std::filesystem::path> cases[] = {
        {"..\\Data\\kxSample.mde", data / "kxSample.mde"}, // ".." stands for the application folder
        {"../Data", data},
        {"..", app.path()},
        {"\\Data\\kxSample.mde", data / "kxSample.mde"}, // a leading backslash too
        {"Data", data},
        {absolute, data},
        {"C:" + absolute, data},
        {"..\\data\\KXSAMPLE.MDE", data / "kxSample.mde"},
        {"\\DATA\\sub", data / "Sub"},
        {"..\\data\\New(1).MDE", data / "New(1).MDE"}, // missing under every spelling: kept as written
        {"\\\\server\\share\\books\\a.mde", "//server/share/books/a.mde"},
        {"//server/share", "//server/share"},
        {"//server", "//server"},                 // a share's server alone stays the root
        {"\\\\s\\b\\a.mde", "//s/b/a.mde"},          // one-letter server
        {"C:", "/"},                              // a drive alone is its root
        {"c:Data", "/Data"},                      // drive-relative: from that root
        {"\\", app.path()}};                  // "\" alone is the application folder
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ToDiskPath(text, App()).string(), expected.string()) << text; // "//s" is no "/s"
    EXPECT_EQ(ToDiskPath(absolute, "/elsewhere"), data);
    EXPECT_TRUE(FileExists("..\\DATA\\kxsample.mde", App()));
    EXPECT_FALSE(FileExists("..\\data\\New(1).MDE", App()));
    // The exact name wins over other spellings.
    std::filesystem::create_directories(app.path() / "data");
    EXPECT_EQ(ToDiskPath("..\\data", App()), app.path() / "data");
    EXPECT_EQ(ToDiskPath("..\\Data", App()), data);
}

TEST(PathParts, SplitFolderAndExtensionAndJoinWithoutDoubling) {
    const std::tuple<const char*, const char*, const char*> cases[] = {{"books.txt", "", "txt"},
                                                                       {"..\\Data\\a.MDE", "..\\Data", "MDE"},
                                                                       {"/app/tpl/x.wak", "/app/tpl", "wak"},
                                                                       {"/app.d/noext", "/app.d", ""},
                                                                       {"\\a", "\\", ""}};
    for (const auto& [text, parent, extension] : cases) {
        EXPECT_EQ(ParentFolderOf(text), parent) << text;
        EXPECT_EQ(ExtensionOf(text), extension) << text;
    }
    EXPECT_EQ(JoinPath("/app", "books.txt"), "/app/books.txt");
    EXPECT_EQ(JoinPath("/app/", "books.txt"), "/app/books.txt");
    EXPECT_EQ(JoinPath("..\\Data\\", "x.mde"), "..\\Data\\x.mde");
    EXPECT_EQ(JoinPath("", "x.mde"), "x.mde");
}

} // namespace
} // namespace kx::platform
