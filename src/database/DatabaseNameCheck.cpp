#include "DatabaseNameCheck.h"

#include "platform/Utf8Text.h"

namespace kx::database {
namespace {

/// True for a C0 control, DEL, or a C1 control (U+0080..U+009F, written C2 80..C2 9F).
bool HoldsControlCharacter(std::string_view text) noexcept {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                return true;
        }
    }
    return false;
}

bool IsNameStart(unsigned char byte) noexcept {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte == '_' || byte == '@' ||
           byte == '#' || byte >= 0x80;
}

bool IsNamePart(unsigned char byte) noexcept { return IsNameStart(byte) || (byte >= '0' && byte <= '9') || byte == '$'; }

} // namespace

std::string DatabaseNameProblem(std::string_view name) {
    if (platform::TrimSpaces(name).empty())
        return "数据库名不能为空。";
    if (!platform::IsValidUtf8(name))
        return "数据库名含有无法识别的字符。";
    if (HoldsControlCharacter(name))
        return "数据库名不能含有控制字符。";
    if (platform::Utf8Length(name) > kMaxDatabaseNameLength)
        return "数据库名不能超过" + std::to_string(kMaxDatabaseNameLength) + "个字符。";
    return {};
}

std::string PlainTableNameProblem(std::string_view name) {
    bool plain = !name.empty() && platform::IsValidUtf8(name) && IsNameStart(static_cast<unsigned char>(name[0]));
    for (std::size_t i = 1; plain && i < name.size(); ++i)
        plain = IsNamePart(static_cast<unsigned char>(name[i]));
    if (!plain)
        return "数据表名“" + std::string(name) + "”中有不能写在语句中的字符，无法转换。";
    return {};
}

} // namespace kx::database
