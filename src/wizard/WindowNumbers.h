#pragma once

#include <cstdint>

class QWidget;

namespace kx::wizard {

/// Numbers that name live controls in the notices to the host. A control's own
/// window system handle would do, but asking for it turns the control and all its
/// ancestors into native windows, which changes how they are drawn; a serial does
/// not. Numbers start at 1 and are never handed out twice in one process, so a
/// late notice can never name a newer control. Used on the GUI thread only.
class WindowNumbers {
  public:
    /// Gives `control` the next number and remembers it until `Forget`.
    static std::uint64_t Take(QWidget* control);
    /// Drops the number of a control that is going away.
    static void Forget(std::uint64_t number) noexcept;
    /// The live control with `number`, or nullptr.
    static QWidget* Find(std::uint64_t number) noexcept;
};

} // namespace kx::wizard
