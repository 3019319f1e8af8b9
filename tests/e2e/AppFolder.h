#pragma once

#include "TempFolder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kx::e2e {

/// An application folder of one test: Data/kxSample.mde is a fresh copy of the
/// sample book, and books.txt the book list that the test writes.
class AppFolder {
  public:
    AppFolder();

    const std::filesystem::path& path() const { return folder_.path(); }
    std::string str() const { return folder_.str(); }
    std::filesystem::path Data() const { return path() / "Data"; }
    std::filesystem::path SampleBook() const { return Data() / "kxSample.mde"; }
    std::filesystem::path ListFile() const { return path() / "books.txt"; }

    /// Writes the book list as the catalogue saves it: records ended by a carriage
    /// return, a carriage return and line feed after the last.
    void WriteList(const std::vector<std::string>& lines) const;
    /// The book list's text.
    std::string ListText() const;

  private:
    test::TempFolder folder_;
};

/// The sample book's line in a book list, with its folder relative to the
/// application folder.
inline const std::string kSampleLine = "样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t";

/// The list text after a line was appended to `before` by the catalogue.
std::string WithLineAppended(const std::string& before, const std::string& line);

/// The SHA-256 digest of a file's bytes, in hex; "" when it cannot be read.
std::string FileDigest(const std::filesystem::path& file);

} // namespace kx::e2e
