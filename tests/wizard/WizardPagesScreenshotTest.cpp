#include "WizardWindow.h"

#include "SampleBookCopy.h"
#include "TempFolder.h"

#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kx::app {
namespace {

namespace fs = std::filesystem;

std::string Describe(const QWidget* w) {
    return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName())
        .toStdString();
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
    for (QWidget* w : page->findChildren<QWidget*>())
        if (w->isVisibleTo(page) && (w->inherits("QLabel") || w->inherits("QAbstractButton") ||
                                     w->inherits("QSpinBox") ||
                                     (w->inherits("QLineEdit") && !IsInside(w, "QAbstractSpinBox"))))
            found.push_back(w);
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
        EXPECT_TRUE(page->rect().contains(r)) << Describe(w) << " leaves the page";
        if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->wordWrap()) {
            EXPECT_GE(w->height(), label->heightForWidth(w->width())) << Describe(w) << " cut";
        } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit != nullptr && !edit->text().isEmpty()) {
            EXPECT_GE(TextRoom(edit), edit->fontMetrics().horizontalAdvance(edit->displayText()))
                << Describe(w) << " cuts its text";
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << Describe(w) << " too low";
        } else {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << Describe(w) << " too narrow";
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << Describe(w) << " too low";
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
                << Describe(a) << " overlaps " << Describe(b);
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

// Walks every page at 100% and 200% of the font: each page is checked and written to
// a picture for a person to look at.
TEST(PagesScreenshot, EveryPageReadsWellAtBothFontScales) {
    fs::create_directories(KX_SCREENSHOT_DIR);
    for (const int scale : {1, 2}) {
        SCOPED_TRACE("font x" + std::to_string(scale));
        kx::test::TempFolder app;
        fs::create_directories(app.path() / "Data");
        fs::copy_file(kx::test::SampleBookCopy::Master(), app.path() / "Data" / "kxSample.mde");
        platform::RecordingMessageBox messages;
        WizardWindow window(app.str(), messages);
        QFont font = window.font();
        font.setPointSizeF(font.pointSizeF() * scale);
        window.setFont(font);
        window.resize(window.sizeHint().expandedTo(QSize(680, 500) * scale));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(window.Start());
        auto& wiz = window.Wizard();
        auto* pages = window.findChild<QStackedWidget*>(QStringLiteral("WizardPages"));
        const auto grab = [&](const std::string& name) {
            window.layout()->activate();
            QCoreApplication::processEvents();
            SCOPED_TRACE(name);
            ExpectNothingCutOrOverlapping(pages->currentWidget());
            const std::string file = std::string(KX_SCREENSHOT_DIR) + "/" + name + "-font" + std::to_string(scale) + "x.png";
            EXPECT_TRUE(window.grab().save(QString::fromStdString(file))) << file;
        };
        grab("page0");
        window.NextButton()->click();
        grab("page1-empty");
        wiz.SetBookID(0);
        wiz.findChild<QLineEdit*>(QStringLiteral("TDBText1_1"))->setText(QStringLiteral("主管"));
        wiz.findChild<QLineEdit*>(QStringLiteral("TDBText1_2"))->setText(QStringLiteral("8888"));
        grab("page1");
        for (short page = 2; page <= 4; ++page) {
            window.NextButton()->click();
            ASSERT_EQ(wiz.Step(), page);
            grab("page" + std::to_string(page));
            if (page == 3)
                ExpectDateFieldsInTheGaps(wiz.findChild<QWidget*>(QStringLiteral("Frame1_3")));
        }
        EXPECT_TRUE(messages.shown.empty());
    }
}

} // namespace
} // namespace kx::app
