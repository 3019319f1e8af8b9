#include "WizardWindow.h"

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "wizard/LabelWithFields.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kx::app {
namespace {

namespace fs = std::filesystem;

QString Describe(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

bool IsInside(const QWidget* w, const char* className) {
    for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
        if (p->inherits(className))
            return true;
    return false;
}

/// The widgets a person reads or uses on a page: labels, fields, buttons, boxes.
std::vector<QWidget*> ReadableWidgets(QWidget* page) {
    std::vector<QWidget*> found;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page))
            continue;
        const bool readable = qobject_cast<QLabel*>(w) != nullptr ||
                              qobject_cast<QAbstractButton*>(w) != nullptr ||
                              (qobject_cast<QLineEdit*>(w) != nullptr && !IsInside(w, "QAbstractSpinBox")) ||
                              qobject_cast<QSpinBox*>(w) != nullptr;
        if (readable)
            found.push_back(w);
    }
    return found;
}

/// The width a line edit has for its text: inside its frame and text margins.
int TextRoom(QLineEdit* edit) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    constexpr int kInnerMargin = 2; // the line edit's own, on each side
    return contents.width() - margins.left() - margins.right() - 2 * kInnerMargin;
}

QRect InPage(const QWidget* w, const QWidget* page) {
    return {w->mapTo(page, QPoint(0, 0)), w->size()};
}

/// Every readable widget lies inside the page at no less than the size it needs,
/// and none covers another (the fields set over a label's gaps are checked
/// against the label's glyphs instead).
void ExpectNothingCutOrOverlapping(QWidget* page) {
    const std::vector<QWidget*> widgets = ReadableWidgets(page);
    ASSERT_FALSE(widgets.empty());
    for (QWidget* w : widgets) {
        const QRect r = InPage(w, page);
        EXPECT_TRUE(page->rect().contains(r)) << Describe(w).toStdString() << " leaves the page";
        if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->wordWrap()) {
            EXPECT_GE(w->height(), label->heightForWidth(w->width())) << Describe(w).toStdString() << " cut";
        } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit != nullptr && !edit->text().isEmpty()) {
            EXPECT_GE(TextRoom(edit), edit->fontMetrics().horizontalAdvance(edit->displayText()))
                << Describe(w).toStdString() << " cuts its text";
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << Describe(w).toStdString() << " too low";
        } else {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << Describe(w).toStdString() << " too narrow";
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << Describe(w).toStdString() << " too low";
        }
    }
    for (std::size_t i = 0; i < widgets.size(); ++i)
        for (std::size_t j = i + 1; j < widgets.size(); ++j) {
            QWidget* a = widgets[i];
            QWidget* b = widgets[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a) || IsInside(a, "kx::wizard::LabelWithFields") ||
                IsInside(b, "kx::wizard::LabelWithFields"))
                continue;
            EXPECT_FALSE(InPage(a, page).intersects(InPage(b, page)))
                << Describe(a).toStdString() << " overlaps " << Describe(b).toStdString();
        }
}

/// Whether the label draws any of its own text (children left out) in columns
/// [left, right) of itself.
bool DrawsTextIn(const QImage& ownPaint, int left, int right) {
    for (int x = std::max(left, 0); x < std::min(right, ownPaint.width()); ++x)
        for (int y = 0; y < ownPaint.height(); ++y)
            if (qAlpha(ownPaint.pixel(x, y)) != 0)
                return true;
    return false;
}

/// The year and month fields with their spinners sit in the date label's runs of
/// spaces: none covers a drawn character, and the characters before, between
/// and after them are all drawn.
void ExpectDateFieldsInTheGaps(QWidget* page) {
    auto* label = page->findChild<QLabel*>(QStringLiteral("Label3_4"));
    ASSERT_NE(label, nullptr);
    QImage ownPaint(label->size(), QImage::Format_ARGB32_Premultiplied);
    ownPaint.fill(Qt::transparent);
    label->render(&ownPaint, QPoint(), QRegion(), QWidget::RenderFlags());
    const auto rect = [&](const char* name) {
        QWidget* w = label->findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w != nullptr ? w->geometry() : QRect();
    };
    for (const char* name : {"TDBText3_3", "UpDown_0", "TDBText3_4", "UpDown_1"})
        EXPECT_FALSE(DrawsTextIn(ownPaint, rect(name).left(), rect(name).right() + 1))
            << name << " covers text";
    EXPECT_TRUE(DrawsTextIn(ownPaint, 0, rect("TDBText3_3").left())); // 建账日期：
    EXPECT_TRUE(DrawsTextIn(ownPaint, rect("UpDown_0").right() + 1, rect("TDBText3_4").left())); // 年
    EXPECT_TRUE(DrawsTextIn(ownPaint, rect("UpDown_1").right() + 1, label->width()));            // 月
    EXPECT_FALSE(rect("TDBText3_3").intersects(rect("UpDown_0")));
    EXPECT_FALSE(rect("TDBText3_4").intersects(rect("UpDown_1")));
}

class PagesScreenshotTest : public testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        fs::create_directories(app.path() / "Data");
        fs::copy_file(kx::test::SampleBookCopy::Master(), app.path() / "Data" / "kxSample.mde");
        fs::create_directories(KX_SCREENSHOT_DIR);
    }
    /// Checks the page shown and writes its picture.
    void CheckAndGrab(WizardWindow& window, const std::string& name) {
        window.layout()->activate();
        QCoreApplication::processEvents();
        auto* pages = window.findChild<QStackedWidget*>(QStringLiteral("WizardPages"));
        SCOPED_TRACE(name);
        ExpectNothingCutOrOverlapping(pages->currentWidget());
        const std::string file =
            std::string(KX_SCREENSHOT_DIR) + "/" + name + "-font" + std::to_string(GetParam()) + "x.png";
        EXPECT_TRUE(window.grab().save(QString::fromStdString(file))) << file;
    }

    kx::test::TempFolder app;
    platform::RecordingMessageBox messages;
};

TEST_P(PagesScreenshotTest, EveryPageReadsWellAndIsWrittenToAPicture) {
    WizardWindow window(app.str(), messages);
    QFont font = window.font();
    font.setPointSizeF(font.pointSizeF() * GetParam());
    window.setFont(font);
    window.resize(window.sizeHint().expandedTo(QSize(680, 500) * GetParam()));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(window.Start());
    auto& wiz = window.Wizard();

    CheckAndGrab(window, "page0");
    window.NextButton()->click();
    CheckAndGrab(window, "page1-empty");
    wiz.SetBookID(0);
    wiz.findChild<QLineEdit*>(QStringLiteral("TDBText1_1"))->setText(QStringLiteral("主管"));
    wiz.findChild<QLineEdit*>(QStringLiteral("TDBText1_2"))->setText(QStringLiteral("8888"));
    CheckAndGrab(window, "page1");
    auto* dropDown = wiz.findChild<QToolButton*>(QStringLiteral("TDBText1_0_DropDown"));
    dropDown->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.grab().save(QString::fromStdString(
        std::string(KX_SCREENSHOT_DIR) + "/page1-list-font" + std::to_string(GetParam()) + "x.png")));
    dropDown->click();
    window.NextButton()->click();
    ASSERT_EQ(wiz.Step(), 2);
    CheckAndGrab(window, "page2");
    window.NextButton()->click();
    ASSERT_EQ(wiz.Step(), 3);
    CheckAndGrab(window, "page3");
    ExpectDateFieldsInTheGaps(wiz.findChild<QWidget*>(QStringLiteral("Frame1_3")));
    window.NextButton()->click();
    ASSERT_EQ(wiz.Step(), 4);
    CheckAndGrab(window, "page4");
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(FontScales, PagesScreenshotTest, testing::Values(1, 2),
                         [](const testing::TestParamInfo<int>& c) {
                             return "Font" + std::to_string(c.param) + "x";
                         });

} // namespace
} // namespace kx::app
