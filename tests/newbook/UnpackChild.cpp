// A program that unpacks a template archive and then waits to be ended, for the
// tests of what a signal leaves behind.
//   newbook_unpack_child ARCHIVE           unpacks as the creation does (GetTemplateFile)
//   newbook_unpack_child ARCHIVE TARGET    unpacks straight to TARGET
// Prints "unpacked" or "failed: REASON" when done, then waits for a signal.

#include "newbook/TemplateLocation.h"
#include "newbook/TemplateUnpacker.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    kx::newbook::DirectTemplateUnpacker unpacker;
    try {
        const QString archive = QString::fromLocal8Bit(argv[1]);
        if (argc > 2) {
            unpacker.UnpackTo(archive, QString::fromLocal8Bit(argv[2]));
        } else {
            std::string failure;
            (void)kx::newbook::GetTemplateFile(
                archive, QStringLiteral("/"), unpacker, [](const QString&) {}, &failure);
            if (!failure.empty())
                throw std::runtime_error(failure);
        }
        std::puts("unpacked");
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
    }
    std::fflush(stdout);
    for (;;)
        ::pause();
}
