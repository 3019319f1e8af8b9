#include "UnicodeText.h"

#include "platform/Utf8Text.h"

namespace kx::ado::text {

std::size_t AdvanceChars(std::string_view utf8, std::size_t byteOffset, std::size_t count) noexcept {
    std::size_t i = byteOffset;
    while (count > 0 && i < utf8.size()) {
        i += platform::ReadUtf8Char(utf8, i).length;
        --count;
    }
    return i < utf8.size() ? i : utf8.size();
}

std::size_t CharCount(std::string_view utf8) noexcept {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); i += platform::ReadUtf8Char(utf8, i).length)
        ++count;
    return count;
}

std::string_view SliceChars(std::string_view utf8, std::size_t first, std::size_t count) noexcept {
    const std::size_t begin = AdvanceChars(utf8, 0, first);
    const std::size_t end = AdvanceChars(utf8, begin, count);
    return utf8.substr(begin, end - begin);
}

} // namespace kx::ado::text
