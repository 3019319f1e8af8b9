#include "HostWindow.h"

#include "BookListFile.h"
#include "LedgerWizControl.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

HostWindow::HostWindow(const QString& appFolder, const QString& listFile)
    : appFolder_(appFolder), listFile_(listFile) {
    setWindowTitle(QStringLiteral("建账向导 — 宿主程序示例"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    control_ = CreateLedgerWizControl(central);
    layout->addWidget(control_, 1);

    books_ = new QTableWidget(0, 3, central);
    books_->setHorizontalHeaderLabels({QStringLiteral("账簿名称"), QStringLiteral("单位名称"), QStringLiteral("位置")});
    books_->horizontalHeader()->setStretchLastSection(true);
    books_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    books_->hide();
    layout->addWidget(books_);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] = new QPushButton(central);
        buttons_[i]->setEnabled(false);
    }
    buttonRow->addWidget(buttons_[1]);
    buttonRow->addWidget(buttons_[2]);
    buttonRow->addSpacing(12);
    buttonRow->addWidget(buttons_[0]);
    layout->addLayout(buttonRow);
    setCentralWidget(central);
    statusBar()->showMessage(QStringLiteral("就绪"));

    connect(buttons_[0], &QPushButton::clicked, this, &QWidget::close);
    connect(buttons_[1], &QPushButton::clicked, this, [this] { GoTo(Step() - 1); });
    connect(buttons_[2], &QPushButton::clicked, this, [this] { GoTo(Step() + 1); });

    // The control's events, connected by their names. Direct connections: the
    // control reads the Cancel arguments back once the handlers return.
    connect(control_, SIGNAL(BeforeStep(short, bool&)), this, SLOT(OnBeforeStep(short, bool&)),
            Qt::DirectConnection);
    connect(control_, SIGNAL(AfterStep(short)), this, SLOT(OnAfterStep(short)), Qt::DirectConnection);
    connect(control_, SIGNAL(Command(QString, bool&)), this, SLOT(OnCommand(QString, bool&)),
            Qt::DirectConnection);
    connect(control_, SIGNAL(Notify(QString, bool)), this, SLOT(OnNotify(QString, bool)), Qt::DirectConnection);
    connect(control_, SIGNAL(Process(short)), this, SLOT(OnProcess(short)), Qt::DirectConnection);
    connect(control_, SIGNAL(AfterAddItem()), this, SLOT(ReadButtons()), Qt::DirectConnection);

    control_->setProperty("AppPath", appFolder_);
    control_->setProperty("IniFile", listFile_);
}

bool HostWindow::Start() {
    bool loaded = false;
    if (!QMetaObject::invokeMethod(control_, "Load", Qt::DirectConnection, Q_RETURN_ARG(bool, loaded)) || !loaded) {
        ShowNotice(QStringLiteral("账簿列表没有载入：") + listFile_);
        return false;
    }
    GoTo(0);
    return true;
}

bool HostWindow::GoTo(int step) {
    control_->setProperty("Step", step);
    ReadButtons();
    if (Completed())
        ShowBookList();
    return Step() == step;
}

int HostWindow::Step() const {
    return control_->property("Step").toInt();
}

bool HostWindow::Completed() const {
    return control_->property("Completed").toBool();
}

void HostWindow::OnBeforeStep(short stepNo, bool& cancel) {
    // The host's own checks before the control leaves a page forward.
    const int from = Step();
    if (from == 1 && stepNo == 2 && !control_->property("PasswordOK").toBool()) {
        ShowNotice(QStringLiteral("操作员名称或密码不正确，或该操作员无权查看模板账簿的凭证。"));
        cancel = true;
    } else if (from == 3 && stepNo == 4 &&
               (control_->property("BookName").toString().trimmed().isEmpty() ||
                control_->property("UserName").toString().trimmed().isEmpty())) {
        ShowNotice(QStringLiteral("请输入新账簿的名称和单位名称。"));
        cancel = true;
    }
}

void HostWindow::OnAfterStep(short stepNo) {
    ShowNotice(QStringLiteral("第 %1 页").arg(stepNo));
    ReadButtons();
}

void HostWindow::OnCommand(const QString& name, bool& /*cancel*/) {
    if (name == QLatin1String("AfterBookSelected"))
        ReadButtons();
}

void HostWindow::OnNotify(const QString& message, bool /*showBox*/) {
    ShowNotice(message);
}

void HostWindow::OnProcess(short indicator) {
    if (indicator >= 0)
        statusBar()->showMessage(QStringLiteral("%1 — %2%").arg(lastNotice_).arg(indicator));
}

void HostWindow::ReadButtons() {
    // The control names the captions and states of its host's buttons (0 cancel,
    // 1 back, 2 next), by index.
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto index = static_cast<short>(i);
        QString caption;
        bool enabled = false;
        QMetaObject::invokeMethod(control_, "ButtonCaption", Qt::DirectConnection, Q_RETURN_ARG(QString, caption),
                                  Q_ARG(short, index));
        QMetaObject::invokeMethod(control_, "ButtonEnabled", Qt::DirectConnection, Q_RETURN_ARG(bool, enabled),
                                  Q_ARG(short, index));
        buttons_[i]->setText(caption);
        buttons_[i]->setEnabled(enabled);
    }
}

void HostWindow::ShowNotice(const QString& text) {
    lastNotice_ = text;
    statusBar()->showMessage(text);
}

void HostWindow::ShowBookList() {
    if (completedShown_)
        return;
    completedShown_ = true;
    const QList<BookListRow> rows = ReadBookList(control_->property("IniFile").toString());
    books_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        books_->setItem(row, 0, new QTableWidgetItem(rows[row].name));
        books_->setItem(row, 1, new QTableWidgetItem(rows[row].company));
        books_->setItem(row, 2, new QTableWidgetItem(rows[row].location));
    }
    books_->resizeColumnsToContents();
    books_->show();
    ShowNotice(QStringLiteral("新账簿已建立；账簿列表共 %1 本账簿。").arg(rows.size()));
    emit BookCompleted();
}
