#include "component/QtMessageBox.h"

#include <QAbstractButton>
#include <QString>

#include <utility>

namespace kx::component {
namespace {

QMessageBox::Icon QtIcon(platform::MessageBoxIcon icon) noexcept {
    switch (icon) {
    case platform::MessageBoxIcon::Critical:
        return QMessageBox::Critical;
    case platform::MessageBoxIcon::Question:
        return QMessageBox::Question;
    case platform::MessageBoxIcon::Exclamation:
        return QMessageBox::Warning;
    case platform::MessageBoxIcon::Information:
        return QMessageBox::Information;
    case platform::MessageBoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

constexpr std::pair<int, QMessageBox::StandardButton> kButtons[] = {
    {platform::msgbox::kOk, QMessageBox::Ok},         {platform::msgbox::kCancel, QMessageBox::Cancel},
    {platform::msgbox::kAbort, QMessageBox::Abort},   {platform::msgbox::kRetry, QMessageBox::Retry},
    {platform::msgbox::kIgnore, QMessageBox::Ignore}, {platform::msgbox::kYes, QMessageBox::Yes},
    {platform::msgbox::kNo, QMessageBox::No}};

QMessageBox::StandardButton ButtonOfAnswer(int answer) noexcept {
    for (const auto& [known, button] : kButtons) {
        if (known == answer)
            return button;
    }
    return QMessageBox::NoButton;
}

} // namespace

void ApplyMessageBoxStyle(QMessageBox& box, int style) {
    box.setIcon(QtIcon(platform::IconOf(style)));
    const std::vector<int> answers = platform::ButtonsOf(style);
    QMessageBox::StandardButtons buttons;
    for (const int answer : answers)
        buttons |= ButtonOfAnswer(answer);
    box.setStandardButtons(buttons);
    box.setDefaultButton(ButtonOfAnswer(platform::DefaultAnswerOf(style)));
    const bool hasCancel = (buttons & QMessageBox::Cancel) != 0;
    box.setEscapeButton(hasCancel ? QMessageBox::Cancel : (answers.size() == 1 ? ButtonOfAnswer(answers[0])
                                                                                 : QMessageBox::NoButton));
}

int AnswerOfButton(QMessageBox::StandardButton button) noexcept {
    for (const auto& [answer, known] : kButtons) {
        if (known == button)
            return answer;
    }
    return 0;
}

int QtMessageBox::Show(const std::string& text, const std::string& title, int style) {
    QMessageBox box(window_);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    ApplyMessageBoxStyle(box, style);
    box.exec();
    const int answer = AnswerOfButton(box.standardButton(box.clickedButton()));
    // A box closed without a button (only possible where Escape has none to press)
    // answers as its default button would.
    return answer != 0 ? answer : platform::DefaultAnswerOf(style);
}

} // namespace kx::component
