// A new server book from a server template: the server's own copy of the
// template database, and the table-by-table copy it falls back to while another
// session holds the template, give the same book.

#include "newbook/MadeDatabase.h"
#include "newbook/NewBookClearing.h"
#include "newbook/NewBookDatabase.h"

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "e2e/ServerBooks.h"
#include "pg/TestServer.h"
#include "support/AccountingObject.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace kx::newbook {
namespace {

namespace pg = ado::pg;

pg::PgConnection Connect(const std::string& database) {
    return pg::PgConnection(*pg::testing::TestServerSettings(pg::FoldDatabaseName(database)));
}

std::string Cells(const pg::PgResult& result) {
    std::string cells;
    for (int row = 0; row < result.RowCount(); ++row)
        for (int column = 0; column < result.ColumnCount(); ++column)
            cells += (result.IsNull(row, column) ? std::string("<null>")
                                                 : std::string(result.Value(row, column))) +
                     (column + 1 < result.ColumnCount() ? "|" : "\n");
    return cells;
}

/// What a book is, table by table: its columns with their types, nullability,
/// identity and collation, its rows, and the value its identity gives next.
std::string Book(const std::string& database) {
    pg::PgConnection cnn = Connect(database);
    std::string book;
    const pg::PgResult tables =
        cnn.Exec("SELECT relname::text FROM pg_class WHERE relkind = 'r' AND relnamespace = "
                 "'public'::regnamespace ORDER BY 1");
    for (int t = 0; t < tables.RowCount(); ++t) {
        const std::string table(tables.Value(t, 0));
        const std::string literal = pg::QuoteLiteral(pg::QuoteIdent(table));
        book += "== " + table + "\n";
        book += Cells(
            cnn.Exec("SELECT attname, format_type(atttypid, atttypmod), attnotnull, attidentity <> '', "
                     "attcollation::regcollation::text, CASE WHEN attidentity <> '' THEN (SELECT "
                     "coalesce(q.last_value + q.increment_by, q.start_value) FROM pg_sequences q WHERE "
                     "(quote_ident(q.schemaname) || '.' || quote_ident(q.sequencename))::regclass = "
                     "pg_get_serial_sequence(" +
                     literal + ", attname)::regclass) END FROM pg_attribute WHERE attrelid = " + literal +
                     "::regclass AND attnum > 0 AND NOT attisdropped ORDER BY attnum"));
        book += Cells(cnn.Exec("SELECT t::text FROM " + pg::QuoteIdent(table) + " t ORDER BY 1"));
    }
    return book;
}

/// The file that holds the rows of `table` in `database`.
std::string FileOf(const std::string& database, const std::string& table) {
    return Cells(
        Connect(database).Exec("SELECT pg_relation_filenode(" + pg::QuoteLiteral(table) + "::regclass)"));
}

TEST(ServerBookCopy, TheServersOwnCopyAndTheTableCopyItFallsBackToGiveTheSameBook) {
    e2e::ServerBooks server;
    if (!server.Available())
        GTEST_SKIP() << pg::testing::kNoServerReason;
    const ServerLogin login{server.Server(), server.User(), server.Password()};
    const test::SampleBookCopy sample;
    const std::string templateDatabase = server.ConvertedBook(sample.str());
    // Every counter beyond its rows, as after rows that were deleted or never stored.
    Connect(templateDatabase)
        .Exec("SELECT nextval(seqrelid::regclass) FROM pg_sequence, generate_series(1, 5)");
    const std::string templateLog = FileOf(templateDatabase, "kxlog");

    std::string books[2];
    for (const bool heldOpen : {false, true}) {
        SCOPED_TRACE(heldOpen ? "template held open" : "template free");
        std::optional<pg::PgConnection> holder;
        if (heldOpen)
            holder.emplace(Connect(templateDatabase));
        test::TempFolder app;
        std::filesystem::create_directories(app.path() / "Data");
        NewBookDatabaseRequest request;
        request.templateFile = server.Location() + "|" + templateDatabase;
        request.isSql = true;
        request.bookNo = std::to_string(server.FreeBookNumber());
        request.appPath = app.str();
        request.operatorName = "主管";
        request.operatorPassword = "8888";
        request.readTarget = [login] { return login; };

        std::string bookFile;
        std::unique_ptr<MadeDatabase> made;
        ASSERT_TRUE(StageNewBookDatabase(request, bookFile, made));
        EXPECT_TRUE(server.Marked(bookFile)) << "claimed as every new database is";
        // The server's copy takes the template's files as they are; the table copy writes new ones.
        EXPECT_EQ(FileOf(bookFile, "kxlog") == templateLog, !heldOpen);
        made->Place();
        made->Keep();
        EXPECT_EQ(server.Comment(bookFile), "");
        EXPECT_EQ(server.Comment(templateDatabase), "");

        support::AccountingObject acc;
        std::string problem;
        const ClearingEvents events{[](short) {},
                                    [&problem](const std::string& message, bool) { problem += message; }};
        EXPECT_TRUE(ClearNewBook(true, bookFile, login, {1, 1, 1, 1, 1, 1, 1, 1, 1}, &acc, events))
            << problem;
        // A row stored after the clearing takes its identity as the book gives it.
        ado::Connection cnn;
        acc.PrepareConnection(cnn, bookFile, login.server, login.user, login.password);
        cnn.Open({}, {}, {}, -1);
        cnn.Execute("INSERT INTO kxLog ([LogTime],[opName],[LogAction]) VALUES ('2027-01-01 08:00:00', "
                    "N'主管', N'建账')");
        cnn.Close();
        books[heldOpen ? 1 : 0] = Book(bookFile);
    }
    EXPECT_EQ(books[0], books[1]);
    // The comparison saw the book: emptied business, kept base data, the row stored after.
    EXPECT_NE(books[0].find("== kxaccclass\n"), std::string::npos);
    EXPECT_NE(books[0].find("建账"), std::string::npos);
    EXPECT_NE(books[0].find("kx_zh_ci"), std::string::npos);
}

} // namespace
} // namespace kx::newbook
