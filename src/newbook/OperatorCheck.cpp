#include "newbook/OperatorCheck.h"

#include "ado/Connection.h"
#include "platform/DiskPath.h"
#include "platform/Utf8Text.h"
#include "support/AccountingObject.h"
#include "newbook/SqlLocation.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>

namespace kx::newbook {

namespace {

/// The name as a statement literal: its single quotes doubled, so that the typed
/// text can only ever be compared, never change the statement.
std::string NameLiteral(const std::string& name) {
    return "'" + platform::ReplaceAll(name, "'", "''") + "'";
}

/// Compares without an early exit, so the time taken does not tell how much of a
/// guessed password was right.
bool EqualInConstantTime(const std::string& a, const std::string& b) noexcept {
    const std::size_t n = std::max(a.size(), b.size());
    unsigned diff = a.size() == b.size() ? 0U : 1U;
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(i < a.size() ? a[i] : 0);
        const auto cb = static_cast<unsigned char>(i < b.size() ? b[i] : 0);
        diff |= static_cast<unsigned>(ca ^ cb);
    }
    return diff == 0;
}

bool EndsWithWak(const std::string& location) {
    if (location.size() < 3)
        return false;
    std::string tail = location.substr(location.size() - 3);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return tail == "WAK";
}

/// Closes the rows when the check leaves, also through an exception.
class RowsCloser {
  public:
    explicit RowsCloser(std::optional<ado::Recordset>& rows) : rows_(rows) {}
    ~RowsCloser() {
        try {
            if (rows_ && rows_->State() == ado::adStateOpen)
                rows_->Close();
        } catch (...) {
            // Closing is tidying up; the answer is already decided.
        }
    }
    RowsCloser(const RowsCloser&) = delete;
    RowsCloser& operator=(const RowsCloser&) = delete;

  private:
    std::optional<ado::Recordset>& rows_;
};

} // namespace

bool OperatorMayOpenTemplate(const std::string& location, const std::string& name,
                             const std::string& password, const std::string& appPath) {
    const std::string trimmedName(platform::TrimSpaces(name));
    const std::string trimmedPassword(platform::TrimSpaces(password));
    try {
        if (catalogue::BookLocation::IsServerText(location))
            return CheckSqlOperator(location, trimmedName, trimmedPassword);
        if (EndsWithWak(location))
            return true;
        return CheckAccessOperator(platform::ToDiskPath(location, appPath).string(), trimmedName,
                                   trimmedPassword);
    } catch (...) {
        return false;
    }
}

bool CheckSqlOperator(const std::string& location, const std::string& name, const std::string& password) {
    return CheckSqlOperator(catalogue::BookLocation::FromSqlLocation(location), name, password);
}

bool CheckSqlOperator(const catalogue::BookLocation& location, const std::string& typedName,
                      const std::string& typedPassword) {
    // Callers may pass the text boxes as typed.
    const std::string name(platform::TrimSpaces(typedName));
    const std::string password(platform::TrimSpaces(typedPassword));
    ado::Connection cnn;
    support::SharedAccountingObject().PrepareConnection(
        cnn, location.Database(), std::string(location.Server().value_or("")),
        std::string(location.UserId().value_or("")), std::string(location.Password().value_or("")));
    cnn.SetConnectionTimeout(0);
    cnn.SetCommandTimeout(0);
    cnn.Open("", "", "", -1);
    if (name.empty())
        return false;
    std::optional<ado::Recordset> rows =
        cnn.Execute("SELECT * From kxOperator WHERE (opName = " + NameLiteral(name) + ")");
    RowsCloser closer(rows);
    if (!rows || rows->IsEOF())
        return false;
    const ado::Variant stored = rows->Item("OpPwd").Value();
    const std::string storedText = stored.IsMissing() ? std::string() : stored.ToString();
    return EqualInConstantTime(std::string(platform::TrimSpaces(storedText)), password);
}

bool CheckAccessOperator(const std::string& bookFile, const std::string& name, const std::string& password) {
    ado::Connection cnn;
    support::SharedAccountingObject().PrepareConnection(cnn, bookFile, "", "", "");
    // Read-only: a template is never changed by a check, nor its write-ahead log merged.
    cnn.SetMode(ado::adModeRead);
    cnn.Open("", "", "", -1);
    support::AccountingObject book;
    book.SetConnection(cnn);
    std::optional<ado::Recordset> rows =
        book.GetConnection().Execute("Select * From kxOperator Where opName=" + NameLiteral(name));
    RowsCloser closer(rows);
    if (!rows || rows->IsEOF())
        return false;
    const std::int32_t operatorId = rows->Item("opID").Value().ToInt32();
    book.SetOperatorID(operatorId);
    if (!book.CheckOperatorPassword(operatorId, password))
        return false;
    return book.HasRight("VCH_LOOK");
}

} // namespace kx::newbook
