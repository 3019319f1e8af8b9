#include "BookFileFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace kx::ado {
namespace {

using test::CatchAdoError;

class TableListing : public test::BookFileFixture {
  protected:
    void SetUp() override {
        cnn_ = CreateAndOpenBook();
        Run(cnn_, {"CREATE TABLE kxAccClass (ID COUNTER, Code TEXT(10))", "CREATE TABLE [kx Branch] (x LONG)",
                   "CREATE VIEW vClasses AS SELECT Code FROM kxAccClass"});
    }

    // The listing walk of the conversion: rows whose type is exactly "TABLE".
    static std::set<std::string> UserTables(Recordset& rs) {
        std::set<std::string> names;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            if (rs.Item("Table_Type").Value().ToString() == "TABLE")
                names.insert(rs.Item("Table_Name").Value().ToString());
        return names;
    }

    Connection cnn_;
};

TEST_F(TableListing, ListsUserTablesViewsAndSystemTablesFilteredByTheRestrictions) {
    Recordset rs = cnn_.OpenSchema(adSchemaTables);
    std::set<std::string> rows;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        EXPECT_TRUE(rs.Item("Table_Catalog").Value().IsNull());
        rows.insert(rs.Item("TABLE_TYPE").Value().ToString() + ":" +
                    rs.Item("table_name").Value().ToString());
    }
    EXPECT_EQ(rows, (std::set<std::string>{"TABLE:kxAccClass", "TABLE:kx Branch", "VIEW:vClasses",
                                           "SYSTEM TABLE:sqlite_master", "SYSTEM TABLE:sqlite_sequence"}));
    EXPECT_EQ(UserTables(rs), (std::set<std::string>{"kxAccClass", "kx Branch"}));

    // Restrictions filter by name and type; the rows are read-only.
    Recordset tables = cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("Table")});
    EXPECT_EQ(tables.RecordCount(), 2);
    EXPECT_EQ(UserTables(tables), (std::set<std::string>{"kxAccClass", "kx Branch"}));
    Recordset one =
        cnn_.OpenSchema(adSchemaTables, {Variant::Null(), Variant::Null(), Variant("KXACCCLASS")});
    ASSERT_EQ(one.RecordCount(), 1);
    EXPECT_EQ(one.Item("TABLE_NAME").Value(), Variant("kxAccClass"));
    EXPECT_EQ(
        cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("VIEW")}).RecordCount(), 1);
    EXPECT_EQ(CatchAdoError([&] { one.Item("TABLE_NAME").SetValue(Variant("x")); }).Number(),
              errors::FeatureNotAvailable);
    EXPECT_EQ(CatchAdoError([&] { cnn_.OpenSchema(adSchemaColumns); }).Number(), errors::FeatureNotAvailable);
}

} // namespace
} // namespace kx::ado
