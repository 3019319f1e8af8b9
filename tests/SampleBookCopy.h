#pragma once

#include "TempFolder.h"
#include "database/SampleBook.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace kx::test {

/// The sample book, built once per test program, and fresh copies of it for tests
/// that change a book.
class SampleBookCopy {
public:
    /// A fresh copy of the sample book in a folder of its own.
    SampleBookCopy() : path_(folder_.path() / "kxSample.mde") {
        std::filesystem::copy_file(Master(), path_);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    const TempFolder& folder() const { return folder_; }

    /// The one built book; tests must not change it. The build makes it once
    /// (KX_SAMPLE_BOOK or the build's own path names it); without that, the test
    /// program builds its own.
    static const std::filesystem::path& Master() {
        static const auto built = [] {
            auto holder = std::make_unique<TempFolder>();
            const char* prebuilt = std::getenv("KX_SAMPLE_BOOK");
#ifdef KX_BUILT_SAMPLE_BOOK
            if (prebuilt == nullptr)
                prebuilt = KX_BUILT_SAMPLE_BOOK;
#endif
            if (prebuilt != nullptr && std::filesystem::is_regular_file(prebuilt))
                return std::make_pair(std::move(holder), std::filesystem::path(prebuilt));
            const auto file = holder->path() / "kxSample.mde";
            database::CreateSampleBook(file);
            return std::make_pair(std::move(holder), file);
        }();
        return built.second;
    }

private:
    TempFolder folder_;
    std::filesystem::path path_;
};

} // namespace kx::test
