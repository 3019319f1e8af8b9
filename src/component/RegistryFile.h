#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::component {

/// The text of a class registry file: INI-style sections "[name]" holding
/// "Key=Value" lines, with ";" or "#" comment lines. Section names and keys
/// compare ASCII case-insensitively; a key has the spaces around it trimmed, a
/// value is everything after the first "=" as written.
///
/// Lines of sections that are not changed come back from Text() as they were read
/// (line ends become "\n"), so an edit of one section leaves the others alone.
class RegistryFile {
  public:
    struct Entry {
        std::string key;
        std::string value;
        bool operator==(const Entry&) const = default;
    };

    /// Reads registry text; never fails (lines that are neither a section header,
    /// an entry nor a comment are kept and otherwise ignored).
    static RegistryFile Parse(std::string_view text);

    /// The whole text, every line ended by "\n".
    std::string Text() const;

    /// Names of the sections in file order (duplicates included).
    std::vector<std::string> SectionNames() const;

    /// Entries of the first section called `name`; nullopt when there is none.
    std::optional<std::vector<Entry>> Section(std::string_view name) const;

    /// Value of `key` in the first section called `name`.
    std::optional<std::string> Value(std::string_view name, std::string_view key) const;

    /// Makes the first section called `name` hold exactly `entries` (in place, or
    /// appended when there is none) and drops any later section of that name.
    /// Throws std::invalid_argument for text that would not read back the same:
    /// a line break anywhere, a name with "]", empty or with spaces around it, a
    /// key with "=", empty, with spaces around it, or starting like a comment or a
    /// section header.
    void SetSection(std::string_view name, const std::vector<Entry>& entries);

    /// Removes every section called `name`; false when there was none.
    bool RemoveSection(std::string_view name);

  private:
    struct RawSection {
        std::string name;
        std::vector<std::string> lines; // body lines, as read
    };

    const RawSection* Find(std::string_view name) const;

    std::vector<std::string> preamble_;
    std::vector<RawSection> sections_;
};

} // namespace kx::component
