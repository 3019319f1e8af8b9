#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace kx::wizard {

/// The colour that an OLE colour value stands for: 0x00BBGGRR is that colour;
/// 0x80000000 plus a system colour index is the matching role of `palette` (2
/// active caption: Highlight, 8 window text: WindowText, 18 button text:
/// ButtonText, ...). An unknown index gives the palette's WindowText. Other high
/// bytes (palette-relative values) are read as 0x00BBGGRR.
QColor OleColourToQColor(std::uint32_t colour, const QPalette& palette);

} // namespace kx::wizard
