#include "component/RegistryFile.h"

#include "platform/CaseFolding.h"

#include <algorithm>
#include <stdexcept>

namespace kx::component {
namespace {

bool SameText(std::string_view a, std::string_view b) {
    return platform::EqualsIgnoringCase(a, b);
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsComment(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    return trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#';
}

/// The section name of a header line "[name]", or nullopt.
std::optional<std::string> HeaderName(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']')
        return std::nullopt;
    return std::string(Trim(trimmed.substr(1, trimmed.size() - 2)));
}

std::optional<RegistryFile::Entry> EntryOf(std::string_view line) {
    if (IsComment(line))
        return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return RegistryFile::Entry{std::string(key), std::string(line.substr(equals + 1))};
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

RegistryFile RegistryFile::Parse(std::string_view text) {
    RegistryFile file;
    std::vector<std::string>* body = &file.preamble_;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (auto name = HeaderName(line)) {
            file.sections_.push_back(RawSection{std::move(*name), {}});
            body = &file.sections_.back().lines;
        } else {
            body->emplace_back(line);
        }
    }
    return file;
}

std::string RegistryFile::Text() const {
    std::string text;
    for (const auto& line : preamble_)
        text.append(line).push_back('\n');
    for (const auto& section : sections_) {
        text.append("[").append(section.name).append("]\n");
        for (const auto& line : section.lines)
            text.append(line).push_back('\n');
    }
    return text;
}

std::vector<std::string> RegistryFile::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const auto& section : sections_)
        names.push_back(section.name);
    return names;
}

const RegistryFile::RawSection* RegistryFile::Find(std::string_view name) const {
    const auto it = std::find_if(sections_.begin(), sections_.end(),
                                 [name](const RawSection& section) { return SameText(section.name, name); });
    return it == sections_.end() ? nullptr : &*it;
}

std::optional<std::vector<RegistryFile::Entry>> RegistryFile::Section(std::string_view name) const {
    const RawSection* section = Find(name);
    if (section == nullptr)
        return std::nullopt;
    std::vector<Entry> entries;
    for (const auto& line : section->lines) {
        if (auto entry = EntryOf(line))
            entries.push_back(std::move(*entry));
    }
    return entries;
}

std::optional<std::string> RegistryFile::Value(std::string_view name, std::string_view key) const {
    const auto entries = Section(name);
    if (!entries)
        return std::nullopt;
    for (const auto& entry : *entries) {
        if (SameText(entry.key, key))
            return entry.value;
    }
    return std::nullopt;
}

void RegistryFile::SetSection(std::string_view name, const std::vector<Entry>& entries) {
    if (name.empty() || Trim(name) != name || name.find(']') != std::string_view::npos || HasLineBreak(name))
        throw std::invalid_argument("registry section name cannot be stored: " + std::string(name));
    std::vector<std::string> lines;
    lines.reserve(entries.size() + 1);
    for (const auto& entry : entries) {
        if (entry.key.empty() || Trim(entry.key) != entry.key || entry.key.find('=') != std::string::npos ||
            IsComment(entry.key) || entry.key.front() == '[' || HasLineBreak(entry.key))
            throw std::invalid_argument("registry key cannot be stored: " + entry.key);
        if (HasLineBreak(entry.value))
            throw std::invalid_argument("registry value of " + entry.key + " holds a line break");
        lines.push_back(entry.key + "=" + entry.value);
    }

    auto first = std::find_if(sections_.begin(), sections_.end(),
                              [name](const RawSection& section) { return SameText(section.name, name); });
    if (first == sections_.end()) {
        // A blank line keeps the new section apart from what stands above it.
        std::vector<std::string>& above = sections_.empty() ? preamble_ : sections_.back().lines;
        if (!above.empty() && !Trim(above.back()).empty())
            above.emplace_back();
        lines.emplace_back();
        sections_.push_back(RawSection{std::string(name), std::move(lines)});
        return;
    }
    // Keep the blank line that separated the old section from the next one.
    if (!first->lines.empty() && Trim(first->lines.back()).empty())
        lines.emplace_back();
    first->lines = std::move(lines);
    const auto firstIndex = first - sections_.begin();
    sections_.erase(std::remove_if(sections_.begin() + firstIndex + 1, sections_.end(),
                                   [name](const RawSection& section) { return SameText(section.name, name); }),
                    sections_.end());
}

bool RegistryFile::RemoveSection(std::string_view name) {
    const auto before = sections_.size();
    sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                   [name](const RawSection& section) { return SameText(section.name, name); }),
                    sections_.end());
    return sections_.size() != before;
}

} // namespace kx::component
