#pragma once

#include "newbook/NewBookName.h"
#include "ado/Connection.h"

#include <array>
#include <functional>
#include <string>

namespace kx::support {
class AccountingObject;
}

namespace kx::newbook {

/// How the clearing reports to the control.
struct ClearingEvents {
    /// Raises the control's Process event.
    std::function<void(short)> process;
    /// The control's Prompt: a message, and whether it goes in a box.
    std::function<void(const std::string&, bool)> prompt;
};

/// The states of the nine retain boxes: 0 not set, anything else set.
using RetainStates = std::array<int, 9>;

/// Runs "Delete From " + `rTableName` + " " + `rWhere` on `rCnn`. True on success;
/// on failure prompts "清理数据表：<table>时遇到错误：<message>" without the box and
/// gives false. A missing connection is such a failure.
bool ZapTable(const std::string& rTableName, const std::string& rWhere, ado::Connection* rCnn,
              const ClearingEvents& events);

/// Empties the new book's business tables, and the base data whose retain box is
/// not set (staff and wages: when box 7 IS set), in the fixed order; a server book
/// is shrunk afterwards. Raises Process 40 and 60. A table that cannot be emptied
/// is reported and skipped, and the answer is then false: the book still holds
/// the template's business. Throws when the connection cannot be made or opened,
/// or when the report statement or the shrink batch fails.
bool ClearNewBook(bool isSql, const std::string& bookFile, const ServerLogin& target, const RetainStates& retain,
                  support::AccountingObject* acc, const ClearingEvents& events);

} // namespace kx::newbook
