#pragma once

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;
class QToolButton;
class QWidget;

namespace kx::wizard {

class BookListDropDown;
class BookListModel;
class FSComprFile;
class UpDownSpinner;

/// The child controls of the wizard, laid out on its five pages with their fixed
/// texts. Every control carries its object name ("Frame1_0", "fg", "TDBText1_2",
/// "Label3_4", ...); the wizard owns them all through the Qt parent chain.
struct WizardSurface {
    QStackedWidget* pages = nullptr;
    std::array<QFrame*, 5> frames{};

    // Page 1: the template.
    QLineEdit* templateField = nullptr;    // TDBText1_0
    QToolButton* dropDownButton = nullptr; // its drop-down button
    BookListDropDown* listPanel = nullptr; // C1EList, floating under the field
    QTableView* grid = nullptr;            // fg, in the drop-down
    BookListModel* bookModel = nullptr;
    QFrame* operatorBox = nullptr;         // Picture1
    QLineEdit* operatorName = nullptr;     // TDBText1_1
    QLineEdit* operatorPassword = nullptr; // TDBText1_2
    QCheckBox* sqlCheck = nullptr;         // chkSql
    QFrame* sqlBox = nullptr;              // picSql
    std::array<QLineEdit*, 3> sqlFields{}; // TDBSQL_0..2: server, user, password

    // Page 2: what to retain.
    QFrame* details = nullptr;               // picDetails
    std::array<QCheckBox*, 9> retainBoxes{}; // chkRetain_0..8

    // Page 3: the new book.
    std::array<QLineEdit*, 5> newBookFields{}; // TDBText3_0..4
    UpDownSpinner* yearSpinner = nullptr;      // UpDown_0
    UpDownSpinner* monthSpinner = nullptr;     // UpDown_1

    QPushButton* listEntryButton = nullptr; // PushButton1
    FSComprFile* archive = nullptr;         // FSComprFile

    /// The label `Label<page>_<index>`; nullptr when the page has none.
    QLabel* Label(int page, int index) const;

    QWidget* owner = nullptr;
};

/// Builds the pages inside `owner` (which gets a layout holding the page stack).
WizardSurface BuildWizardSurface(QWidget* owner);

} // namespace kx::wizard
