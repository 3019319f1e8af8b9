// Rows that the book-file provider reads only when they are first needed.

#include "BookFileFixture.h"

#include <gtest/gtest.h>

namespace kx::ado {
namespace {

using test::CatchAdoError;
using test::OpenBook;

class RecordsetFetch : public test::BookFileFixture {
  protected:
    void SetUp() override {
        file_ = CreateBook();
        cnn_ = OpenBook(file_);
        Run(cnn_, {"CREATE TABLE t (ID COUNTER, Name TEXT(10))", "INSERT INTO t (Name) VALUES ('n1')",
                   "INSERT INTO t (Name) VALUES ('n2')", "INSERT INTO t (Name) VALUES ('n3')"});
    }

    static std::string Names(Recordset& rs) {
        std::string names;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            names += rs.Item("Name").Value().ToString();
        return names;
    }

    std::string file_;
    Connection cnn_;
};

TEST_F(RecordsetFetch, RowsAreThoseOfTheMomentTheQueryRanWhateverItsConnectionDoesNext) {
    auto rs = cnn_.Execute("Select * From t");
    const Fields fields = rs->Fields(); // there before any row is read
    ASSERT_EQ(fields.Count(), 2);
    EXPECT_EQ(fields.Item(0L).Attributes(), 90);
    EXPECT_EQ(fields.Item("name").DefinedSize(), 10);
    Recordset table;
    table.Open("t", cnn_, adOpenForwardOnly, adLockReadOnly, adCmdTable);
    cnn_.Execute("DELETE FROM t WHERE Name = 'n1'");
    cnn_.Execute("INSERT INTO t (Name) VALUES ('n4')");
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(Names(*rs), "n1n2n3");
    cnn_.Close();
    EXPECT_EQ(Names(table), "n1n2n3") << "rows opened on a connection outlive its close";
}

TEST_F(RecordsetFetch, AFetchThatFailsFailsEveryUseOfTheRowsButNotTheCommandThatCausedIt) {
    auto rs = cnn_.Execute("Select * From t");
    Connection other = OpenBook(file_);
    other.Execute("DROP TABLE t");
    other.Close();

    // The connection's next command fetches the waiting rows first; their failure
    // belongs to the recordset.
    EXPECT_NO_THROW(cnn_.Execute("CREATE TABLE u (x LONG)"));
    const AdoError first = CatchAdoError([&] { rs->RecordCount(); });
    EXPECT_EQ(first.Number(), errors::NoSuchTable);
    EXPECT_NE(first.Description().find("no such table"), std::string::npos) << first.Description();
    const AdoError again = CatchAdoError([&] { rs->MoveFirst(); });
    EXPECT_EQ(again.Description(), first.Description());
    EXPECT_EQ(CatchAdoError([&] { rs->Item("Name").Value(); }).Number(), errors::NoSuchTable);
    EXPECT_EQ(rs->Fields().Count(), 2);
    EXPECT_NO_THROW(rs->Close());
}

TEST_F(RecordsetFetch, AnUnreadRecordsetCanBeEditedAndWritesItsRows) {
    Recordset rs;
    rs.Open("t", cnn_, adOpenForwardOnly, adLockOptimistic, adCmdTable);
    rs.AddNew();
    rs.Item("Name").SetValue(Variant("n4"));
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs.Item("ID").Value(), Variant(std::int32_t{4}));
    rs.MoveFirst();
    rs.Item("Name").SetValue(Variant("first"));
    rs.MoveNext();
    rs.Close();
    EXPECT_EQ(Scalar(cnn_, "SELECT Name FROM t WHERE ID = 1"), Variant("first"));
    EXPECT_EQ(Scalar(cnn_, "SELECT COUNT(*) FROM t"), Variant(std::int32_t{4}));
}

} // namespace
} // namespace kx::ado
