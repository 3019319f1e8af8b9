#include "wizard/CreatLedgerWiz.h"

#include "platform/PropertyStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kx::wizard {
namespace {

std::int32_t AsStored(std::uint32_t colour) {
    return static_cast<std::int32_t>(colour);
}

TEST(WizardPersistence, AllSixKeysAreWrittenTheTemplateFolderResolvedOnlyAfterItWasRead) {
    CreatLedgerWiz wiz;
    wiz.AppPath = QStringLiteral("/app");
    platform::MemoryPropertyStore before;
    wiz.WriteProperties(before);
    const std::pair<const char*, std::uint32_t> colours[] = {{"ForeColorBookList0", 0x404040u},
                                                             {"ForeColorBookList1", 0x80000002u},
                                                             {"ForeColorBookList2", 0x80000012u},
                                                             {"ForeColorBookList3", 0x400000u}};
    for (const auto& [key, colour] : colours)
        EXPECT_EQ(before.ReadInt(key, 0), AsStored(colour)) << key;
    EXPECT_EQ(before.ReadString("PathTemplates", "absent"), "");
    EXPECT_EQ(before.ReadString("PathSamples", "absent"), "");

    EXPECT_EQ(wiz.PathTemplates(), "/app/data");
    platform::MemoryPropertyStore after;
    wiz.WriteProperties(after);
    EXPECT_EQ(after.ReadString("PathTemplates", "absent"), "/app/data");
}

TEST(WizardPersistence, StoredKeysReplaceTheCurrentValuesAbsentOnesKeepThem) {
    platform::MemoryPropertyStore store;
    store.WriteInt("ForeColorBookList0", AsStored(0x8000000Fu));
    store.WriteInt("ForeColorBookList3", 0x00FF00);
    store.WriteString("PathTemplates", "/模板");
    store.WriteString("PathSamples", R"(..\样本)");
    CreatLedgerWiz wiz;
    wiz.SetForeColorBookList(1, 0x123456u);
    wiz.ReadProperties(store);
    EXPECT_EQ(wiz.ForeColorBookList(0), 0x8000000Fu);
    EXPECT_EQ(wiz.ForeColorBookList(1), 0x123456u);
    EXPECT_EQ(wiz.ForeColorBookList(2), 0x80000012u);
    EXPECT_EQ(wiz.ForeColorBookList(3), 0x00FF00u);
    EXPECT_EQ(wiz.PathSamples(), R"(..\样本)");
    wiz.AppPath = QStringLiteral("/app");
    EXPECT_EQ(wiz.PathTemplates(), "/模板");

    wiz.SetPathTemplates(QStringLiteral(R"(\tpl)"));
    wiz.ReadProperties(platform::MemoryPropertyStore());
    EXPECT_EQ(wiz.PathSamples(), R"(..\样本)");
    platform::MemoryPropertyStore written;
    wiz.WriteProperties(written);
    EXPECT_EQ(written.ReadString("PathTemplates", "absent"), R"(\tpl)"); // not read since it was set
}

TEST(WizardPersistence, SettersMarkTheirKeysAndReadingOrWritingClearsTheMarks) {
    CreatLedgerWiz wiz;
    wiz.SetPathTemplates(QStringLiteral("/t"));
    wiz.SetPathSamples(QStringLiteral("/s"));
    wiz.SetForeColorBookList(3, 1u);
    EXPECT_EQ(wiz.ChangedProperties(), (std::set<std::string>{"ForeColorBookList3", "PathSamples", "PathTemplates"}));
    platform::MemoryPropertyStore store;
    wiz.WriteProperties(store);
    EXPECT_TRUE(wiz.ChangedProperties().empty());
    wiz.SetForeColorBookList(0, 2u);
    wiz.ReadProperties(store);
    EXPECT_TRUE(wiz.ChangedProperties().empty());
    EXPECT_EQ(wiz.ForeColorBookList(0), 0x404040u);
}

} // namespace
} // namespace kx::wizard
