#include "TrackedLines.h"

#include "platform/Utf8Text.h"

#include <numeric>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace kx::catalogue {
namespace {

/// What a line is matched by: the file keeps lines without their outer spaces.
std::string_view MatchKey(const std::string& line) noexcept {
    return platform::TrimSpaces(line);
}

} // namespace

void TrackedLines::Clear() noexcept {
    lines_.clear();
    origins_.clear();
    baselineSize_ = 0;
    replaced_.clear();
}

void TrackedLines::Append(std::string line) {
    lines_.push_back(std::move(line));
    origins_.push_back(-1);
}

void TrackedLines::Replace(std::size_t i, std::string line) {
    if (origins_[i] >= 0)
        replaced_.try_emplace(origins_[i], lines_[i]);
    lines_[i] = std::move(line);
}

void TrackedLines::Erase(std::size_t i) {
    if (origins_[i] >= 0)
        replaced_.try_emplace(origins_[i], std::move(lines_[i]));
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    origins_.erase(origins_.begin() + static_cast<std::ptrdiff_t>(i));
}

void TrackedLines::SetBaseline() {
    origins_.resize(lines_.size());
    std::iota(origins_.begin(), origins_.end(), 0);
    baselineSize_ = static_cast<int>(lines_.size());
    replaced_.clear();
}

TrackedLines TrackedLines::MergedOnto(std::vector<std::string> current) const {
    const int count = static_cast<int>(current.size());
    // The entry that stands for each baseline line, -1 for a removed one.
    std::vector<int> entryOf(static_cast<std::size_t>(baselineSize_), -1);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (origins_[i] >= 0)
            entryOf[static_cast<std::size_t>(origins_[i])] = static_cast<int>(i);
    }

    // Where each changed or removed baseline line stands in `current`.
    std::map<int, int> found;
    if (!replaced_.empty()) {
        auto baselineText = [&](int k) -> const std::string* {
            const auto old = replaced_.find(k);
            if (old != replaced_.end())
                return &old->second;
            const int entry = entryOf[static_cast<std::size_t>(k)];
            return entry >= 0 ? &lines_[static_cast<std::size_t>(entry)] : nullptr;
        };
        // Positions in `current` of the texts looked for, and the rank of each looked-for
        // line among the equal lines of the baseline.
        std::unordered_map<std::string_view, std::vector<int>> positions;
        for (const auto& [k, text] : replaced_)
            positions.try_emplace(MatchKey(text));
        std::unordered_map<std::string_view, int> seen;
        std::map<int, std::size_t> rankOf;
        for (int k = 0; k < baselineSize_; ++k) {
            const std::string* text = baselineText(k);
            if (text == nullptr || !positions.contains(MatchKey(*text)))
                continue;
            const int rank = seen[MatchKey(*text)]++;
            if (replaced_.contains(k))
                rankOf.emplace(k, static_cast<std::size_t>(rank));
        }
        for (int j = 0; j < count; ++j) {
            const auto at = positions.find(MatchKey(current[static_cast<std::size_t>(j)]));
            if (at != positions.end())
                at->second.push_back(j);
        }
        std::vector<bool> taken(static_cast<std::size_t>(count), false);
        auto take = [&](int k, int j) {
            taken[static_cast<std::size_t>(j)] = true;
            found.emplace(k, j);
        };
        for (const auto& [k, rank] : rankOf) {
            const std::vector<int>& at = positions.at(MatchKey(replaced_.at(k)));
            if (rank < at.size() && !taken[static_cast<std::size_t>(at[rank])])
                take(k, at[rank]);
        }
        for (const auto& [k, rank] : rankOf) {
            if (found.contains(k))
                continue;
            for (const int j : positions.at(MatchKey(replaced_.at(k)))) {
                if (!taken[static_cast<std::size_t>(j)]) {
                    take(k, j);
                    break;
                }
            }
        }
    }

    TrackedLines merged;
    merged.baselineSize_ = count;
    std::vector<const std::string*> newText(static_cast<std::size_t>(count), nullptr);
    std::vector<bool> removed(static_cast<std::size_t>(count), false);
    for (const auto& [k, j] : found) {
        const auto at = static_cast<std::size_t>(j);
        merged.replaced_.emplace(j, current[at]);
        const int entry = entryOf[static_cast<std::size_t>(k)];
        if (entry < 0)
            removed[at] = true;
        else
            newText[at] = &lines_[static_cast<std::size_t>(entry)];
    }
    merged.lines_.reserve(current.size() + lines_.size());
    merged.origins_.reserve(current.size() + lines_.size());
    for (int j = 0; j < count; ++j) {
        const auto at = static_cast<std::size_t>(j);
        if (removed[at])
            continue;
        merged.lines_.push_back(newText[at] != nullptr ? *newText[at] : std::move(current[at]));
        merged.origins_.push_back(j);
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (origins_[i] < 0) {
            merged.lines_.push_back(lines_[i]);
            merged.origins_.push_back(-1);
        }
    }
    return merged;
}

} // namespace kx::catalogue
