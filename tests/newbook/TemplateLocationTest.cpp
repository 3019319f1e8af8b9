#include "newbook/TemplateLocation.h"

#include "TempFolder.h"
#include "platform/AnsiTextFile.h"
#include "platform/PrivateTempFolder.h"
#include "newbook/TemplateUnpacker.h"
#include "newbook/ZipBuilder.h"

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

// ---------------------------------------------------------------- rows

class TemplateFileOfRowTest : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(app.path() / "Data"); }
    QString App() const { return Q(app.path()); }
    kx::test::TempFolder app;
};

TEST_F(TemplateFileOfRowTest, DotDotStandsForTheApplicationFolder) {
    EXPECT_EQ(TemplateFileOfRow(QStringLiteral(R"(..\Data)"), QStringLiteral("kxSample.mde"), App()),
              App() + R"(\Data\kxSample.mde)");
}

TEST_F(TemplateFileOfRowTest, LeadingBackslashFolderMissingAsWrittenIsLookedForInTheApplicationFolder) {
    EXPECT_EQ(TemplateFileOfRow(QStringLiteral(R"(\Data)"), QStringLiteral("a.mde"), App()),
              App() + R"(\Data\a.mde)");
}

TEST_F(TemplateFileOfRowTest, FolderThatExistsAsWrittenIsKept) {
    EXPECT_EQ(TemplateFileOfRow(Q(app.path() / "Data"), QStringLiteral("a.mde"), App()),
              Q(app.path() / "Data") + R"(\a.mde)");
    // "\" names the root, which exists: nothing is prefixed.
    EXPECT_EQ(TemplateFileOfRow(QString(), QStringLiteral("a.mde"), App()), R"(\a.mde)");
}

TEST_F(TemplateFileOfRowTest, SharesAreNeverPrefixed) {
    EXPECT_EQ(TemplateFileOfRow(QStringLiteral(R"(\\srv\books)"), QStringLiteral("a.mde"), App()),
              R"(\\srv\books\a.mde)");
}

// ---------------------------------------------------------------- archives

class TemplateArchiveTest : public testing::Test {
  protected:
    fs::path Archive(const char* name, const std::string& book) {
        const fs::path file = folder.path() / name;
        test::ZipBuilder().File("book.mde", book).WriteTo(file);
        return file;
    }
    std::vector<QString> Prompts;
    std::function<void(const QString&)> Report = [this](const QString& m) { Prompts.push_back(m); };
    kx::test::TempFolder folder;
    DirectTemplateUnpacker unpacker;
};

TEST_F(TemplateArchiveTest, UnpackCopiesTheBookToTheTargetAndRemovesTheUnpackedFile) {
    const fs::path archive = Archive("T.WAK", "BOOK");
    const fs::path target = folder.path() / "copy.mde";
    const auto before = fs::exists(platform::PrivateTempFolder())
                            ? std::distance(fs::directory_iterator(platform::PrivateTempFolder()), {})
                            : 0;
    EXPECT_TRUE(UnpackArchive(unpacker, Q(archive), Q(target)));
    EXPECT_EQ(platform::ReadWholeFile(target), "BOOK");
    EXPECT_EQ(std::distance(fs::directory_iterator(platform::PrivateTempFolder()), {}), before);
}

TEST_F(TemplateArchiveTest, FailedUnpackIsFalseEvenWhenTheTargetExistsAlready) {
    const fs::path archive = folder.path() / "bad.WAK";
    test::ZipBuilder().File("../x.mde", "evil").WriteTo(archive);
    const fs::path target = folder.path() / "copy.mde";
    std::ofstream(target) << "earlier";
    EXPECT_FALSE(UnpackArchive(unpacker, Q(archive), Q(target)));
    EXPECT_EQ(platform::ReadWholeFile(target), "earlier");
    EXPECT_FALSE(fs::exists(folder.path().parent_path() / "x.mde"));
}

TEST_F(TemplateArchiveTest, LowerCaseWakIsUnpackedIntoThePrivateFolder) {
    Archive("t.wak", "LOWER");
    const QString file =
        GetTemplateFile(QStringLiteral("..") + R"(\t.wak)", Q(folder.path()), unpacker, Report);
    ASSERT_FALSE(file.isEmpty());
    const fs::path unpacked = file.toStdString();
    EXPECT_EQ(unpacked.parent_path(), platform::PrivateTempFolder());
    EXPECT_EQ(platform::ReadWholeFile(unpacked), "LOWER");
    EXPECT_TRUE(Prompts.empty());
    EXPECT_EQ(fs::status(platform::PrivateTempFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(TemplateArchiveTest, OtherLocationsComeBackUnchanged) {
    for (const QString& location : {QStringLiteral("/app/data/T.WSK"), QStringLiteral("/app/Data/kx.mde"),
                                    QStringLiteral("sa:pw@db1|kxAcc000001")})
        EXPECT_EQ(GetTemplateFile(location, QStringLiteral("/app"), unpacker, Report), location);
    EXPECT_TRUE(Prompts.empty());
}

TEST_F(TemplateArchiveTest, ArchiveThatCannotBeUnpackedGivesAPathWithoutAFile) {
    std::ofstream(folder.path() / "broken.WAK") << "not a zip";
    const QString file = GetTemplateFile(Q(folder.path() / "broken.WAK"), Q(folder.path()), unpacker, Report);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_FALSE(fs::exists(file.toStdString()));
    EXPECT_TRUE(Prompts.empty());
}

} // namespace
} // namespace kx::newbook
