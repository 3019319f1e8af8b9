#pragma once

#include "component/QtMessageBox.h"
#include "platform/MessageBoxService.h"

namespace kx::component {

/// The message boxes of the component library in whatever host it is loaded
/// into: a real Qt message box while a GUI application (a QApplication) runs and
/// the box is asked for on its thread, standard error otherwise. The box sits
/// over the host's active window.
class HostMessageBox final : public platform::MessageBoxService {
  public:
    /// Whether a Qt message box can be shown from the calling thread now.
    static bool GuiApplicationRunning() noexcept;
    /// The service the next box goes to.
    platform::MessageBoxService& Chosen();
    int Show(const std::string& text, const std::string& title, int style) override;

  private:
    QtMessageBox qt_;
    platform::StderrMessageBox standardError_;
};

} // namespace kx::component
