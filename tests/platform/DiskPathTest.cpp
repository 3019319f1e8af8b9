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

TEST_F(DiskPathTest, DotDotStandsForTheApplicationFolder) {
    EXPECT_EQ(ToDiskPath("..\\Data\\kxSample.mde", App()), app.path() / "Data" / "kxSample.mde");
    EXPECT_EQ(ToDiskPath("../Data", App()), app.path() / "Data");
    EXPECT_EQ(ToDiskPath("..", App()), app.path());
}

TEST_F(DiskPathTest, LeadingSingleBackslashIsInsideTheApplicationFolder) {
    EXPECT_EQ(ToDiskPath("\\Data\\kxSample.mde", App()), app.path() / "Data" / "kxSample.mde");
}

TEST_F(DiskPathTest, AbsoluteAndDrivePathsAreTakenFromTheRoot) {
    const std::string absolute = (app.path() / "Data").string();
    EXPECT_EQ(ToDiskPath(absolute, "/elsewhere"), app.path() / "Data");
    EXPECT_EQ(ToDiskPath("C:" + absolute, "/elsewhere"), app.path() / "Data");
}

TEST_F(DiskPathTest, SharePrefixIsKept) {
    EXPECT_EQ(ToDiskPath("\\\\server\\share\\books\\a.mde", App()).string(), "//server/share/books/a.mde");
    EXPECT_EQ(ToDiskPath("//server/share", App()).string(), "//server/share");
}

TEST_F(DiskPathTest, BareNameIsInsideTheApplicationFolder) {
    EXPECT_EQ(ToDiskPath("Data", App()), app.path() / "Data");
}

TEST_F(DiskPathTest, MissingComponentIsFoundWithoutRegardToCase) {
    EXPECT_EQ(ToDiskPath("..\\data\\KXSAMPLE.MDE", App()), app.path() / "Data" / "kxSample.mde");
    EXPECT_EQ(ToDiskPath("\\DATA\\sub", App()), app.path() / "Data" / "Sub");
    EXPECT_TRUE(FileExists("..\\DATA\\kxsample.mde", App()));
}

TEST_F(DiskPathTest, ComponentsThatExistUnderNoSpellingAreKeptAsWritten) {
    EXPECT_EQ(ToDiskPath("..\\data\\New(1).MDE", App()), app.path() / "Data" / "New(1).MDE");
    EXPECT_FALSE(FileExists("..\\data\\New(1).MDE", App()));
}

TEST_F(DiskPathTest, ExactNameWinsOverOtherSpellings) {
    std::filesystem::create_directories(app.path() / "data");
    EXPECT_EQ(ToDiskPath("..\\data", App()), app.path() / "data");
    EXPECT_EQ(ToDiskPath("..\\Data", App()), app.path() / "Data");
}

struct PathPartCase {
    const char* text;
    const char* parent;
    const char* extension;
};

void PrintTo(const PathPartCase& c, std::ostream* os) { *os << c.text; }

class PathPartsTest : public ::testing::TestWithParam<PathPartCase> {};

TEST_P(PathPartsTest, SplitsFolderAndExtension) {
    EXPECT_EQ(ParentFolderOf(GetParam().text), GetParam().parent);
    EXPECT_EQ(ExtensionOf(GetParam().text), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Texts, PathPartsTest,
                         ::testing::Values(PathPartCase{"books.txt", "", "txt"},
                                           PathPartCase{"..\\Data\\a.MDE", "..\\Data", "MDE"},
                                           PathPartCase{"/app/tpl/x.wak", "/app/tpl", "wak"},
                                           PathPartCase{"/app.d/noext", "/app.d", ""},
                                           PathPartCase{"\\a", "\\", "" }));

TEST(JoinPath, UsesForwardSlashAndAvoidsDoubling) {
    EXPECT_EQ(JoinPath("/app", "books.txt"), "/app/books.txt");
    EXPECT_EQ(JoinPath("/app/", "books.txt"), "/app/books.txt");
    EXPECT_EQ(JoinPath("..\\Data\\", "x.mde"), "..\\Data\\x.mde");
    EXPECT_EQ(JoinPath("", "x.mde"), "x.mde");
}

} // namespace
} // namespace kx::platform
