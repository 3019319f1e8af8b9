// Loads any bytes as a book list file and reads every field of every book, the
// way the list view and `ledgerwiz books` do. A crash, a sanitizer report, an
// exception escaping a member or a hang is a finding.

#include "catalogue/BookLocation.h"
#include "catalogue/clsBooksList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& ListFile() {
    static const std::string file = [] {
        char folder[] = "/tmp/kx-fuzz-list-XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            std::abort();
        return std::string(folder) + "/books.txt";
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(ListFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    kx::catalogue::clsBooksList list;
    list.SetAppPath("/tmp");
    if (!list.LoadBooks(ListFile()))
        return 0;
    for (int n = 0; n <= list.BookCount(); ++n) {
        const auto i = static_cast<std::int16_t>(n);
        for (std::int16_t field = 0; field < 8; ++field)
            (void)list.GetProperty(i, field);
        (void)list.isSqlBook(i);
        (void)list.BookPathFile(i);
        const auto location =
            kx::catalogue::BookLocation::FromListFields(list.GetProperty(i, 1), list.BookFile(i));
        (void)location.MaskedPath();
        if (location.IsServerBook())
            (void)location.SqlLocation();
    }
    return 0;
}
