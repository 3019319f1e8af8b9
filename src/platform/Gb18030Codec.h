#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kx::platform {

/// Converts between UTF-8 (the project's in-memory text) and GB18030, the code
/// page that stands for the Chinese ANSI code page in files. GB18030 covers all
/// of Unicode, so no character is lost either way. Invalid input throws
/// PlatformError(errnum::InvalidText) rather than dropping or replacing bytes.
class Gb18030Codec {
public:
    Gb18030Codec();
    ~Gb18030Codec();
    Gb18030Codec(Gb18030Codec&&) noexcept;
    Gb18030Codec& operator=(Gb18030Codec&&) noexcept;
    Gb18030Codec(const Gb18030Codec&) = delete;
    Gb18030Codec& operator=(const Gb18030Codec&) = delete;

    std::string ToUtf8(std::string_view gb18030) const;
    std::string FromUtf8(std::string_view utf8) const;

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

} // namespace kx::platform
