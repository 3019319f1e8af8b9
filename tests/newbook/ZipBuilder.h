#pragma once

#include <archive.h>
#include <archive_entry.h>

#include <filesystem>
#include <locale.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::newbook::test {

/// Writes real zip archives for the tests, with any entries the format allows,
/// the unsafe ones included.
class ZipBuilder {
  public:
    ZipBuilder& File(std::string path, std::string content) { return Add({std::move(path), std::move(content), AE_IFREG, {}}); }
    ZipBuilder& Folder(std::string path) { return Add({std::move(path), {}, AE_IFDIR, {}}); }
    ZipBuilder& Symlink(std::string path, std::string target) { return Add({std::move(path), {}, AE_IFLNK, std::move(target)}); }

    /// Marks the names as UTF-8 in the archive, as most zip programs do for names
    /// that are not ASCII.
    ZipBuilder& Utf8Names() {
        utf8Names_ = true;
        return *this;
    }

    /// Writes the archive (deflated unless `stored`) to `file`.
    void WriteTo(const std::filesystem::path& file, bool stored = false) const {
        // The writer marks names as UTF-8 when the thread's character type is UTF-8.
        const locale_t utf8 = utf8Names_ ? newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{}) : locale_t{};
        const locale_t previous = utf8 != locale_t{} ? uselocale(utf8) : locale_t{};
        struct Restore {
            locale_t utf8, previous;
            ~Restore() {
                if (utf8 != locale_t{}) {
                    uselocale(previous);
                    freelocale(utf8);
                }
            }
        } restore{utf8, previous};
        std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(), &archive_write_free);
        archive* w = writer.get();
        archive_write_set_format_zip(w);
        Check(w, stored ? archive_write_zip_set_compression_store(w) : archive_write_zip_set_compression_deflate(w));
        Check(w, archive_write_open_filename(w, file.c_str()));
        for (const Entry& e : entries_) {
            std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(), &archive_entry_free);
            archive_entry_set_pathname(entry.get(), e.path.c_str());
            archive_entry_set_filetype(entry.get(), e.type);
            archive_entry_set_perm(entry.get(), e.type == AE_IFREG ? 0644 : e.type == AE_IFDIR ? 0755 : 0777);
            if (e.type == AE_IFREG)
                archive_entry_set_size(entry.get(), static_cast<la_int64_t>(e.content.size()));
            else if (e.type == AE_IFLNK)
                archive_entry_set_symlink(entry.get(), e.link.c_str());
            Check(w, archive_write_header(w, entry.get()));
            if (!e.content.empty() &&
                archive_write_data(w, e.content.data(), e.content.size()) != static_cast<la_ssize_t>(e.content.size()))
                Check(w, ARCHIVE_FATAL);
        }
        Check(w, archive_write_close(w));
    }

  private:
    struct Entry {
        std::string path, content;
        unsigned int type;
        std::string link;
    };
    ZipBuilder& Add(Entry entry) {
        entries_.push_back(std::move(entry));
        return *this;
    }
    static void Check(archive* a, int rc) {
        if (rc < ARCHIVE_WARN)
            throw std::runtime_error(std::string("zip: ") + archive_error_string(a));
    }

    std::vector<Entry> entries_;
    bool utf8Names_ = false;
};

} // namespace kx::newbook::test
