// Builds the sample book file named on the command line (used by the build).
#include "database/SampleBook.h"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kx_make_sample_book FILE\n";
        return 2;
    }
    try {
        const std::filesystem::path file = argv[1];
        std::filesystem::create_directories(file.parent_path());
        // A stale book from an earlier build is replaced: the script may have changed.
        std::filesystem::remove(file);
        return kx::database::CreateSampleBook(file) ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "kx_make_sample_book: " << e.what() << "\n";
        return 1;
    }
}
