#include "support/AccountingObject.h"

#include "support/SupportError.h"

#include <utility>

namespace kx::support {

namespace {

[[noreturn]] void ThrowNotAvailable(const char* operation) {
    throw SupportError(supporterr::NotAvailable, std::string("数据访问层尚未提供：") + operation);
}

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

} // namespace

AccountingObject::ConnectionPtr AccountingObject::GetConnection() const {
    if (!connection_)
        throw SupportError(supporterr::ObjectNotSet, "账务对象尚未设置数据库连接。");
    return connection_;
}

void AccountingObject::SetConnection(ConnectionPtr connection) {
    if (!connection)
        throw SupportError(supporterr::InvalidArgument, "未提供数据库连接。");
    connection_ = std::move(connection);
}

void AccountingObject::SetOperatorID(std::int32_t operatorId) {
    operatorId_ = operatorId;
}

bool AccountingObject::CheckOperatorPassword(std::int32_t /*operatorId*/, const std::string& /*password*/) {
    ThrowNotAvailable("CheckOperatorPassword");
}

void AccountingObject::PrepareConnection(ConnectionPtr& /*rCnn*/, const std::string& /*database*/,
                                         const std::string& /*server*/, const std::string& /*userId*/,
                                         const std::string& /*password*/) {
    ThrowNotAvailable("PrepareConnection");
}

bool AccountingObject::HasRight(const std::string& /*rightCode*/) {
    ThrowNotAvailable("HasRight");
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

void AccountingObject::SaveBookInfo(const std::string& /*caption*/, const std::string& /*separator*/) {
    ThrowNotAvailable("SaveBookInfo");
}

void AccountingObject::SendNotice(const std::string& notice) {
    // A copy, so that a receiver replacing itself does not destroy the running call.
    const NoticeReceiver receiver = noticeReceiver_;
    if (receiver)
        receiver(notice);
}

std::string AccountingObject::InfoItem14() const {
    ThrowNotAvailable("InfoItem14");
}

void AccountingObject::SetNoticeReceiver(NoticeReceiver receiver) {
    noticeReceiver_ = std::move(receiver);
}

AccountingObject& SharedAccountingObject() {
    thread_local AccountingObject shared;
    return shared;
}

} // namespace kx::support
