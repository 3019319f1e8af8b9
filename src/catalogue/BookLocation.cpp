#include "BookLocation.h"

#include "platform/DiskPath.h"
#include "platform/Utf8Text.h"

#include <system_error>

namespace kx::catalogue {
namespace {

constexpr auto npos = std::string::npos;
constexpr std::string_view kMask = "***";

} // namespace

BookLocation::BookLocation(bool server, std::string path, std::string joint, std::string file)
    : server_(server), path_(std::move(path)), joint_(std::move(joint)), file_(std::move(file)),
      colon_(server_ ? path_.find(':') : npos), at_(server_ ? path_.find('@') : npos) {}

bool BookLocation::IsServerText(std::string_view text) noexcept {
    return text.find('@') != std::string_view::npos;
}

BookLocation BookLocation::FromListFields(std::string bookPath, std::string bookFile) {
    const bool server = IsServerText(bookPath);
    return BookLocation(server, std::move(bookPath), server ? "|" : "\\", std::move(bookFile));
}

BookLocation BookLocation::FromSqlLocation(std::string_view text) {
    const auto bar = text.find('|');
    if (bar == std::string_view::npos)
        return BookLocation(true, std::string(text), "", "");
    return BookLocation(true, std::string(text.substr(0, bar)), "|", std::string(text.substr(bar + 1)));
}

BookLocation BookLocation::FromTemplateLocation(std::string_view text) {
    return IsServerText(text) ? FromSqlLocation(text) : FromFilePath(text);
}

BookLocation BookLocation::FromFilePath(std::string_view path) {
    std::string folder = platform::ParentFolderOf(path);
    std::string_view rest = path.substr(folder.size());
    // The separator after the folder, unless the folder is the root itself ("\a").
    std::string joint;
    if (!rest.empty() && (rest.front() == '\\' || rest.front() == '/')) {
        joint = rest.substr(0, 1);
        rest.remove_prefix(1);
    }
    return BookLocation(false, std::move(folder), std::move(joint), std::string(rest));
}

BookLocation BookLocation::FromFolderAndFile(std::string folder, std::string fileName) {
    return BookLocation(false, std::move(folder), "\\", std::move(fileName));
}

std::string BookLocation::StoredFolder(std::string_view folder, std::string_view appPath) {
    return appPath.empty() ? std::string(folder) : platform::ReplaceAll(folder, appPath, "..");
}

BookLocation BookLocation::FromServerParts(std::string_view server, std::string_view userId,
                                           std::string_view password, std::string_view database) {
    std::string login;
    login.reserve(userId.size() + password.size() + server.size() + 2);
    login.append(userId).append(1, ':').append(password).append(1, '@').append(server);
    return BookLocation(true, std::move(login), "|", std::string(database));
}

bool BookLocation::IsOnShare() const noexcept {
    return !server_ && (path_.starts_with("\\\\") || path_.starts_with("//"));
}

std::string BookLocation::PathText(std::string_view appPath) const {
    if (server_)
        return path_ + "\\" + file_;
    return platform::JoinPath(platform::ReplaceAll(path_, "..", appPath), file_);
}

std::string BookLocation::RowFileText(std::string_view appPath) const {
    std::string file = platform::ReplaceAll(path_, "..", appPath) + "\\" + file_;
    const std::string folder = platform::ParentFolderOf(file);
    std::error_code ec;
    const bool folderAsWritten = !folder.empty() && std::filesystem::is_directory(platform::ToDiskPath(folder), ec);
    const bool share = file.starts_with("\\\\") || file.starts_with("//");
    if (!folderAsWritten && !share && file.starts_with('\\'))
        file.insert(0, appPath);
    return file;
}

std::filesystem::path BookLocation::DiskPath(std::string_view appPath) const {
    if (server_)
        return {};
    return platform::ToDiskPath(PathText(appPath), appPath);
}

std::optional<std::string_view> BookLocation::UserId() const noexcept {
    if (colon_ == npos)
        return std::nullopt;
    return std::string_view(path_).substr(0, colon_);
}

std::optional<std::string_view> BookLocation::Password() const noexcept {
    if (at_ == npos)
        return std::nullopt;
    if (colon_ == npos)
        return std::string_view(path_).substr(0, at_);
    if (at_ < colon_)
        return std::nullopt;
    return std::string_view(path_).substr(colon_ + 1, at_ - colon_ - 1);
}

std::optional<std::string_view> BookLocation::Server() const noexcept {
    if (at_ == npos)
        return std::nullopt;
    return std::string_view(path_).substr(at_ + 1);
}

std::string BookLocation::SqlLocation() const {
    return path_ + (server_ ? joint_ : std::string("|")) + file_;
}

std::string BookLocation::Text() const {
    return path_ + joint_ + file_;
}

std::string BookLocation::MaskedPath() const {
    if (!server_)
        return path_;
    // Everything up to the last "@" may be password, whatever the cutting rules make
    // of a login that holds more than one "@" or ":": only a user ID cut off by a ":"
    // before the first "@", and the server after the last "@", are shown.
    const std::string_view login(path_);
    const std::size_t lastAt = login.rfind('@');
    const std::size_t start = colon_ != npos && (at_ == npos || colon_ < at_) ? colon_ + 1 : 0;
    if (lastAt == npos || lastAt < start)
        return std::string(login.substr(0, start)).append(kMask);
    return std::string(login.substr(0, start)).append(kMask).append(login.substr(lastAt));
}

} // namespace kx::catalogue
