// A small program that changes a book list as the wizard does, for tests that run
// several programs on one list at once.
//   booklist_writer add LIST PREFIX COUNT [BOOKFILE]
//                                            adds COUNT entries "PREFIX1" ... of the book
//                                            file BOOKFILE, one AddBookListEntry each;
//                                            prints a failure's cause and ends with
//                                            status 1 at the first
//   booklist_writer hold LIST                takes the list's lock, prints "held" and
//                                            keeps it until its input ends

#include "newbook/BookListEntry.h"
#include "platform/ListLock.h"
#include "support/AccountingObject.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "add" && (argc == 5 || argc == 6)) {
            kx::support::AccountingObject acc;
            const int count = std::atoi(argv[4]);
            for (int i = 1; i <= count; ++i) {
                kx::newbook::NewBookListEntry entry;
                entry.bookName = std::string(argv[3]) + std::to_string(i);
                entry.userName = "某某有限公司";
                entry.bookFile = argc == 6 ? argv[5] : "";
                std::string failure;
                if (!kx::newbook::AddBookListEntry(entry, argv[2], &acc, 0, &failure)) {
                    std::cerr << failure << "\n";
                    return 1;
                }
            }
            return 0;
        }
        if (command == "hold" && argc == 3) {
            const kx::platform::ListLock lock(argv[2]);
            std::cout << "held" << std::endl;
            std::string line;
            while (std::getline(std::cin, line)) {
            }
            return 0;
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    std::cerr << "usage: booklist_writer add LIST PREFIX COUNT [BOOKFILE] | hold LIST\n";
    return 2;
}
