#include <gtest/gtest.h>

#include "TestFiles.h"
#include "assets/CsvTable.h"
#include "store/Store.h"
#include "support/TempDir.h"

namespace kv::assets {
namespace {

using kv::testing::CurrentDir;
using kv::testing::TempDir;
using testing::WriteBytes;

TEST(CsvTable, ParsesQuotedFieldsAndLineEnds) {
    struct Case {
        std::string text;
        std::vector<CsvRow> rows;
    };
    const Case cases[] = {
        {"a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}},
        {",,,,\n", {{"", "", "", "", ""}}},
        {"\"Normal, 0 C\",x\n", {{"Normal, 0 C", "x"}}},
        {"\"say \"\"hi\"\"\",\"\"\n", {{"say \"hi\"", ""}}},
        {"\"two\nlines\",z\n", {{"two\nlines", "z"}}},
        {"a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseCsv(c.text), c.rows) << c.text;
    EXPECT_THROW(ParseCsv("a,\"open\n"), std::runtime_error);
}

TEST(CsvTable, WritesATableWithTheNamedFieldsAndRecordsInOrder) {
    TempDir dir;
    WriteBytes(dir / "packs.csv",
               "Button:A20,Model:A3,Date:D,Card:I,Description:A255\n"
               "FLOW,758,2024-03-01,7,\"Volume, mass and energy\"\n"
               "STEAM HEAT,746,,,\n");
    CurrentDir here(dir.Path());
    CsvToTable("packs.csv", "740-pack.db");

    store::Table table("740-pack.db");
    table.Open();
    ASSERT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.FieldByName("Button").Size(), 20);
    table.First();
    EXPECT_EQ(table.FieldByName("Description").AsString(), "Volume, mass and energy");
    EXPECT_EQ(table.FieldByName("Date").AsString(), "2024-03-01");
    EXPECT_EQ(table.FieldByName("Card").AsString(), "7");
    table.Next();
    EXPECT_EQ(table.FieldByName("Button").AsString(), "STEAM HEAT");
    EXPECT_EQ(table.FieldByName("Card").AsString(), "");
}

TEST(CsvTable, FaultsNameTheFileAndLine) {
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"Pack:A4,Code:A6\nFC01\n", "packs.csv, line 2: 1 values for 2 fields"},
        {"Pack:A4,Code:A6\nFC01,000000\nFC012,000000\n", "packs.csv, line 3"},
        {"Pack:A4,Code\n", "field \"Code\" has no type code"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir / "packs.csv", c.text);
        CurrentDir here(dir.Path());
        try {
            CsvToTable("packs.csv", "740-pack.db");
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace kv::assets
