#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "Fixtures.h"
#include "support/TempDir.h"

using namespace kv::store;
using fixtures::Column;

namespace {

using kv::testing::InTempDir;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

using TableFiles = InTempDir;

TEST_F(TableFiles, CreatedTableReopensWithItsStructureAndRecords) {
    std::filesystem::create_directories("dbs/user");
    Table::Create("dbs\\user\\740-pack.db", fixtures::PackFields());
    Table t("dbs\\user\\740-pack.db");
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
    t.AppendRecord({"FLOW", "758", "FC01", "000001", "Zoë Müller", "2024-02-29", "01", "-7"});
    t.AppendRecord({"STEAM", "746", "SC02", "000002"});
    t.Close();

    Table r("dbs/user/740-pack.db");
    r.SetReadOnly(true);
    r.Open();
    EXPECT_EQ(r.GetFieldDefs(), fixtures::PackFields());
    EXPECT_EQ(r.RecordCount(), 2);
    r.First();
    EXPECT_EQ(r.FieldByName("creator").AsString(), "Zoë Müller");
    EXPECT_EQ(r.FieldByName("Date").AsString(), "2024-02-29");
    EXPECT_EQ(r.FieldByName("Card").AsString(), "-7");
    r.Next();
    EXPECT_EQ(r.Fields(2).AsString(), "SC02");
    EXPECT_TRUE(r.FieldByName("Date").IsNull());
    EXPECT_EQ(r.FieldByName("Description").Size(), 255);
    EXPECT_EQ(r.FieldByName("Card").Size(), 0);
    EXPECT_THROW(r.FieldByName("Nope"), StoreError);
}

TEST_F(TableFiles, ValuesOfEveryTypeKeepTheirTextThroughTheFile) {
    struct Case {
        FieldType type;
        std::string in, out;
    } cases[] = {
        {FieldType::Short, "-32767", "-32767"},
        {FieldType::Short, "+12", "12"},
        {FieldType::Long, "2147483647", "2147483647"},
        {FieldType::Long, "0", "0"},
        {FieldType::AutoInc, "17", "17"},
        {FieldType::Number, "0.1", "0.1"},
        {FieldType::Number, "1000000", "1000000"},
        {FieldType::Number, "-1.5e-300", "-1.5e-300"},
        {FieldType::Number, "0", "0"},
        {FieldType::Currency, "12.50", "12.5"},
        {FieldType::Logical, "true", "True"},
        {FieldType::Logical, "F", "False"},
        {FieldType::Date, "0001-01-01", "0001-01-01"},
        {FieldType::Date, "9999-12-31", "9999-12-31"},
        {FieldType::Date, "2000-02-29", "2000-02-29"},
        {FieldType::Time, "23:59:59.999", "23:59:59.999"},
        {FieldType::Time, "00:00:00", "00:00:00"},
        {FieldType::Timestamp, "2024-02-29 12:34:56", "2024-02-29 12:34:56"},
        {FieldType::Long, "", ""},
        {FieldType::Date, "", ""},
    };
    FieldDefs fields;
    for (size_t i = 0; i < std::size(cases); ++i)
        fields.push_back(FieldDef::Of("F" + std::to_string(i), cases[i].type));
    Table::Create("types.db", fields);
    Table t("types.db");
    t.Open();
    std::vector<std::string> values;
    for (const auto& c : cases) values.push_back(c.in);
    t.AppendRecord(values);
    t.Close();
    t.Open();
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(t.Fields(static_cast<int>(i)).AsString(), cases[i].out) << cases[i].in;

    struct Bad {
        FieldType type;
        const char* text;
    } bad[] = {
        {FieldType::Long, "12a"},
        {FieldType::Long, "2147483648"},
        {FieldType::Long, "-2147483648"},  // that one is the blank
        {FieldType::Short, "40000"},
        {FieldType::Number, "abc"},
        {FieldType::Number, "nan"},
        {FieldType::Number, "inf"},
        {FieldType::Date, "2023-02-29"},
        {FieldType::Date, "2024-13-01"},
        {FieldType::Date, "24-01-01"},
        {FieldType::Date, "31/12/2024"},
        {FieldType::Logical, "maybe"},
        {FieldType::Time, "24:00:00"},
        {FieldType::Timestamp, "2024-01-01"},
    };
    t.Edit();
    for (const auto& b : bad) {
        Field* f = nullptr;
        for (size_t i = 0; i < std::size(cases) && !f; ++i)
            if (cases[i].type == b.type) f = &t.Fields(static_cast<int>(i));
        ASSERT_NE(f, nullptr);
        std::string before = f->AsString();
        EXPECT_THROW(f->SetAsString(b.text), StoreError) << b.text;
        EXPECT_EQ(f->AsString(), before);
    }
}

TEST_F(TableFiles, PathsOfTheOtherPlatformFindTheFileWhateverTheCase) {
    std::filesystem::create_directories("Dbs/User");
    Table::Create("Dbs/User/740-PACK.DB", fixtures::PackFields());
    EXPECT_TRUE(Table::Exists("dbs\\user\\740-pack.db"));
    EXPECT_FALSE(Table::Exists("dbs\\user\\740-data.db"));
    Table::Create("dbs\\user\\740-pack.db", fixtures::OptionFields());  // replaces the same file
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("Dbs/User"), {}), 1);
    Table t("dbs\\user\\740-pack.db");
    t.Open();
    EXPECT_EQ(t.GetFieldDefs(), fixtures::OptionFields());
}

TEST_F(TableFiles, CreateReplacesAnOldTableAndRefusesBadStructures) {
    fixtures::MakeTable("t.db", fixtures::OptionFields(), {{"A"}, {"B"}});
    Table::Create("t.db", {FieldDef::Alpha("Other", 5)});
    Table t("t.db");
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(t.FieldCount(), 1);
    t.Close();
    std::string before = ReadBytes("t.db");
    for (const FieldDefs& bad :
         {FieldDefs{}, FieldDefs{FieldDef::Alpha("A", 0)}, FieldDefs{FieldDef::Alpha("A", 256)},
          FieldDefs{FieldDef::Alpha("A", 1), FieldDef::Alpha("a", 1)},
          FieldDefs{FieldDef::Alpha(std::string(26, 'n'), 1)}}) {
        EXPECT_THROW(Table::Create("t.db", bad), StoreError);
    }
    EXPECT_EQ(ReadBytes("t.db"), before);
    EXPECT_THROW(Table::DeleteTable("none.db"), StoreError);

    // Structures written as the letter codes of the table designers.
    EXPECT_EQ(ParseFieldDef("Pack", "A4"), FieldDef::Alpha("Pack", 4));
    EXPECT_EQ(ParseFieldDef("Date", "d"), FieldDef::Of("Date", FieldType::Date));
    EXPECT_EQ(ParseFieldDef("Card", "I"), FieldDef::Of("Card", FieldType::Long));
    for (const char* bad : {"A", "Ax", "I4", "X", ""})
        EXPECT_THROW(ParseFieldDef("F", bad), StoreError) << bad;
}

TEST_F(TableFiles, TableOfAnotherStructureThanTheProgramWantsFailsToOpen) {
    auto older = fixtures::OptionFields();
    older[1].Size = 5;
    older.pop_back();
    Table::Create("740-data.db", older);
    Table t("740-data.db");
    t.SetRequiredFields(fixtures::OptionFields());
    try {
        t.Open();
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_EQ(
            e.Reason(),
            "the structure does not match: field 'Tag' is alphanumeric 5, expected alphanumeric 7");
    }
    EXPECT_FALSE(t.Active());
    Table::Create("740-data.db", fixtures::OptionFields());
    t.Open();
    EXPECT_TRUE(t.Active());
}

TEST_F(TableFiles, PostingAnUnchangedRecordLeavesTheFileAlone) {
    fixtures::MakeTable("t.db", fixtures::OptionFields(), {{"A"}});
    auto inode = [] {
        struct stat st {};
        ::stat("t.db", &st);
        return st.st_ino;
    };
    auto before = inode();
    Table t("t.db");
    t.Open();
    t.Edit();
    t.FieldByName("Type").SetAsString("A");
    t.Post();
    EXPECT_EQ(inode(), before);
    t.Edit();
    t.FieldByName("Type").SetAsString("B");
    t.Post();
    EXPECT_NE(inode(), before);  // a new file took the name
}

TEST_F(TableFiles, KeyedTableOpensOnlyReadOnly) {
    fixtures::MakeTable("keyed.db", fixtures::OptionFields(), {{"A"}, {"B"}});
    std::string bytes = ReadBytes("keyed.db");
    bytes[4] = 0;  // file type: table with a primary key
    std::ofstream("keyed.db", std::ios::binary | std::ios::trunc) << bytes;
    Table t("keyed.db");
    EXPECT_THROW(t.Open(), StoreError);
    t.SetReadOnly(true);
    t.Open();
    EXPECT_EQ(Column(t, "Type"), (std::vector<std::string>{"A", "B"}));
}

TEST_F(TableFiles, BatchWritesOnceAtTheEndOrFallsBackToTheFile) {
    fixtures::MakeTable("t.db", fixtures::OptionFields(), {{"A"}});
    Table t("t.db");
    t.Open();
    std::string before = ReadBytes("t.db");
    {
        Batch batch(t);
        t.AppendRecord({"B"});
        t.AppendRecord({"C"});
        EXPECT_EQ(ReadBytes("t.db"), before);
    }
    EXPECT_EQ(Column(t, "Type"), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_NE(ReadBytes("t.db"), before);

    t.BeginBatch();
    t.AppendRecord({"D"});
    std::filesystem::rename("t.db", "moved.db");
    std::filesystem::create_directory("t.db");  // the write at the end fails
    EXPECT_THROW(t.EndBatch(), StoreError);
    EXPECT_EQ(Column(t, "Type"), (std::vector<std::string>{"A", "B", "C"}));
}

}  // namespace
