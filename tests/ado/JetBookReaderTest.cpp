// The reading of book-file tables for the server's OPENDATASOURCE imports.

#include "BookFileFixture.h"

#include "ado/ProviderRegistry.h"
#include "ado/pg/PgValueText.h"
#include "ado/sqloledb/OpenDataSourceReader.h"
#include "ado/sqloledb/ProviderErrors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::ado::sqloledb {
namespace {

using pg::PgTextOf;
using test::CatchAdoError;
using test::kBookPassword;
using test::OpenBook;
using tsql::ImportJetTable;
using tsql::JetImportColumn;

using Rows = std::vector<std::vector<std::optional<std::string>>>;

ImportJetTable ImportOf(const std::string& file, const std::string& table,
                        const std::vector<std::string>& columns,
                        const std::string& password = kBookPassword) {
    ImportJetTable import;
    import.filePath = file;
    import.password = password;
    import.sourceTable = table;
    import.targetTable = table;
    for (const std::string& column : columns)
        import.columns.push_back(JetImportColumn{column, column, 0});
    return import;
}

Rows ReadRows(OpenDataSourceReader& reader, const ImportJetTable& import) {
    Rows rows;
    reader.Read(import, [&](const std::vector<std::optional<std::string_view>>& values) {
        std::vector<std::optional<std::string>> row;
        for (const std::optional<std::string_view>& value : values)
            row.push_back(value ? std::optional<std::string>(*value) : std::nullopt);
        rows.push_back(std::move(row));
    });
    return rows;
}

/// Every row of `sql` as the Fields give it, each value as the server is to read it.
Rows RowsAsTheFieldsShowThem(Connection& cnn, const std::string& sql) {
    Rows rows;
    auto rs = cnn.Execute(sql);
    for (; !rs->IsEOF(); rs->MoveNext()) {
        std::vector<std::optional<std::string>> row;
        for (long i = 0; i < rs->Fields().Count(); ++i)
            row.push_back(PgTextOf(rs->Item(i).Value()));
        rows.push_back(std::move(row));
    }
    return rows;
}

class JetBookReading : public test::BookFileFixture {
  protected:
    /// A book with table T (ID, Name) holding the given names.
    std::string BookWithNames(const std::string& name, std::initializer_list<std::string> names) {
        const std::string file = CreateBook(name);
        Connection cnn = OpenBook(file);
        cnn.Execute("CREATE TABLE T (ID COUNTER, Name TEXT(20))");
        for (const std::string& n : names)
            cnn.Execute("INSERT INTO T (Name) VALUES ('" + n + "')");
        cnn.Close();
        return file;
    }

    OpenDataSourceReader reader_;
};

TEST_F(JetBookReading, GivesEveryValueAsItsFieldShowsItWhateverTheBookStored) {
    const std::string file = CreateBook();
    Connection cnn = OpenBook(file);
    const std::vector<std::string> columns{"ID", "t", "m", "b",  "s", "l", "y",
                                           "si", "d", "c", "dt", "g", "n", "img"};
    cnn.Execute("CREATE TABLE V (ID COUNTER, t TEXT(20), m MEMO, b BIT, s SHORT, l LONG, y BYTE, si SINGLE, "
                "d DOUBLE, c CURRENCY, dt DATETIME, g GUID, n DECIMAL(10,2), img IMAGE)");
    const std::string insert = "INSERT INTO V (t, m, b, s, l, y, si, d, c, dt, g, n, img) VALUES ";
    // Ordinary values, then values that do not fit their column's type.
    Run(cnn,
        {insert + "('abc', '张三 memo', -1, 7, 70000, 200, 1.5, 0.1, 1234567.8901, '2026-01-15 08:30:00', "
                  "'{12345678-1234-1234-1234-123456789ABC}', 12.34, X'00FF10')",
         insert + "(42, 3.25, 'yes', 99999, 99999999999, 300, 'x', 1e300, 922337203685477.5807, "
                  "'2026-02-30 00:00:00', 'abc', 'text', 'text in image')",
         insert + "('', '', 0, -32768, -2147483648, 0, -0.0, -1.5e-7, -0.00005, '2026-01-15', 7, "
                  "-0.5, X'')",
         insert + "(NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)",
         insert + "('tab\there', 'line\nbreak', 2, 2.5, 1.5, -1, 3, 3, 5, 45000, 1.5, 1e30, 42)",
         insert + "('x', 'y', 0.5, '12', '0x10', ' 7 ', 2.5e38, 'NaN', 1e20, '0099-01-01 00:00:00', "
                  "X'41', 99999999999999999999, 2.5)",
         insert + "('a', 'b', 1, 1, 1, 1, 1, 1, 0.00015, '2026-01-15 24:00:00', NULL, 0, NULL)"});

    const Rows expected = RowsAsTheFieldsShowThem(cnn, "Select * From V");
    ASSERT_EQ(expected.size(), 7u);
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "V", columns)), expected);
}

TEST_F(JetBookReading, GivesTheAskedColumnsInTheAskedOrderAndTheRowsInStorageOrder) {
    const std::string file = CreateBook();
    {
        Connection cnn = OpenBook(file);
        // An index that holds every asked column would give the rows in name order.
        Run(cnn, {"CREATE TABLE W (ID COUNTER, Name TEXT(20), Note MEMO, Extra MEMO)",
                  "CREATE INDEX ByName ON W (Name)", "INSERT INTO W (Name) VALUES ('c')",
                  "INSERT INTO W (Name) VALUES ('a')", "INSERT INTO W (Name) VALUES ('b')",
                  "DELETE FROM W WHERE Name = 'a'", "INSERT INTO W (Name) VALUES ('a')"});
    }
    const Rows rows = ReadRows(reader_, ImportOf(file, "w", {"NAME", "id"}));
    EXPECT_EQ(rows, (Rows{{"c", "1"}, {"b", "3"}, {"a", "4"}}));
}

// Every read checks the file and the password again: a replaced, rewritten, removed
// or written book is read as it is now.
TEST_F(JetBookReading, ReadsTheBookAsItIsAtEachReadAndQuotesTheJetProviderOnFailure) {
    const std::string file = BookWithNames("book.mde", {"first"});
    const auto names = [&](const std::string& table = "T", const std::string& column = "Name",
                           const std::string& password = kBookPassword) {
        return ReadRows(reader_, ImportOf(file, table, {column}, password));
    };
    EXPECT_EQ(names(), (Rows{{"first"}}));
    std::filesystem::rename(BookWithNames("other.mde", {"second", "third"}), file);
    EXPECT_EQ(names(), (Rows{{"second"}, {"third"}}));
    // Rewritten in place by a copy of another book (keyed with its own salt).
    std::filesystem::copy_file(BookWithNames("third.mde", {"fourth"}), file,
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(names(), (Rows{{"fourth"}}));
    OpenBook(file).Execute("INSERT INTO T (Name) VALUES ('fifth')");
    EXPECT_EQ(names(), (Rows{{"fourth"}, {"fifth"}}));

    const AdoError noTable = CatchAdoError([&] { names("Missing"); });
    EXPECT_EQ(noTable.Source(), kProviderSource);
    EXPECT_EQ(noTable.NativeError(), 7399);
    EXPECT_EQ(noTable.Description(), "OLE DB provider \"Microsoft.Jet.OLEDB.4.0\" returned message \"no such "
                                     "table: Missing\" for the book file \"" + file + "\".");
    const std::pair<std::function<void()>, const char*> failures[] = {
        {[&] { names("T", "Nope"); }, "no such column: Nope"},
        {[&] { names("T", "Name", "wrong"); }, "Not a valid password."},
        {[&] { std::filesystem::remove(file); names(); }, "Could not find file"}};
    for (const auto& [read, text] : failures)
        EXPECT_NE(CatchAdoError(read).Description().find(text), std::string::npos) << text;
    BookWithNames("book.mde", {"again"});
    EXPECT_EQ(names(), (Rows{{"again"}}));
}

TEST_F(JetBookReading, WhatTheReceiverThrowsPassesThroughUnchanged) {
    const std::string file = BookWithNames("book.mde", {"first", "second"});
    const AdoError own = CatchAdoError([&] {
        reader_.Read(ImportOf(file, "T", {"Name"}), [](const auto&) { throw AdoError(123, "mine", "stop"); });
    });
    EXPECT_EQ(own.Number(), 123);
    EXPECT_EQ(own.Description(), "stop");
    EXPECT_THROW(reader_.Read(ImportOf(file, "T", {"Name"}), [](const auto&) { throw std::runtime_error("gone"); }),
                 std::runtime_error);
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})).size(), 2u);
}

TEST_F(JetBookReading, OnlyTheBookFileProviderHandsOutATableReader) {
    const std::string file = BookWithNames("book.mde", {"first"});
    Rows rows;
    CreateTableTextReader("microsoft.jet.oledb")->Read({file, kBookPassword, "T", {"Name"}}, [&](const TextRow& v) {
        rows.push_back({std::string(*v.at(0))});
    });
    EXPECT_EQ(rows, (Rows{{"first"}}));
    for (const char* name : {"SQLOLEDB.1", "Microsoft.ACE.OLEDB.12.0"})
        EXPECT_EQ(CatchAdoError([&] { CreateTableTextReader(name); }).Number(), errors::ProviderNotFound) << name;
}

} // namespace
} // namespace kx::ado::sqloledb
