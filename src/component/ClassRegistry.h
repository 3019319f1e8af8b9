#pragma once

#include "component/kxLedgerWizComponent.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::component {

/// One class of the registry: which library serves it, and where its interface
/// description lies ("" when none was registered).
struct RegisteredClass {
    Guid classId{};
    std::string progId;
    std::filesystem::path library;
    std::filesystem::path description;
};

/// The class registry file of this user: the file named by KX_COMPONENT_REGISTRY
/// when that is set and not empty, else registry.ini in the folder kxLedgerWiz of
/// $XDG_CONFIG_HOME (when it is an absolute path) or of ~/.config. Throws
/// ComponentError (KX_SELFREG_E_CLASS) when no home folder can be found.
std::filesystem::path DefaultClassRegistryFile();

/// The class registry: a file of sections named by class id (registry form of the
/// id), each with the keys "ProgId", "Library" and "Description".
///
/// Reading never changes the file; a missing file reads as an empty registry.
/// Changes hold an exclusive lock on the registry's folder while they read, edit
/// and atomically replace the file, so concurrent registrations do not lose each
/// other's entries, and a crash leaves the old file or the new one. Sections that
/// are not this class's own (other ids, hand-written text) are left as they are.
/// All members throw ComponentError (KX_SELFREG_E_CLASS) when the file cannot be
/// read or written.
class ClassRegistry {
  public:
    explicit ClassRegistry(std::filesystem::path file);

    const std::filesystem::path& file() const noexcept { return file_; }

    /// All complete entries (a class id, a program id and a library), file order.
    std::vector<RegisteredClass> Classes() const;

    /// The entry of `classId`, if registered completely.
    std::optional<RegisteredClass> FindByClassId(const Guid& classId) const;

    /// The first complete entry whose program id equals `progId` (ASCII case
    /// ignored, as program ids are).
    std::optional<RegisteredClass> FindByProgId(std::string_view progId) const;

    /// Enters `entry`, replacing the section of its class id. The registry's
    /// folder is made (mode 0700) when missing; a new file gets mode 0600.
    /// Throws ComponentError also for an entry whose text cannot be stored (a
    /// line break in a path, an empty program id or library).
    void Register(const RegisteredClass& entry);

    /// Removes the section of `classId`; false (and the file untouched, or not
    /// made) when there was none.
    bool Unregister(const Guid& classId);

  private:
    std::filesystem::path file_;
};

/// FindByProgId on the registry DefaultClassRegistryFile().
std::optional<RegisteredClass> FindClassByProgId(std::string_view progId);

} // namespace kx::component
