#include <gtest/gtest.h>

#include <filesystem>

#include "Fixtures.h"
#include "support/TempDir.h"

using namespace kv::store;
using fixtures::Column;

namespace {

using kv::testing::InTempDir;

const std::vector<std::string> Catalogue = {
    "SELECT *", "FROM '..\\dbs\\default\\740-pack.db'", "UNION",
    "SELECT *", "FROM '..\\dbs\\user\\740-pack.db'",    "ORDER BY Pack, Code"};

std::vector<std::string> Pack(const char* model, const char* pack, const char* code) {
    return {"FLOW",       model, pack, code, "Factory",
            "2020-01-02", "01",  "3",  "",   std::string("Title ") + pack};
}

class Queries : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        std::filesystem::create_directories("dbs/default");
        std::filesystem::create_directories("dbs/user");
        std::filesystem::create_directories("bin");
        std::filesystem::current_path("bin");
        fixtures::MakeTable("..\\dbs\\default\\740-pack.db", fixtures::PackFields(),
                            {Pack("758", "FC01", "000000"), Pack("746", "SC02", "000000"),
                             Pack("758", "AB01", "000000")});
        fixtures::MakeTable("..\\dbs\\user\\740-pack.db", fixtures::PackFields(),
                            {Pack("758", "FC01", "000001"), Pack("758", "AB01", "000003"),
                             Pack("758", "FC01", "000002"),
                             Pack("758", "FC01", "000000")});  // a duplicate of a factory record
    }
    std::vector<std::string> Keys(Dataset& d) {
        std::vector<std::string> out;
        for (d.First(); !d.Eof(); d.Next())
            out.push_back(d.FieldByName("Pack").AsString() + "-" +
                          d.FieldByName("Code").AsString());
        return out;
    }
};

TEST_F(Queries, CatalogueListsBothPackTablesByPackThenCode) {
    Query q;
    q.SetSQL(Catalogue);
    q.Open();
    EXPECT_EQ(Keys(q), (std::vector<std::string>{"AB01-000000", "AB01-000003", "FC01-000000",
                                                 "FC01-000001", "FC01-000002", "SC02-000000"}));
    EXPECT_FALSE(q.CanModify());
    EXPECT_THROW(q.Edit(), StoreError);
    EXPECT_THROW(q.Append(), StoreError);

    q.SetOnFilterRecord([](Dataset& d) {
        return d.FieldByName("Model").AsString() == "758" &&
               d.FieldByName("Code").AsString() == "000000";
    });
    q.SetFiltered(true);
    EXPECT_EQ(Keys(q), (std::vector<std::string>{"AB01-000000", "FC01-000000"}));
}

TEST_F(Queries, BookmarkSurvivesClosingAndReopeningTheQuery) {
    Query q;
    q.SetSQL(Catalogue);
    q.Open();
    ASSERT_TRUE(q.Locate("Pack;Code", {"fc01", "000001"}));
    std::string mark = q.GetBookmark();
    q.Close();
    q.Open();
    EXPECT_EQ(q.RecNo(), 1);
    ASSERT_TRUE(q.GotoBookmark(mark));
    EXPECT_EQ(q.RecNo(), 4);
    EXPECT_EQ(q.FieldByName("Code").AsString(), "000001");
}

TEST_F(Queries, UserTableOfAnotherStructureOrMissingFailsToOpen) {
    auto older = fixtures::PackFields();
    older.pop_back();
    Table::Create("..\\dbs\\user\\740-pack.db", older);
    Query q;
    q.SetSQL(Catalogue);
    try {
        q.Open();
        FAIL() << "opened";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.File(), "..\\dbs\\user\\740-pack.db");
        EXPECT_NE(e.Reason().find("structure does not match"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(q.Active());
    std::filesystem::remove("../dbs/user/740-pack.db");
    EXPECT_THROW(q.Open(), StoreError);
}

TEST_F(Queries, ParameterFollowsTheSourceRecordAndReRuns) {
    fixtures::MakeTable("740-opts.db", fixtures::OptionFields(),
                        {{"OP_ACCESS", "NONE", "OP_ACCESS_NONE"},
                         {"OP_ACCESS", "DISPLAY", "OP_ACCESS_DISPLAY"},
                         {"OP_BAUD", "9600", "OP_BAUD_9600"},
                         {"", "", ""},
                         {"OP_ITEM_PRINTOUT", "NO", "OP_ACCESS_DISPLAY"}});
    fixtures::MakeTable("version.db", fixtures::VersionFields(),
                        {{"ID_A", "OP_ACCESS"}, {"ID_B", "OP_BAUD"}, {"ID_C", "DT_FLOAT"}});
    Table version("version.db");
    version.Open();
    Query options;
    options.SetSQL({"SELECT * ", "FROM '740-opts.db' ", "WHERE Type = :Type"});
    options.SetDataSource(&version);
    options.Open();
    EXPECT_EQ(Column(options, "Tag"), (std::vector<std::string>{"NONE", "DISPLAY"}));
    version.Next();
    EXPECT_EQ(options.RecordCount(), 1);
    EXPECT_EQ(options.FieldByName("Item").AsString(), "OP_BAUD_9600");
    version.Next();
    EXPECT_TRUE(options.IsEmpty());

    {
        Table gone("version.db");
        options.SetDataSource(&gone);
    }
    options.SetDataSource(nullptr);
    options.Close();
    options.SetParam("type", "OP_ITEM_PRINTOUT");
    options.Open();
    EXPECT_EQ(Column(options, "Tag"), (std::vector<std::string>{"NO"}));
}

TEST_F(Queries, MalformedQueriesAreRefusedWithTheirText) {
    for (std::vector<std::string> sql : {std::vector<std::string>{"SELECT Pack FROM '740-opts.db'"},
                                         {"SELECT * FROM"},
                                         {"SELECT * FROM 'a.db' ORDER Pack"},
                                         {"SELECT * FROM 'a.db' WHERE Type = 'x'"},
                                         {"SELECT * FROM 'a.db' extra"}}) {
        Query q;
        q.SetSQL(sql);
        EXPECT_THROW(q.Open(), StoreError) << sql.front();
    }
}

TEST_F(Queries, UnionWidensTextFieldsToTheLongerOfTheTwo) {
    fixtures::MakeTable("a.db", {FieldDef::Alpha("Item", 4)}, {{"ABCD"}, {"ZZ"}});
    fixtures::MakeTable("b.db", {FieldDef::Alpha("Item", 8)}, {{"ABCDEFGH"}, {""}});
    Query q;
    q.SetSQL({"select * from 'a.db' union select * from 'b.db' order by Item"});
    q.Open();
    EXPECT_EQ(Column(q, "Item"), (std::vector<std::string>{"", "ABCD", "ABCDEFGH", "ZZ"}));
    EXPECT_EQ(q.FieldByName("Item").Size(), 8);
}

}  // namespace
