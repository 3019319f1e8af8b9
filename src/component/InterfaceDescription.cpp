#include "component/InterfaceDescription.h"

#include "component/Guid.h"

#include <QByteArray>
#include <QList>
#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>

#include <algorithm>
#include <vector>

namespace kx::component {
namespace {

struct Member {
    QMetaMethod method;
    int firstOptional = 0; // index of the first parameter that may be left out
};

std::string Text(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

/// The registry form without its braces, as IDL writes identifiers.
std::string BareGuid(const Guid& guid) {
    const std::string text = FormatGuid(guid);
    return text.substr(1, text.size() - 2);
}

/// The class name without its namespaces.
std::string ShortClassName(const QMetaObject& meta) {
    const std::string full = meta.className();
    const auto colon = full.rfind("::");
    return colon == std::string::npos ? full : full.substr(colon + 2);
}

/// Methods of `meta` itself of the given kind, public only. moc lists a method
/// with default arguments once in full and then once per default left out (marked
/// cloned), right after it; those copies only tell how many parameters are optional.
std::vector<Member> MembersOf(const QMetaObject& meta, QMetaMethod::MethodType kind1,
                              QMetaMethod::MethodType kind2) {
    std::vector<Member> members;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.access() != QMetaMethod::Public ||
            (method.methodType() != kind1 && method.methodType() != kind2))
            continue;
        if ((method.attributes() & QMetaMethod::Cloned) != 0 && !members.empty() &&
            members.back().method.name() == method.name()) {
            members.back().firstOptional = std::min(members.back().firstOptional, method.parameterCount());
            continue;
        }
        members.push_back(Member{method, method.parameterCount()});
    }
    return members;
}

std::string Signature(const Member& member) {
    const QMetaMethod& method = member.method;
    std::string text = Text(method.typeName()) + " " + Text(method.name()) + "(";
    const QList<QByteArray> types = method.parameterTypes();
    const QList<QByteArray> names = method.parameterNames();
    for (qsizetype i = 0; i < types.size(); ++i) {
        if (i > 0)
            text += ", ";
        if (i >= member.firstOptional)
            text += "[optional] ";
        text += Text(types[i]);
        if (i < names.size() && !names[i].isEmpty())
            text += " " + Text(names[i]);
    }
    return text + ");";
}

std::string PropertyLine(bool writable, const std::string& type, const std::string& name,
                         const std::string& index) {
    return std::string("        [") + (writable ? "readwrite" : "readonly") + "] " + type + " " + name +
           (index.empty() ? "" : "(" + index + ")") + ";\n";
}

/// The extras listed before the property `name` ("" for those after them all).
std::string ExtrasBefore(const std::vector<ExtraProperty>& extras, const std::string& name) {
    std::string out;
    for (const auto& extra : extras) {
        if (extra.before == name)
            out += PropertyLine(extra.writable, extra.type, extra.name, extra.index);
    }
    return out;
}

/// Whether `method` is the getter ("Name") or setter ("SetName") through which
/// an indexed property of `extras` is reached; those are listed as the property.
bool IsIndexedAccessor(const std::vector<ExtraProperty>& extras, const std::string& method) {
    return std::any_of(extras.begin(), extras.end(), [&](const ExtraProperty& extra) {
        return !extra.index.empty() && (method == extra.name || method == "Set" + extra.name);
    });
}

} // namespace

std::string DescribeControl(const QMetaObject& meta, const ControlIdentity& identity,
                            const std::vector<ExtraProperty>& extras) {
    const std::string name = ShortClassName(meta);
    std::string out;
    out +=
        "// Interface description of the control " + name + " in the library " + identity.libraryName + ",\n";
    out += "// generated from the meta-object of " + std::string(meta.className()) + " and its\n";
    out += "// properties read and written with an index.\n";
    out += "// Types are the control's own; \"&\" marks a parameter passed by reference,\n";
    out += "// which an event handler may change.\n\n";

    out += "[version(" + identity.version + ")]\n";
    out += "library " + identity.libraryName + "\n{\n";

    out += "    [uuid(" + BareGuid(identity.interfaceId) + ")]\n";
    out += "    dispinterface _" + name + "\n    {\n";
    out += "    properties:\n";
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (!property.isScriptable())
            continue; // a form designer's, not the interface's
        out += ExtrasBefore(extras, property.name());
        out += PropertyLine(property.isWritable(), property.typeName(), property.name(), {});
    }
    out += ExtrasBefore(extras, {});
    out += "    methods:\n";
    for (const auto& member : MembersOf(meta, QMetaMethod::Slot, QMetaMethod::Method)) {
        if (!IsIndexedAccessor(extras, Text(member.method.name())))
            out += "        " + Signature(member) + "\n";
    }
    out += "    };\n\n";

    out += "    [uuid(" + BareGuid(identity.eventsId) + ")]\n";
    out += "    dispinterface __" + name + "\n    {\n";
    out += "    methods:\n";
    for (const auto& member : MembersOf(meta, QMetaMethod::Signal, QMetaMethod::Signal))
        out += "        " + Signature(member) + "\n";
    out += "    };\n\n";

    out += "    [uuid(" + BareGuid(identity.classId) + "), progid(\"" + identity.progId + "\")]\n";
    out += "    coclass " + name + "\n    {\n";
    out += "        [default] dispinterface _" + name + ";\n";
    out += "        [default, source] dispinterface __" + name + ";\n";
    out += "    };\n};\n";
    return out;
}

} // namespace kx::component
