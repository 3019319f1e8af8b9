#include "newbook/ArchiveUnpacker.h"

#include "platform/PlatformError.h"
#include "platform/PublishedFile.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string_view>

namespace kx::newbook {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

struct ArchiveReadFree {
    void operator()(archive* a) const noexcept { archive_read_free(a); }
};
using ArchiveReader = std::unique_ptr<archive, ArchiveReadFree>;

ArchiveReader OpenZip(const std::filesystem::path& file) {
    ArchiveReader reader(archive_read_new());
    if (!reader)
        throw ArchiveError("无法分配压缩包读取器");
    // Only zip, read through its central directory; no other formats or filters.
    archive_read_support_format_zip_seekable(reader.get());
    if (archive_read_open_filename(reader.get(), file.c_str(), kBlockSize) != ARCHIVE_OK)
        throw ArchiveError("不是有效的账簿压缩包：" + file.string());
    return reader;
}

std::string ErrorText(archive* a) {
    const char* text = archive_error_string(a);
    return text != nullptr ? text : "未知错误";
}

/// Reads the next header; false at the end. Throws for a damaged archive.
bool NextEntry(archive* a, archive_entry*& entry) {
    const int rc = archive_read_next_header(a, &entry);
    if (rc == ARCHIVE_EOF)
        return false;
    if (rc < ARCHIVE_WARN)
        throw ArchiveError("压缩包已损坏：" + ErrorText(a));
    return true;
}

std::string EntryPath(archive_entry* entry) {
    if (const char* utf8 = archive_entry_pathname_utf8(entry))
        return utf8;
    const char* raw = archive_entry_pathname(entry);
    return raw != nullptr ? raw : "";
}

/// Checks every entry and answers the position of the one regular file.
int FindTheBookFile(archive* a, std::uint64_t maxBytes) {
    std::optional<int> found;
    archive_entry* entry = nullptr;
    for (int index = 0; NextEntry(a, entry); ++index) {
        const std::string path = EntryPath(entry);
        if (!ArchiveUnpacker::IsSafeEntryPath(path))
            throw ArchiveError("压缩包中的路径不安全：" + path);
        if (archive_entry_hardlink(entry) != nullptr || archive_entry_symlink(entry) != nullptr)
            throw ArchiveError("压缩包中含有链接：" + path);
        switch (archive_entry_filetype(entry)) {
        case AE_IFDIR:
            break;
        case AE_IFREG:
            if (found)
                throw ArchiveError("压缩包中含有多个文件，无法确定账簿文件");
            if (archive_entry_size_is_set(entry) != 0 &&
                static_cast<std::uint64_t>(archive_entry_size(entry)) > maxBytes)
                throw ArchiveError("压缩包中的账簿文件过大：" + path);
            found = index;
            break;
        default:
            throw ArchiveError("压缩包中含有特殊文件：" + path);
        }
        if (archive_read_data_skip(a) < ARCHIVE_WARN)
            throw ArchiveError("压缩包已损坏：" + ErrorText(a));
    }
    if (!found)
        throw ArchiveError("压缩包中没有账簿文件");
    return *found;
}

} // namespace

bool ArchiveUnpacker::IsSafeEntryPath(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.front() == '\\')
        return false;
    if (path.size() >= 2 && path[1] == ':')
        return false; // a drive letter
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = path.find_first_of("/\\", start);
        const std::size_t stop = end == std::string::npos ? path.size() : end;
        if (path.compare(start, stop - start, "..") == 0)
            return false;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return true;
}

void ArchiveUnpacker::UnpackSingleFile(const std::filesystem::path& archive,
                                       const std::filesystem::path& target) const {
    std::error_code ec;
    const auto archiveSize = std::filesystem::file_size(archive, ec);
    if (ec)
        throw platform::PlatformError(platform::ErrorNumberFromErrno(ec.value()),
                                      "无法读取压缩包 " + archive.string() + "：" + ec.message());
    const std::uint64_t byRatio =
        std::max<std::uint64_t>(limits_.ratioFloorBytes, archiveSize * limits_.maxRatio);
    const std::uint64_t allowed = std::min(limits_.maxUnpackedBytes, byRatio);

    // First pass: look at every entry before anything is written.
    const int bookIndex = FindTheBookFile(OpenZip(archive).get(), allowed);

    ArchiveReader reader = OpenZip(archive);
    archive_entry* entry = nullptr;
    for (int index = 0; index < bookIndex; ++index) {
        if (!NextEntry(reader.get(), entry))
            throw ArchiveError("压缩包在读取时发生变化");
        archive_read_data_skip(reader.get());
    }
    if (!NextEntry(reader.get(), entry) || archive_entry_filetype(entry) != AE_IFREG ||
        archive_entry_hardlink(entry) != nullptr || archive_entry_symlink(entry) != nullptr)
        throw ArchiveError("压缩包在读取时发生变化");

    // The book appears at its name only whole; a failed unpack leaves nothing.
    platform::PublishedFile part(target, platform::PublishMode::Replace, 0600);
    std::array<char, kBlockSize> block{};
    std::uint64_t total = 0;
    for (;;) {
        const la_ssize_t n = archive_read_data(reader.get(), block.data(), block.size());
        if (n == 0)
            break;
        if (n < 0)
            throw ArchiveError("解压账簿文件失败：" + ErrorText(reader.get()));
        total += static_cast<std::uint64_t>(n);
        if (total > allowed)
            throw ArchiveError("压缩包中的账簿文件过大，已停止解压");
        part.Write(std::string_view(block.data(), static_cast<std::size_t>(n)));
    }
    (void)part.Publish();
}

} // namespace kx::newbook
