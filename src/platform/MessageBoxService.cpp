#include "MessageBoxService.h"

#include <cstdio>

namespace kx::platform {
namespace {
MessageBoxService* installed = nullptr;
MessageBoxService* fallback = nullptr;
} // namespace

MessageBoxIcon IconOf(int style) noexcept {
    switch (style & 0x70) {
    case msgbox::kCritical:
        return MessageBoxIcon::Critical;
    case msgbox::kQuestion:
        return MessageBoxIcon::Question;
    case msgbox::kExclamation:
        return MessageBoxIcon::Exclamation;
    case msgbox::kInformation:
        return MessageBoxIcon::Information;
    default:
        return MessageBoxIcon::None;
    }
}

std::vector<int> ButtonsOf(int style) {
    using namespace msgbox;
    switch (style & 0x0F) {
    case kOkCancel:
        return {kOk, kCancel};
    case kAbortRetryIgnore:
        return {kAbort, kRetry, kIgnore};
    case kYesNoCancel:
        return {kYes, kNo, kCancel};
    case kYesNo:
        return {kYes, kNo};
    case kRetryCancel:
        return {kRetry, kCancel};
    default:
        return {kOk};
    }
}

int DefaultAnswerOf(int style) {
    const std::vector<int> buttons = ButtonsOf(style);
    const std::size_t named = static_cast<std::size_t>((style & 0x300) >> 8);
    return buttons[named < buttons.size() ? named : 0];
}

int StderrMessageBox::Show(const std::string& text, const std::string& title, int style) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return DefaultAnswerOf(style);
}

MessageBoxService& CurrentMessageBox() {
    static StderrMessageBox standardError;
    if (installed != nullptr)
        return *installed;
    return fallback != nullptr ? *fallback : standardError;
}

void InstallMessageBox(MessageBoxService* service) { installed = service; }

void InstallFallbackMessageBox(MessageBoxService* service) { fallback = service; }

MessageBoxService* InstalledFallbackMessageBox() { return fallback; }

} // namespace kx::platform
