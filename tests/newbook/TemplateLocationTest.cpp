#include "newbook/TemplateLocation.h"

#include "TempFolder.h"
#include "ado/jet/BookFile.h"
#include "database/CreateCnn.h"
#include "newbook/NewBookDatabase.h"
#include "newbook/TemplateUnpacker.h"
#include "newbook/WizardError.h"
#include "newbook/ZipBuilder.h"
#include "platform/AnsiTextFile.h"
#include "platform/PrivateTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace kx::newbook {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

TEST(TemplateFileOfRow, FoldersAsWrittenAsInTheApplicationFolderOrShares) {
    kx::test::TempFolder app;
    fs::create_directories(app.path() / "Data");
    const QString App = Q(app.path());
    const QString cases[][3] = {
        // ".." stands for the application folder.
        {QStringLiteral(R"(..\Data)"), QStringLiteral("kxSample.mde"), App + R"(\Data\kxSample.mde)"},
        // A leading backslash folder missing as written is looked for in the application folder.
        {QStringLiteral(R"(\Data)"), QStringLiteral("a.mde"), App + R"(\Data\a.mde)"},
        // A folder that exists as written is kept; "\" names the root, which exists.
        {Q(app.path() / "Data"), QStringLiteral("a.mde"), Q(app.path() / "Data") + R"(\a.mde)"},
        {QString(), QStringLiteral("a.mde"), QStringLiteral(R"(\a.mde)")},
        // Shares are never prefixed.
        {QStringLiteral(R"(\\srv\books)"), QStringLiteral("a.mde"), QStringLiteral(R"(\\srv\books\a.mde)")}};
    for (const auto& [folder, file, expected] : cases)
        EXPECT_EQ(TemplateFileOfRow(folder, file, App), expected) << folder.toStdString();
}

/// The bytes of a new book file.
std::string Book() {
    kx::test::TempFolder folder;
    ado::jet::CreateBookFile((folder.path() / "b.mde").string(), database::kBookDatabasePassword);
    return platform::ReadWholeFile(folder.path() / "b.mde");
}

TEST(TemplateArchive, UnpackedThroughThePrivateFolderWhichKeepsNothingAndAFailureIsFalse) {
    kx::test::TempFolder folder;
    const std::string book = Book();
    DirectTemplateUnpacker unpacker;
    std::vector<QString> prompts;
    const auto report = [&](const QString& m) { prompts.push_back(m); };
    const fs::path archive = folder.path() / "t.wak", target = folder.path() / "copy.mde";
    test::ZipBuilder().File("book.mde", book).WriteTo(archive);
    const QString file =
        GetTemplateFile(QStringLiteral("..") + R"(\t.wak)", Q(folder.path()), unpacker, report);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(fs::path(file.toStdString()).parent_path(), platform::PrivateTempFolder());
    EXPECT_EQ(platform::ReadWholeFile(file.toStdString()), book);
    EXPECT_EQ(fs::status(platform::PrivateTempFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
    const auto before = std::distance(fs::directory_iterator(platform::PrivateTempFolder()), {});
    EXPECT_TRUE(UnpackArchive(unpacker, Q(archive), Q(target)));
    EXPECT_EQ(platform::ReadWholeFile(target), book);
    EXPECT_EQ(std::distance(fs::directory_iterator(platform::PrivateTempFolder()), {}), before);
    // A failed unpack is false even when the target exists already, which it keeps.
    test::ZipBuilder().File("../x.mde", "evil").WriteTo(archive);
    EXPECT_FALSE(UnpackArchive(unpacker, Q(archive), Q(target)));
    EXPECT_EQ(platform::ReadWholeFile(target), book);
    // An archive that cannot be unpacked gives a path without a file; other locations stay.
    const QString broken = GetTemplateFile(Q(archive), Q(folder.path()), unpacker, report);
    ASSERT_FALSE(broken.isEmpty());
    EXPECT_FALSE(fs::exists(broken.toStdString()));
    EXPECT_EQ(GetTemplateFile(QStringLiteral("/app/Data/kx.mde"), QStringLiteral("/app"), unpacker, report),
              QStringLiteral("/app/Data/kx.mde"));
    EXPECT_TRUE(prompts.empty());
}

TEST(TemplateArchive, TheReasonOfARefusedArchiveFollowsTheMessageAboutTheMissingTemplate) {
    kx::test::TempFolder folder;
    fs::create_directories(folder.path() / "Data");
    const fs::path archive = folder.path() / "t.WAK";
    const std::pair<std::string, const char*> cases[] = {
        {std::string(std::size_t{4} << 20, '\0'), "不是账簿文件：它的文件头不能作为账簿打开。"},
        {"plain text", "不是数据库页的整数倍"},
    };
    DirectTemplateUnpacker unpacker;
    for (const auto& [content, reason] : cases) {
        SCOPED_TRACE(reason);
        test::ZipBuilder().File("模板.mde", content).WriteTo(archive);
        std::string failure;
        const QString file = GetTemplateFile(
            Q(archive), Q(folder.path()), unpacker, [](const QString&) {}, &failure);
        EXPECT_FALSE(fs::exists(file.toStdString()));
        EXPECT_NE(failure.find(std::string("压缩包中的“模板.mde”")), std::string::npos) << failure;
        EXPECT_NE(failure.find(reason), std::string::npos) << failure;
        NewBookDatabaseRequest request;
        request.templateFile = file.toStdString();
        request.templateFailure = failure;
        request.bookNo = "1";
        request.appPath = folder.str();
        std::string bookFile;
        try {
            MakeNewBookDatabase(request, bookFile);
            ADD_FAILURE() << "made";
        } catch (const WizardError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "未找到作为模版的当前账簿的数据库文件，无法创建账簿文件。\n" + failure);
        }
        EXPECT_TRUE(fs::is_empty(folder.path() / "Data"));
    }
}

} // namespace
} // namespace kx::newbook
