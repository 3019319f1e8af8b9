#include "WizardWindow.h"

#include "e2e/AppFolder.h"
#include "wizard/WizardTestFixture.h"

#include <QImage>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionFrame>

namespace kx::app {
namespace {

namespace fs = std::filesystem;

std::string Describe(const QWidget* w) { return w->objectName().toStdString() + "/" + w->metaObject()->className(); }

bool IsInside(const QWidget* w, const char* className) {
    for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
        if (p->inherits(className))
            return true;
    return false;
}

/// The width a line edit has for its text: inside its frame, its text margins and its own 2 pixels a side.
int TextRoom(QLineEdit* edit) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.width() - edit->textMargins().left() - edit->textMargins().right() - 4;
}

/// Every widget a person reads or uses (labels, fields, buttons, boxes) lies inside the page at no
/// less than the size it needs, and none covers another (the fields set over a label's gaps are
/// checked against the label's glyphs instead).
void ExpectNothingCutOrOverlapping(QWidget* page) {
    std::vector<std::pair<QWidget*, QRect>> widgets;
    for (QWidget* w : page->findChildren<QWidget*>())
        if (w->isVisibleTo(page) && (w->inherits("QLabel") || w->inherits("QAbstractButton") || w->inherits("QSpinBox") ||
                                     (w->inherits("QLineEdit") && !IsInside(w, "QAbstractSpinBox"))))
            widgets.emplace_back(w, QRect(w->mapTo(page, QPoint(0, 0)), w->size()));
    ASSERT_FALSE(widgets.empty());
    for (const auto& [w, r] : widgets) {
        EXPECT_TRUE(page->rect().contains(r)) << Describe(w) << " leaves the page";
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << Describe(w) << " too low";
        auto* label = qobject_cast<QLabel*>(w);
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (label != nullptr && label->wordWrap()) {
            EXPECT_GE(w->height(), label->heightForWidth(w->width())) << Describe(w) << " cut";
        } else if (edit != nullptr && !edit->text().isEmpty()) {
            EXPECT_GE(TextRoom(edit), edit->fontMetrics().horizontalAdvance(edit->displayText())) << Describe(w);
        } else {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << Describe(w) << " too narrow";
        }
    }
    for (std::size_t i = 0; i < widgets.size(); ++i)
        for (std::size_t j = i + 1; j < widgets.size(); ++j) {
            const auto& [a, ra] = widgets[i];
            const auto& [b, rb] = widgets[j];
            const bool nested = a->isAncestorOf(b) || b->isAncestorOf(a) ||
                                IsInside(a, "kx::wizard::LabelWithFields") || IsInside(b, "kx::wizard::LabelWithFields");
            EXPECT_TRUE(nested || !ra.intersects(rb)) << Describe(a) << " overlaps " << Describe(b);
        }
}

/// The year and month fields with their spinners sit in the date label's runs of spaces: none
/// covers a character the label draws itself, and the characters before, between and after them are drawn.
void ExpectDateFieldsInTheGaps(QWidget* page) {
    auto* label = page->findChild<QLabel*>(QStringLiteral("Label3_4"));
    ASSERT_NE(label, nullptr);
    QImage ownPaint(label->size(), QImage::Format_ARGB32_Premultiplied);
    ownPaint.fill(Qt::transparent);
    label->render(&ownPaint, QPoint(), QRegion(), QWidget::RenderFlags());
    const auto drawsIn = [&ownPaint](int left, int right) {
        for (int x = std::max(left, 0); x < std::min(right, ownPaint.width()); ++x)
            for (int y = 0; y < ownPaint.height(); ++y)
                if (qAlpha(ownPaint.pixel(x, y)) != 0)
                    return true;
        return false;
    };
    const auto rect = [label](const char* name) { return label->findChild<QWidget*>(QString::fromLatin1(name))->geometry(); };
    for (const char* name : {"TDBText3_3", "UpDown_0", "TDBText3_4", "UpDown_1"})
        EXPECT_FALSE(drawsIn(rect(name).left(), rect(name).right() + 1)) << name << " covers text";
    EXPECT_TRUE(drawsIn(0, rect("TDBText3_3").left()));                              // 建账日期：
    EXPECT_TRUE(drawsIn(rect("UpDown_0").right() + 1, rect("TDBText3_4").left())); // 年
    EXPECT_TRUE(drawsIn(rect("UpDown_1").right() + 1, label->width()));            // 月
    EXPECT_FALSE(rect("TDBText3_3").intersects(rect("UpDown_0")));
    EXPECT_FALSE(rect("TDBText3_4").intersects(rect("UpDown_1")));
}

class WizardWindowTest : public testing::Test {
  protected:
    /// Makes, shows and starts the window, its font `scale` times the usual.
    void Open(int scale = 1) {
        messages.shown.clear();
        window = std::make_unique<WizardWindow>(app.path().string(), messages);
        QFont font = window->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        window->setFont(font);
        window->resize(window->sizeHint().expandedTo(QSize(680, 500) * scale));
        wizard::test::ShowActive(*window);
        ASSERT_TRUE(window->Start());
    }
    wizard::CreatLedgerWiz& Wiz() { return window->Wizard(); }
    QLineEdit* Field(const char* name) { return Wiz().findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QAbstractItemModel* Model() { return Wiz().findChild<QTableView*>(QStringLiteral("fg"))->model(); }
    /// Clicks Next, or Back, and says on which page the wizard is then.
    int Click(QPushButton* button) {
        EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        return Wiz().Step();
    }
    void Operator(const char* name, const char* password) {
        Field("TDBText1_1")->setText(QString::fromUtf8(name));
        Field("TDBText1_2")->setText(QString::fromUtf8(password));
    }
    /// Checks the page shown and writes it to a picture for a person to look at.
    void Grab(const std::string& name, int scale) {
        window->layout()->activate();
        QCoreApplication::processEvents();
        SCOPED_TRACE(name);
        ExpectNothingCutOrOverlapping(window->findChild<QStackedWidget*>(QStringLiteral("WizardPages"))->currentWidget());
        const std::string file = std::string(KX_SCREENSHOT_DIR) + "/" + name + "-font" + std::to_string(scale) + "x.png";
        EXPECT_TRUE(window->grab().save(QString::fromStdString(file))) << file;
    }

    e2e::AppFolder app; // without a book list: Start makes it
    platform::RecordingMessageBox messages;
    std::unique_ptr<WizardWindow> window;
};

// Walks every page at 100% and 200% of the font, each page checked for its layout.
TEST_F(WizardWindowTest, HostWalksThePagesCheckingTheOperatorAndTheNewBookNameAtBothFontScales) {
    fs::create_directories(KX_SCREENSHOT_DIR);
    for (const int scale : {1, 2}) {
        SCOPED_TRACE("font x" + std::to_string(scale));
        fs::remove(app.path() / "books.txt");
        Open(scale);
        EXPECT_TRUE(fs::exists(app.path() / "books.txt")); // Start made the list
        EXPECT_EQ(Model()->rowCount(), 1);
        EXPECT_EQ(window->CancelButton()->text() + window->BackButton()->text() + window->NextButton()->text(),
                  "取消(&A)上一步(&B)下一步(&F)");
        EXPECT_TRUE(window->CancelButton()->isEnabled());
        EXPECT_FALSE(window->BackButton()->isEnabled());
        Grab("page0", scale);
        ASSERT_EQ(Click(window->NextButton()), 1);
        EXPECT_FALSE(window->NextButton()->isEnabled());
        EXPECT_TRUE(window->BackButton()->isEnabled());
        Grab("page1-empty", scale);
        Wiz().SetBookID(0); // the sample book
        // An operator without the right to look at vouchers may not use the template.
        Operator("出纳", "6666");
        EXPECT_EQ(Click(window->NextButton()), 1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "建账向导");
        Operator("主管", "8888");
        Grab("page1", scale);
        EXPECT_EQ(Click(window->NextButton()), 2);
        Grab("page2", scale);
        EXPECT_EQ(Click(window->NextButton()), 3);
        Grab("page3", scale);
        ExpectDateFieldsInTheGaps(Wiz().findChild<QWidget*>(QStringLiteral("Frame1_3")));
        // Going back to page 1 and forward again asks for the operator again.
        EXPECT_EQ(Click(window->BackButton()), 2);
        EXPECT_EQ(Click(window->BackButton()), 1);
        Field("TDBText1_2")->setText(QStringLiteral("0000"));
        EXPECT_EQ(Click(window->NextButton()), 1);
        Field("TDBText1_2")->setText(QStringLiteral("8888"));
        EXPECT_EQ(Click(window->NextButton()), 2);
        EXPECT_EQ(Click(window->NextButton()), 3);
        Wiz().SetBookName(QString());
        EXPECT_EQ(Click(window->NextButton()), 3);
        EXPECT_EQ(messages.shown.back().text, "请输入新账簿的名称和单位名称。");
        Wiz().SetBookName(QStringLiteral("新账簿"));
        EXPECT_EQ(Click(window->NextButton()), 4);
        Grab("page4", scale);
        // Page 4 made the book: only the finish button is left.
        EXPECT_TRUE(Wiz().Completed());
        EXPECT_EQ(messages.shown.size(), 3u);
        EXPECT_FALSE(window->BackButton()->isEnabled());
        EXPECT_FALSE(window->NextButton()->isEnabled());
    }
}

TEST_F(WizardWindowTest, ArchiveTemplateNeedsNoOperator) {
    newbook::test::ZipBuilder().File("book.mde", "book").WriteTo(app.path() / "Data" / "标准模板.WAK");
    Open();
    Click(window->NextButton());
    QTest::mouseClick(Wiz().findChild<QWidget*>(QStringLiteral("TDBText1_0_DropDown")), Qt::LeftButton);
    auto* grid = Wiz().findChild<QTableView*>(QStringLiteral("fg"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(grid->model()->index(0, 0)).center());
    EXPECT_EQ(Field("TDBText1_0")->text(), "标准模板");
    EXPECT_EQ(Click(window->NextButton()), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WizardWindowTest, MessagesWithoutABoxGoToTheStatusLineProcessDrivesTheProgressBarBareEntryReloads) {
    Open();
    Wiz().Prompt(QStringLiteral("正在读入"));
    EXPECT_TRUE(messages.shown.empty());
    Wiz().Prompt(QStringLiteral("请注意"), true);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "请注意");
    EXPECT_EQ(window->StatusLine()->text(), "正在读入");
    EXPECT_TRUE(window->Progress()->isHidden());
    for (const short value : {0, 100}) {
        emit Wiz().Process(value);
        EXPECT_TRUE(window->Progress()->isVisible() && window->Progress()->value() == value) << value;
    }
    emit Wiz().Process(-1);
    EXPECT_TRUE(window->Progress()->isHidden());

    wizard::test::SignalLog log(Wiz());
    QTest::mouseClick(Wiz().findChild<QPushButton*>(QStringLiteral("PushButton1")), Qt::LeftButton);
    EXPECT_EQ(messages.shown.back().text, "已创建新的账簿列表项“（新增账簿：请指定数据库文件）”。");
    QCoreApplication::processEvents();
    EXPECT_EQ(log.commands, (std::vector<QString>{"BeforeLoadList", "AfterLoadList"}));
}

TEST_F(WizardWindowTest, CancelClosesAndTheSettingsComeBackNextTime) {
    Open();
    Wiz().SetForeColorBookList(2, 0x0000FFu);
    Click(window->CancelButton());
    EXPECT_FALSE(window->isVisible());
    window.reset();
    Open();
    EXPECT_EQ(Wiz().ForeColorBookList(2), 0x0000FFu);
    EXPECT_EQ(Model()->data(Model()->index(0, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
}

} // namespace
} // namespace kx::app
