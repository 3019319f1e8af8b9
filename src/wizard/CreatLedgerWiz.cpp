#include "wizard/CreatLedgerWiz.h"

#include "platform/DiskPath.h"
#include "platform/PendingEvents.h"
#include "platform/PropertyStore.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <stdexcept>

namespace kx::wizard {

namespace {

constexpr int kMinYear = 1900;
constexpr int kMaxYear = 3000;

struct BookListColumn {
    const char* key;
    int widthPixels; // the list's widths in twips at 15 twips per pixel
    bool visible;
};
constexpr std::array<BookListColumn, 6> kBookListColumns{{
    {"BookName", 2310 / 15, true},
    {"BookPath", 2025 / 15, false},
    {"BookFile", 1065 / 15, false},
    {"UserName", 900 / 15, false},
    {"CurrentPeriod", 900 / 15, false},
    {"Visible", 900 / 15, false},
}};

std::string ForeColorKey(std::size_t index) {
    return "ForeColorBookList" + std::to_string(index);
}

std::size_t CheckedIndex(short index, std::size_t count) {
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        throw std::out_of_range("下标越界：" + std::to_string(index));
    return static_cast<std::size_t>(index);
}

bool IsSeparator(QChar c) {
    return c == u'\\' || c == u'/';
}

// A path of the form "X:..." carries a drive letter.
bool HasDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == u':';
}

// "\\server..." or "//server..." names a network share.
bool IsSharePath(const QString& path) {
    return path.size() >= 2 && IsSeparator(path[0]) && path[1] == path[0];
}

bool BeginsWithSingle(const QString& path, QChar separator) {
    return path.startsWith(separator) && !IsSharePath(path);
}

// Runs of the same separator shrink to one ("a\\b" -> "a\b", "a//b" -> "a/b").
QString CollapseDoubledSeparators(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (IsSeparator(c) && !result.isEmpty() && result.back() == c)
            continue;
        result += c;
    }
    return result;
}

QString WithoutTrailingSeparators(QString path) {
    while (!path.isEmpty() && IsSeparator(path.back()))
        path.chop(1);
    return path;
}

QLabel* AddLabel(QWidget* parent, QLayout* layout, int group, int index) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label%1_%2").arg(group).arg(index));
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

QLineEdit* AddLineEdit(QWidget* parent, QLayout* layout, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    layout->addWidget(field);
    return field;
}

} // namespace

CreatLedgerWiz::CreatLedgerWiz(QWidget* parent) : QWidget(parent) {
    BuildSurface();
}

CreatLedgerWiz::~CreatLedgerWiz() = default;

void CreatLedgerWiz::BuildSurface() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("WizardPages"));
    layout->addWidget(pages_);

    BuildBookList();
    using PageBuilder = void (CreatLedgerWiz::*)(QFrame*, QVBoxLayout*);
    constexpr std::array<PageBuilder, 5> builders{
        &CreatLedgerWiz::BuildWelcomePage, &CreatLedgerWiz::BuildTemplatePage,
        &CreatLedgerWiz::BuildRetainPage, &CreatLedgerWiz::BuildNewBookPage,
        &CreatLedgerWiz::BuildResultPage};
    for (std::size_t i = 0; i < builders.size(); ++i) {
        auto* page = new QFrame(pages_);
        page->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        (this->*builders[i])(page, new QVBoxLayout(page));
        pages_->addWidget(page);
    }
    pages_->setCurrentIndex(step_);
}

void CreatLedgerWiz::BuildBookList() {
    // The drop-down panel floats over the pages under the template field.
    listPanel_ = new QWidget(this);
    listPanel_->setObjectName(QStringLiteral("C1EList"));
    auto* panelLayout = new QVBoxLayout(listPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    bookModel_ = new QStandardItemModel(0, static_cast<int>(kBookListColumns.size()), this);
    grid_ = new QTableView(listPanel_);
    grid_->setObjectName(QStringLiteral("fg"));
    grid_->setModel(bookModel_);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t i = 0; i < kBookListColumns.size(); ++i) {
        const int column = static_cast<int>(i);
        bookModel_->setHeaderData(column, Qt::Horizontal, QString::fromLatin1(kBookListColumns[i].key));
        grid_->setColumnWidth(column, kBookListColumns[i].widthPixels);
        grid_->setColumnHidden(column, !kBookListColumns[i].visible);
    }
    panelLayout->addWidget(grid_);
    listPanel_->hide();
}

void CreatLedgerWiz::BuildWelcomePage(QFrame* page, QVBoxLayout* layout) {
    for (const int i : {0, 1, 4})
        AddLabel(page, layout, 0, i);
    auto* button = new QPushButton(QStringLiteral("创建列表项"), page);
    button->setObjectName(QStringLiteral("PushButton1"));
    connect(button, &QPushButton::clicked, this, &CreatLedgerWiz::OnCreateListEntryClicked);
    layout->addWidget(button);
    AddLabel(page, layout, 0, 9);
}

void CreatLedgerWiz::BuildTemplatePage(QFrame* page, QVBoxLayout* layout) {
    AddLabel(page, layout, 1, 0);
    AddLabel(page, layout, 1, 4);
    AddLineEdit(page, layout, QStringLiteral("TDBText1_0"));
    AddLabel(page, layout, 1, 1);

    auto* operatorBox = new QFrame(page);
    operatorBox->setObjectName(QStringLiteral("Picture1"));
    auto* operatorLayout = new QHBoxLayout(operatorBox);
    AddLineEdit(operatorBox, operatorLayout, QStringLiteral("TDBText1_1"));
    AddLabel(operatorBox, operatorLayout, 1, 5);
    AddLineEdit(operatorBox, operatorLayout, QStringLiteral("TDBText1_2"))->setEchoMode(QLineEdit::Password);
    layout->addWidget(operatorBox);

    auto* sqlCheck = new QCheckBox(QStringLiteral("SQL"), page);
    sqlCheck->setObjectName(QStringLiteral("chkSql"));
    layout->addWidget(sqlCheck);
    auto* sqlBox = new QFrame(page);
    sqlBox->setObjectName(QStringLiteral("picSql"));
    auto* sqlLayout = new QHBoxLayout(sqlBox);
    for (int i = 0; i < 3; ++i)
        AddLineEdit(sqlBox, sqlLayout, QStringLiteral("TDBSQL_%1").arg(i));
    layout->addWidget(sqlBox);
    AddLabel(page, layout, 1, 9);
}

void CreatLedgerWiz::BuildRetainPage(QFrame* page, QVBoxLayout* layout) {
    AddLabel(page, layout, 2, 0);
    auto* details = new QFrame(page);
    details->setObjectName(QStringLiteral("picDetails"));
    auto* detailsLayout = new QVBoxLayout(details);
    for (int i = 0; i < 9; ++i) {
        auto* box = new QCheckBox(details);
        box->setObjectName(QStringLiteral("chkRetain_%1").arg(i));
        detailsLayout->addWidget(box);
    }
    layout->addWidget(details);
    AddLabel(page, layout, 2, 9);
}

void CreatLedgerWiz::BuildNewBookPage(QFrame* page, QVBoxLayout* layout) {
    AddLabel(page, layout, 3, 0);
    for (int i = 0; i < 3; ++i) {
        AddLabel(page, layout, 3, i + 1);
        newBookFields_[static_cast<std::size_t>(i)] =
            AddLineEdit(page, layout, QStringLiteral("TDBText3_%1").arg(i));
    }
    AddLabel(page, layout, 3, 4);
    auto* dateRow = new QHBoxLayout();
    layout->addLayout(dateRow);
    newBookFields_[3] = AddLineEdit(page, dateRow, QStringLiteral("TDBText3_3"));
    yearSpinner_ = new QSpinBox(page);
    yearSpinner_->setObjectName(QStringLiteral("UpDown_0"));
    yearSpinner_->setRange(kMinYear, kMaxYear);
    yearSpinner_->setValue(kMinYear);
    dateRow->addWidget(yearSpinner_);
    newBookFields_[4] = AddLineEdit(page, dateRow, QStringLiteral("TDBText3_4"));
    monthSpinner_ = new QSpinBox(page);
    monthSpinner_->setObjectName(QStringLiteral("UpDown_1"));
    monthSpinner_->setRange(1, 12);
    monthSpinner_->setValue(1);
    dateRow->addWidget(monthSpinner_);
    AddLabel(page, layout, 3, 9);

    connect(yearSpinner_, &QSpinBox::valueChanged, this,
            [this](int year) { newBookFields_[3]->setText(QString::number(year)); });
    connect(monthSpinner_, &QSpinBox::valueChanged, this,
            [this](int month) { newBookFields_[4]->setText(QString::number(month)); });
}

void CreatLedgerWiz::BuildResultPage(QFrame* page, QVBoxLayout* layout) {
    for (const int i : {0, 1, 2, 3, 4, 9})
        AddLabel(page, layout, 4, i);
}

void CreatLedgerWiz::SetBookID(int value) {
    bookId_ = value;
    if (bookModel_->rowCount() == 0) {
        Load(iniFile_);
        platform::LetPendingEventsRun();
    }
    // 64-bit sum: a huge book number must not wrap into a valid row.
    const long long row = static_cast<long long>(bookId_) + templateRowCount_;
    if (bookId_ >= 0 && row < bookModel_->rowCount())
        SelectListRow(static_cast<int>(row));
}

QString CreatLedgerWiz::BookName() const {
    return newBookFields_[0]->text();
}
void CreatLedgerWiz::SetBookName(const QString& value) {
    newBookFields_[0]->setText(value);
}
QString CreatLedgerWiz::UserName() const {
    return newBookFields_[1]->text();
}
void CreatLedgerWiz::SetUserName(const QString& value) {
    newBookFields_[1]->setText(value);
}
QString CreatLedgerWiz::Director() const {
    return newBookFields_[2]->text();
}
void CreatLedgerWiz::SetDirector(const QString& value) {
    newBookFields_[2]->setText(value);
}

QString CreatLedgerWiz::BookNo() const {
    return bookNo_.isEmpty() ? QStringLiteral("1") : bookNo_;
}

QDate CreatLedgerWiz::BeginDate() const {
    bool yearOk = false;
    bool monthOk = false;
    const int year = newBookFields_[3]->text().trimmed().toInt(&yearOk);
    const int month = newBookFields_[4]->text().trimmed().toInt(&monthOk);
    if (!yearOk || !monthOk)
        return {};
    const QDate date(year, month, 1);
    return date.isValid() ? date : QDate();
}

void CreatLedgerWiz::SetBeginDate(const QDate& value) {
    const int year = value.isValid() ? value.year() : 0;
    if (year < kMinYear || year > kMaxYear)
        throw std::out_of_range("建账年份必须在 1900 至 3000 之间：" + std::to_string(year));
    yearSpinner_->setValue(year);
    monthSpinner_->setValue(value.month());
    // The spinners only report changes; an unchanged value must still reach its field.
    newBookFields_[3]->setText(QString::number(yearSpinner_->value()));
    newBookFields_[4]->setText(QString::number(monthSpinner_->value()));
}

QString CreatLedgerWiz::PathTemplates() {
    if (AppPath.isEmpty())
        return pathTemplates_;
    if (pathTemplates_.isEmpty())
        pathTemplates_ = AppPath + QStringLiteral("/data");
    else if (BeginsWithSingle(pathTemplates_, u'\\'))
        pathTemplates_ = AppPath + pathTemplates_;
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
        pages_->setCurrentIndex(value);
        update();
        platform::LetPendingEventsRun();
    } catch (const std::exception&) {
        // A failed page change ends quietly, without AfterStep.
        return;
    }
    emit AfterStep(value);
}

void CreatLedgerWiz::SetCompleted(bool value) {
    completed_ = value;
    if (!value)
        return;
    if (!Acc)
        throw support::SupportError(support::supporterr::ObjectNotSet,
                                    "未设置账务支持对象（Acc），无法通知主程序。");
    const QString notice = QString::number(winId()) + QStringLiteral("|All|Branch|0||");
    Acc->SendNotice(notice.toStdString());
}

QString CreatLedgerWiz::ButtonCaption(short index) const {
    return buttonCaptions_[CheckedIndex(index, buttonCaptions_.size())];
}

bool CreatLedgerWiz::ButtonEnabled(short index) const {
    return buttonEnabled_[CheckedIndex(index, buttonEnabled_.size())];
}

bool CreatLedgerWiz::PasswordOK() const {
    try {
        if (fromFile_.contains(u'@'))
            return CheckSqlOperator();
        if (fromFile_.right(3).toUpper() == QStringLiteral("WAK"))
            return true;
        return CheckAccessOperator();
    } catch (const std::exception&) {
        return false;
    }
}

// Both checks need the data access layer; without it no operator can be confirmed.
bool CreatLedgerWiz::CheckSqlOperator() const {
    return false;
}
bool CreatLedgerWiz::CheckAccessOperator() const {
    return false;
}

void CreatLedgerWiz::SetIniFile(const QString& value) {
    if (HasDriveLetter(value) || BeginsWithSingle(value, u'/')) {
        iniFile_ = value;
        return;
    }
    const QString replaced = QString(value).replace(QStringLiteral(".."), AppPath);
    const bool hasDrivePart = HasDriveLetter(replaced) || IsSharePath(replaced);
    if (!hasDrivePart && BeginsWithSingle(replaced, u'\\') && !AppPath.isEmpty() &&
        BeginsWithSingle(value, u'\\')) {
        iniFile_ = WithoutTrailingSeparators(AppPath) + u'/' + CollapseDoubledSeparators(value.mid(1));
        return;
    }
    iniFile_ = replaced;
}

bool CreatLedgerWiz::Load(const QString& rFileName) {
    if (RaiseCommand(QStringLiteral("BeforeLoadList")))
        return false;
    if (!rFileName.isEmpty())
        SetIniFile(rFileName);
    // Both checks always run, so the host may get both messages from one call.
    if (AppPath.isEmpty())
        Prompt(QStringLiteral("未指定程序当前路径，无法正常读入账簿列表。"), true);
    if (iniFile_.isEmpty() || !platform::FileExists(iniFile_.toStdString(), AppPath.toStdString()))
        Prompt(QStringLiteral("未找到账簿目录文件，无法读入记账列表。"), true);
    // The grid cannot read the list yet, so a list file that passed the checks is
    // not loaded either.
    return false;
}

void CreatLedgerWiz::Prompt(const QString& rMsg, bool rShowBox) {
    emit Notify(rMsg, rShowBox);
}

// The book database routines are not available yet, so no database is made.
bool CreatLedgerWiz::AddNewFile(bool /*isSql*/) {
    return false;
}

// The book database routines are not available yet, so no table is cleared.
bool CreatLedgerWiz::ZapTable(const QString& /*rTableName*/, const QString& /*rWhere*/,
                              std::shared_ptr<kx::ado::Connection> /*rCnn*/) {
    return false;
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

// For now the selection makes the row current and tells the host; the template
// itself is not taken over from the row yet.
void CreatLedgerWiz::SelectListRow(int row) {
    grid_->setCurrentIndex(bookModel_->index(row, 0));
    RaiseCommand(QStringLiteral("AfterBookSelected"));
}

bool CreatLedgerWiz::RaiseCommand(const QString& name) {
    bool cancel = false;
    emit Command(name, cancel);
    return cancel;
}

void CreatLedgerWiz::MarkChanged(const std::string& key) {
    changed_.insert(key);
}

void CreatLedgerWiz::OnCreateListEntryClicked() {
    Prompt(QStringLiteral("暂不能创建账簿列表项：账簿列表尚不可写入。"), true);
}

} // namespace kx::wizard
