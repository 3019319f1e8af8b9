#include "BookFileFixture.h"

#include <gtest/gtest.h>

namespace kx::ado {
namespace {

using test::CatchAdoError;
using test::OpenBook;

class RecordsetNavigation : public test::BookFileFixture {
  protected:
    void SetUp() override {
        cnn_ = CreateAndOpenBook();
        Run(cnn_, {"CREATE TABLE t (ID COUNTER, Name TEXT(10))"});
        for (int i = 1; i <= 5; ++i)
            cnn_.Execute("INSERT INTO t (Name) VALUES ('n" + std::to_string(i) + "')");
    }
    Connection cnn_;
};

TEST_F(RecordsetNavigation, WalksEveryRowAndStopsAtTheEnds) {
    auto rs = cnn_.Execute("SELECT * FROM t ORDER BY ID");
    EXPECT_EQ(rs->RecordCount(), 5);
    EXPECT_FALSE(rs->IsBOF());
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    std::string seen;
    for (; !rs->IsEOF(); rs->MoveNext())
        seen += rs->Item("name").Value().ToString();
    EXPECT_EQ(seen, "n1n2n3n4n5");
    EXPECT_EQ(rs->AbsolutePosition(), adPosEOF);
    EXPECT_EQ(CatchAdoError([&] { rs->MoveNext(); }).Number(), errors::NoCurrentRecord);
    EXPECT_EQ(CatchAdoError([&] { rs->Item("Name").Value(); }).Number(), errors::NoCurrentRecord);
    rs->MovePrevious();
    EXPECT_EQ(rs->AbsolutePosition(), 5);
    rs->Move(-10);
    EXPECT_TRUE(rs->IsBOF());
    EXPECT_EQ(rs->AbsolutePosition(), adPosBOF);
    EXPECT_EQ(CatchAdoError([&] { rs->MovePrevious(); }).Number(), errors::NoCurrentRecord);
    rs->SetAbsolutePosition(3);
    EXPECT_EQ(rs->Item("Name").Value(), Variant("n3"));
    rs->Move(2);
    EXPECT_EQ(rs->Item(1L).Value(), Variant("n5"));
    rs->MoveFirst();
    EXPECT_EQ(rs->Item(0L).Value(), Variant(std::int32_t{1}));
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 5);
    EXPECT_EQ(CatchAdoError([&] { rs->SetAbsolutePosition(6); }).Number(), errors::InvalidArgument);
    const Fields fields = rs->Fields();
    EXPECT_EQ(fields.Item("NAME").Name(), "Name");
    EXPECT_EQ(CatchAdoError([&] { fields.Item("Missing"); }).Number(), errors::ItemNotFound);
    EXPECT_EQ(CatchAdoError([&] { fields.Item(2L); }).Number(), errors::ItemNotFound);
    rs->Close();
    EXPECT_EQ(CatchAdoError([&] { rs->RecordCount(); }).Number(), errors::ObjectClosed);

    auto empty = cnn_.Execute("SELECT * FROM t WHERE ID > 100");
    EXPECT_TRUE(empty->IsBOF() && empty->IsEOF());
    EXPECT_EQ(empty->AbsolutePosition(), adPosUnknown);
    EXPECT_NO_THROW(empty->MoveFirst());
    EXPECT_EQ(CatchAdoError([&] { empty->Item("ID").Value(); }).Number(), errors::NoCurrentRecord);
}

class RecordsetEditing : public test::BookFileFixture {
  protected:
    void SetUp() override {
        file_ = CreateBook();
        cnn_ = OpenBook(file_);
        Run(cnn_, {"CREATE TABLE kxOperator (opID COUNTER, opName TEXT(20), OpPwd TEXT(20), Rights LONG)",
                   "INSERT INTO kxOperator (opName, OpPwd, Rights) VALUES ('a', 'pa', 1)",
                   "INSERT INTO kxOperator (opName, OpPwd, Rights) VALUES ('b', 'pb', 2)",
                   "INSERT INTO kxOperator (opName, OpPwd, Rights) VALUES ('c', 'pc', 3)"});
    }

    // What another connection sees now.
    std::string Passwords() {
        Connection other = OpenBook(file_);
        auto rs = other.Execute("SELECT OpPwd FROM kxOperator ORDER BY opID");
        std::string text;
        for (; !rs->IsEOF(); rs->MoveNext())
            text += rs->Item("OpPwd").Value().ToString() + ",";
        return text;
    }

    Recordset OpenTable(CursorTypeEnum cursor = adOpenStatic, LockTypeEnum lock = adLockOptimistic) {
        Recordset rs;
        rs.Open("kxOperator", cnn_, cursor, lock, adCmdTable);
        return rs;
    }

    std::string file_;
    Connection cnn_;
};

// Cancel, edit mode, original values, delete, batch locking and keyset cursors, in
// one walk over the rows.
TEST_F(RecordsetEditing, EditsCancelsDeletionsAndBatchesWriteOnlyWhatTheyShould) {
    Recordset rs = OpenTable(adOpenForwardOnly);
    EXPECT_EQ(rs.Item("OpPwd").OriginalValue(), Variant("pa")) << "an unedited row's own value";
    rs.Item("OpPwd").SetValue(Variant("zzz"));
    rs.CancelUpdate();
    EXPECT_EQ(rs.Item("OpPwd").Value(), Variant("pa"));
    rs.MoveNext();
    rs.Item("OpPwd").SetValue(Variant("new"));
    EXPECT_EQ(rs.EditMode(), adEditInProgress);
    EXPECT_EQ(rs.Item("OpPwd").OriginalValue(), Variant("pb"));
    rs.Update();
    EXPECT_EQ(rs.EditMode(), adEditNone);
    EXPECT_EQ(Passwords(), "pa,new,pc,");
    rs.Close();

    Recordset batch = OpenTable(adOpenStatic, adLockBatchOptimistic);
    batch.Item("OpPwd").SetValue(Variant("x1"));
    batch.MoveNext(); // leaving the row keeps the edit for the batch
    batch.Delete();
    EXPECT_EQ(batch.Item("opName").Value(), Variant("c"));
    batch.AddNew();
    EXPECT_EQ(batch.EditMode(), adEditAdd);
    batch.Item("opName").SetValue(Variant("d"));
    batch.Item("OpPwd").SetValue(Variant("pd"));
    batch.Update();
    EXPECT_TRUE(batch.Item("opID").Value().IsNull());
    EXPECT_EQ(Passwords(), "pa,new,pc,");
    batch.UpdateBatch();
    EXPECT_EQ(Passwords(), "x1,pc,pd,");
    EXPECT_EQ(batch.Item("opID").Value(), Variant(std::int32_t{4})) << "the number the book gave it";
    EXPECT_EQ(batch.RecordCount(), 3);

    Recordset keyset;
    keyset.Open("SELECT * FROM kxOperator", cnn_, adOpenKeyset, adLockOptimistic);
    keyset.AddNew();
    keyset.Item("opName").SetValue(Variant("e"));
    keyset.Update();
    EXPECT_EQ(keyset.Item("opID").Value(), Variant(std::int32_t{5}));
    EXPECT_TRUE(keyset.Item("Rights").Value().IsNull());
    keyset.AddNew();
    keyset.CancelUpdate();
    keyset.MoveFirst();
    keyset.Delete();
    EXPECT_EQ(Passwords(), "pc,pd,,");
    Connection active = keyset.ActiveConnection();
    EXPECT_EQ(active.Properties().Text("Data Source"), file_);
    active.Close();
    EXPECT_EQ(cnn_.State(), adStateClosed);
    EXPECT_EQ(keyset.Item("opName").Value(), Variant("c")) << "fetched rows stay readable";
    Recordset closed;
    EXPECT_EQ(CatchAdoError([&] { closed.ActiveConnection(); }).Number(), errors::ObjectClosed);
}

TEST_F(RecordsetEditing, ValuesAreConvertedAndReadOnlyFieldsRefuseEdits) {
    Recordset rs = OpenTable();
    rs.Item("Rights").SetValue(Variant("12"));
    EXPECT_EQ(rs.Item("Rights").Value(), Variant(std::int32_t{12}));
    EXPECT_EQ(CatchAdoError([&] { rs.Item("Rights").SetValue(Variant("abc")); }).Number(),
              errors::DataConversion);
    EXPECT_EQ(CatchAdoError([&] { rs.Item("Rights").SetValue(Variant(1e12)); }).Number(), errors::Overflow);
    rs.Item("OpPwd").SetValue(Variant(std::int32_t{5}));
    EXPECT_EQ(rs.Item("OpPwd").Value(), Variant("5"));
    EXPECT_EQ(CatchAdoError([&] { rs.Item("opID").SetValue(Variant(std::int32_t{9})); }).Number(),
              errors::FeatureNotAvailable);

    Run(cnn_, {"CREATE TABLE b (opName TEXT(5))", "INSERT INTO b VALUES ('a')"});
    // Statement rows, computed columns and joins cannot be written.
    for (const auto& [sql, field] : {std::pair{"SELECT opName, Len(OpPwd) AS n FROM kxOperator", "n"},
                                     {"SELECT a.OpPwd, b.opName FROM kxOperator a INNER JOIN b ON a.opName = b.opName",
                                      "OpPwd"}}) {
        Recordset other;
        other.Open(sql, cnn_, adOpenStatic, adLockOptimistic);
        EXPECT_EQ(CatchAdoError([&] { other.Item(field).SetValue(Variant("1")); }).Number(),
                  errors::FeatureNotAvailable) << sql;
        if (std::string(field) == "n") {
            EXPECT_NO_THROW(other.Item("opName").SetValue(Variant("renamed"))) << "a plain column of it can";
        }
    }
    auto readOnly = cnn_.Execute("SELECT * FROM kxOperator");
    EXPECT_EQ(CatchAdoError([&] { readOnly->Item("OpPwd").SetValue(Variant("x")); }).Number(),
              errors::FeatureNotAvailable);
}

TEST_F(RecordsetEditing, DatesAndMoneyRoundTrip) {
    Run(cnn_, {"CREATE TABLE kxAccPeriod (ID COUNTER, Begins DATETIME, Amount CURRENCY, Closed BIT)",
               "INSERT INTO kxAccPeriod (Amount) VALUES (0)", "INSERT INTO kxAccPeriod (Amount) VALUES (0)"});
    const Date when = Date::FromParts(2013, 3, 15, 10, 20, 30);
    const Date old = Date::FromParts(1800, 1, 1, 6, 0, 0);
    {
        Recordset rs;
        rs.Open("kxAccPeriod", cnn_, adOpenStatic, adLockOptimistic, adCmdTable);
        rs.Item("Begins").SetValue(Variant(when));
        rs.Item("Amount").SetValue(Variant(Currency{12345678901}));
        rs.Item("Closed").SetValue(Variant(true));
        rs.MoveNext();
        rs.Item("Begins").SetValue(Variant(old));
        rs.Item("Amount").SetValue(Variant(Currency{-1}));
        rs.Item("Closed").SetValue(Variant(false));
        rs.Update();
    }
    Connection other = OpenBook(file_);
    auto rs = other.Execute("SELECT * FROM kxAccPeriod ORDER BY ID");
    EXPECT_EQ(rs->Item("Begins").Value(), Variant(when));
    EXPECT_EQ(rs->Item("Amount").Value(), Variant(Currency{12345678901}));
    rs->MoveNext();
    EXPECT_EQ(rs->Item("Begins").Value().ToDate().Parts(), old.Parts());
    // True is stored as Jet stores it, so Jet statements find it.
    EXPECT_EQ(Scalar(other, "SELECT count(*) FROM kxAccPeriod WHERE Closed = -1"), Variant(std::int32_t{1}));
    EXPECT_EQ(Scalar(other, "SELECT sum(Amount) FROM kxAccPeriod").ToCurrency(), Currency{12345678900});
}

TEST_F(RecordsetEditing, RowsWithoutAKeyAreFoundByTheirValuesAsTheyWereRead) {
    Run(cnn_, {"CREATE TABLE t (a TEXT(5), n DOUBLE)", "INSERT INTO t VALUES ('A', 0.1)",
               "INSERT INTO t VALUES ('a', 0.1)", "INSERT INTO t VALUES ('a', 0.1)"});
    Recordset rs;
    rs.Open("SELECT * FROM t", cnn_, adOpenStatic, adLockOptimistic, adCmdText);
    rs.MoveNext();
    rs.Item("n").SetValue(Variant(2.5));
    rs.Update();
    // One of the two equal rows changed; the row differing only in case did not.
    EXPECT_EQ(Scalar(cnn_, "SELECT count(*) FROM t WHERE n = 2.5"), Variant(std::int32_t{1}));
    EXPECT_EQ(Scalar(cnn_, "SELECT n FROM t WHERE a = 'A' COLLATE BINARY"), Variant(0.1));

    cnn_.Execute("UPDATE t SET n = 3 WHERE n = 2.5");
    rs.Item("a").SetValue(Variant("y"));
    EXPECT_EQ(CatchAdoError([&] { rs.Update(); }).Number(), errors::RowNotFound);
    EXPECT_EQ(rs.EditMode(), adEditInProgress);
    EXPECT_EQ(Scalar(cnn_, "SELECT count(*) FROM t WHERE a = 'y'"), Variant(std::int32_t{0}));
}

// Rows that the book-file provider reads only when they are first needed.

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
