#pragma once

#include "platform/MessageBoxService.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace kx::component {

/// Gives `box` the icon, the buttons and the default button of `style` (see
/// platform::msgbox). Escape answers with Cancel when there is one, else with the
/// only button.
void ApplyMessageBoxStyle(QMessageBox& box, int style);

/// The answer (platform::msgbox::kOk ...) of a standard button; 0 for a button
/// that no style shows.
int AnswerOfButton(QMessageBox::StandardButton button) noexcept;

/// Shows messages in a modal Qt message box, over a window when one is given.
/// Needs a running QApplication and its thread.
class QtMessageBox final : public platform::MessageBoxService {
  public:
    void SetParentWindow(QWidget* window) { window_ = window; }
    int Show(const std::string& text, const std::string& title, int style) override;

  private:
    QPointer<QWidget> window_;
};

} // namespace kx::component
