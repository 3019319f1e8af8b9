#include "wizard/OleColour.h"

#include <array>

namespace kx::wizard {

namespace {

struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr auto A = QPalette::Active;
constexpr auto I = QPalette::Inactive;
constexpr auto D = QPalette::Disabled;

// By system colour index, as the platform the colour values come from numbers them.
constexpr std::array<SystemColour, 31> kSystemColours{{
    {A, QPalette::Button},          // 0 scroll bar
    {A, QPalette::Window},          // 1 desktop
    {A, QPalette::Highlight},       // 2 active caption
    {I, QPalette::Highlight},       // 3 inactive caption
    {A, QPalette::Window},          // 4 menu
    {A, QPalette::Base},            // 5 window
    {A, QPalette::Shadow},          // 6 window frame
    {A, QPalette::WindowText},      // 7 menu text
    {A, QPalette::WindowText},      // 8 window text
    {A, QPalette::HighlightedText}, // 9 caption text
    {A, QPalette::Button},          // 10 active border
    {I, QPalette::Button},          // 11 inactive border
    {A, QPalette::Dark},            // 12 application workspace
    {A, QPalette::Highlight},       // 13 highlight
    {A, QPalette::HighlightedText}, // 14 highlighted text
    {A, QPalette::Button},          // 15 button face
    {A, QPalette::Dark},            // 16 button shadow
    {D, QPalette::Text},            // 17 grey text
    {A, QPalette::ButtonText},      // 18 button text
    {I, QPalette::HighlightedText}, // 19 inactive caption text
    {A, QPalette::Light},           // 20 button highlight
    {A, QPalette::Shadow},          // 21 3D dark shadow
    {A, QPalette::Midlight},        // 22 3D light
    {A, QPalette::ToolTipText},     // 23 info text
    {A, QPalette::ToolTipBase},     // 24 info background
    {A, QPalette::WindowText},      // 25 unused
    {A, QPalette::Link},            // 26 hot-tracked item
    {A, QPalette::Highlight},       // 27 active caption gradient
    {I, QPalette::Highlight},       // 28 inactive caption gradient
    {A, QPalette::Highlight},       // 29 menu highlight
    {A, QPalette::Window},          // 30 menu bar
}};

constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

} // namespace

QColor OleColourToQColor(std::uint32_t colour, const QPalette& palette) {
    if ((colour & kSystemColourFlag) != 0) {
        const std::uint32_t index = colour & 0x00FFFFFFu;
        if (index >= kSystemColours.size() || (colour & 0x7F000000u) != 0)
            return palette.color(A, QPalette::WindowText);
        const SystemColour& system = kSystemColours[index];
        return palette.color(system.group, system.role);
    }
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

} // namespace kx::wizard
