#pragma once

#include "platform/MessageBoxService.h"

#include <QPointer>
#include <QWidget>

namespace kx::app {

/// Shows messages in a modal Qt message box over a window.
class QtMessageBox final : public platform::MessageBoxService {
  public:
    void SetParentWindow(QWidget* window) { window_ = window; }
    void Show(const std::string& text, const std::string& title) override;

  private:
    QPointer<QWidget> window_;
};

} // namespace kx::app
