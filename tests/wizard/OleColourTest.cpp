#include "wizard/OleColour.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace kx::wizard {
namespace {

/// A palette whose every role and group has its own colour, so that a wrong mapping cannot pass by accident.
QPalette DistinctPalette() {
    QPalette palette;
    int n = 1;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role, ++n)
            if (role != QPalette::NoRole)
                palette.setColor(group, static_cast<QPalette::ColorRole>(role), QColor::fromRgb(n * 37 % 256, n, 200));
    return palette;
}

TEST(OleColour, SystemColoursMapToTheMatchingPaletteRole) {
    const std::tuple<std::uint32_t, QPalette::ColorGroup, QPalette::ColorRole> cases[] = {
        {0x80000002u, QPalette::Active, QPalette::Highlight},    {0x80000012u, QPalette::Active, QPalette::ButtonText},
        {0x80000005u, QPalette::Active, QPalette::Base},
        {0x8000000Du, QPalette::Active, QPalette::Highlight},    {0x8000000Eu, QPalette::Active, QPalette::HighlightedText},
        {0x8000000Fu, QPalette::Active, QPalette::Button},       {0x80000011u, QPalette::Disabled, QPalette::Text},
        {0x80000003u, QPalette::Inactive, QPalette::Highlight},  {0x80000017u, QPalette::Active, QPalette::ToolTipText},
        {0x80000018u, QPalette::Active, QPalette::ToolTipBase},  {0x8000001Au, QPalette::Active, QPalette::Link},
        {0x80000063u, QPalette::Active, QPalette::WindowText},   {0x81000002u, QPalette::Active, QPalette::WindowText}};
    const QPalette palette = DistinctPalette();
    for (const auto& [colour, group, role] : cases)
        EXPECT_EQ(OleColourToQColor(colour, palette), palette.color(group, role)) << std::hex << colour;
}

TEST(OleColour, PlainValuesAreBlueGreenRedFromTheHighByteDown) {
    const QPalette palette;
    EXPECT_EQ(OleColourToQColor(0x400000u, palette), QColor(0, 0, 64));
    EXPECT_EQ(OleColourToQColor(0x02123456u, palette), QColor(0x56, 0x34, 0x12));
}

} // namespace
} // namespace kx::wizard
