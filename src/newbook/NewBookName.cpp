#include "newbook/NewBookName.h"

#include "platform/DiskPath.h"
#include "platform/PlatformError.h"
#include "support/AccountingObject.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace kx::newbook {

std::int16_t BookNumberOf(const std::string& bookNo) {
    std::string text = bookNo;
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    long long value = 0;
    const char* first = text.data() + (text.size() > 0 && text[0] == '+' ? 1 : 0);
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size() || ec == std::errc::invalid_argument)
        throw platform::PlatformError(platform::errnum::TypeMismatch, "类型不匹配");
    if (ec == std::errc::result_out_of_range || value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw platform::PlatformError(6, "溢出");
    return static_cast<std::int16_t>(value);
}

bool SqlDatabaseExists(const std::string& database, const ServerLogin& login) {
    try {
        ado::Connection cnn;
        support::SharedAccountingObject().PrepareConnection(cnn, database, login.server, login.user, login.password);
        cnn.Open({}, {}, {}, -1);
        cnn.Close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string MakeNewBookName(std::int16_t bookNo, bool isSql, const std::string& appPath,
                            const std::function<ServerLogin()>& readLogin) {
    std::int16_t counter = 0;
    return MakeNewBookName(bookNo, isSql, appPath, readLogin, counter);
}

std::string MakeNewBookName(std::int16_t bookNo, bool isSql, const std::string& appPath,
                            const std::function<ServerLogin()>& readLogin, std::int16_t& counter) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", static_cast<int>(bookNo));
    const std::string base = std::string("kxAcc") + digits;
    const std::string stem = isSql ? base : platform::JoinPath(platform::JoinPath(appPath, "Data"), base);
    const auto candidate = [&] {
        if (isSql)
            return counter == 0 ? base : base + "_" + std::to_string(counter);
        return stem + (counter == 0 ? std::string() : "(" + std::to_string(counter) + ")") + ".MDE";
    };
    const auto taken = [&](const std::string& name) {
        return isSql ? SqlDatabaseExists(name, readLogin()) : platform::FileExists(name, appPath);
    };
    if (counter < 0)
        counter = 0;
    for (std::string name = candidate(); taken(name); name = candidate()) {
        if (counter == std::numeric_limits<std::int16_t>::max())
            return "";
        ++counter;
    }
    return candidate();
}

} // namespace kx::newbook
