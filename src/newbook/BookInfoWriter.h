#pragma once

#include "newbook/NewBookName.h"

#include <QDate>

#include <functional>
#include <string>

namespace kx::newbook {

/// What the new book's information says.
struct NewBookInfo {
    std::string bookName;
    std::string userName;
    QDate beginDate;
};

/// Writes the book information items 5 (name), 6 (company), 15 (start month as
/// "yyyy年MM月") and 14 (the support object's installation mark) into the new
/// book `bookFile`, through a support object of its own. True on success; on
/// failure `prompt` is given the error's message (with the box) and the answer is
/// false.
bool WriteBookInfo(bool isSql, const std::string& bookFile, const ServerLogin& target, const NewBookInfo& info,
                   const std::function<void(const std::string&, bool)>& prompt);

/// "yyyy年MM月" of a date.
std::string YearMonthText(const QDate& date);

} // namespace kx::newbook
