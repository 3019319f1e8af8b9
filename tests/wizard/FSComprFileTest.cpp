#include "wizard/FSComprFile.h"

#include "TempFolder.h"
#include "newbook/TemplateLocation.h"
#include "newbook/ZipBuilder.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

namespace kx::wizard {
namespace {

TEST(FSComprFileControl, IsAHiddenChildThatUnpacksItsSourceToItsTarget) {
    kx::test::TempFolder folder;
    newbook::test::ZipBuilder().File("x.mde", "x").WriteTo(folder.path() / "a.WAK");
    QWidget parent;
    auto* control = new FSComprFile(&parent);
    EXPECT_EQ(parent.findChild<FSComprFile*>(QStringLiteral("FSComprFile")), control);
    EXPECT_TRUE(control->isHidden());
    control->SetArchiveSource(QString::fromStdString(folder.str()).replace(u'/', u'\\') + R"(\a.WAK)");
    control->SetArchiveTarget(QString::fromStdString((folder.path() / "out.mde").string()));
    control->Unpack();
    EXPECT_EQ(platform::ReadWholeFile(folder.path() / "out.mde"), "x");
    control->SetArchiveTarget(QString());
    EXPECT_THROW(control->Unpack(), newbook::ArchiveError);
}

} // namespace
} // namespace kx::wizard
