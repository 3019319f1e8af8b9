// The message boxes of the library and of its Qt hosts: which icon and buttons a
// style gives on a real QMessageBox, what the box answers, and that a host that
// installs nothing gets real boxes while a GUI application runs and standard
// error without one. No box is left waiting for a person: the shown ones are
// answered by a timer.
#include "LedgerWizFixture.h"
#include "component/QtMessageBox.h"
#include "platform/MessageBoxService.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kx::component {
namespace {

using platform::msgbox::kAbortRetryIgnore;
using platform::msgbox::kCritical;
using platform::msgbox::kDefaultButton2;
using platform::msgbox::kDefaultButton3;
using platform::msgbox::kExclamation;
using platform::msgbox::kInformation;
using platform::msgbox::kOkCancel;
using platform::msgbox::kQuestion;
using platform::msgbox::kRetryCancel;
using platform::msgbox::kYesNo;
using platform::msgbox::kYesNoCancel;

struct StyleCase {
    int style;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

TEST(QtMessageBoxStyle, EachStyleGivesItsIconButtonsAndDefaultButton) {
    using B = QMessageBox;
    const StyleCase cases[] = {
        {0, B::NoIcon, B::Ok, B::Ok, B::Ok},
        {kCritical, B::Critical, B::Ok, B::Ok, B::Ok}, // the conversion's failure box
        {kQuestion + kYesNo, B::Question, B::Yes | B::No, B::Yes, B::NoButton},
        {kExclamation + kOkCancel, B::Warning, B::Ok | B::Cancel, B::Ok, B::Cancel},
        {kInformation, B::Information, B::Ok, B::Ok, B::Ok},
        {kCritical + kAbortRetryIgnore + kDefaultButton2, B::Critical, B::Abort | B::Retry | B::Ignore, B::Retry,
         B::NoButton},
        {kQuestion + kYesNoCancel + kDefaultButton3, B::Question, B::Yes | B::No | B::Cancel, B::Cancel, B::Cancel},
        {kExclamation + kRetryCancel + kDefaultButton2, B::Warning, B::Retry | B::Cancel, B::Cancel, B::Cancel},
        // A default button the set does not have falls back to the first.
        {kYesNo + kDefaultButton3, B::NoIcon, B::Yes | B::No, B::Yes, B::NoButton},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style));
        QMessageBox box;
        ApplyMessageBoxStyle(box, c.style);
        EXPECT_EQ(box.icon(), c.icon);
        EXPECT_EQ(box.standardButtons(), c.buttons);
        ASSERT_NE(box.defaultButton(), nullptr);
        EXPECT_EQ(box.standardButton(box.defaultButton()), c.defaultButton);
        const QMessageBox::StandardButton escape =
            box.escapeButton() == nullptr ? B::NoButton : box.standardButton(box.escapeButton());
        EXPECT_EQ(escape, c.escapeButton);
    }
}

/// What a shown box looked like when the timer found it.
struct SeenBox {
    bool seen = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    std::string title;
    std::string text;
};

/// Runs `show`, answering the first modal message box with `press` and noting
/// what it showed. A box that never comes leaves `seen` false.
int AnswerTheBox(const std::function<int()>& show, QMessageBox::StandardButton press, SeenBox& seen) {
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || seen.seen)
            return;
        seen = {true, box->icon(), box->standardButtons(), box->windowTitle().toStdString(),
                box->text().toStdString()};
        if (QAbstractButton* button = box->button(press); button != nullptr)
            button->click();
        else
            box->reject();
    });
    timer.start();
    return show();
}

TEST(QtMessageBoxStyle, ShownBoxAnswersWithTheButtonPressed) {
    const std::pair<QMessageBox::StandardButton, int> presses[] = {
        {QMessageBox::Yes, platform::msgbox::kYes},
        {QMessageBox::No, platform::msgbox::kNo},
        {QMessageBox::Cancel, platform::msgbox::kCancel}};
    for (const auto& [press, answer] : presses) {
        QtMessageBox service;
        SeenBox seen;
        const int got = AnswerTheBox(
            [&] { return service.Show("保存更改吗？", "建账向导", kQuestion + kYesNoCancel); }, press, seen);
        ASSERT_TRUE(seen.seen);
        EXPECT_EQ(got, answer); // the icon, title and text: LibraryMessageBoxes below
    }
}

// A host that installs no message box of its own, as any host of the library: the
// library's HostMessageBox chooses real boxes under a QApplication.
using LibraryMessageBoxes = test::LedgerWizFixture;

TEST_F(LibraryMessageBoxes, HostWithoutItsOwnBoxGetsRealBoxesWithTheStyleFromTheLibrary) {
    ASSERT_NE(platform::InstalledFallbackMessageBox(), nullptr) << "the loaded library installed none";
    SeenBox seen;
    const int answer = AnswerTheBox(
        [] {
            return platform::CurrentMessageBox().Show("创建数据表：kxVoucher失败。", "从Access数据库恢复数据",
                                                      kCritical);
        },
        QMessageBox::Ok, seen);
    ASSERT_TRUE(seen.seen) << "no box was shown";
    EXPECT_EQ(answer, platform::msgbox::kOk);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.title, "从Access数据库恢复数据");
    EXPECT_EQ(seen.text, "创建数据表：kxVoucher失败。");

    // A box the host installed goes first.
    platform::RecordingMessageBox own;
    platform::InstallMessageBox(&own);
    platform::CurrentMessageBox().Show("x", "y", kInformation);
    platform::InstallMessageBox(nullptr);
    ASSERT_EQ(own.shown.size(), 1u);
    EXPECT_EQ(own.shown[0].style, kInformation);
}

// Without a QApplication (none at all, then a QCoreApplication) the library's
// boxes go to standard error and answer at once; a program on its own shows it.
TEST(LibraryMessageBoxesWithoutGui, GoToStandardErrorAndNeverWait) {
    QProcess host;
    host.start(QStringLiteral(KX_MESSAGE_BOX_HOST), {QStringLiteral(KX_LEDGERWIZ_LIBRARY)});
    ASSERT_TRUE(host.waitForFinished(30000)) << "the host waited on a box";
    EXPECT_EQ(host.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(host.exitCode(), 0) << host.readAllStandardError().toStdString();
    EXPECT_EQ(host.readAllStandardOutput().toStdString(), "answers 1 6\n");
    EXPECT_EQ(host.readAllStandardError().toStdString(),
              "从Access数据库恢复数据: 没有图形程序。\n从Access数据库恢复数据: 只有核心程序。\n");
}

} // namespace
} // namespace kx::component
