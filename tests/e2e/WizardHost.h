#pragma once

#include "support/AccountingObject.h"
#include "wizard/CreatLedgerWiz.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <array>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kx::e2e {

/// The states of the nine retain boxes of page 2, box 0 first.
using RetainBoxes = std::array<bool, 9>;
inline constexpr RetainBoxes kAllRetained{true, true, true, true, true, true, true, true, true};

/// What the host types for the new book on page 3.
inline const QString kNewBookName = QStringLiteral("二〇一三账簿");
inline const QString kNewCompany = QStringLiteral("上海某某有限公司");
inline const QString kNewDirector = QStringLiteral("李四");

/// A host application of the wizard control, as the accounting program is one: it
/// owns a shown control on the application folder, hands it an accounting object
/// whose notices it records, records every Process and Notify event, and walks the
/// pages by setting Step, typing into the fields and clicking as a user does.
class WizardHost {
  public:
    explicit WizardHost(const std::filesystem::path& appFolder) {
        wiz.AppPath = QString::fromStdString(appFolder.string());
        wiz.Acc = acc;
        acc->SetNoticeReceiver([this](const std::string& notice) { notices.push_back(notice); });
        QObject::connect(
            &wiz, &wizard::CreatLedgerWiz::Process, &wiz, [this](short value) { process.push_back(value); },
            Qt::DirectConnection);
        QObject::connect(
            &wiz, &wizard::CreatLedgerWiz::Notify, &wiz,
            [this](const QString& message, bool box) { messages.emplace_back(message.toStdString(), box); },
            Qt::DirectConnection);
        wiz.resize(640, 480);
        wiz.show();
        if (!QTest::qWaitForWindowExposed(&wiz))
            throw std::runtime_error("the wizard window was never shown");
    }
    ~WizardHost() { acc->SetNoticeReceiver({}); }

    /// Loads the book list `listFile` and shows page 0, then page 1.
    bool OpenList(const std::filesystem::path& listFile) {
        if (!wiz.Load(QString::fromStdString(listFile.string())))
            return false;
        wiz.SetStep(0);
        wiz.SetStep(1);
        return wiz.Step() == 1;
    }
    /// Opens the drop-down list and clicks grid row `row` (archive rows come first).
    void ClickListRow(int row) {
        auto* grid = Child<QTableView>("fg");
        if (!Child<QWidget>("C1EList")->isVisible())
            Child<QToolButton>("TDBText1_0_DropDown")->click();
        const QModelIndex cell = grid->model()->index(row, 0);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(cell).center());
    }
    void TypeOperator(const QString& name, const QString& password) {
        TypeInto("TDBText1_1", name);
        TypeInto("TDBText1_2", password);
    }
    /// Ticks "SQL" and types the server the new book is made on.
    void TypeServerTarget(const QString& server, const QString& user, const QString& password) {
        if (auto* sql = Child<QCheckBox>("chkSql"); !sql->isChecked())
            sql->click();
        TypeInto("TDBSQL_0", server);
        TypeInto("TDBSQL_1", user);
        TypeInto("TDBSQL_2", password);
    }
    void ChooseRetained(const RetainBoxes& boxes) {
        wiz.SetStep(2);
        for (std::size_t i = 0; i < boxes.size(); ++i)
            Child<QCheckBox>(QStringLiteral("chkRetain_%1").arg(i))->setChecked(boxes[i]);
    }
    /// Shows page 3 and enters the new book of the constants above, begun in March 2013.
    void DescribeNewBook() {
        wiz.SetStep(3);
        wiz.SetBookName(kNewBookName);
        wiz.SetUserName(kNewCompany);
        wiz.SetDirector(kNewDirector);
        wiz.SetBeginDate(QDate(2013, 3, 15));
    }

    /// Summary line `line` on page 4.
    QLabel& Summary(int line) const { return *Child<QLabel>(QStringLiteral("Label4_%1").arg(line)); }
    /// The notice the control sends after saving the book list.
    std::string BookListNotice() { return std::to_string(wiz.WindowNumber()) + "|All|BookList|0||"; }

    wizard::CreatLedgerWiz wiz;
    std::shared_ptr<support::AccountingObject> acc = std::make_shared<support::AccountingObject>();
    std::vector<short> process;
    /// Notify events: message and whether a box was asked for.
    std::vector<std::pair<std::string, bool>> messages;
    std::vector<std::string> notices; // that reached the host through its accounting object

  private:
    template <typename T> T* Child(const QString& name) const {
        T* child = wiz.findChild<T*>(name);
        if (child == nullptr)
            throw std::logic_error("the wizard has no child " + name.toStdString());
        return child;
    }
    /// Types `text` key by key over the selected text of field `name`; characters
    /// without a key of their own (Chinese) arrive as key events carrying only text.
    void TypeInto(const char* name, const QString& text) {
        auto* field = Child<QLineEdit>(QString::fromLatin1(name));
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(field, static_cast<char>(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
};

} // namespace kx::e2e
