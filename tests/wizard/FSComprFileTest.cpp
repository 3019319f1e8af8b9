#include "wizard/FSComprFile.h"

#include "TempFolder.h"
#include "newbook/TemplateLocation.h"
#include "newbook/ZipBuilder.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kx::wizard {
namespace {

namespace fs = std::filesystem;
using newbook::test::ZipBuilder;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

TEST(FSComprFileControl, IsAHiddenChildThatUnpacksItsSourceToItsTarget) {
    kx::test::TempFolder folder;
    ZipBuilder().File("x.mde", "x").WriteTo(folder.path() / "a.WAK");
    QWidget parent;
    auto* control = new FSComprFile(&parent);
    EXPECT_EQ(parent.findChild<FSComprFile*>(QStringLiteral("FSComprFile")), control);
    EXPECT_TRUE(control->isHidden());
    control->SetArchiveSource(Q(folder.path()).replace(u'/', u'\\') + R"(\a.WAK)");
    control->SetArchiveTarget(Q(folder.path() / "out.mde"));
    control->Unpack();
    EXPECT_EQ(platform::ReadWholeFile(folder.path() / "out.mde"), "x");
    control->SetArchiveTarget(QString());
    EXPECT_THROW(control->Unpack(), newbook::ArchiveError);
}

} // namespace
} // namespace kx::wizard
