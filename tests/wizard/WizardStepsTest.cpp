#include "wizard/WizardTestFixture.h"

#include <QCheckBox>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>

#include <array>
#include <climits>

namespace kx::wizard {
namespace {

using test::SignalLog;

TEST(WizardPages, LabelsArePlainTextAndThePageTwoBoxesStartCheckedTheLastOneDisabled) {
    CreatLedgerWiz wiz;
    const auto labels = wiz.findChildren<QLabel*>();
    ASSERT_GE(labels.size(), 23);
    for (const QLabel* label : labels)
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    EXPECT_EQ(wiz.findChild<QLabel*>(QStringLiteral("Label3_4"))->text(), "建账日期：         年       月")
        << "the date fields sit in its runs of spaces";
    auto* details = wiz.findChild<QWidget*>(QStringLiteral("picDetails"));
    for (int i = 0; i < 9; ++i) {
        auto* box = details->findChild<QCheckBox*>(QStringLiteral("chkRetain_%1").arg(i));
        ASSERT_NE(box, nullptr) << i;
        EXPECT_TRUE(box->isChecked()) << i;
        EXPECT_EQ(box->isEnabled(), i != 8) << i;
    }
}

// ---------------------------------------------------------------- stepping

TEST(WizardSteps, EachPageSetsTheHostButtonsAndRaisesBothEventsPageFourLeavesThem) {
    // Page 1 without a template keeps Next disabled.
    const std::array<std::array<bool, 3>, 4> enabled{{{true, false, true}, {true, true, false},
                                                      {true, true, true}, {true, true, true}}};
    CreatLedgerWiz wiz;
    SignalLog log(wiz);
    int pageAtAfterStep = -1;
    QObject::connect(&wiz, &CreatLedgerWiz::AfterStep, &wiz, [&](short) {
        pageAtAfterStep = wiz.findChild<QStackedWidget*>()->currentIndex();
        EXPECT_EQ(wiz.ButtonCaption(1), "上一步(&B)");
    });
    for (const short page : {0, 1, 2, 3, 2, 1, 0, 3}) {
        SCOPED_TRACE(page);
        wiz.SetStep(page);
        EXPECT_EQ(wiz.Step(), page);
        EXPECT_EQ(pageAtAfterStep, page);
        EXPECT_EQ(wiz.ButtonCaption(0), "取消(&A)");
        EXPECT_EQ(wiz.ButtonCaption(2), "下一步(&F)");
        for (short i = 0; i < 3; ++i)
            EXPECT_EQ(wiz.ButtonEnabled(i), enabled[static_cast<std::size_t>(page)][static_cast<std::size_t>(i)])
                << "button " << i;
        EXPECT_TRUE(wiz.ButtonCaption(3).isEmpty() && !wiz.ButtonEnabled(3));
    }
    EXPECT_EQ(log.beforeSteps, (std::vector<short>{0, 1, 2, 3, 2, 1, 0, 3}));
    EXPECT_EQ(log.afterSteps, log.beforeSteps);

    wiz.SetStep(4);
    EXPECT_EQ(wiz.findChild<QLabel*>(QStringLiteral("Label4_0"))->text(), "正在创建新账簿...");
    EXPECT_EQ(wiz.findChild<QLabel*>(QStringLiteral("Label4_9"))->text(), "");
    EXPECT_TRUE(wiz.ButtonEnabled(0) && wiz.ButtonEnabled(1) && wiz.ButtonEnabled(2));
    EXPECT_EQ(wiz.findChild<QStackedWidget*>()->currentWidget()->objectName(), "Frame1_4");

    // Out of range: no event, same page.
    log.beforeSteps.clear();
    for (const short step : {short{-1}, short{5}, short{SHRT_MAX}})
        wiz.SetStep(step);
    EXPECT_TRUE(log.beforeSteps.empty());
    EXPECT_EQ(wiz.Step(), 4);
}

TEST(WizardSteps, CancelSetInBeforeStepKeepsPageAndButtonsAndLaterHandlersSeeIt) {
    CreatLedgerWiz wiz;
    wiz.SetStep(2);
    SignalLog log(wiz);
    bool cancelSeenOnEntry = true;
    bool seenByLater = false;
    QObject::connect(&wiz, &CreatLedgerWiz::BeforeStep, &wiz, [&](short, bool& cancel) {
        cancelSeenOnEntry = std::exchange(cancel, true);
    });
    QObject::connect(&wiz, &CreatLedgerWiz::BeforeStep, &wiz, [&](short, bool& cancel) { seenByLater = cancel; });
    wiz.SetStep(0);
    EXPECT_FALSE(cancelSeenOnEntry);
    EXPECT_TRUE(seenByLater);
    EXPECT_EQ(log.beforeSteps, std::vector<short>{0});
    EXPECT_TRUE(log.afterSteps.empty());
    EXPECT_EQ(wiz.Step(), 2);
    EXPECT_TRUE(wiz.ButtonEnabled(1)); // page 0 would disable Back
    EXPECT_EQ(wiz.findChild<QStackedWidget*>()->currentIndex(), 2);
}

// ---------------------------------------------------------------- page 3

/// Types `text` key by key; characters without a key of their own (Chinese, the
/// ideographic space) arrive as key events that carry only text.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class NewBookPageTest : public testing::Test {
  protected:
    void SetUp() override {
        wiz.resize(640, 480);
        test::ShowActive(wiz);
    }
    QLineEdit* Field(int i) const { return wiz.findChild<QLineEdit*>(QStringLiteral("TDBText3_%1").arg(i)); }
    QSpinBox* Spinner(int i) const { return wiz.findChild<QSpinBox*>(QStringLiteral("UpDown_%1").arg(i)); }
    /// Types into the field, replacing its text, and leaves it with Tab.
    void TypeAndLeave(int i, const QString& text) {
        Field(i)->setFocus();
        Field(i)->selectAll();
        QTest::keyClick(Field(i), Qt::Key_Delete);
        TypeText(Field(i), text);
        QTest::keyClick(Field(i), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    QWidget* Focused() const { return QApplication::focusWidget(); }

    CreatLedgerWiz wiz;
};

TEST_F(NewBookPageTest, EnteringFocusesTheFirstControlAndFillsPlaceholdersAndTodayOnlyOnce) {
    const char* first[] = {"TDBText1_0", "chkRetain_1", "TDBText3_0"};
    for (short page = 1; page <= 3; ++page) {
        wiz.SetStep(page);
        EXPECT_EQ(Focused(), wiz.findChild<QWidget*>(QString::fromLatin1(first[page - 1]))) << page;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(wiz.BookName() + wiz.UserName(), "(新账簿名称)(单位名称)");
    const QDate today = QDate::currentDate();
    EXPECT_EQ(wiz.BeginDate(), QDate(today.year(), today.month(), 1));
    EXPECT_EQ(Spinner(0)->value(), today.year());
    EXPECT_EQ(Field(0)->selectedText(), "(新账簿名称)");
    // Values typed are kept when the page is entered again.
    wiz.SetBookName(QStringLiteral("二〇二四账簿"));
    wiz.SetBeginDate(QDate(2020, 3, 1));
    wiz.SetStep(2);
    wiz.SetStep(3);
    EXPECT_EQ(wiz.BookName(), "二〇二四账簿");
    EXPECT_EQ(wiz.BeginDate(), QDate(2020, 3, 1));
}

TEST_F(NewBookPageTest, EnterMovesOnLikeTabEveryFieldSelectsAllOnFocusSwallowedKeysReachNothing) {
    wiz.SetStep(3);
    wiz.SetDirector(QStringLiteral("李四"));
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(Focused(), Field(i));
        EXPECT_TRUE(i != 2 || Field(2)->selectedText() == "李四");
        QTest::keyClick(Field(i), i % 2 == 0 ? Qt::Key_Return : Qt::Key_Enter);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(Focused(), Field(4));
    // A click places the cursor first; the selection still covers everything.
    QTest::mouseClick(Field(1), Qt::LeftButton, Qt::NoModifier, QPoint(4, Field(1)->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(Field(1)->selectedText(), "(单位名称)");

    int keysAtThePage = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            *count += e->type() == QEvent::KeyPress ? 1 : 0;
            return false;
        }
    } counter(&keysAtThePage);
    wiz.findChild<QWidget*>(QStringLiteral("Frame1_3"))->installEventFilter(&counter);
    int shortcuts = 0;
    QShortcut escape(QKeySequence(Qt::Key_Escape), &wiz);
    QObject::connect(&escape, &QShortcut::activated, [&shortcuts] { ++shortcuts; });
    for (const Qt::Key key : {Qt::Key_Cancel, Qt::Key_Escape, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Down,
                              Qt::Key_Select, Qt::Key_Printer, Qt::Key_Execute, Qt::Key_Print, Qt::Key_Help})
        QTest::sendKeyEvent(QTest::Click, Field(1), key, QString(), Qt::NoModifier);
    EXPECT_EQ(keysAtThePage + shortcuts, 0);
    EXPECT_EQ(Field(1)->text(), "(单位名称)");
    EXPECT_EQ(Focused(), Field(1));
    // Keys outside the list still work: End, Backspace, Space, Home, Delete.
    Field(1)->setText(QStringLiteral("甲乙"));
    for (const Qt::Key key : {Qt::Key_End, Qt::Key_Backspace, Qt::Key_Space, Qt::Key_Home, Qt::Key_Delete})
        QTest::keyClick(Field(1), key);
    EXPECT_EQ(Field(1)->text(), " ");
}

TEST_F(NewBookPageTest, LeavingAFieldCleansItsTextEmptyNameOrCompanyKeepsTheFocusADateOnlyAValueInRange) {
    wiz.SetStep(3);
    SignalLog log(wiz);
    TypeAndLeave(0, QStringLiteral("  新　　账簿  "));
    EXPECT_EQ(wiz.BookName(), "新 账簿");
    EXPECT_EQ(Focused(), Field(1));
    for (const auto& [field, keepsFocus] : {std::pair{0, true}, {1, true}, {2, false}}) {
        TypeAndLeave(field, QStringLiteral("　 "));
        EXPECT_EQ(Field(field)->text(), "") << field;
        EXPECT_EQ(Focused() == Field(field), keepsFocus) << field;
        Field(field)->setText(QStringLiteral("甲")); // so that the focus may leave it
    }
    // Columns: field, typed, the spinner after. The text is left as typed, only trimmed.
    const std::tuple<int, const char*, int> cases[] = {{3, " 2031 ", 2031}, {3, "1899", 2010}, {3, "3001", 2010},
                                                       {3, "二〇二四", 2010}, {4, "12", 12},     {4, "13", 6}, {4, "0", 6}};
    for (const auto& [field, typed, spinner] : cases) {
        wiz.SetBeginDate(QDate(2010, 6, 1));
        TypeAndLeave(field, QString::fromUtf8(typed));
        EXPECT_EQ(Spinner(field - 3)->value(), spinner) << typed;
        EXPECT_EQ(Field(field)->text(), QString::fromUtf8(typed).trimmed());
        EXPECT_NE(Focused(), Field(field));
    }
    EXPECT_TRUE(log.notices.empty());
    // The arrows write their field, stop at the end of the range and take no focus.
    wiz.SetBeginDate(QDate(2024, 12, 1));
    Spinner(0)->stepUp();
    Spinner(1)->stepUp();
    EXPECT_EQ(Field(3)->text() + "/" + Field(4)->text(), "2025/12");
    EXPECT_EQ(Spinner(0)->focusPolicy(), Qt::NoFocus);
}

} // namespace
} // namespace kx::wizard
