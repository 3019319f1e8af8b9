#include "DiskPath.h"

#include "CaseFolding.h"
#include "Utf8Text.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace kx::platform {
namespace {

bool IsDrivePrefix(std::string_view text) {
    return text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

/// Appends one component to `base`, finding it without regard to case when the
/// exact name is missing. Case is compared with the system's one Unicode mapping
/// rather than ASCII alone: the texts were written for file systems that match
/// "Ä.MDE" to "ä.mde" and full-width "ＡＢ" to "ａｂ" as well, and names that are
/// not valid UTF-8 still only match themselves byte for byte.
std::filesystem::path AppendComponent(const std::filesystem::path& base, const std::string& name) {
    std::filesystem::path exact = base / name;
    std::error_code ec;
    if (name == "." || name == ".." || std::filesystem::symlink_status(exact, ec).type() !=
                                           std::filesystem::file_type::not_found)
        return exact;
    std::vector<std::string> matches;
    const std::filesystem::path folder = base.empty() ? std::filesystem::path(".") : base;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (EqualsIgnoringCase(candidate, name))
            matches.push_back(candidate);
    }
    if (matches.empty())
        return exact;
    std::sort(matches.begin(), matches.end());
    return base / matches.front();
}

} // namespace

std::filesystem::path ToDiskPath(std::string_view pathText, std::string_view appPath) {
    std::string text = ReplaceAll(pathText, "\\", "/");
    const bool backslashRooted = !pathText.empty() && pathText[0] == '\\' &&
                                 (pathText.size() < 2 || (pathText[1] != '\\' && pathText[1] != '/'));

    std::filesystem::path base;
    std::string rest;
    if (text.rfind("//", 0) == 0) {
        // A share: "//server/share" stays the root of the rest.
        const auto serverEnd = text.find('/', 2);
        const auto shareEnd = serverEnd == std::string::npos ? std::string::npos : text.find('/', serverEnd + 1);
        base = text.substr(0, shareEnd);
        rest = shareEnd == std::string::npos ? std::string() : text.substr(shareEnd + 1);
    } else if (IsDrivePrefix(text)) {
        base = "/";
        rest = text.substr(2);
    } else if (backslashRooted) {
        base = appPath.empty() ? std::filesystem::path("/") : ToDiskPath(appPath);
        rest = text.substr(1);
    } else if (!text.empty() && text[0] == '/') {
        base = "/";
        rest = text.substr(1);
    } else if (text == ".." || text.rfind("../", 0) == 0) {
        base = appPath.empty() ? std::filesystem::path("..") : ToDiskPath(appPath);
        rest = text.size() > 2 ? text.substr(3) : std::string();
    } else {
        base = appPath.empty() ? std::filesystem::path() : ToDiskPath(appPath);
        rest = text;
    }

    std::filesystem::path result = base;
    for (const std::string& component : SplitText(rest, '/')) {
        if (component.empty() || component == ".")
            continue;
        result = AppendComponent(result, component);
    }
    return result;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty())
        return std::string(name);
    std::string joined(folder);
    if (joined.back() != '/' && joined.back() != '\\')
        joined += '/';
    joined.append(name);
    return joined;
}

bool FileExists(std::string_view pathText, std::string_view appPath) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ToDiskPath(pathText, appPath), ec);
}

std::string ParentFolderOf(std::string_view pathText) {
    const auto pos = pathText.find_last_of("/\\");
    if (pos == std::string_view::npos)
        return {};
    if (pos == 0)
        return std::string(pathText.substr(0, 1));
    return std::string(pathText.substr(0, pos));
}

std::string ExtensionOf(std::string_view pathText) {
    const auto slash = pathText.find_last_of("/\\");
    const auto name = slash == std::string_view::npos ? pathText : pathText.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    return std::string(name.substr(dot + 1));
}

} // namespace kx::platform
