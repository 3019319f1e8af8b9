#pragma once

#include "platform/MessageBoxService.h"

#include <string>

namespace kx::app {

class TerminalProgress;

/// The message boxes of a command without a window: each box becomes the line
/// "title：text" through the command's progress bar, which ends its own line
/// first, and answers at once with its default button. Installed as the message box service while the object lives.
class TerminalMessageBox final : public platform::MessageBoxService {
  public:
    explicit TerminalMessageBox(TerminalProgress& progress);
    ~TerminalMessageBox() override;
    TerminalMessageBox(const TerminalMessageBox&) = delete;
    TerminalMessageBox& operator=(const TerminalMessageBox&) = delete;

    int Show(const std::string& text, const std::string& title, int style) override;
    /// Whether a box was shown.
    bool Shown() const noexcept { return shown_; }

  private:
    TerminalProgress& progress_;
    bool shown_ = false;
};

} // namespace kx::app
