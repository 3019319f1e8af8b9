#pragma once

#include "support/AccountingObject.h"
#include "wizard/CreatLedgerWiz.h"

#include <QDate>
#include <QString>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QLabel;

namespace kx::e2e {

/// The states of the nine retain boxes of page 2, box 0 first.
using RetainBoxes = std::array<bool, 9>;
inline constexpr RetainBoxes kAllRetained{true, true, true, true, true, true, true, true, true};
inline constexpr RetainBoxes kNoneRetained{};

/// A host application of the wizard control, as the accounting program is one: it
/// owns a shown control on the application folder, hands it an accounting object
/// whose notices it records, records every Process and Notify event, and walks the
/// pages by setting Step, typing into the fields and clicking as a user does.
class WizardHost {
  public:
    explicit WizardHost(const std::filesystem::path& appFolder);
    ~WizardHost();
    WizardHost(const WizardHost&) = delete;
    WizardHost& operator=(const WizardHost&) = delete;

    /// Loads the book list `listFile` and shows page 0, then page 1. False when the
    /// list did not load.
    bool OpenList(const std::filesystem::path& listFile);
    /// Opens the drop-down list and clicks grid row `row` (archive rows come first).
    void ClickListRow(int row);
    /// Types the template's operator and password over whatever the fields hold.
    void TypeOperator(const QString& name, const QString& password);
    /// Ticks "SQL" and types the server the new book is made on.
    void TypeServerTarget(const QString& server, const QString& user, const QString& password);
    /// Shows page 2 and sets the retain boxes to `boxes`.
    void ChooseRetained(const RetainBoxes& boxes);
    /// Shows page 3 and enters the new book's name, company, director and start month.
    void DescribeNewBook(const QString& name, const QString& company, const QString& director,
                         const QDate& beginDate);

    /// Text of summary line `line` (Label4_<line>) and whether it is shown.
    QString SummaryText(int line) const;
    bool SummaryShown(int line) const;
    /// The notice the control sends after saving the book list.
    std::string BookListNotice() { return std::to_string(wiz.winId()) + "|All|BookList|0||"; }

    wizard::CreatLedgerWiz wiz;
    std::shared_ptr<support::AccountingObject> acc = std::make_shared<support::AccountingObject>();
    std::vector<short> process;
    /// Notify events: message and whether a box was asked for.
    std::vector<std::pair<std::string, bool>> messages;
    /// Notices that reached the host through its accounting object.
    std::vector<std::string> notices;

  private:
    QLabel* Summary(int line) const;
};

} // namespace kx::e2e
