#include "component/Guid.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::component {
namespace {

TEST(Guid, FormatsInRegistryFormWithUpperCaseHex) {
    EXPECT_EQ(FormatGuid(KX_CLSID_CreatLedgerWiz), "{A5F7AAB1-30BE-447E-A0BF-25132C292A4E}");
    EXPECT_EQ(FormatGuid(KX_IID_IClassFactory), "{00000001-0000-0000-C000-000000000046}");
}

TEST(Guid, ReadsBackWhatItWrites) {
    for (const Guid& id : {KX_CLSID_CreatLedgerWiz, KX_IID_CreatLedgerWiz, KX_IID_CreatLedgerWizEvents,
                           KX_IID_IUnknown, KX_IID_IClassFactory}) {
        const auto parsed = ParseGuid(FormatGuid(id));
        ASSERT_TRUE(parsed.has_value()) << FormatGuid(id);
        EXPECT_EQ(*parsed, id) << FormatGuid(id);
    }
}

TEST(Guid, ReadsLowerCaseAndBareForms) {
    const auto lower = ParseGuid("{a5f7aab1-30be-447e-a0bf-25132c292a4e}");
    const auto bare = ParseGuid("A5F7AAB1-30BE-447E-A0BF-25132C292A4E");
    ASSERT_TRUE(lower.has_value());
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(*lower, KX_CLSID_CreatLedgerWiz);
    EXPECT_EQ(*bare, KX_CLSID_CreatLedgerWiz);
}

class GuidRejectsText : public testing::TestWithParam<std::string> {};

TEST_P(GuidRejectsText, GivesNothing) {
    EXPECT_FALSE(ParseGuid(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Malformed, GuidRejectsText,
                         testing::Values("", "{}", "{A5F7AAB1-30BE-447E-A0BF-25132C292A4}",
                                         "{A5F7AAB1-30BE-447E-A0BF-25132C292A4E", "A5F7AAB1-30BE-447E-A0BF-25132C292A4E}",
                                         "{A5F7AAB130BE-447E-A0BF-25132C292A4E0}", "{A5F7AAB1-30BE-447E-A0BF-25132C292A4G}",
                                         "{A5F7AAB1+30BE-447E-A0BF-25132C292A4E}", " A5F7AAB1-30BE-447E-A0BF-25132C292A4E",
                                         "{A5F7AAB1-30BE-447E-A0BF-25132C292A4E}x"));

} // namespace
} // namespace kx::component
