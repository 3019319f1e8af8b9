#pragma once

#include <archive.h>
#include <archive_entry.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::newbook::test {

/// Writes real zip archives for the tests, with any entries the format allows,
/// the unsafe ones included.
class ZipBuilder {
  public:
    enum class Kind { File, Folder, Symlink };
    struct Entry {
        std::string path;
        std::string content;
        Kind kind = Kind::File;
        /// Link target of a symlink.
        std::string linkTarget;
    };

    ZipBuilder& File(std::string path, std::string content) {
        entries_.push_back({std::move(path), std::move(content), Kind::File, {}});
        return *this;
    }
    ZipBuilder& Folder(std::string path) {
        entries_.push_back({std::move(path), {}, Kind::Folder, {}});
        return *this;
    }
    ZipBuilder& Symlink(std::string path, std::string target) {
        entries_.push_back({std::move(path), {}, Kind::Symlink, std::move(target)});
        return *this;
    }

    /// Writes the archive (deflated unless `stored`) to `file`.
    void WriteTo(const std::filesystem::path& file, bool stored = false) const {
        std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(), &archive_write_free);
        archive_write_set_format_zip(writer.get());
        if (stored)
            archive_write_zip_set_compression_store(writer.get());
        else
            archive_write_zip_set_compression_deflate(writer.get());
        Check(writer.get(), archive_write_open_filename(writer.get(), file.c_str()));
        for (const Entry& e : entries_) {
            std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(), &archive_entry_free);
            archive_entry_set_pathname(entry.get(), e.path.c_str());
            switch (e.kind) {
            case Kind::File:
                archive_entry_set_filetype(entry.get(), AE_IFREG);
                archive_entry_set_size(entry.get(), static_cast<la_int64_t>(e.content.size()));
                archive_entry_set_perm(entry.get(), 0644);
                break;
            case Kind::Folder:
                archive_entry_set_filetype(entry.get(), AE_IFDIR);
                archive_entry_set_perm(entry.get(), 0755);
                break;
            case Kind::Symlink:
                archive_entry_set_filetype(entry.get(), AE_IFLNK);
                archive_entry_set_symlink(entry.get(), e.linkTarget.c_str());
                archive_entry_set_perm(entry.get(), 0777);
                break;
            }
            Check(writer.get(), archive_write_header(writer.get(), entry.get()));
            const auto size = static_cast<la_ssize_t>(e.content.size());
            if (size > 0 && archive_write_data(writer.get(), e.content.data(), e.content.size()) != size)
                throw std::runtime_error(std::string("zip data: ") + archive_error_string(writer.get()));
        }
        Check(writer.get(), archive_write_close(writer.get()));
    }

  private:
    static void Check(archive* a, int rc) {
        if (rc < ARCHIVE_WARN)
            throw std::runtime_error(std::string("zip: ") + archive_error_string(a));
    }

    std::vector<Entry> entries_;
};

} // namespace kx::newbook::test
