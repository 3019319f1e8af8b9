#pragma once

#include "component/kxLedgerWizComponent.h"

#include <string>
#include <vector>

struct QMetaObject;

namespace kx::component {

/// What the interface description says about a control besides its meta-object.
struct ControlIdentity {
    std::string libraryName;
    std::string version;
    std::string progId;
    Guid classId{};
    Guid interfaceId{};
    Guid eventsId{};
};

/// A property of the control that its meta-object cannot carry as a property:
/// one read and written with an index (through invokable methods "Name" and
/// "SetName"), or a public member without a meta-object property.
struct ExtraProperty {
    std::string type;
    std::string name;
    bool writable = true;
    /// The index parameter ("short Index"), or "" for a plain property.
    std::string index;
    /// The meta-object property it is listed before; "" lists it after them all.
    std::string before;
};

/// The IDL-like interface description of the control class `meta`, from its
/// meta-object alone (nothing is instantiated). It lists what the class itself
/// declares, not what its base classes do:
/// - the interface `_<Class>`: every scriptable property (the others are for
///   form designers only) as "[readwrite] Type Name;" or
///   "[readonly] Type Name;" (an indexed one as "Type Name(IndexType Index);"),
///   `extras` among them where they say, then every public slot and public invokable method
///   as "Result Name(Type Param, ...);", trailing parameters with a default value
///   marked "[optional]", except the invokable getter "Name" and setter
///   "SetName" of an indexed property of `extras`, which the property stands for;
/// - the event interface `__<Class>`: every signal as "void Name(Type Param, ...);";
/// - the coclass with its class and program ids.
/// Types are the normalised Qt type names ("QString", "short", "bool&"); a
/// parameter passed by reference keeps its "&". Members appear in declaration order.
std::string DescribeControl(const QMetaObject& meta, const ControlIdentity& identity,
                            const std::vector<ExtraProperty>& extras = {});

} // namespace kx::component
