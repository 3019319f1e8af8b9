#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kx::catalogue {

/// The entry lines of a book list together with what became of the lines it last
/// loaded from or saved to its file, its baseline: which entry stands for which
/// baseline line, and the baseline text of every line changed or removed since. That
/// is what a save needs to apply the list's own changes to a file that other
/// programs changed meanwhile, instead of writing over theirs.
class TrackedLines {
  public:
    std::size_t size() const noexcept { return lines_.size(); }
    bool empty() const noexcept { return lines_.empty(); }
    const std::string& operator[](std::size_t i) const noexcept { return lines_[i]; }
    const std::vector<std::string>& lines() const noexcept { return lines_; }

    /// Drops every line (keeping the room they took) and the baseline with them.
    void Clear() noexcept;
    /// Appends a line that the baseline does not have.
    void Append(std::string line);
    /// Gives entry `i` a new text.
    void Replace(std::size_t i, std::string line);
    /// Removes entry `i`.
    void Erase(std::size_t i);

    /// The current lines become the baseline: nothing is changed since.
    void SetBaseline();

    /// The changes made since the baseline applied to `current`, the records of the
    /// file as they are now (in the form the list stores them):
    /// - the result is `current`, in its order;
    /// - less each baseline line that this list removed, and with each one that it
    ///   changed given its new text in place; such a line is found in `current` by
    ///   its text, spaces around it aside: the occurrence of the same rank among
    ///   equal lines when that one is left, otherwise the first one not yet taken. A
    ///   line that another program already removed or changed is not found and stays
    ///   as `current` has it;
    /// - with the lines this list added appended at the end, in their order.
    /// `current` is the baseline of the result, so the result can be merged again.
    TrackedLines MergedOnto(std::vector<std::string> current) const;

  private:
    std::vector<std::string> lines_;
    /// Per entry: the index of its line in the baseline, -1 for a line added since.
    std::vector<int> origins_;
    /// The number of baseline lines.
    int baselineSize_ = 0;
    /// The baseline text of each baseline line changed or removed since, by index.
    std::map<int, std::string> replaced_;
};

} // namespace kx::catalogue
