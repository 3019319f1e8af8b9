#include "newbook/ArchiveUnpacker.h"

#include "ado/jet/BookFile.h"
#include "database/CreateCnn.h"
#include "platform/FileDescriptor.h"
#include "platform/PlatformError.h"
#include "platform/PrivateTempFolder.h"
#include "platform/PublishedFile.h"
#include "platform/RemovedOnSignal.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kx::newbook {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
/// A database file is a whole number of pages, and a page has at least 512 bytes.
constexpr std::uint64_t kSmallestPage = 512;
/// The largest page: the first this many bytes hold the whole first page.
constexpr std::size_t kLargestPage = 64 * 1024;

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

/// Makes this thread's character type UTF-8 for as long as it lives, so that the
/// archive library can give entry names that the archive marks as UTF-8 (what
/// most zip programs write for Chinese names): in the "C" locale of a program
/// that never chose one, it cannot convert them and gives no name at all. Only the
/// calling thread is touched, never the process's locale.
class Utf8Names {
  public:
    Utf8Names() : utf8_(::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {
        if (utf8_ != static_cast<locale_t>(nullptr))
            previous_ = ::uselocale(utf8_);
    }
    ~Utf8Names() {
        if (utf8_ != static_cast<locale_t>(nullptr)) {
            ::uselocale(previous_);
            ::freelocale(utf8_);
        }
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

  private:
    locale_t utf8_;
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

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

/// The one regular file of an archive.
struct BookEntry {
    int index = 0;
    std::string path;
    std::uint64_t size = 0;
};

/// Checks every entry and answers the one regular file.
BookEntry FindTheBookFile(archive* a) {
    std::optional<BookEntry> found;
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
            // The size decides, before anything is written, whether the file can be
            // a book and whether it fits; an archive that does not tell it is refused.
            if (archive_entry_size_is_set(entry) == 0 || archive_entry_size(entry) < 0)
                throw ArchiveError("压缩包没有记录“" + path + "”的大小，无法在解压前确认它是账簿文件。");
            found = BookEntry{index, path, static_cast<std::uint64_t>(archive_entry_size(entry))};
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

/// "2,147,483,648 字节".
std::string Bytes(std::uint64_t count) {
    std::string digits = std::to_string(count);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits + " 字节";
}

/// Refuses a size that no book has, or that leaves too little room beside `target`.
void CheckSize(const BookEntry& book, const ArchiveLimits& limits, const std::filesystem::path& target) {
    if (book.size == 0)
        throw ArchiveError("压缩包中的“" + book.path + "”是空文件，不是账簿文件。");
    if (book.size % kSmallestPage != 0)
        throw ArchiveError("压缩包中的“" + book.path + "”不是账簿文件：它的大小 " + Bytes(book.size) +
                           "不是数据库页的整数倍。");
    if (book.size > limits.maxBookBytes)
        throw ArchiveError("压缩包中的“" + book.path + "”解压后有 " + Bytes(book.size) +
                           "，超过账簿文件的上限 " + Bytes(limits.maxBookBytes) + "，不是账簿文件。");
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) != 0)
        return; // the write then tells what is wrong with the folder
    const std::uint64_t available = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
    if (available < limits.freeSpaceMargin || available - limits.freeSpaceMargin < book.size)
        throw ArchiveError("磁盘空间不足，无法解压“" + book.path + "”：它有 " + Bytes(book.size) +
                           "，另需留出 " + Bytes(limits.freeSpaceMargin) + "的余量，而 " + folder.string() +
                           " 所在的磁盘只剩 " + Bytes(available) + "。");
}

/// Whether `start`, the first bytes of a file of `size` bytes, begins a book file:
/// they go to a private file of that size (the rest a hole, which takes no room)
/// that the engine opens with the key of book files.
bool StartsAsBook(std::string_view start, std::uint64_t size) {
    const std::filesystem::path probe = platform::NewPrivateTempName("probe");
    struct RemovedAfterwards {
        const std::filesystem::path& file;
        ~RemovedAfterwards() {
            std::error_code ec;
            for (const char* suffix : {"", "-journal", "-wal", "-shm"})
                std::filesystem::remove(file.string() + suffix, ec);
        }
    } removed{probe};
    {
        errno = 0;
        platform::FileDescriptor fd(::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd.get() < 0 ||
            ::write(fd.get(), start.data(), start.size()) != static_cast<ssize_t>(start.size()) ||
            ::ftruncate(fd.get(), static_cast<off_t>(size)) != 0) {
            const int err = errno != 0 ? errno : EIO; // a short write sets none
            throw platform::PlatformError(platform::ErrorNumberFromErrno(err),
                                          std::string("无法检查账簿文件的文件头：") + std::strerror(err));
        }
    }
    return ado::jet::BeginsAsBookFile(probe, database::kBookDatabasePassword);
}

/// Reads up to `wanted` bytes of the current entry; fewer only at its end.
std::string ReadStart(archive* a, std::size_t wanted) {
    std::string start(wanted, '\0');
    std::size_t got = 0;
    while (got < wanted) {
        const la_ssize_t n = archive_read_data(a, start.data() + got, wanted - got);
        if (n < 0)
            throw ArchiveError("解压账簿文件失败：" + ErrorText(a));
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    start.resize(got);
    return start;
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
    if (!std::filesystem::is_regular_file(archive, ec)) {
        const int err = ec ? ec.value() : (std::filesystem::exists(archive, ec) ? EINVAL : ENOENT);
        throw platform::PlatformError(platform::ErrorNumberFromErrno(err),
                                      "无法读取压缩包 " + archive.string() + "：" + std::strerror(err));
    }

    const Utf8Names utf8Names;
    // First pass: look at every entry before anything is written.
    const BookEntry book = FindTheBookFile(OpenZip(archive).get());
    CheckSize(book, limits_, target);

    ArchiveReader reader = OpenZip(archive);
    archive_entry* entry = nullptr;
    for (int index = 0; index < book.index; ++index) {
        if (!NextEntry(reader.get(), entry))
            throw ArchiveError("压缩包在读取时发生变化");
        archive_read_data_skip(reader.get());
    }
    if (!NextEntry(reader.get(), entry) || archive_entry_filetype(entry) != AE_IFREG ||
        archive_entry_hardlink(entry) != nullptr || archive_entry_symlink(entry) != nullptr ||
        archive_entry_size_is_set(entry) == 0 ||
        static_cast<std::uint64_t>(archive_entry_size(entry)) != book.size)
        throw ArchiveError("压缩包在读取时发生变化");

    const std::string damaged = "压缩包已损坏：“" + book.path + "”解压出的数据与记录的大小不符。";
    const std::string start =
        ReadStart(reader.get(), static_cast<std::size_t>(std::min<std::uint64_t>(book.size, kLargestPage)));
    if (start.size() != std::min<std::uint64_t>(book.size, kLargestPage))
        throw ArchiveError(damaged);
    if (!StartsAsBook(start, book.size))
        throw ArchiveError("压缩包中的“" + book.path + "”不是账簿文件：它的文件头不能作为账簿打开。");

    // The book appears at its name only whole; a failed unpack leaves nothing, and
    // neither does one that a signal ends.
    platform::PublishedFile part(target, platform::PublishMode::Replace, 0600);
    const platform::RemovedOnSignal unfinished(part.temporaryPath(), platform::RemovedOnSignal::Kind::File);
    part.Write(start);
    std::array<char, kBlockSize> block{};
    std::uint64_t total = start.size();
    for (;;) {
        const la_ssize_t n = archive_read_data(reader.get(), block.data(), block.size());
        if (n == 0)
            break;
        if (n < 0)
            throw ArchiveError("解压账簿文件失败：" + ErrorText(reader.get()));
        total += static_cast<std::uint64_t>(n);
        if (total > book.size)
            throw ArchiveError(damaged);
        part.Write(std::string_view(block.data(), static_cast<std::size_t>(n)));
    }
    if (total != book.size)
        throw ArchiveError(damaged);
    (void)part.Publish();
}

} // namespace kx::newbook
