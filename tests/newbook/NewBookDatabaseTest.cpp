#include "newbook/BookInfoWriter.h"
#include "newbook/NewBookDatabase.h"
#include "newbook/WizardError.h"

#include "SampleBookCopy.h"
#include "platform/AnsiTextFile.h"
#include "platform/PlatformError.h"

#include <gtest/gtest.h>

namespace kx::newbook {
namespace {

class NewBookDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directories(app.path() / "Data"); }
    std::string App() const { return app.str(); }
    NewBookDatabaseRequest Request(const std::string& templateFile) const {
        NewBookDatabaseRequest r;
        r.templateFile = templateFile;
        r.bookNo = "1";
        r.appPath = App();
        r.readTarget = [] { return ServerLogin{}; };
        return r;
    }
    test::TempFolder app;
};

TEST_F(NewBookDatabaseTest, BookFileNamesCountPastExistingFiles) {
    const auto noServer = [] { return ServerLogin{}; };
    platform::WriteFileAtomically(app.path() / "Data" / "kxAcc000001.MDE", "x");
    platform::WriteFileAtomically(app.path() / "Data" / "kxAcc000001(1).MDE", "x");
    EXPECT_EQ(MakeNewBookName(1, false, App(), noServer), App() + "/Data/kxAcc000001(2).MDE");
    EXPECT_EQ(MakeNewBookName(32767, false, App(), noServer), App() + "/Data/kxAcc032767.MDE");
    // An unreachable server gives the first database name.
    const auto nowhere = [] { return ServerLogin{"/nonexistent-socket-folder,1", "sa", "x"}; };
    EXPECT_EQ(MakeNewBookName(12, true, App(), nowhere), "kxAcc000012");
}

TEST(BookNumber, TextsThatAreNotSixteenBitNumbersStopTheCreation) {
    EXPECT_EQ(BookNumberOf("1"), 1);
    EXPECT_EQ(BookNumberOf(" 32767 "), 32767);
    EXPECT_EQ(BookNumberOf("-32768"), -32768);
    EXPECT_EQ(BookNumberOf("+7"), 7);
    for (const auto& [text, error] : {std::pair<const char*, long>{"32768", 6}, {"一", 13}, {"1x", 13}}) {
        try {
            BookNumberOf(text);
            ADD_FAILURE() << text;
        } catch (const platform::PlatformError& e) {
            EXPECT_EQ(e.number(), error) << text;
        }
    }
}

TEST_F(NewBookDatabaseTest, AMissingTemplateStopsWithItsMessage) {
    const std::pair<std::string, const char*> cases[] = {
        {App() + "/Data/none.mde", "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。"},
        {"sa:pw@/nonexistent-socket-folder,1|kxAcc000001", "未找到作为模版的当前账簿的数据库，无法创建账簿。"}};
    for (const auto& [location, message] : cases) {
        std::string bookFile;
        try {
            MakeNewBookDatabase(Request(location), bookFile);
            ADD_FAILURE() << location;
        } catch (const WizardError& e) {
            EXPECT_EQ(e.Number(), 522);
            EXPECT_EQ(e.Source(), "AddNewFile");
            EXPECT_STREQ(e.what(), message);
        }
        EXPECT_TRUE(bookFile.empty());
    }
}

TEST_F(NewBookDatabaseTest, TheCopyNeverReplacesAnExistingBook) {
    const test::SampleBookCopy sample;
    const auto target = app.path() / "Data" / "kxAcc000001.MDE";
    platform::WriteFileAtomically(target, "someone's book");
    EXPECT_FALSE(CopyBookFile(sample.str(), target.string()));
    EXPECT_EQ(platform::ReadWholeFile(target), "someone's book");
    EXPECT_FALSE(CopyBookFile(App() + "/Data/none.mde", (app.path() / "Data" / "new.MDE").string()));
}

TEST_F(NewBookDatabaseTest, AFailedBookInformationWriteIsPromptedWithTheBox) {
    std::vector<std::pair<std::string, bool>> prompts;
    EXPECT_FALSE(WriteBookInfo(false, App() + "/Data/none.mde", {}, {"a", "b", QDate(2026, 1, 1)},
                               [&](const std::string& m, bool box) { prompts.emplace_back(m, box); }));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_TRUE(prompts[0].second);
}

} // namespace
} // namespace kx::newbook
