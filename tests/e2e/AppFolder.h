#pragma once

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "platform/AnsiTextFile.h"

#include <QCryptographicHash>
#include <QFile>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kx::e2e {

/// The SHA-256 digest of a file's bytes, in hex; "" when it cannot be read.
inline std::string FileDigest(const std::filesystem::path& file) {
    QFile input(QString::fromStdString(file.string()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!input.open(QIODevice::ReadOnly) || !hash.addData(&input))
        return {};
    return hash.result().toHex().toStdString();
}

/// An application folder of one test: Data/kxSample.mde is a fresh copy of the
/// sample book, and books.txt the book list that the test writes.
class AppFolder {
  public:
    AppFolder() {
        std::filesystem::create_directories(Data());
        std::filesystem::copy_file(test::SampleBookCopy::Master(), SampleBook());
    }

    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path Data() const { return path() / "Data"; }
    std::filesystem::path SampleBook() const { return Data() / "kxSample.mde"; }
    std::filesystem::path ListFile() const { return path() / "books.txt"; }

    /// Writes the book list as the catalogue saves it: records ended by a carriage
    /// return, a carriage return and line feed after the last.
    void WriteList(const std::vector<std::string>& lines) const {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\r") + line;
        platform::WriteAnsiTextFile(ListFile(), text + "\r\n");
    }
    std::string ListText() const { return platform::ReadAnsiTextFile(ListFile()); }

    /// Every entry under the folder, hidden ones too, by its path inside the folder:
    /// a file's SHA-256 digest, "folder" for a folder. Left out: the empty lock
    /// files (".NAME.lock") that programs sharing a list keep beside it for good.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path())) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(".") && name.ends_with(".lock") && entry.is_regular_file() && entry.file_size() == 0)
                continue;
            entries[std::filesystem::relative(entry.path(), path()).string()] =
                entry.is_directory() ? "folder" : FileDigest(entry.path());
        }
        return entries;
    }

  private:
    test::TempFolder folder_;
};

/// The sample book's line in a book list, its folder relative to the application folder.
inline const std::string kSampleLine = "样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t";

/// The list text after the catalogue appended `line` to `before`.
inline std::string WithLineAppended(const std::string& before, const std::string& line) {
    return before.substr(0, before.size() - (before.ends_with("\r\n") ? 2 : 0)) + "\r" + line + "\r\n";
}

} // namespace kx::e2e
