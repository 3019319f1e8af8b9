#pragma once

#include "ControlFromComponent.h"

#include "platform/MessageBoxService.h"
#include "wizard/CreatLedgerWiz.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kx::support {
class AccountingObject;
}

namespace kx::app {

/// The window that hosts the new-book wizard: the control above, a status line and
/// a progress bar, and the Back, Next and Cancel buttons that drive its pages.
///
/// The buttons take their captions and states from the control after every page
/// change and every template selection. Leaving page 1 forward needs an operator
/// that may open the template (`PasswordOK`), leaving page 3 forward a book name
/// and a company; otherwise a message explains and the page stays. Messages with
/// a box go to `messages` (so tests never block), the others to the status line.
class WizardWindow : public QWidget {
    Q_OBJECT

  public:
    /// The window's message box title.
    static constexpr const char* kTitle = "建账向导";

    /// `appFolder` is a prepared application folder (its Data folder and sample
    /// book exist); `messages` must outlive the window.
    WizardWindow(const std::string& appFolder, platform::MessageBoxService& messages,
                 QWidget* parent = nullptr);
    ~WizardWindow() override;

    /// The book list file of the application folder.
    std::string BookListFile() const;

    /// Creates the book list when it is missing, restores the control's settings,
    /// loads the list and shows page 0. False when the list could not be loaded
    /// (the control has told the user why).
    bool Start();

    wizard::CreatLedgerWiz& Wizard() { return *wizard_; }
    QPushButton* BackButton() const { return buttons_[1]; }
    QPushButton* NextButton() const { return buttons_[2]; }
    QPushButton* CancelButton() const { return buttons_[0]; }
    QLabel* StatusLine() const { return status_; }
    QProgressBar* Progress() const { return progress_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ReadButtons();
    void OnBeforeStep(short stepNo, bool& cancel);
    void OnCommand(const QString& name, bool& cancel);
    void OnNotify(const QString& message, bool showBox);
    void OnProcess(short indicator);
    void OnNotice(const std::string& notice);
    void ShowMessage(const QString& message);
    std::string SettingsFile() const;

    std::string appFolder_;
    platform::MessageBoxService& messages_;
    std::shared_ptr<support::AccountingObject> acc_;
    // The component library that made the control. It stays loaded while the
    // control lives, since it refuses to be unloaded before.
    ComponentControl component_;
    wizard::CreatLedgerWiz* wizard_ = nullptr;
    // Host buttons by the control's index: 0 cancel, 1 back, 2 next.
    std::array<QPushButton*, 3> buttons_{};
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

} // namespace kx::app
