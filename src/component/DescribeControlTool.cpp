// kx_describe_control <output file>: writes the interface description of the
// control CreatLedgerWiz, read from its meta-object and its other public members,
// for installation beside libkxLedgerWiz.so.
#include "component/InterfaceDescription.h"
#include "platform/AnsiTextFile.h"
#include "wizard/CreatLedgerWiz.h"

#include <QMetaType>

#include <exception>
#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

namespace {

using kx::wizard::CreatLedgerWiz;

/// The Qt name of type T, as the meta-object spells the other members' types.
template <typename T> std::string TypeName() {
    return QMetaType::fromType<T>().name();
}

/// The indexed properties of the control, in their places among the others; the
/// meta-object carries them only as their invokable getters and setters. Their
/// types are taken from the declarations, so they follow the control.
std::vector<kx::component::ExtraProperty> ExtraMembers() {
    const std::string index = "short Index";
    CreatLedgerWiz* const none = nullptr;
    return {
        {TypeName<decltype(none->ForeColorBookList(0))>(), "ForeColorBookList", true, index, "Step"},
        {TypeName<decltype(none->ButtonCaption(0))>(), "ButtonCaption", false, index, "MaxStep"},
        {TypeName<decltype(none->ButtonEnabled(0))>(), "ButtonEnabled", false, index, "MaxStep"},
    };
}

} // namespace

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
            output,
            kx::component::DescribeControl(CreatLedgerWiz::staticMetaObject, identity, ExtraMembers()));
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
