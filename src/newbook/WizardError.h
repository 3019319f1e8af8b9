#pragma once

#include <stdexcept>
#include <string>

namespace kx::newbook {

/// The error number that the control's larger operations raise.
inline constexpr int kWizardErrorNumber = 522;

/// What the user is told when the new book file cannot be made; the system's
/// reason follows on the next line.
inline constexpr const char* kBookFileFailure = "创建新账簿的数据库文件遇到错误。";

/// A failure of one of the control's larger operations (making the new book's
/// database, creating the new book): number 522, the operation's name as source,
/// and the Chinese message the user sees. The outermost operation catches it and
/// shows the message.
class WizardError : public std::runtime_error {
public:
    WizardError(std::string source, const std::string& message)
        : std::runtime_error(message), source_(std::move(source)) {}
    int Number() const noexcept { return kWizardErrorNumber; }
    const std::string& Source() const noexcept { return source_; }

private:
    std::string source_;
};

} // namespace kx::newbook
