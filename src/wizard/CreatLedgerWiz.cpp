#include "wizard/CreatLedgerWiz.h"

#include "newbook/CreationObserver.h"
#include "newbook/HostNotice.h"
#include "newbook/NewBookClearing.h"
#include "newbook/NewBookDatabase.h"
#include "newbook/OperatorCheck.h"
#include "newbook/PathText.h"
#include "newbook/TemplateFolder.h"
#include "newbook/TemplateLocation.h"

#include "platform/AnsiTextFile.h"
#include "platform/DiskPath.h"
#include "platform/PendingEvents.h"
#include "platform/PropertyStore.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"
#include "wizard/BookListDropDown.h"
#include "wizard/BookListModel.h"
#include "wizard/FSComprFile.h"
#include "wizard/FieldRules.h"
#include "wizard/OleColour.h"
#include "wizard/UpDownSpinner.h"
#include "wizard/WindowNumbers.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>

#include <stdexcept>
#include <vector>

namespace kx::wizard {

namespace {

constexpr int kMinYear = 1900;
constexpr int kMaxYear = 3000;

const QString kCancelCaption = QStringLiteral("取消(&A)");
const QString kBackCaption = QStringLiteral("上一步(&B)");
const QString kNextCaption = QStringLiteral("下一步(&F)");

std::string ForeColorKey(std::size_t index) {
    return "ForeColorBookList" + std::to_string(index);
}

std::size_t CheckedIndex(short index, std::size_t count) {
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        throw std::out_of_range("下标越界：" + std::to_string(index));
    return static_cast<std::size_t>(index);
}

/// Restores a widget's cursor when the work under a busy cursor ends.
class BusyCursor {
  public:
    explicit BusyCursor(QWidget* widget)
        : widget_(widget), had_(widget->testAttribute(Qt::WA_SetCursor)), cursor_(widget->cursor()) {
        widget_->setCursor(Qt::BusyCursor);
    }
    ~BusyCursor() {
        if (had_)
            widget_->setCursor(cursor_);
        else
            widget_->unsetCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    QWidget* widget_;
    bool had_;
    QCursor cursor_;
};

/// Suspends a widget's painting while a long change is made, so it is drawn once.
class PaintingSuspended {
  public:
    explicit PaintingSuspended(QWidget* widget) : widget_(widget) { widget_->setUpdatesEnabled(false); }
    ~PaintingSuspended() { widget_->setUpdatesEnabled(true); }
    PaintingSuspended(const PaintingSuspended&) = delete;
    PaintingSuspended& operator=(const PaintingSuspended&) = delete;

  private:
    QWidget* widget_;
};

QColor RowColour(CreatLedgerWiz::Colour colour, const QWidget* widget) {
    return OleColourToQColor(colour, widget->palette());
}

} // namespace

CreatLedgerWiz::CreatLedgerWiz(QWidget* parent)
    : QWidget(parent), windowNumber_(WindowNumbers::Take(this)), ui_(BuildWizardSurface(this)) {
    ConnectSurface();
}

CreatLedgerWiz::~CreatLedgerWiz() {
    WindowNumbers::Forget(windowNumber_);
}

CreatLedgerWiz* CreatLedgerWiz::FromWindowNumber(std::uint64_t number) noexcept {
    return static_cast<CreatLedgerWiz*>(WindowNumbers::Find(number));
}

void CreatLedgerWiz::ConnectSurface() {
    connect(ui_.listEntryButton, &QPushButton::clicked, this, &CreatLedgerWiz::OnCreateListEntryClicked);
    connect(ui_.dropDownButton, &QToolButton::clicked, this, &CreatLedgerWiz::OnDropDown);
    connect(ui_.listPanel, &BookListDropDown::RowChosen, this, &CreatLedgerWiz::SelectListRow);
    connect(ui_.sqlCheck, &QCheckBox::clicked, this, &CreatLedgerWiz::ShowSqlPanel);
    connect(ui_.yearSpinner, &QSpinBox::valueChanged, this,
            [this](int year) { ui_.newBookFields[3]->setText(QString::number(year)); });
    connect(ui_.monthSpinner, &QSpinBox::valueChanged, this,
            [this](int month) { ui_.newBookFields[4]->setText(QString::number(month)); });

    for (QLineEdit* field : {ui_.templateField, ui_.operatorName, ui_.operatorPassword})
        new FieldRules(field, {{Qt::Key_Escape}, true, false});
    auto* passwordRules = ui_.operatorPassword->findChild<FieldRules*>();
    passwordRules->focusLost = [this] { RaiseCommand(QStringLiteral("LostFocus")); };

    const std::vector<int> swallowed{Qt::Key_Cancel,  Qt::Key_Escape, Qt::Key_PageUp, Qt::Key_PageDown,
                                     Qt::Key_Up,      Qt::Key_Down,   Qt::Key_Select, Qt::Key_Printer,
                                     Qt::Key_Execute, Qt::Key_Print,  Qt::Key_Help};
    for (std::size_t i = 0; i < ui_.newBookFields.size(); ++i) {
        auto* rules = new FieldRules(ui_.newBookFields[i], {swallowed, true, true});
        rules->validate = [this, i] { return ValidateNewBookField(i); };
    }
}

// ---------------------------------------------------------------- properties

void CreatLedgerWiz::SetBookID(int value) {
    bookId_ = value;
    if (ui_.bookModel->rowCount() == 0) {
        Load(iniFile_);
        platform::LetPendingEventsRun();
    }
    // 64-bit sum: a huge book number must not wrap into a valid row.
    const long long row = static_cast<long long>(bookId_) + templateRowCount_;
    if (bookId_ >= 0 && row < ui_.bookModel->rowCount()) {
        ui_.grid->setCurrentIndex(ui_.bookModel->index(static_cast<int>(row), BookListModel::BookName));
        SelectListRow(Qt::LeftButton);
    }
}

QString CreatLedgerWiz::BookName() const {
    return ui_.newBookFields[0]->text();
}
void CreatLedgerWiz::SetBookName(const QString& value) {
    ui_.newBookFields[0]->setText(value);
}
QString CreatLedgerWiz::UserName() const {
    return ui_.newBookFields[1]->text();
}
void CreatLedgerWiz::SetUserName(const QString& value) {
    ui_.newBookFields[1]->setText(value);
}
QString CreatLedgerWiz::Director() const {
    return ui_.newBookFields[2]->text();
}
void CreatLedgerWiz::SetDirector(const QString& value) {
    ui_.newBookFields[2]->setText(value);
}

QString CreatLedgerWiz::BookNo() const {
    return bookNo_.isEmpty() ? QStringLiteral("1") : bookNo_;
}

QDate CreatLedgerWiz::BeginDate() const {
    bool yearOk = false;
    bool monthOk = false;
    const int year = ui_.newBookFields[3]->text().trimmed().toInt(&yearOk);
    const int month = ui_.newBookFields[4]->text().trimmed().toInt(&monthOk);
    if (!yearOk || !monthOk)
        return {};
    const QDate date(year, month, 1);
    return date.isValid() ? date : QDate();
}

void CreatLedgerWiz::SetBeginDate(const QDate& value) {
    const int year = value.isValid() ? value.year() : 0;
    if (year < kMinYear || year > kMaxYear)
        throw std::out_of_range("建账年份必须在 1900 至 3000 之间：" + std::to_string(year));
    ui_.yearSpinner->setValue(year);
    ui_.monthSpinner->setValue(value.month());
    // The spinners only report changes; an unchanged value must still reach its field.
    ui_.newBookFields[3]->setText(QString::number(ui_.yearSpinner->value()));
    ui_.newBookFields[4]->setText(QString::number(ui_.monthSpinner->value()));
}

QString CreatLedgerWiz::PathTemplates() {
    pathTemplates_ = newbook::ResolvedTemplateFolder(pathTemplates_, AppPath);
    return pathTemplates_;
}

void CreatLedgerWiz::SetPathTemplates(const QString& value) {
    pathTemplates_ = value;
    MarkChanged(kKeyPathTemplates);
}

void CreatLedgerWiz::SetPathSamples(const QString& value) {
    pathSamples_ = value;
    MarkChanged(kKeyPathSamples);
}

void CreatLedgerWiz::SetAccAddress(void* acc) {
    if (acc == Acc.get())
        return; // the object the control already holds, perhaps owning it
    // An empty owner: the host's object is used, never deleted, by the control.
    Acc = std::shared_ptr<support::AccountingObject>(std::shared_ptr<void>(),
                                                     static_cast<support::AccountingObject*>(acc));
}

CreatLedgerWiz::Colour CreatLedgerWiz::ForeColorBookList(short index) const {
    return foreColors_[CheckedIndex(index, foreColors_.size())];
}

void CreatLedgerWiz::SetForeColorBookList(short index, Colour colour) {
    if (index < 0 || static_cast<std::size_t>(index) >= foreColors_.size())
        return;
    foreColors_[static_cast<std::size_t>(index)] = colour;
    MarkChanged(ForeColorKey(static_cast<std::size_t>(index)));
}

void CreatLedgerWiz::SetStep(short value) {
    if (value < 0 || value > MaxStep())
        return;
    bool cancel = false;
    emit BeforeStep(value, cancel);
    if (cancel)
        return;
    step_ = value;
    try {
        ui_.pages->setCurrentIndex(value);
        SetUpPage(value);
        update();
        platform::LetPendingEventsRun();
    } catch (const std::exception&) {
        // A failed page change ends quietly, without AfterStep.
        return;
    }
    emit AfterStep(value);
}

void CreatLedgerWiz::SetUpPage(short page) {
    if (page == MaxStep()) {
        RunCreation();
        return;
    }
    buttonCaptions_[0] = kCancelCaption;
    buttonCaptions_[1] = kBackCaption;
    buttonCaptions_[2] = kNextCaption;
    buttonEnabled_[0] = true;
    buttonEnabled_[1] = page != 0;
    buttonEnabled_[2] = true;
    switch (page) {
    case 1:
        SetNextEnabled(!ui_.templateField->text().isEmpty());
        ui_.templateField->setFocus();
        break;
    case 2:
        ui_.retainBoxes[1]->setFocus();
        break;
    case 3:
        if (BookName().isEmpty())
            SetBookName(QStringLiteral("(新账簿名称)"));
        if (UserName().isEmpty())
            SetUserName(QStringLiteral("(单位名称)"));
        if (BeginDate().isNull())
            SetBeginDate(QDate::currentDate());
        ui_.newBookFields[0]->setFocus();
        break;
    default:
        break;
    }
}

void CreatLedgerWiz::SetNextEnabled(bool enabled) {
    buttonEnabled_[2] = enabled;
    ui_.Label(1, 9)->setVisible(enabled);
}

void CreatLedgerWiz::RunCreation() {
    ui_.Label(4, 9)->clear();
    ui_.Label(4, 0)->setText(QString::fromStdString(newbook::CreationUnderWay().title));
    platform::LetPendingEventsRun();
    CreateNewAccBook();
}

/// The control's side of a creation: the events go to its signals, the results to
/// page 4 and the host buttons.
class CreatLedgerWiz::CreationPage final : public newbook::CreationObserver {
  public:
    explicit CreationPage(CreatLedgerWiz& wiz) : wiz_(wiz) {}

    void Process(short indicator) override { emit wiz_.Process(indicator); }
    void Prompt(const std::string& message, bool showBox) override {
        wiz_.Prompt(QString::fromStdString(message), showBox);
    }
    void BookFileChosen(const std::string& bookFile) override { wiz_.bookFile_ = QString::fromStdString(bookFile); }
    void StepFailed(const newbook::CreationSummary& summary) override {
        wiz_.ShowSummary(summary);
        wiz_.buttonEnabled_[2] = false;
    }
    void Finished(const newbook::CreationSummary& summary) override {
        wiz_.ShowSummary(summary);
        if (!summary.completed)
            return;
        wiz_.buttonCaptions_[0] = QStringLiteral("完成(&C)");
        wiz_.buttonEnabled_[0] = true;
        wiz_.buttonCaptions_[1] = kBackCaption;
        wiz_.buttonEnabled_[1] = false;
        wiz_.buttonCaptions_[2] = kNextCaption;
        wiz_.buttonEnabled_[2] = false;
        // Set directly: the completion notice of the setter is not sent here.
        wiz_.completed_ = true;
        wiz_.ui_.Label(4, 9)->setText(QString::fromStdString(summary.closing));
    }

  private:
    CreatLedgerWiz& wiz_;
};

bool CreatLedgerWiz::CreateNewAccBook() {
    // Only a checked box means a server book; a greyed one makes a book file.
    newbook::NewBookRequest request = CreationRequest(ui_.sqlCheck->checkState() == Qt::Checked);
    request.noticeWindow = windowNumber_;
    CreationPage page(*this);
    return newbook::NewBookCreation(std::move(request), page, *ui_.archive).Run();
}

void CreatLedgerWiz::ShowSummary(const newbook::CreationSummary& summary) {
    ui_.Label(4, 0)->setText(QString::fromStdString(summary.title));
    for (std::size_t i = 0; i < 4; ++i) {
        QLabel* label = ui_.Label(4, static_cast<int>(i) + 1);
        if (i < summary.lines.size())
            label->setText(QString::fromStdString(summary.lines[i]));
        label->setVisible(i < summary.lines.size());
    }
}

newbook::ServerLogin CreatLedgerWiz::SqlTarget() const {
    return {ui_.sqlFields[0]->text().toStdString(), ui_.sqlFields[1]->text().toStdString(),
            ui_.sqlFields[2]->text().toStdString()};
}

newbook::NewBookRequest CreatLedgerWiz::CreationRequest(bool isSql) const {
    newbook::NewBookRequest request;
    request.templateLocation = fromFile_.toStdString();
    request.operatorName = ui_.operatorName->text().toStdString();
    request.operatorPassword = ui_.operatorPassword->text().toStdString();
    request.bookNo = BookNo().toStdString();
    request.bookName = BookName().toStdString();
    request.company = UserName().toStdString();
    request.director = Director().toStdString();
    request.beginDate = BeginDate();
    for (std::size_t i = 0; i < request.retain.size(); ++i)
        request.retain[i] = static_cast<int>(ui_.retainBoxes[i]->checkState());
    request.isSql = isSql;
    request.target = SqlTarget();
    request.appPath = AppPath.toStdString();
    // The list is given the file as this control reads it, so that a bare name
    // means the same file in the application folder for both.
    request.listFile = iniFile_.isEmpty()
                           ? std::string()
                           : platform::ToDiskPath(iniFile_.toStdString(), AppPath.toStdString()).string();
    request.acc = Acc.get();
    request.bookFile = bookFile_.toStdString();
    return request;
}

bool CreatLedgerWiz::WriteBookInfo(bool isSql) {
    CreationPage page(*this);
    return newbook::NewBookCreation(CreationRequest(isSql), page, *ui_.archive).WriteBookInfo();
}

bool CreatLedgerWiz::ClearNewBook(bool isSql) {
    CreationPage page(*this);
    return newbook::NewBookCreation(CreationRequest(isSql), page, *ui_.archive).ClearNewBook();
}

void CreatLedgerWiz::SetCompleted(bool value) {
    completed_ = value;
    if (!value)
        return;
    if (!Acc)
        throw support::SupportError(support::supporterr::ObjectNotSet,
                                    "未设置账务支持对象（Acc），无法通知主程序。");
    Acc->SendNotice(newbook::HostNotice(windowNumber_, "Branch"));
}

QString CreatLedgerWiz::ButtonCaption(short index) const {
    return buttonCaptions_[CheckedIndex(index, buttonCaptions_.size())];
}

bool CreatLedgerWiz::ButtonEnabled(short index) const {
    return buttonEnabled_[CheckedIndex(index, buttonEnabled_.size())];
}

bool CreatLedgerWiz::PasswordOK() const {
    return newbook::OperatorMayOpenTemplate(fromFile_.toStdString(), ui_.operatorName->text().toStdString(),
                                   ui_.operatorPassword->text().toStdString(), AppPath.toStdString());
}

void CreatLedgerWiz::SetIniFile(const QString& value) {
    iniFile_ = newbook::ResolvedListFile(value, AppPath);
}

// ---------------------------------------------------------------- the book list view

bool CreatLedgerWiz::Load(const QString& rFileName) {
    if (RaiseCommand(QStringLiteral("BeforeLoadList")))
        return false;
    if (!rFileName.isEmpty())
        SetIniFile(rFileName);
    // Both checks always run, so the host may get both messages from one call.
    bool failed = false;
    if (AppPath.isEmpty()) {
        Prompt(QStringLiteral("未指定程序当前路径，无法正常读入账簿列表。"), true);
        failed = true;
    }
    if (iniFile_.isEmpty() || !platform::FileExists(iniFile_.toStdString(), AppPath.toStdString())) {
        Prompt(QStringLiteral("未找到账簿目录文件，无法读入记账列表。"), true);
        failed = true;
    }
    if (failed)
        return false;

    bool loaded = false;
    try {
        const PaintingSuspended suspended(ui_.grid);
        templateRowCount_ = 0;
        ui_.bookModel->removeRows(0, ui_.bookModel->rowCount());
        const std::string text =
            platform::ReadAnsiTextFile(platform::ToDiskPath(iniFile_.toStdString(), AppPath.toStdString()));
        ui_.bookModel->AppendTabText(QString::fromStdString(text));
        RemoveEmptyRows();
        AddTemplateRows(QString());
        PrepareListRows();
        loaded = true;
    } catch (const std::exception&) {
        return false;
    }
    RaiseCommand(QStringLiteral("AfterLoadList"));
    return loaded;
}

void CreatLedgerWiz::RemoveEmptyRows() {
    ui_.bookModel->RemoveEmptyRows();
}

void CreatLedgerWiz::AddTemplateRows(QString extension) {
    if (extension.isEmpty())
        extension = QStringLiteral("WAK");
    const QString folder = PathTemplates();
    if (folder.isEmpty())
        return;
    for (const QString& name :
         newbook::ArchiveFileNames(platform::ToDiskPath(folder.toStdString(), AppPath.toStdString()), extension)) {
        ++templateRowCount_;
        ui_.bookModel->InsertArchiveRow(folder, name);
    }
}

void CreatLedgerWiz::PrepareListRows() {
    const int rows = ui_.bookModel->rowCount();
    for (int row = 0; row < rows; ++row) {
        ui_.grid->setRowHidden(row, ui_.bookModel->IsHiddenRow(row));
        std::size_t colour = 2;
        switch (ui_.bookModel->PrepareRow(row, AppPath)) {
        case BookListModel::RowKind::Archive:
            colour = 0;
            break;
        case BookListModel::RowKind::WskBook:
        case BookListModel::RowKind::SqlBook:
            colour = 1;
            break;
        case BookListModel::RowKind::AccessBook:
            colour = 2;
            break;
        }
        ui_.bookModel->SetRowForeground(row, RowColour(foreColors_[colour], ui_.grid));
    }
}

void CreatLedgerWiz::OnDropDown() {
    try {
        if (!ui_.listPanel->isHidden()) {
            ui_.listPanel->hide();
            return;
        }
        if (ui_.bookModel->rowCount() == 0) {
            Load();
            if (ui_.bookModel->rowCount() == 0) {
                Prompt(QStringLiteral("装入账簿列表时，遇到错误；"), true);
                return;
            }
        }
        ui_.listPanel->OpenUnderField(bookId_ < 0 ? 0 : static_cast<long long>(bookId_) + templateRowCount_);
    } catch (const std::exception&) {
        // The drop-down ends quietly.
    }
}

void CreatLedgerWiz::SelectListRow(Qt::MouseButton button, int clickedRow) {
    if (button != Qt::LeftButton)
        return;
    const BusyCursor busy(ui_.grid);
    try {
        if (clickedRow >= 0 && clickedRow < ui_.bookModel->rowCount())
            ui_.grid->setCurrentIndex(ui_.bookModel->index(clickedRow, BookListModel::BookName));
        const int row = ui_.grid->currentIndex().row();
        if (!SetTemplateFromRow(row)) {
            Prompt(QStringLiteral("未找到指定账簿的数据库文件。"), true);
            buttonEnabled_[2] = false;
        } else {
            ui_.templateField->setText(ui_.bookModel->Text(row, BookListModel::BookName));
            const auto location = LocationOfRow(row);
            ui_.templateField->setProperty(
                "location", QString::fromStdString(location.BookPathField() + '|' + location.BookFileField()));
            QPalette palette = ui_.templateField->palette();
            if (location.IsServerBook()) {
                ui_.sqlCheck->setChecked(true);
                ShowSqlPanel();
                const std::array<std::optional<std::string_view>, 3> parts{location.Server(), location.UserId(),
                                                                           location.Password()};
                for (std::size_t i = 0; i < parts.size(); ++i)
                    ui_.sqlFields[i]->setText(QString::fromStdString(std::string(parts[i].value_or(""))));
                palette.setColor(QPalette::Text, RowColour(foreColors_[1], ui_.templateField));
            } else {
                palette.setColor(QPalette::Text, RowColour(foreColors_[2], ui_.templateField));
            }
            ui_.templateField->setPalette(palette);
            const QString extension =
                QString::fromStdString(platform::ExtensionOf(fromFile_.toStdString())).toUpper();
            if (extension == QStringLiteral("WAK") || extension == QStringLiteral("WSK")) {
                ui_.operatorBox->hide();
            } else {
                ui_.operatorBox->show();
                ui_.Label(1, 1)->hide();
                if (ui_.operatorName->text().isEmpty())
                    ui_.operatorName->setText(QStringLiteral("系统管理员"));
            }
            ui_.listPanel->hide();
            if (BeginDate().isNull())
                SetBeginDate(QDate::currentDate());
            buttonEnabled_[2] = true;
        }
        ui_.Label(1, 9)->setVisible(buttonEnabled_[2]);
        RaiseCommand(QStringLiteral("AfterBookSelected"));
    } catch (const std::exception&) {
        // The selection ends quietly; the pointer comes back all the same.
    }
}

void CreatLedgerWiz::ShowSqlPanel() {
    ui_.sqlBox->setVisible(ui_.sqlCheck->isChecked());
}

void CreatLedgerWiz::OnCreateListEntryClicked() {
    SetBookName(QStringLiteral("（新增账簿：请指定数据库文件）"));
    bookFile_.clear();
    bool added = false;
    try {
        added = AddBookListEntry(false);
    } catch (const std::exception& e) {
        // A click has no caller to pass the error to; the user learns of it instead.
        Prompt(QString::fromUtf8(e.what()), true);
        return;
    }
    if (!added)
        return;
    Prompt(QStringLiteral("已创建新的账簿列表项“") + BookName() + QStringLiteral("”。"), true);
    completed_ = true;
    emit AfterAddItem();
}

void CreatLedgerWiz::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        ui_.grid->verticalHeader()->setDefaultSectionSize(ui_.grid->fontMetrics().height() + 8);
}

// ---------------------------------------------------------------- the template location

catalogue::BookLocation CreatLedgerWiz::LocationOfRow(int row) const {
    return catalogue::BookLocation::FromListFields(ui_.bookModel->StoredPath(row).toStdString(),
                                                   ui_.bookModel->Text(row, BookListModel::BookFile).toStdString());
}

bool CreatLedgerWiz::SetTemplateFromRow(int row) {
    const QString bookFile = ui_.bookModel->Text(row, BookListModel::BookFile);
    if (const auto location = LocationOfRow(row); location.IsServerBook()) {
        fromFile_ = QString::fromStdString(location.SqlLocation());
        return true;
    }
    fromFile_ = newbook::TemplateFileOfRow(ui_.bookModel->Text(row, BookListModel::BookPath), bookFile, AppPath);
    // The same file that the creation will copy, wherever the program runs.
    return platform::FileExists(newbook::TemplateDiskPath(fromFile_.toStdString(), AppPath.toStdString()));
}

// ---------------------------------------------------------------- the new list entry

bool CreatLedgerWiz::AddBookListEntry(bool isSql) {
    newbook::NewBookRequest request = CreationRequest(isSql);
    request.noticeWindow = windowNumber_;
    CreationPage page(*this);
    return newbook::NewBookCreation(std::move(request), page, *ui_.archive).AddBookListEntry();
}

// ---------------------------------------------------------------- page 3

bool CreatLedgerWiz::ValidateNewBookField(std::size_t index) {
    QLineEdit* field = ui_.newBookFields[index];
    try {
        field->setText(QString::fromStdString(
            support::SharedAccountingObject().NormalizeText(field->text().toStdString())));
        if (index <= 1)
            return !field->text().isEmpty();
        if (index == 3 || index == 4) {
            bool numeric = false;
            const int value = field->text().toInt(&numeric);
            UpDownSpinner* spinner = index == 3 ? ui_.yearSpinner : ui_.monthSpinner;
            // Out of range or not a number: the spinner keeps its value, the text stays.
            if (numeric && value >= spinner->minimum() && value <= spinner->maximum())
                spinner->setValue(value);
        }
    } catch (const std::exception&) {
        // Validation errors are silent and let the focus go.
    }
    return true;
}

// ---------------------------------------------------------------- methods

void CreatLedgerWiz::Prompt(const QString& rMsg, bool rShowBox) {
    emit Notify(rMsg, rShowBox);
}

bool CreatLedgerWiz::AddNewFile(bool isSql) {
    CreationPage page(*this);
    return newbook::NewBookCreation(CreationRequest(isSql), page, *ui_.archive).AddNewFile();
}

bool CreatLedgerWiz::ZapTable(const QString& rTableName, const QString& rWhere, kx::ado::Connection* rCnn) {
    const newbook::ClearingEvents events{[this](short value) { emit Process(value); },
                                [this](const std::string& message, bool box) {
                                    Prompt(QString::fromStdString(message), box);
                                }};
    return newbook::ZapTable(rTableName.toStdString(), rWhere.toStdString(), rCnn, events);
}

void CreatLedgerWiz::ReadProperties(const platform::PropertyStore& store) {
    for (std::size_t i = 0; i < foreColors_.size(); ++i)
        foreColors_[i] =
            static_cast<Colour>(store.ReadInt(ForeColorKey(i), static_cast<std::int32_t>(foreColors_[i])));
    pathTemplates_ =
        QString::fromStdString(store.ReadString(kKeyPathTemplates, pathTemplates_.toStdString()));
    pathSamples_ = QString::fromStdString(store.ReadString(kKeyPathSamples, pathSamples_.toStdString()));
    changed_.clear();
}

void CreatLedgerWiz::WriteProperties(platform::PropertyStore& store) {
    for (std::size_t i = 0; i < foreColors_.size(); ++i)
        store.WriteInt(ForeColorKey(i), static_cast<std::int32_t>(foreColors_[i]));
    store.WriteString(kKeyPathTemplates, pathTemplates_.toStdString());
    store.WriteString(kKeyPathSamples, pathSamples_.toStdString());
    changed_.clear();
}

bool CreatLedgerWiz::RaiseCommand(const QString& name) {
    bool cancel = false;
    emit Command(name, cancel);
    return cancel;
}

void CreatLedgerWiz::MarkChanged(const std::string& key) {
    changed_.insert(key);
}

} // namespace kx::wizard
