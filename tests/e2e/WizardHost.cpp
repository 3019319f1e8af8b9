#include "e2e/WizardHost.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <stdexcept>

namespace kx::e2e {

namespace {

template <typename T> T* ChildOf(const QWidget& parent, const QString& name) {
    T* child = parent.findChild<T*>(name);
    if (child == nullptr)
        throw std::logic_error("the wizard has no child " + name.toStdString());
    return child;
}

/// Types `text` key by key over the selected text of field `name`; characters
/// without a key of their own (Chinese) arrive as key events carrying only text.
void TypeInto(const QWidget& wiz, const char* name, const QString& text) {
    auto* field = ChildOf<QLineEdit>(wiz, QString::fromLatin1(name));
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

} // namespace

WizardHost::WizardHost(const std::filesystem::path& appFolder) {
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

WizardHost::~WizardHost() {
    acc->SetNoticeReceiver({});
}

bool WizardHost::OpenList(const std::filesystem::path& listFile) {
    if (!wiz.Load(QString::fromStdString(listFile.string())))
        return false;
    wiz.SetStep(0);
    wiz.SetStep(1);
    return wiz.Step() == 1;
}

void WizardHost::ClickListRow(int row) {
    auto* grid = ChildOf<QTableView>(wiz, QStringLiteral("fg"));
    if (!ChildOf<QWidget>(wiz, QStringLiteral("C1EList"))->isVisible())
        ChildOf<QToolButton>(wiz, QStringLiteral("TDBText1_0_DropDown"))->click();
    const QModelIndex cell = grid->model()->index(row, 0);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(cell).center());
}

void WizardHost::TypeOperator(const QString& name, const QString& password) {
    TypeInto(wiz, "TDBText1_1", name);
    TypeInto(wiz, "TDBText1_2", password);
}

void WizardHost::TypeServerTarget(const QString& server, const QString& user, const QString& password) {
    auto* sql = ChildOf<QCheckBox>(wiz, QStringLiteral("chkSql"));
    if (!sql->isChecked())
        sql->click();
    TypeInto(wiz, "TDBSQL_0", server);
    TypeInto(wiz, "TDBSQL_1", user);
    TypeInto(wiz, "TDBSQL_2", password);
}

void WizardHost::ChooseRetained(const RetainBoxes& boxes) {
    wiz.SetStep(2);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        ChildOf<QCheckBox>(wiz, QStringLiteral("chkRetain_%1").arg(i))->setChecked(boxes[i]);
}

void WizardHost::DescribeNewBook(const QString& name, const QString& company, const QString& director,
                                 const QDate& beginDate) {
    wiz.SetStep(3);
    wiz.SetBookName(name);
    wiz.SetUserName(company);
    wiz.SetDirector(director);
    wiz.SetBeginDate(beginDate);
}

QString WizardHost::SummaryText(int line) const {
    return Summary(line)->text();
}

bool WizardHost::SummaryShown(int line) const {
    return !Summary(line)->isHidden();
}

QLabel* WizardHost::Summary(int line) const {
    return ChildOf<QLabel>(wiz, QStringLiteral("Label4_%1").arg(line));
}

} // namespace kx::e2e
