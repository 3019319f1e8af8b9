#include "OverlongText.h"

#include "ado/Recordset.h"
#include "ado/UnicodeText.h"

#include <optional>
#include <vector>

namespace kx::database {
namespace {

struct SizedColumn {
    std::string name;
    long size = 0;
};

std::vector<SizedColumn> SizedTextColumns(const ado::Fields& fields) {
    std::vector<SizedColumn> columns;
    for (long i = 0; i < fields.Count(); ++i) {
        const ado::Field field = fields.Item(i);
        if (field.Type() == ado::adVarWChar && field.DefinedSize() > 0)
            columns.push_back({field.Name(), field.DefinedSize()});
    }
    return columns;
}

/// The characters of a value that the server keeps: trailing spaces go.
std::size_t KeptCharacters(const ado::Variant& value) {
    if (value.IsMissing())
        return 0;
    std::string text = value.ToString();
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return ado::text::CharCount(text);
}

/// The first column of `columns` whose value on the current row of `rows` is too long.
const SizedColumn* OverlongColumn(const ado::Recordset& rows, const std::vector<SizedColumn>& columns) {
    for (const SizedColumn& column : columns)
        if (KeptCharacters(rows.Item(column.name).Value()) > static_cast<std::size_t>(column.size))
            return &column;
    return nullptr;
}

std::vector<std::string> PrimaryKeyColumns(ado::Connection& book, const std::string& table) {
    std::vector<std::string> names;
    ado::Recordset keys =
        book.OpenSchema(ado::adSchemaPrimaryKeys, {ado::Variant(), ado::Variant(), ado::Variant(table)});
    for (; !keys.IsEOF(); keys.MoveNext())
        names.push_back(keys.Item("COLUMN_NAME").Value().ToString());
    keys.Close();
    return names;
}

std::string ValueText(const ado::Variant& value) {
    return value.IsNull() ? std::string("Null") : value.ToString();
}

std::string Describe(const SizedColumn& column, const std::string& row) {
    return "字段" + column.name + "的值超过了它的长度（" + std::to_string(column.size) + "个字符），行：" +
           row + "。";
}

} // namespace

std::string OverlongTextInTable(ado::Connection& book, const std::string& table, const ado::Fields& fields) {
    const std::vector<SizedColumn> columns = SizedTextColumns(fields);
    if (columns.empty())
        return {};
    // The engine finds the rare offending row; the usual book has none.
    std::string condition;
    for (const SizedColumn& column : columns)
        condition += (condition.empty() ? "" : " Or ") + std::string("Len(RTrim([") + column.name + "])) > " +
                     std::to_string(column.size);
    std::optional<ado::Recordset> found = book.Execute("Select * From [" + table + "] Where " + condition);
    if (!found || found->IsEOF())
        return {};
    const SizedColumn* column = OverlongColumn(*found, columns);
    if (column == nullptr)
        return {};

    if (const std::vector<std::string> key = PrimaryKeyColumns(book, table); !key.empty()) {
        std::string row;
        for (const std::string& name : key)
            row += (row.empty() ? "" : "，") + name + "=" + ValueText(found->Item(name).Value());
        return Describe(*column, row);
    }
    // Without a key the row is told by its place, in the order the table is read.
    std::optional<ado::Recordset> all = book.Execute("Select * From [" + table + "]");
    long place = 0;
    for (; all && !all->IsEOF(); all->MoveNext()) {
        ++place;
        if (const SizedColumn* first = OverlongColumn(*all, columns); first != nullptr)
            return Describe(*first, "第" + std::to_string(place) + "行");
    }
    return Describe(*column, "未知");
}

} // namespace kx::database
