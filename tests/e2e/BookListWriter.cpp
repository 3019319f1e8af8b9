// A small program that adds to a book list as the wizard does, for tests that run
// several programs on one list at once:
//   booklist_writer add LIST PREFIX COUNT BOOKFILE
// adds COUNT entries "PREFIX1" ... of the book file BOOKFILE, one AddBookListEntry
// each; prints a failure's cause and ends with status 1 at the first.

#include "newbook/BookListEntry.h"
#include "support/AccountingObject.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 6 || std::string(argv[1]) != "add") {
        std::cerr << "usage: booklist_writer add LIST PREFIX COUNT BOOKFILE\n";
        return 2;
    }
    try {
        kx::support::AccountingObject acc;
        for (int i = 1; i <= std::atoi(argv[4]); ++i) {
            kx::newbook::NewBookListEntry entry;
            entry.bookName = std::string(argv[3]) + std::to_string(i);
            entry.userName = "某某有限公司";
            entry.bookFile = argv[5];
            std::string failure;
            if (!kx::newbook::AddBookListEntry(entry, argv[2], &acc, 0, &failure)) {
                std::cerr << failure << "\n";
                return 1;
            }
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
