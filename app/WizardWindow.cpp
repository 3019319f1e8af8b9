#include "WizardWindow.h"

#include "ApplicationFolder.h"
#include "catalogue/clsBooksList.h"
#include "platform/DiskPath.h"
#include "platform/PropertyStore.h"
#include "support/AccountingObject.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kx::app {

namespace {

constexpr const char* kSettingsName = "ledgerwiz.ini";
constexpr const char* kSettingsGroup = "CreatLedgerWiz";

} // namespace

WizardWindow::WizardWindow(const std::string& appFolder, platform::MessageBoxService& messages,
                           QWidget* parent)
    : QWidget(parent), appFolder_(appFolder), messages_(messages),
      acc_(std::make_shared<support::AccountingObject>()) {
    setWindowTitle(QStringLiteral("建账向导 - kxLedgerWiz"));
    auto* layout = new QVBoxLayout(this);

    // The control comes from the component library's entry points, as it does in
    // any host, so that they are exercised on every start.
    component_ = CreateControlThroughComponent(this);
    wizard_ = component_.control;
    wizard_->setObjectName(QStringLiteral("CreatLedgerWiz"));
    layout->addWidget(wizard_, 1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);

    auto* statusRow = new QHBoxLayout();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusLine"));
    status_->setTextFormat(Qt::PlainText);
    statusRow->addWidget(status_, 1);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setRange(0, 100);
    progress_->hide();
    statusRow->addWidget(progress_);
    layout->addLayout(statusRow);

    auto* buttonRow = new QHBoxLayout();
    buttonRow->addStretch(1);
    const std::array<const char*, 3> names{"CancelButton", "BackButton", "NextButton"};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] = new QPushButton(this);
        buttons_[i]->setObjectName(QString::fromLatin1(names[i]));
        buttons_[i]->setEnabled(false);
        buttons_[i]->setMinimumWidth(buttons_[i]->fontMetrics().horizontalAdvance(u'字') * 6);
    }
    buttonRow->addWidget(buttons_[1]);
    buttonRow->addWidget(buttons_[2]);
    buttonRow->addSpacing(12);
    buttonRow->addWidget(buttons_[0]);
    layout->addLayout(buttonRow);

    connect(buttons_[0], &QPushButton::clicked, this, &QWidget::close);
    connect(buttons_[1], &QPushButton::clicked, this,
            [this] { wizard_->SetStep(static_cast<short>(wizard_->Step() - 1)); });
    connect(buttons_[2], &QPushButton::clicked, this,
            [this] { wizard_->SetStep(static_cast<short>(wizard_->Step() + 1)); });

    connect(wizard_, &wizard::CreatLedgerWiz::BeforeStep, this, &WizardWindow::OnBeforeStep,
            Qt::DirectConnection);
    connect(wizard_, &wizard::CreatLedgerWiz::AfterStep, this, &WizardWindow::ReadButtons,
            Qt::DirectConnection);
    connect(wizard_, &wizard::CreatLedgerWiz::Command, this, &WizardWindow::OnCommand, Qt::DirectConnection);
    connect(wizard_, &wizard::CreatLedgerWiz::Notify, this, &WizardWindow::OnNotify, Qt::DirectConnection);
    connect(wizard_, &wizard::CreatLedgerWiz::Process, this, &WizardWindow::OnProcess, Qt::DirectConnection);
    connect(wizard_, &wizard::CreatLedgerWiz::AfterAddItem, this, &WizardWindow::ReadButtons,
            Qt::DirectConnection);

    acc_->SetNoticeReceiver([this](const std::string& notice) { OnNotice(notice); });
    wizard_->AppPath = QString::fromStdString(appFolder_);
    wizard_->Acc = acc_;
}

WizardWindow::~WizardWindow() {
    acc_->SetNoticeReceiver({});
}

std::string WizardWindow::BookListFile() const {
    return platform::JoinPath(appFolder_, kBookListName);
}

std::string WizardWindow::SettingsFile() const {
    return platform::JoinPath(appFolder_, kSettingsName);
}

bool WizardWindow::Start() {
    PrepareBookList(appFolder_);
    const platform::QSettingsPropertyStore settings(SettingsFile(), kSettingsGroup);
    wizard_->ReadProperties(settings);
    const bool loaded = wizard_->Load(QString::fromStdString(BookListFile()));
    wizard_->SetStep(0);
    return loaded;
}

void WizardWindow::closeEvent(QCloseEvent* event) {
    platform::QSettingsPropertyStore settings(SettingsFile(), kSettingsGroup);
    wizard_->WriteProperties(settings);
    settings.Sync();
    event->accept();
}

void WizardWindow::ReadButtons() {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto index = static_cast<short>(i);
        buttons_[i]->setText(wizard_->ButtonCaption(index));
        buttons_[i]->setEnabled(wizard_->ButtonEnabled(index));
    }
}

void WizardWindow::OnBeforeStep(short stepNo, bool& cancel) {
    const short from = wizard_->Step();
    if (from == 1 && stepNo == 2 && !wizard_->PasswordOK()) {
        ShowMessage(QStringLiteral("操作员名称或密码不正确，或该操作员无权查看模板账簿的凭证。"
                                   "请重新输入操作员名称和密码。"));
        cancel = true;
    } else if (from == 3 && stepNo == 4 &&
               (wizard_->BookName().trimmed().isEmpty() || wizard_->UserName().trimmed().isEmpty())) {
        ShowMessage(QStringLiteral("请输入新账簿的名称和单位名称。"));
        cancel = true;
    }
}

void WizardWindow::OnCommand(const QString& name, bool& /*cancel*/) {
    if (name == QStringLiteral("AfterBookSelected"))
        ReadButtons();
}

void WizardWindow::OnNotify(const QString& message, bool showBox) {
    if (showBox)
        ShowMessage(message);
    else
        status_->setText(message);
}

void WizardWindow::OnProcess(short indicator) {
    if (indicator < 0) {
        progress_->reset();
        progress_->hide();
        return;
    }
    progress_->show();
    progress_->setValue(std::min<int>(indicator, 100));
}

void WizardWindow::OnNotice(const std::string& notice) {
    // The book list changed under the control: show the new list once the
    // member that sent the notice has finished.
    if (notice.find("|All|BookList|") != std::string::npos)
        QTimer::singleShot(0, this, [this] { wizard_->Load(); });
}

void WizardWindow::ShowMessage(const QString& message) {
    messages_.Show(message.toStdString(), kTitle, platform::msgbox::kInformation + platform::msgbox::kOkOnly);
}

} // namespace kx::app
