#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kx::platform {

/// Styles and answers of a message box, numbered as the classic message box
/// calls number them. A style is the sum of a button set, an icon and a default
/// button, for example `kCritical` + `kOkOnly` (16) for a failure the user can
/// only acknowledge.
namespace msgbox {
// Button sets.
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
// Icons.
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
// Default buttons (the first one when none is named).
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kDefaultButton3 = 512;

// Answers: the button the user chose.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kAbort = 3;
inline constexpr int kRetry = 4;
inline constexpr int kIgnore = 5;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
} // namespace msgbox

/// The icon a style asks for.
enum class MessageBoxIcon { None, Critical, Question, Exclamation, Information };

/// The icon of `style`; None when it names none (or an unknown one).
MessageBoxIcon IconOf(int style) noexcept;
/// The answers of the buttons of `style`, in the order they are shown. An
/// unknown button set is shown as OK alone.
std::vector<int> ButtonsOf(int style);
/// The answer of the default button of `style` (the first button when the
/// default named is not there).
int DefaultAnswerOf(int style);

/// The one way in which the system shows a message box itself. Injectable, so
/// that tools write to standard error and tests record instead of blocking.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    /// Shows `text` under `title` with the icon and buttons of `style` (see
    /// `msgbox`) and returns, once the user has answered, the answer of the
    /// button chosen.
    virtual int Show(const std::string& text, const std::string& title, int style) = 0;
};

/// Writes "title: text" to standard error and answers with the default button.
class StderrMessageBox final : public MessageBoxService {
public:
    int Show(const std::string& text, const std::string& title, int style) override;
};

/// Keeps every message and answers with `answer` (the default button while it
/// is 0); for tests.
class RecordingMessageBox final : public MessageBoxService {
public:
    struct Message {
        std::string text;
        std::string title;
        int style = msgbox::kOkOnly;
    };
    int Show(const std::string& text, const std::string& title, int style) override {
        shown.push_back({text, title, style});
        return answer != 0 ? answer : DefaultAnswerOf(style);
    }
    std::vector<Message> shown;
    int answer = 0;
};

/// The service in use: the one a host installed, else the fallback a library
/// installed, else standard error.
MessageBoxService& CurrentMessageBox();
/// Installs `service` (nullptr removes it). The caller keeps it alive.
void InstallMessageBox(MessageBoxService* service);
/// Installs the service used while no host has installed one (nullptr removes
/// it): how a library that shows windows brings its own boxes. The caller keeps
/// it alive and removes it before it goes.
void InstallFallbackMessageBox(MessageBoxService* service);
/// The installed fallback, or nullptr.
MessageBoxService* InstalledFallbackMessageBox();

} // namespace kx::platform
