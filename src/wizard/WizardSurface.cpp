#include "wizard/WizardSurface.h"

#include "newbook/CreationObserver.h"
#include "wizard/BookListDropDown.h"
#include "wizard/FSComprFile.h"
#include "wizard/LabelWithFields.h"
#include "wizard/UpDownSpinner.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace kx::wizard {

namespace {

constexpr int kMinYear = 1900;
constexpr int kMaxYear = 3000;

struct RetainChoice {
    const char* caption;
    const char* hint;
};

constexpr std::array<RetainChoice, 9> kRetainChoices{{
    {"单位资料", "保留模版账簿中的部门、单位资料"},
    {"会计科目", "保留模版账簿中的会计科目设置"},
    {"部门资料", "保留模版账簿中的部门、单位资料"},
    {"辅助标识", "保留模版账簿中的辅助核算设置"},
    {"常用摘要", "保留模版账簿中的常用摘要设置"},
    {"会计报表", "保留模版账簿中的会计报表"},
    {"凭证模版", "保留模版账簿中的转账模版设置"},
    {"人员工资", "工资数据及人员资料"},
    {"固定资产", "保留模版账簿中的固定资产资料设置"},
}};

const QString kNextHint = QStringLiteral("单击“下一步”继续。");

QLabel* NewLabel(QWidget* parent, int page, int index, const QString& text, bool wrap = true) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label%1_%2").arg(page).arg(index));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wrap);
    return label;
}

QLabel* NewTitle(QWidget* parent, int page, int index, const QString& text) {
    QLabel* label = NewLabel(parent, page, index, text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLineEdit* NewField(QWidget* parent, const QString& name, const QString& placeholder = QString()) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    if (!placeholder.isEmpty()) {
        field->setPlaceholderText(placeholder);
        field->setToolTip(placeholder);
    }
    return field;
}

QVBoxLayout* PageLayout(QFrame* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    return layout;
}

void BuildWelcomePage(WizardSurface& ui, QFrame* page) {
    QVBoxLayout* layout = PageLayout(page);
    layout->addWidget(NewTitle(page, 0, 0, QStringLiteral("欢迎使用“建账向导”")));
    layout->addWidget(
        NewLabel(page, 0, 1,
                 QStringLiteral("　　通过该向导，你可以简单快速的创建你自己的账簿。\n"
                                "　　首先你需要选择一个账簿作为模版；样本账簿或你自己的其它账簿，"
                                "都可以作为你创建新账簿的模板；\n"
                                "　　然后你可以选择保留样本账簿的哪些资料：会计科目、会计报表、"
                                "常用摘要、辅助标识、部门资料、单位资料、存货资料等；\n"
                                "　　输入新账簿的名称和单位名称后，就可以创建你自己的账簿了。")));
    layout->addStretch(1);
    auto* entryRow = new QHBoxLayout();
    entryRow->addWidget(
        NewLabel(page, 0, 4,
                 QStringLiteral("如果你只是想创建一个账簿列表项，并自己指定数据库文件，请点击：")),
        1);
    ui.listEntryButton = new QPushButton(QStringLiteral("创建列表项"), page);
    ui.listEntryButton->setObjectName(QStringLiteral("PushButton1"));
    entryRow->addWidget(ui.listEntryButton, 0, Qt::AlignVCenter);
    layout->addLayout(entryRow);
    layout->addWidget(NewLabel(page, 0, 9, QStringLiteral("单击“下一步”，继续创建新账簿向导。")));
}

void BuildBookList(WizardSurface& ui, QFrame* page) {
    ui.listPanel = new BookListDropDown(ui.templateField, page, ui.owner);
    ui.grid = ui.listPanel->Grid();
    ui.bookModel = ui.listPanel->Model();
}

void BuildTemplatePage(WizardSurface& ui, QFrame* page) {
    QVBoxLayout* layout = PageLayout(page);
    layout->addWidget(
        NewLabel(page, 1, 0,
                 QStringLiteral("请选择一个账簿作为模板，来创建你的新账簿。\n"
                                "系统将根据模板账簿中的基本资料（会计科目、报表等），来配置你的新账簿。")));

    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    QLabel* templateLabel = NewLabel(page, 1, 4, QStringLiteral("模板账簿(&S)："), false);
    grid->addWidget(templateLabel, 0, 0);
    auto* fieldRow = new QHBoxLayout();
    fieldRow->setSpacing(0);
    ui.templateField = NewField(page, QStringLiteral("TDBText1_0"));
    ui.templateField->setReadOnly(true);
    templateLabel->setBuddy(ui.templateField);
    fieldRow->addWidget(ui.templateField, 1);
    ui.dropDownButton = new QToolButton(page);
    ui.dropDownButton->setObjectName(QStringLiteral("TDBText1_0_DropDown"));
    ui.dropDownButton->setArrowType(Qt::DownArrow);
    ui.dropDownButton->setFocusPolicy(Qt::NoFocus);
    ui.dropDownButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    ui.dropDownButton->setToolTip(QStringLiteral("打开账簿名称列表"));
    fieldRow->addWidget(ui.dropDownButton);
    grid->addLayout(fieldRow, 0, 1);
    grid->addWidget(
        NewLabel(page, 1, 1,
                 QStringLiteral("单击下拉按钮，打开账簿名称列表；然后在列表选择一个账簿作为模板。")),
        1, 1);

    ui.operatorBox = new QFrame(page);
    ui.operatorBox->setObjectName(QStringLiteral("Picture1"));
    auto* operatorRow = new QHBoxLayout(ui.operatorBox);
    operatorRow->setContentsMargins(0, 0, 0, 0);
    ui.operatorName = NewField(ui.operatorBox, QStringLiteral("TDBText1_1"), QStringLiteral("操作员"));
    operatorRow->addWidget(ui.operatorName, 1);
    QLabel* passwordLabel = NewLabel(ui.operatorBox, 1, 5, QStringLiteral("密码："), false);
    operatorRow->addWidget(passwordLabel);
    ui.operatorPassword = NewField(ui.operatorBox, QStringLiteral("TDBText1_2"));
    ui.operatorPassword->setEchoMode(QLineEdit::Password);
    passwordLabel->setBuddy(ui.operatorPassword);
    operatorRow->addWidget(ui.operatorPassword, 1);
    grid->addWidget(ui.operatorBox, 2, 1);

    ui.sqlCheck = new QCheckBox(QStringLiteral("SQL"), page);
    ui.sqlCheck->setObjectName(QStringLiteral("chkSql"));
    grid->addWidget(ui.sqlCheck, 3, 0, Qt::AlignTop);
    ui.sqlBox = new QFrame(page);
    ui.sqlBox->setObjectName(QStringLiteral("picSql"));
    auto* sqlRow = new QHBoxLayout(ui.sqlBox);
    sqlRow->setContentsMargins(0, 0, 0, 0);
    const std::array<QString, 3> sqlHints{QStringLiteral("服务器"), QStringLiteral("用户名"),
                                          QStringLiteral("密码")};
    for (std::size_t i = 0; i < ui.sqlFields.size(); ++i) {
        ui.sqlFields[i] = NewField(ui.sqlBox, QStringLiteral("TDBSQL_%1").arg(i), sqlHints[i]);
        sqlRow->addWidget(ui.sqlFields[i], 1);
    }
    ui.sqlFields[2]->setEchoMode(QLineEdit::Password);
    ui.sqlBox->hide();
    grid->addWidget(ui.sqlBox, 3, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    QLabel* next = NewLabel(page, 1, 9, kNextHint);
    next->hide();
    layout->addWidget(next);

    BuildBookList(ui, page);
}

void BuildRetainPage(WizardSurface& ui, QFrame* page) {
    QVBoxLayout* layout = PageLayout(page);
    layout->addWidget(NewLabel(page, 2, 0, QStringLiteral("选择要保留模版账簿中的哪些资料：")));
    ui.details = new QFrame(page);
    ui.details->setObjectName(QStringLiteral("picDetails"));
    auto* boxes = new QGridLayout(ui.details);
    boxes->setContentsMargins(16, 4, 0, 4);
    boxes->setHorizontalSpacing(24);
    for (std::size_t i = 0; i < kRetainChoices.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(kRetainChoices[i].caption), ui.details);
        box->setObjectName(QStringLiteral("chkRetain_%1").arg(i));
        box->setToolTip(QString::fromUtf8(kRetainChoices[i].hint));
        box->setChecked(true);
        boxes->addWidget(box, static_cast<int>(i / 3), static_cast<int>(i % 3));
        ui.retainBoxes[i] = box;
    }
    ui.retainBoxes[8]->setEnabled(false);
    layout->addWidget(ui.details);
    layout->addStretch(1);
    layout->addWidget(NewLabel(page, 2, 9, kNextHint));
}

void BuildNewBookPage(WizardSurface& ui, QFrame* page) {
    QVBoxLayout* layout = PageLayout(page);
    layout->addWidget(NewLabel(page, 3, 0, QStringLiteral("请输入新账簿资料：")));
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    const std::array<QString, 3> captions{QStringLiteral("账簿名称："), QStringLiteral("单位名称："),
                                          QStringLiteral("财务主管：")};
    for (int i = 0; i < 3; ++i) {
        QLabel* label = NewLabel(page, 3, i + 1, captions[static_cast<std::size_t>(i)], false);
        QLineEdit* field = NewField(page, QStringLiteral("TDBText3_%1").arg(i));
        label->setBuddy(field);
        grid->addWidget(label, i, 0);
        grid->addWidget(field, i, 1);
        ui.newBookFields[static_cast<std::size_t>(i)] = field;
    }
    ui.newBookFields[3] = NewField(page, QStringLiteral("TDBText3_3"));
    ui.newBookFields[4] = NewField(page, QStringLiteral("TDBText3_4"));
    ui.yearSpinner = new UpDownSpinner(kMinYear, kMaxYear, page);
    ui.yearSpinner->setObjectName(QStringLiteral("UpDown_0"));
    ui.monthSpinner = new UpDownSpinner(1, 12, page);
    ui.monthSpinner->setObjectName(QStringLiteral("UpDown_1"));
    auto* dateRow =
        new LabelWithFields(QStringLiteral("建账日期：         年       月"),
                            {{{ui.newBookFields[3], QStringLiteral("0000")}, {ui.yearSpinner, QString()}},
                             {{ui.newBookFields[4], QStringLiteral("00")}, {ui.monthSpinner, QString()}}},
                            page);
    dateRow->setObjectName(QStringLiteral("Label3_4"));
    grid->addWidget(dateRow, 3, 0, 1, 2);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(NewLabel(page, 3, 9, kNextHint));
    // Tab goes through the fields in their order; the spinners take no focus.
    for (std::size_t i = 0; i + 1 < ui.newBookFields.size(); ++i)
        QWidget::setTabOrder(ui.newBookFields[i], ui.newBookFields[i + 1]);
}

void BuildResultPage(QFrame* page) {
    QVBoxLayout* layout = PageLayout(page);
    layout->addWidget(NewTitle(page, 4, 0, QStringLiteral("已创建新账簿：")));
    // The captions the creation's result starts from.
    const std::vector<std::string> captions = newbook::CreationUnderWay().lines;
    for (std::size_t i = 0; i < captions.size(); ++i)
        layout->addWidget(NewLabel(page, 4, static_cast<int>(i) + 1, QString::fromStdString(captions[i]), i < 3));
    layout->addStretch(1);
    layout->addWidget(
        NewLabel(page, 4, 9, QStringLiteral("新账簿已键入到账簿列表中，单击“完成”，结束向导。")));
}

} // namespace

QLabel* WizardSurface::Label(int page, int index) const {
    return owner->findChild<QLabel*>(QStringLiteral("Label%1_%2").arg(page).arg(index));
}

WizardSurface BuildWizardSurface(QWidget* owner) {
    WizardSurface ui;
    ui.owner = owner;
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    ui.pages = new QStackedWidget(owner);
    ui.pages->setObjectName(QStringLiteral("WizardPages"));
    layout->addWidget(ui.pages);
    for (std::size_t i = 0; i < ui.frames.size(); ++i) {
        ui.frames[i] = new QFrame(ui.pages);
        ui.frames[i]->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        ui.pages->addWidget(ui.frames[i]);
    }
    BuildWelcomePage(ui, ui.frames[0]);
    BuildTemplatePage(ui, ui.frames[1]);
    BuildRetainPage(ui, ui.frames[2]);
    BuildNewBookPage(ui, ui.frames[3]);
    BuildResultPage(ui.frames[4]);
    ui.archive = new FSComprFile(owner);
    ui.pages->setCurrentIndex(0);
    return ui;
}

} // namespace kx::wizard
