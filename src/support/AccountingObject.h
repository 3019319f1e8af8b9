#pragma once

#include "ado/Connection.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kx::support {

/// The accounting object through which the wizard reaches the host product's
/// services: database connections, operators and rights, book information, text
/// cleaning and notices to the host application.
///
/// Operations are listed in the order of the object's interface. Every failing
/// operation throws `SupportError` (or the data layer's `ado::AdoError` for a
/// failing statement); none reports success it did not achieve.
///
/// The book database holds what the object reads: passwords in kxOperator
/// (opID, opName, OpPwd as text), rights in kxOpRight (opID, RightCode).
///
/// An instance is used from one thread only. Instances are not copyable: the host
/// hands its own instance to the wizard by pointer.
class AccountingObject {
  public:
    using NoticeReceiver = std::function<void(const std::string&)>;

    AccountingObject() = default;
    AccountingObject(const AccountingObject&) = delete;
    AccountingObject& operator=(const AccountingObject&) = delete;

    /// The connection the object works on, as given to `SetConnection` (the same
    /// connection, not a copy of its settings).
    /// Throws `SupportError` (`ObjectNotSet`) when none was given.
    ado::Connection GetConnection() const;

    /// The object works on the database of `connection` from now on.
    /// Throws `SupportError` (`InvalidArgument`) for a connection that is not
    /// open; the previous connection is then kept.
    void SetConnection(const ado::Connection& connection);

    /// Makes `operatorId` the current operator.
    void SetOperatorID(std::int32_t operatorId);
    /// The current operator; 0 until `SetOperatorID` was called.
    std::int32_t OperatorID() const noexcept { return operatorId_; }

    /// True exactly when `password` is the password of operator `operatorId` in
    /// the book the object works on (compared exactly, in constant time; a Null
    /// stored password is the empty one). False for an unknown operator.
    bool CheckOperatorPassword(std::int32_t operatorId, const std::string& password);

    /// Replaces `rCnn` by a closed connection that, opened with empty arguments,
    /// reaches `database`: a book file (server empty) or a server database on
    /// `server` with user ID `userId` and `password`. A book file always gets the
    /// fixed book database password, whether the caller passes the texts empty or
    /// "###" as `userId`: every book file is keyed with it.
    void PrepareConnection(ado::Connection& rCnn, const std::string& database, const std::string& server,
                           const std::string& userId, const std::string& password);

    /// True when the current operator holds the right `rightCode` (e.g.
    /// "VCH_LOOK") in the book the object works on.
    bool HasRight(const std::string& rightCode);

    /// Sets book information item `item` to `value` for the next `SaveBookInfo`.
    /// A later call for the same item replaces the value.
    void SetBookInfo(int item, const std::string& value);
    /// The items set since the object was made, by item number.
    const std::map<int, std::string>& PendingBookInfo() const noexcept { return bookInfo_; }

    /// A cleaned copy of `text`: white space (space, tab, CR, LF and the
    /// ideographic space U+3000) removed at both ends, and every inner run of it
    /// replaced by one ASCII space. Other bytes, including malformed UTF-8, are
    /// kept as they are.
    std::string NormalizeText(std::string_view text) const;

    /// Stores the book information in the database the object works on: the row
    /// "BookInfo" of table kxBookInfo (InfoName, InfoValue) holds the items joined
    /// with `separator`, item 1 first. Items set since the object was made replace
    /// those positions; the others keep their stored values, and missing ones are
    /// empty. A separator inside a value would shift every later item, so it is
    /// stored as the full-width "｜" instead. `caption` names the operation in the
    /// error that a failure throws.
    void SaveBookInfo(const std::string& caption, const std::string& separator);

    /// Hands `notice` to the installed receiver; without one it does nothing and
    /// still succeeds. An exception thrown by the receiver reaches the caller.
    void SendNotice(const std::string& notice);

    /// The value to store as book information item 14: the installation mark of
    /// a book made by this program, "KXLW-" and the day it is made as yyyymmdd
    /// (for example "KXLW-20261207").
    std::string InfoItem14() const;

    /// Installs the receiver of `SendNotice` (an empty function removes it). The
    /// receiver may replace itself while it runs.
    void SetNoticeReceiver(NoticeReceiver receiver);

  private:
    std::optional<ado::Connection> connection_;
    std::int32_t operatorId_ = 0;
    std::map<int, std::string> bookInfo_;
    NoticeReceiver noticeReceiver_;
};

/// The calling thread's shared accounting object, made on first use and kept
/// until the thread ends.
AccountingObject& SharedAccountingObject();

} // namespace kx::support
