#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kx::platform {

/// The one way in which the system shows a message box itself. Injectable, so
/// that tools write to standard error and tests record instead of blocking.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    /// Shows `text` under `title` and returns when the user has read it.
    virtual void Show(const std::string& text, const std::string& title) = 0;
};

/// Writes "title: text" to standard error.
class StderrMessageBox final : public MessageBoxService {
public:
    void Show(const std::string& text, const std::string& title) override;
};

/// Keeps every message; for tests.
class RecordingMessageBox final : public MessageBoxService {
public:
    struct Message {
        std::string text;
        std::string title;
    };
    void Show(const std::string& text, const std::string& title) override { shown.push_back({text, title}); }
    std::vector<Message> shown;
};

/// The service in use; standard error until a host installs another.
MessageBoxService& CurrentMessageBox();
/// Installs `service` (nullptr goes back to standard error). The caller keeps it alive.
void InstallMessageBox(MessageBoxService* service);

} // namespace kx::platform
