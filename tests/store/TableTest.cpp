#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "store/Store.h"

using namespace kv::store;

namespace {

const FieldDefs PackFields = {
    FieldDef::Alpha("Button", 20), FieldDef::Alpha("Model", 3), FieldDef::Alpha("Pack", 4), FieldDef::Alpha("Code", 6),
    FieldDef::Alpha("Creator", 30), FieldDef::Of("Date", FieldType::Date), FieldDef::Alpha("DB", 2),
    FieldDef::Of("Card", FieldType::Long), FieldDef::Alpha("Help", 30), FieldDef::Alpha("Title", 50),
    FieldDef::Alpha("CustomTitle", 50), FieldDef::Alpha("Description", 255), FieldDef::Alpha("CustomDescription", 255),
};

using TableFiles = InTempDir;

TEST_F(TableFiles, CreatedTableReopensWithItsStructureAndRecords) {
    std::filesystem::create_directories("dbs/user");
    Table::Create("dbs\\user\\740-pack.db", PackFields);
    Table t("dbs\\user\\740-pack.db");
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
    t.AppendRecord({"FLOW", "758", "FC01", "000001", "Zoë Müller", "2024-02-29", "01", "-7"});
    t.AppendRecord({"STEAM", "746", "SC02", "000002", "", "", ""});
    t.Close();

    Table r("dbs/user/740-pack.db");
    r.SetReadOnly(true);
    r.Open();
    EXPECT_EQ(r.GetFieldDefs(), PackFields);
    EXPECT_EQ(r.RecordCount(), 2);
    r.First();
    EXPECT_EQ(r.FieldByName("creator").AsString(), "Zoë Müller");
    EXPECT_EQ(r.FieldByName("Date").AsString(), "2024-02-29");
    EXPECT_EQ(r.FieldByName("Card").AsString(), "-7");
    r.Next();
    EXPECT_EQ(r.Fields(2).AsString(), "SC02");
    EXPECT_TRUE(r.FieldByName("Date").IsNull());
    EXPECT_EQ(r.FieldByName("Description").Size(), 255);
}

}  // namespace
