#pragma once

#include <string>
#include <vector>

namespace kx::app {

/// Display columns that a UTF-8 text takes in a terminal: wide East Asian
/// characters take two, combining marks none.
std::size_t DisplayWidth(const std::string& utf8);

/// An aligned text table: a header row, a rule, and the rows, each cell padded to
/// its column's display width.
class TextTable {
public:
    explicit TextTable(std::vector<std::string> header);
    void AddRow(std::vector<std::string> row);
    std::string Render() const;
    std::size_t RowCount() const { return rows_.size(); }

private:
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> rows_;
};

} // namespace kx::app
