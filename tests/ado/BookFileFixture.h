#pragma once

#include "TempFolder.h"
#include "ado/AdoConstants.h"
#include "ado/AdoError.h"
#include "ado/Connection.h"
#include "ado/jet/BookFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace kx::ado::test {

/// The fixed password of every book database.
inline constexpr const char* kBookPassword = "7.305918624471";

/// A closed connection set up for a book file the way the wizard sets up its
/// Access connections: mode, connection string, four named properties (the
/// password property with its odd capitalisation), client cursor.
inline Connection PrepareBookConnection(const std::string& file, const std::string& password) {
    Connection cnn;
    cnn.SetMode(adModeReadWrite);
    cnn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Extended Properties='';Locale Identifier=2052;"
                            "Jet OLEDB:System database='';Jet OLEDB:Registry Path=''");
    cnn.Properties().Set("Password", Variant(""));
    cnn.Properties().Set("User ID", Variant("Admin"));
    cnn.Properties().Set("Data Source", Variant(file));
    cnn.Properties().Set("Jet OLeDB:Database Password", Variant(password));
    cnn.SetCursorLocation(adUseClient);
    cnn.SetMode(adModeReadWrite);
    return cnn;
}

/// Opens a book file as the wizard does: prepared, then Open with empty arguments.
inline Connection OpenBook(const std::string& file, const std::string& password = kBookPassword) {
    Connection cnn = PrepareBookConnection(file, password);
    cnn.Open("", "", "", -1);
    return cnn;
}

/// A test with its own folder and helpers to make book files in it.
class BookFileFixture : public ::testing::Test {
  protected:
    /// Creates a book file keyed with `password` through the layer itself.
    std::string CreateBook(const std::string& name = "book.mde",
                           const std::string& password = kBookPassword) {
        const std::string file = File(name);
        jet::CreateBookFile(file, password);
        return file;
    }

    /// Creates a keyed book and opens it.
    Connection CreateAndOpenBook(const std::string& name = "book.mde") { return OpenBook(CreateBook(name)); }

    /// Runs each statement on the connection.
    static void Run(Connection& cnn, std::initializer_list<std::string> statements) {
        for (const std::string& sql : statements)
            cnn.Execute(sql);
    }

    /// The first field of the first row of a query.
    static Variant Scalar(Connection& cnn, const std::string& sql) {
        auto rs = cnn.Execute(sql);
        if (!rs || rs->IsEOF())
            throw std::runtime_error("no row from: " + sql);
        return rs->Item(0L).Value();
    }

    /// The path of `name` in the test's folder.
    std::string File(const std::string& name) const { return (folder_.path() / name).string(); }

    ::kx::test::TempFolder folder_;
};

/// `size` bytes of a pattern without short repeats, shifted by `seed`.
inline Bytes Pattern(std::size_t size, unsigned seed = 0) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::byte>((i * 131 + i / 251 + seed) & 0xFF);
    return bytes;
}

/// Runs `body` and returns the AdoError it throws; fails the test when it throws
/// nothing.
template <typename Body> AdoError CatchAdoError(Body body) {
    try {
        body();
    } catch (const AdoError& e) {
        return e;
    }
    ADD_FAILURE() << "no AdoError was thrown";
    return AdoError(0, "", "");
}

} // namespace kx::ado::test
