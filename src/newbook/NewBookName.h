#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kx::newbook {

/// A server and the login with which a new server book is made.
struct ServerLogin {
    std::string server;
    std::string user;
    std::string password;
};

/// The book number in a `BookNo` text, as a 16-bit number. Throws
/// platform::PlatformError: type mismatch (13) for a text that is not a whole
/// number, overflow (6) for one outside -32768..32767.
std::int16_t BookNumberOf(const std::string& bookNo);

/// True when database `database` on `login.server` opens with that login; false
/// on any failure (an unreachable server counts as having no such database).
bool SqlDatabaseExists(const std::string& database, const ServerLogin& login);

/// The name of the new book: "kxAcc" and the six-digit book number.
/// - Book file: `appPath` + "/Data/" + that name + ".MDE"; while such a file exists,
///   "(1)", "(2)" ... go before ".MDE".
/// - Server database: that name; while a database of that name opens (the login is
///   read afresh through `readLogin` before each test), "_1", "_2" ... follow it.
/// A counter past 32767 gives "" (the copy then fails with its own message).
std::string MakeNewBookName(std::int16_t bookNo, bool isSql, const std::string& appPath,
                            const std::function<ServerLogin()>& readLogin);
/// The same rule from the name of counter `counter` on (0: the name without a
/// counter), for a name that turned out to be taken when it was claimed: `counter`
/// is left at the counter of the name given.
std::string MakeNewBookName(std::int16_t bookNo, bool isSql, const std::string& appPath,
                            const std::function<ServerLogin()>& readLogin, std::int16_t& counter);

} // namespace kx::newbook
