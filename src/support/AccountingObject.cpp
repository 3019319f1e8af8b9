#include "support/AccountingObject.h"

#include "support/SupportError.h"

#include "ado/AdoConstants.h"
#include "database/CreateCnn.h"
#include "platform/Utf8Text.h"

#include <algorithm>
#include <ctime>
#include <vector>
#include <utility>

namespace kx::support {

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80"; // U+3000 in UTF-8

// Length of the white space unit at `pos`, 0 when none starts there.
std::size_t WhiteSpaceAt(std::string_view text, std::size_t pos) noexcept {
    switch (text[pos]) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
        return 1;
    default:
        return text.substr(pos, kIdeographicSpace.size()) == kIdeographicSpace ? kIdeographicSpace.size() : 0;
    }
}

/// A text literal for a statement, its single quotes doubled.
std::string QuotedLiteral(const std::string& text) { return "'" + platform::ReplaceAll(text, "'", "''") + "'"; }

/// Compares without an early exit, so the time taken does not tell how much of a
/// guessed password was right.
bool EqualInConstantTime(const std::string& a, const std::string& b) noexcept {
    const std::size_t n = std::max(a.size(), b.size());
    unsigned char diff = a.size() == b.size() ? 0 : 1;
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(i < a.size() ? a[i] : 0);
        const auto cb = static_cast<unsigned char>(i < b.size() ? b[i] : 0);
        diff |= static_cast<unsigned char>(ca ^ cb);
    }
    return diff == 0;
}

} // namespace

ado::Connection AccountingObject::GetConnection() const {
    if (!connection_)
        throw SupportError(supporterr::ObjectNotSet, "账务对象尚未设置数据库连接。");
    return *connection_;
}

void AccountingObject::SetConnection(const ado::Connection& connection) {
    if (connection.State() != ado::adStateOpen)
        throw SupportError(supporterr::InvalidArgument, "数据库连接尚未打开。");
    connection_ = connection;
}

void AccountingObject::SetOperatorID(std::int32_t operatorId) {
    operatorId_ = operatorId;
}

bool AccountingObject::CheckOperatorPassword(std::int32_t operatorId, const std::string& password) {
    ado::Connection cnn = GetConnection();
    auto rows = cnn.Execute("Select OpPwd From kxOperator Where opID = " + std::to_string(operatorId));
    if (!rows || rows->IsEOF())
        return false;
    const std::string stored = rows->Item("OpPwd").Value().ToString();
    rows->Close();
    return EqualInConstantTime(stored, password);
}

void AccountingObject::PrepareConnection(ado::Connection& rCnn, const std::string& database,
                                         const std::string& server, const std::string& userId,
                                         const std::string& password) {
    if (server.empty())
        database::CreateCnn(rCnn, database, "", "", database::kBookPasswordPlaceholder);
    else
        database::CreateCnn(rCnn, database, server, userId, password);
}

bool AccountingObject::HasRight(const std::string& rightCode) {
    ado::Connection cnn = GetConnection();
    auto rows = cnn.Execute("Select Count(*) From kxOpRight Where opID = " + std::to_string(operatorId_) +
                            " And RightCode = " + QuotedLiteral(rightCode));
    const bool held = rows && !rows->IsEOF() && rows->Item(0).Value().ToInt32() > 0;
    if (rows)
        rows->Close();
    return held;
}

void AccountingObject::SetBookInfo(int item, const std::string& value) {
    bookInfo_[item] = value;
}

std::string AccountingObject::NormalizeText(std::string_view text) const {
    std::string result;
    result.reserve(text.size());
    bool pendingSpace = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (const std::size_t width = WhiteSpaceAt(text, pos); width != 0) {
            // Only a run between two words becomes a space; runs at the ends vanish.
            pendingSpace = !result.empty();
            pos += width;
            continue;
        }
        if (pendingSpace) {
            result += ' ';
            pendingSpace = false;
        }
        result += text[pos++];
    }
    return result;
}

void AccountingObject::SaveBookInfo(const std::string& caption, const std::string& separator) {
    try {
        ado::Connection cnn = GetConnection();
        const std::string where = " Where InfoName = 'BookInfo'";
        auto stored = cnn.Execute("Select InfoValue From kxBookInfo" + where);
        const bool exists = stored && !stored->IsEOF();
        std::vector<std::string> items;
        if (exists && !separator.empty())
            items = platform::SplitText(stored->Item(0).Value().ToString(), separator[0]);
        if (stored)
            stored->Close();
        if (separator.size() != 1)
            throw SupportError(supporterr::InvalidArgument, "信息串的分隔符必须是一个字符。");
        for (const auto& [item, value] : bookInfo_) {
            if (item < 1)
                continue;
            if (items.size() < static_cast<std::size_t>(item))
                items.resize(static_cast<std::size_t>(item));
            items[static_cast<std::size_t>(item) - 1] = platform::ReplaceAll(value, separator, "｜");
        }
        std::string joined;
        for (std::size_t i = 0; i < items.size(); ++i)
            joined += (i == 0 ? "" : separator) + items[i];
        if (exists)
            cnn.Execute("Update kxBookInfo Set InfoValue = " + QuotedLiteral(joined) + where);
        else
            cnn.Execute("Insert Into kxBookInfo (InfoName, InfoValue) Values ('BookInfo', " + QuotedLiteral(joined) +
                        ")");
    } catch (const SupportError&) {
        throw;
    } catch (const std::exception& e) {
        throw SupportError(supporterr::OperationFailed, caption + "：" + e.what());
    }
}

void AccountingObject::SendNotice(const std::string& notice) {
    // A copy, so that a receiver replacing itself does not destroy the running call.
    const NoticeReceiver receiver = noticeReceiver_;
    if (receiver)
        receiver(notice);
}

std::string AccountingObject::InfoItem14() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char day[16];
    std::strftime(day, sizeof day, "%Y%m%d", &local);
    return std::string("KXLW-") + day;
}

void AccountingObject::SetNoticeReceiver(NoticeReceiver receiver) {
    noticeReceiver_ = std::move(receiver);
}

AccountingObject& SharedAccountingObject() {
    thread_local AccountingObject shared;
    return shared;
}

} // namespace kx::support
