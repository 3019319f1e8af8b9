#include "component/ClassRegistry.h"

#include "component/ComponentError.h"
#include "component/Guid.h"
#include "component/RegistryFile.h"
#include "platform/AnsiTextFile.h"
#include "platform/PlatformError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace kx::component {
namespace {

constexpr const char* kProgIdKey = "ProgId";
constexpr const char* kLibraryKey = "Library";
constexpr const char* kDescriptionKey = "Description";

[[noreturn]] void ThrowRegistryError(const std::string& what, const std::filesystem::path& file, int err = 0) {
    std::string text = what + ": " + file.string();
    if (err != 0)
        text += " (" + std::string(std::strerror(err)) + ")";
    throw ComponentError(KX_SELFREG_E_CLASS, text);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
        return home;
    std::array<char, 4096> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

/// Makes `folder` and the folders above it that are missing, each with mode 0700.
void MakeFolders(const std::filesystem::path& folder) {
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            ThrowRegistryError("cannot make the class registry folder", partial, errno);
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        ThrowRegistryError("class registry folder is not a folder", folder);
}

/// Exclusive lock on the registry's folder for one read-edit-replace cycle; the
/// file itself cannot carry it, since the replacement is a new file.
class FolderLock {
  public:
    explicit FolderLock(const std::filesystem::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0)
            ThrowRegistryError("cannot open the class registry folder", folder, errno);
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int err = errno;
                ::close(fd_);
                ThrowRegistryError("cannot lock the class registry folder", folder, err);
            }
        }
    }
    ~FolderLock() { ::close(fd_); } // closing drops the lock
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_;
};

/// The registry text; empty when the file does not exist.
RegistryFile ReadRegistry(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return {};
        ThrowRegistryError("cannot read the class registry", file, errno);
    }
    if (!S_ISREG(st.st_mode))
        ThrowRegistryError("class registry is not a file", file);
    try {
        return RegistryFile::Parse(platform::ReadWholeFile(file));
    } catch (const platform::PlatformError& error) {
        ThrowRegistryError(std::string("cannot read the class registry: ") + error.what(), file);
    }
}

void WriteRegistry(const std::filesystem::path& file, const RegistryFile& registry) {
    try {
        platform::WriteFileAtomically(file, registry.Text());
    } catch (const platform::PlatformError& error) {
        ThrowRegistryError(std::string("cannot write the class registry: ") + error.what(), file);
    }
}

bool SameAscii(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

/// Names of the sections that stand for `classId`, however the id is written.
std::vector<std::string> SectionsOf(const RegistryFile& registry, const Guid& classId) {
    std::vector<std::string> names;
    for (auto& name : registry.SectionNames()) {
        const auto id = ParseGuid(name);
        if (id && *id == classId && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    return names;
}

std::vector<RegisteredClass> CompleteClasses(const RegistryFile& registry) {
    std::vector<RegisteredClass> classes;
    for (const auto& name : registry.SectionNames()) {
        const auto id = ParseGuid(name);
        if (!id)
            continue;
        RegisteredClass entry;
        entry.classId = *id;
        entry.progId = registry.Value(name, kProgIdKey).value_or("");
        entry.library = registry.Value(name, kLibraryKey).value_or("");
        entry.description = registry.Value(name, kDescriptionKey).value_or("");
        if (!entry.progId.empty() && !entry.library.empty())
            classes.push_back(std::move(entry));
    }
    return classes;
}

} // namespace

std::filesystem::path DefaultClassRegistryFile() {
    if (const char* named = std::getenv(KX_COMPONENT_REGISTRY_VARIABLE); named != nullptr && named[0] != '\0')
        return named;
    std::filesystem::path config;
    // Relative values of XDG_CONFIG_HOME are to be ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        config = xdg;
    } else {
        const std::string home = HomeFolder();
        if (home.empty())
            throw ComponentError(KX_SELFREG_E_CLASS, "no home folder for the class registry");
        config = std::filesystem::path(home) / ".config";
    }
    return config / "kxLedgerWiz" / "registry.ini";
}

ClassRegistry::ClassRegistry(std::filesystem::path file) : file_(std::move(file)) {}

std::vector<RegisteredClass> ClassRegistry::Classes() const {
    return CompleteClasses(ReadRegistry(file_));
}

std::optional<RegisteredClass> ClassRegistry::FindByClassId(const Guid& classId) const {
    for (auto& entry : Classes()) {
        if (entry.classId == classId)
            return std::move(entry);
    }
    return std::nullopt;
}

std::optional<RegisteredClass> ClassRegistry::FindByProgId(std::string_view progId) const {
    for (auto& entry : Classes()) {
        if (SameAscii(entry.progId, progId))
            return std::move(entry);
    }
    return std::nullopt;
}

void ClassRegistry::Register(const RegisteredClass& entry) {
    if (entry.progId.empty() || entry.library.empty())
        ThrowRegistryError("class registry entry without program id or library", file_);
    std::vector<RegistryFile::Entry> entries{{kProgIdKey, entry.progId}, {kLibraryKey, entry.library.string()}};
    if (!entry.description.empty())
        entries.push_back({kDescriptionKey, entry.description.string()});

    const std::filesystem::path folder = FolderOf(file_);
    MakeFolders(folder);
    FolderLock lock(folder);
    RegistryFile registry = ReadRegistry(file_);
    const std::string section = FormatGuid(entry.classId);
    for (const auto& name : SectionsOf(registry, entry.classId)) {
        if (!SameAscii(name, section))
            registry.RemoveSection(name);
    }
    try {
        registry.SetSection(section, entries);
    } catch (const std::invalid_argument& error) {
        ThrowRegistryError(std::string("class registry entry cannot be stored: ") + error.what(), file_);
    }
    WriteRegistry(file_, registry);
}

bool ClassRegistry::Unregister(const Guid& classId) {
    const std::filesystem::path folder = FolderOf(file_);
    struct stat st {};
    if (::stat(file_.c_str(), &st) != 0 && errno == ENOENT)
        return false;
    FolderLock lock(folder);
    RegistryFile registry = ReadRegistry(file_);
    const auto names = SectionsOf(registry, classId);
    if (names.empty())
        return false;
    for (const auto& name : names)
        registry.RemoveSection(name);
    WriteRegistry(file_, registry);
    return true;
}

std::optional<RegisteredClass> FindClassByProgId(std::string_view progId) {
    return ClassRegistry(DefaultClassRegistryFile()).FindByProgId(progId);
}

} // namespace kx::component
