// A template archive (".WAK") as the template of a new book: it is unpacked into
// the process's private folder for the copy, and nothing of it stays there.

#include "e2e/NewBookCreation.h"

#include "platform/AnsiTextFile.h"
#include "platform/PrivateTempFolder.h"
#include "newbook/ZipBuilder.h"

#include <QFrame>

#include <filesystem>
#include <set>
#include <string>

namespace kx::e2e {
namespace {

namespace fs = std::filesystem;

std::set<std::string> EntriesOf(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

using ArchiveTemplate = NewBookCreation;

TEST_F(ArchiveTemplate, TheBookIsMadeFromTheUnpackedArchiveAndNoUnpackedFileStays) {
    // The archive holds a book that differs from the sample in the list, so the
    // new book shows which one it was made from.
    const fs::path archived = app.path() / "archived.mde";
    fs::copy_file(app.SampleBook(), archived);
    BookContents(archived).Run("Delete From kxFaDeprec Where DeprecID > 7");
    newbook::test::ZipBuilder()
        .File("kxBlank.mde", platform::ReadWholeFile(archived))
        .WriteTo(app.Data() / "空白模板.WAK");
    app.WriteList({kSampleLine});
    const std::string listBefore = app.ListText();
    WizardHost host(app.path());
    ASSERT_TRUE(host.OpenList(app.ListFile()));

    // Archive rows stand above the books: row 0 is the archive.
    host.ClickListRow(0);
    ASSERT_TRUE(host.wiz.FromFile().endsWith(QStringLiteral("空白模板.WAK"))) << host.wiz.FromFile().toStdString();
    EXPECT_TRUE(host.wiz.findChild<QFrame*>(QStringLiteral("Picture1"))->isHidden());
    EXPECT_TRUE(host.wiz.PasswordOK());
    const std::set<std::string> privateBefore = EntriesOf(platform::PrivateTempFolder());
    host.wiz.SetStep(2);
    host.DescribeNewBook(kNewBookName, kNewCompany, kNewDirector, kNewBeginDate);
    host.wiz.SetStep(4);

    ExpectCompleted(host);
    EXPECT_EQ(EntriesOf(platform::PrivateTempFolder()), privateBefore);
    const fs::path file = app.Data() / "kxAcc000001.MDE";
    ASSERT_TRUE(fs::is_regular_file(file));
    BookContents created(file);
    BookContents templateBook(archived);
    ASSERT_NE(templateBook.Count("kxFaDeprec"), BookContents(app.SampleBook()).Count("kxFaDeprec"));
    ExpectClearedAsRetained(created, templateBook, kAllRetained);
    ExpectBookInformation(created, templateBook);
    EXPECT_EQ(app.ListText(), WithLineAppended(listBefore, NewListLine(app.Data().string(), "kxAcc000001.MDE")));
}

} // namespace
} // namespace kx::e2e
