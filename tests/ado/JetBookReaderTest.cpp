// The reading of book-file tables for the server's OPENDATASOURCE imports.

#include "BookFileFixture.h"

#include "ado/ProviderRegistry.h"
#include "ado/pg/PgValueText.h"
#include "ado/sqloledb/OpenDataSourceReader.h"
#include "ado/sqloledb/ProviderErrors.h"

#include <gtest/gtest.h>

#include <filesystem>
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

TEST_F(JetBookReading, ReadsTheBookAnewOnceItsFileIsReplacedOrRewritten) {
    const std::string file = BookWithNames("book.mde", {"first"});
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})), (Rows{{"first"}}));

    // Replaced by another book: another file under the same name.
    const std::string other = BookWithNames("other.mde", {"second", "third"});
    std::filesystem::rename(other, file);
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})), (Rows{{"second"}, {"third"}}));

    // Rewritten in place by a copy of a third book (keyed with its own salt).
    const std::string third = BookWithNames("third.mde", {"fourth"});
    std::filesystem::copy_file(third, file, std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})), (Rows{{"fourth"}}));

    // Written through a connection of its own.
    OpenBook(file).Execute("INSERT INTO T (Name) VALUES ('fifth')");
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})), (Rows{{"fourth"}, {"fifth"}}));
}

TEST_F(JetBookReading, ChecksTheFileAndThePasswordAgainOnEveryRead) {
    const std::string file = BookWithNames("book.mde", {"first"});
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})).size(), 1u);

    std::filesystem::remove(file);
    const AdoError missing = CatchAdoError([&] { ReadRows(reader_, ImportOf(file, "T", {"Name"})); });
    EXPECT_NE(missing.Description().find("Could not find file"), std::string::npos) << missing.Description();

    BookWithNames("book.mde", {"again"});
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})), (Rows{{"again"}}));
    const AdoError wrongPassword =
        CatchAdoError([&] { ReadRows(reader_, ImportOf(file, "T", {"Name"}, "wrong")); });
    EXPECT_NE(wrongPassword.Description().find("Not a valid password."), std::string::npos)
        << wrongPassword.Description();
}

TEST_F(JetBookReading, FailuresOfTheBookQuoteTheJetProviderAndNameTheFile) {
    const std::string file = BookWithNames("book.mde", {"first"});
    const AdoError noTable = CatchAdoError([&] { ReadRows(reader_, ImportOf(file, "Missing", {"Name"})); });
    EXPECT_EQ(noTable.Source(), kProviderSource);
    EXPECT_EQ(noTable.NativeError(), 7399);
    EXPECT_EQ(noTable.Description(), "OLE DB provider \"Microsoft.Jet.OLEDB.4.0\" returned message \"no such "
                                     "table: Missing\" for the book file \"" +
                                         file + "\".");
    const AdoError noColumn = CatchAdoError([&] { ReadRows(reader_, ImportOf(file, "T", {"Nope"})); });
    EXPECT_NE(noColumn.Description().find("no such column: Nope"), std::string::npos)
        << noColumn.Description();
    // The book is still good for the next import.
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})), (Rows{{"first"}}));
}

TEST_F(JetBookReading, WhatTheReceiverThrowsPassesThroughUnchanged) {
    const std::string file = BookWithNames("book.mde", {"first", "second"});
    const auto throwing = [](auto error) {
        return [error](const std::vector<std::optional<std::string_view>>&) { throw error; };
    };
    const AdoError own = CatchAdoError(
        [&] { reader_.Read(ImportOf(file, "T", {"Name"}), throwing(AdoError(123, "mine", "stop"))); });
    EXPECT_EQ(own.Number(), 123);
    EXPECT_EQ(own.Source(), "mine");
    EXPECT_EQ(own.Description(), "stop");
    EXPECT_THROW(reader_.Read(ImportOf(file, "T", {"Name"}), throwing(std::runtime_error("server gone"))),
                 std::runtime_error);
    EXPECT_EQ(ReadRows(reader_, ImportOf(file, "T", {"Name"})).size(), 2u);
}

TEST_F(JetBookReading, OnlyTheBookFileProviderHandsOutATableReader) {
    const std::string file = BookWithNames("book.mde", {"first"});
    for (const char* name : {"Microsoft.Jet.OLEDB.4.0", "microsoft.jet.oledb"}) {
        Rows rows;
        CreateTableTextReader(name)->Read({file, kBookPassword, "T", {"Name"}}, [&](const TextRow& values) {
            rows.push_back({std::string(*values.at(0))});
        });
        EXPECT_EQ(rows, (Rows{{"first"}})) << name;
    }
    for (const char* name : {"SQLOLEDB.1", "SQLOLEDB", "Microsoft.ACE.OLEDB.12.0"}) {
        EXPECT_EQ(CatchAdoError([&] { CreateTableTextReader(name); }).Number(), errors::ProviderNotFound)
            << name;
    }
}

} // namespace
} // namespace kx::ado::sqloledb
