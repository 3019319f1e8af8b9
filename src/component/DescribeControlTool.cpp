// kx_describe_control <output file>: writes the interface description of the
// control CreatLedgerWiz, read from its meta-object, for installation beside
// libkxLedgerWiz.so.
#include "component/InterfaceDescription.h"
#include "platform/AnsiTextFile.h"
#include "wizard/CreatLedgerWiz.h"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kx_describe_control <output file>\n";
        return 2;
    }
    try {
        kx::component::ControlIdentity identity;
        identity.libraryName = "kxLedgerWiz";
        identity.version = KX_LEDGERWIZ_VERSION;
        identity.progId = KX_PROGID_CreatLedgerWiz;
        identity.classId = KX_CLSID_CreatLedgerWiz;
        identity.interfaceId = KX_IID_CreatLedgerWiz;
        identity.eventsId = KX_IID_CreatLedgerWizEvents;
        const std::filesystem::path output = argv[1];
        kx::platform::WriteFileAtomically(
            output, kx::component::DescribeControl(kx::wizard::CreatLedgerWiz::staticMetaObject, identity));
        // A public description, not private data: readable by all like the library.
        using std::filesystem::perms;
        std::filesystem::permissions(output, perms::owner_read | perms::owner_write | perms::group_read |
                                                 perms::others_read);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "kx_describe_control: " << error.what() << "\n";
        return 1;
    }
}
