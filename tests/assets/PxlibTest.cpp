// Our Paradox files read by an independent reader (pxlib).
#include <gtest/gtest.h>

extern "C" {
#include <paradox.h>
}

#include <cstdlib>
#include <vector>

#include "TestFiles.h"
#include "assets/AssetFiles.h"
#include "support/TempDir.h"

namespace kv::assets {
namespace {

using kv::testing::TempDir;
using testing::DemoInstall;

struct PxTable {
    std::vector<std::string> Fields;
    std::vector<std::vector<std::string>> Records;
};

PxTable ReadWithPxlib(const std::filesystem::path& file) {
    PX_boot();
    pxdoc_t* doc = PX_new();
    PxTable out;
    if (PX_open_file(doc, file.c_str()) < 0) {
        PX_delete(doc);
        ADD_FAILURE() << "pxlib cannot open " << file;
        return out;
    }
    const int count = PX_get_num_fields(doc);
    pxfield_t* fields = PX_get_fields(doc);
    for (int f = 0; f < count; ++f) out.Fields.push_back(fields[f].px_fname);
    std::vector<char> record(PX_get_recordsize(doc));
    for (int r = 0; r < PX_get_num_records(doc); ++r) {
        if (!PX_get_record(doc, r, record.data())) break;
        std::vector<std::string> values;
        int offset = 0;
        for (int f = 0; f < count; ++f) {
            char* value = nullptr;
            if (fields[f].px_ftype == pxfAlpha &&
                PX_get_data_alpha(doc, record.data() + offset, fields[f].px_flen, &value) > 0) {
                values.push_back(value);
                doc->free(doc, value);
            } else {
                values.emplace_back();
            }
            offset += fields[f].px_flen;
        }
        out.Records.push_back(std::move(values));
    }
    PX_close(doc);
    PX_delete(doc);
    return out;
}

TEST(Pxlib, ReadsTheOptionTables) {
    TempDir dir;
    WriteAssets(dir.Path());
    for (const auto& [file, rows] :
         {std::pair{"746-opts.db", 335u}, std::pair{"758-opts.db", 398u}}) {
        const PxTable table = ReadWithPxlib(dir / file);
        EXPECT_EQ(table.Fields,
                  (std::vector<std::string>{"Type", "Tag", "Item", "Coefficient", "Description"}))
            << file;
        ASSERT_EQ(table.Records.size(), rows) << file;
        EXPECT_EQ(table.Records[1],
                  (std::vector<std::string>{"DT_NULL", "NULL", "DT_NULL", "", "No data"}));
        EXPECT_EQ(table.Records.back()[0], "OP_VALUE_ON_EXCEPTION");
    }
}

TEST(Pxlib, ReadsTheFactoryTablesOfTheDemo) {
    const PxTable packs = ReadWithPxlib(DemoInstall / "dbs/default/740-pack.db");
    ASSERT_EQ(packs.Fields.size(), 13u);
    EXPECT_EQ(packs.Fields[0], "Button");
    EXPECT_FALSE(packs.Records.empty());
    const PxTable version = ReadWithPxlib(DemoInstall / "dbs/default/758-FC01-000000.db");
    ASSERT_EQ(version.Fields.size(), 16u);
    ASSERT_FALSE(version.Records.empty());
    EXPECT_EQ(version.Records.front()[0], "ID_VAR_TOTAL_1");
    EXPECT_EQ(version.Records.back()[0], "ID_FOOTER_2");
}

}  // namespace
}  // namespace kv::assets
