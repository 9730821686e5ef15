#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "HeaderNames.h"
#include "TestFiles.h"
#include "assets/EngineeringUnits.h"
#include "store/Store.h"
#include "support/TempDir.h"

namespace kv::assets {
namespace {

using kv::testing::CurrentDir;
using testing::DemoInstall;
using testing::HeaderNames;
using testing::ReadBytes;
using testing::SourceDir;

using Record = std::map<std::string, std::string>;

std::vector<Record> ReadTable(const std::filesystem::path& file) {
    CurrentDir here(file.parent_path());
    store::Table table(file.filename().string());
    table.SetReadOnly(true);
    table.Open();
    std::vector<Record> records;
    for (table.First(); !table.Eof(); table.Next()) {
        Record r;
        for (int i = 0; i < table.FieldCount(); ++i)
            r[table.Fields(i).FieldName()] = table.Fields(i).AsString();
        records.push_back(std::move(r));
    }
    return records;
}

const std::filesystem::path Factory = DemoInstall / "dbs/default";

struct Version {
    std::string Model, Pack, Button;
    std::vector<Record> Items;
};

const std::vector<Version>& Versions() {
    static const std::vector<Version> versions = [] {
        std::vector<Version> out;
        for (const Record& pack : ReadTable(Factory / "740-pack.db")) {
            const auto table = Factory / (pack.at("Model") + "-" + pack.at("Pack") + "-" +
                                          pack.at("Code") + ".db");
            if (std::filesystem::exists(table))
                out.push_back(
                    {pack.at("Model"), pack.at("Pack"), pack.at("Button"), ReadTable(table)});
        }
        return out;
    }();
    return versions;
}

bool IsName(const std::string& value) {
    static const std::regex name("[A-Z_][A-Z0-9_]*");
    return std::regex_match(value, name);
}

TEST(DemoInstall, HasTheLayoutOfAnInstallation) {
    for (const char* dir : {"bin", "dbs/default", "dbs/user", "docs/notes", "docs/briefs",
                            "docs/manuals", "help", "apx", "toolchain/bin", "toolchain/lib"})
        EXPECT_TRUE(std::filesystem::is_directory(DemoInstall / dir)) << dir;
    EXPECT_TRUE(std::filesystem::exists(DemoInstall / "bin/740-cli"));
    for (const char* file : {"740-PM_UserGuide.pdf", "740-PM_ReleaseNotes.pdf", "746-HW-AP.pdf",
                             "740-PM_758-HW-AP.pdf"})
        EXPECT_EQ(ReadBytes(DemoInstall / "help" / file).substr(0, 5), "%PDF-") << file;
    for (const char* file :
         {"bin/gcc", "lib/libgcc.a", "lib/libc.a", "lib/libm.a", "lib/libecos.a"})
        EXPECT_TRUE(std::filesystem::exists(DemoInstall / "toolchain" / file)) << file;
    const auto perms = std::filesystem::status(DemoInstall / "toolchain/bin/gcc").permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

    const std::string codes = ReadBytes(DemoInstall / "docs/notes/CustomVersionCodes.htm");
    EXPECT_NE(codes.find("href=\"https://"), std::string::npos)
        << "the version code note links to a web page";
}

TEST(DemoInstall, SomeDocumentsAreMissingOnPurposeTheRestExist) {
    size_t briefs = 0, manuals = 0, packs = 0;
    for (const Record& pack : ReadTable(Factory / "740-pack.db")) {
        const std::string name = pack.at("Model") + "-" + pack.at("Pack");
        briefs += std::filesystem::exists(DemoInstall / "docs/briefs" / (name + "-AP.pdf"));
        manuals += std::filesystem::exists(DemoInstall / "docs/manuals" / (name + "-OM.pdf"));
        ++packs;
    }
    EXPECT_GT(briefs, packs / 2);
    EXPECT_LT(briefs, packs);
    EXPECT_GT(manuals, packs / 2);
    EXPECT_LT(manuals, packs);
}

// Every name an item can put into the generated source must be an enumerator or macro of the
// model's header, or for a chosen unit a unit of the units list.
TEST(DemoInstall, EveryNameOfTheFactoryTablesIsDeclaredByItsModelHeader) {
    std::set<std::string> units;
    for (std::string_view line : EngineeringUnits()) units.insert(UnitField(line, "Item"));
    const HeaderNames h746(SourceDir / "firmware/include/746-ggui.h");
    const HeaderNames h758(SourceDir / "firmware/include/758-ggui.h");
    std::set<std::string> tableTypes;
    for (const Record& row : ReadTable(Factory / "740-data.db")) tableTypes.insert(row.at("Type"));

    ASSERT_FALSE(Versions().empty());
    for (const Version& v : Versions()) {
        const HeaderNames& h = v.Model == "746" ? h746 : h758;
        auto check = [&](const Record& item, const std::string& field) {
            const std::string& value = item.at(field);
            if (IsName(value)) {
                EXPECT_TRUE(h.Declares(value)) << v.Model << "-" << v.Pack << " " << item.at("ID")
                                               << " " << field << " " << value;
            }
        };
        for (const Record& item : v.Items) {
            const std::string& panel = item.at("Panel");
            if (item.at("Menu") == "OP_MENU_FACTORS")
                continue;  // rows of a table: numbers and tags only
            check(item, "ID");
            if (panel == "Messages" || panel == "Report") continue;  // texts
            if (panel == "Tables") {
                check(item, "Type");
                EXPECT_TRUE(tableTypes.count(item.at("Type")))
                    << item.at("Type") << " has no factory data table";
                continue;
            }
            for (const char* field : {"Menu", "Access", "DefaultValue", "LowLimit", "HighLimit"})
                check(item, field);
            if (item.at("Coefficient").rfind("GU_", 0) == 0) {
                EXPECT_TRUE(units.count(item.at("Coefficient"))) << item.at("Coefficient");
                check(item, "Type");
            } else {
                check(item, "Coefficient");
            }
        }
    }
}

TEST(DemoInstall, FactoryVersionsCoverEveryPageAndKindOfItem) {
    std::set<std::string> panels, menus, categories, ids, types;
    std::map<std::string, std::set<std::string>> packsOf;
    bool twoCategories = false, unitParameters = false, lowLimit = false;
    for (const Version& v : Versions()) {
        std::istringstream words(v.Button);
        std::string word;
        int count = 0;
        while (words >> word) {
            categories.insert(word);
            ++count;
        }
        twoCategories = twoCategories || count == 2;
        packsOf[v.Model].insert(v.Pack);
        std::set<std::string> factorTables, pointItems, factorRows;
        std::string lastInfoItem;
        for (const Record& item : v.Items) {
            const std::string& panel = item.at("Panel");
            if (item.at("Menu") != "OP_MENU_FACTORS" && panel != "Messages" && panel != "Report" &&
                panel != "Tables")
                lastInfoItem = item.at("ID");
            panels.insert(item.at("Panel"));
            menus.insert(item.at("Menu"));
            ids.insert(item.at("ID"));
            types.insert(item.at("Type"));
            if (item.at("Panel") == "Factors") factorTables.insert(item.at("ID"));
            if (item.at("ID").ends_with("POINTS")) pointItems.insert(item.at("ID"));
            if (item.at("Menu") == "OP_MENU_FACTORS") factorRows.insert(item.at("ID"));
            unitParameters =
                unitParameters ||
                (item.at("Panel") == "Parameters" &&
                 (item.at("Type") == "GU_TEMPERATURE" || item.at("Type") == "GU_PRESSURE"));
            lowLimit = lowLimit || item.at("LowLimit") == "0.001";
        }
        for (const std::string& table : factorTables) {
            EXPECT_TRUE(factorRows.count(table)) << v.Pack << " " << table << " has no rows";
            EXPECT_TRUE(pointItems.count(table.substr(0, table.find("FACTORS")) + "POINTS"))
                << v.Pack << " " << table;
        }
        EXPECT_EQ(lastInfoItem, "ID_ITEM_LAST")
            << v.Model << "-" << v.Pack << ": the item that ends the table";
    }
    for (const char* panel : {"Units", "Options", "Outputs", "Values", "Password", "Parameters",
                              "Tags", "Alarms", "Totals", "Rates", "Variables", "Inputs", "Factors",
                              "VarTags", "Tables", "Messages", "Report"})
        EXPECT_TRUE(panels.count(panel)) << panel;
    for (const char* menu :
         {"OP_MENU_ERRORS", "OP_MENU_WARNINGS", "OP_MENU_RELAYS", "OP_MENU_PROMPTS",
          "OP_MENU_HEADERS", "OP_MENU_FOOTERS", "OP_MENU_VARIABLES_HIDDEN", "OP_MENU_HIDDEN"})
        EXPECT_TRUE(menus.count(menu)) << menu;
    for (const char* category :
         {"FLOW", "STEAM", "GAS", "HEAT", "LOAD", "BATCH", "CONTROL", "OTHER"})
        EXPECT_TRUE(categories.count(category)) << category;
    for (const char* id :
         {"ID_INFO_CUSTOMER", "ID_PARAMETER_SOURCE", "ID_RESET_TOTALS_ACCUM", "ID_RESET_LOGGER",
          "ID_FINP1_CORRECTION_FACTORS", "ID_FINP2_CORRECTION_FACTORS",
          "ID_AINP1_CORRECTION_FACTORS", "ID_AINP2_CORRECTION_FACTORS",
          "ID_AINP3_CORRECTION_FACTORS", "ID_AINP4_CORRECTION_FACTORS", "ID_PARAMETER_FACTORS",
          "ID_PARAMETER_ID_TAG_FACTORS"})
        EXPECT_TRUE(ids.count(id)) << id;
    EXPECT_TRUE(types.count("OP_HEAT_FLUID_TYPE_USER"));
    EXPECT_TRUE(twoCategories);
    EXPECT_TRUE(unitParameters);
    EXPECT_TRUE(lowLimit);
    EXPECT_TRUE(packsOf["746"].count("FG01") || packsOf["746"].count("BC01"));
    for (const char* family : {"FC", "FP", "ST", "GN", "HC", "LC", "BC", "PP"}) {
        bool found = false;
        for (const std::string& pack : packsOf["758"]) found = found || pack.rfind(family, 0) == 0;
        EXPECT_TRUE(found) << family;
    }
}

TEST(DemoInstall, DataTableTypesHaveTitlesUnitsLimitsAndADefaultTable) {
    std::map<std::string, std::set<std::string>> sorts;
    std::map<std::string, std::vector<std::string>> titles;
    for (const Record& row : ReadTable(Factory / "740-data.db")) {
        sorts[row.at("Type")].insert(row.at("Sort") +
                                     (row.at("Sort") == "TABLE" ? ":" + row.at("Item") : ""));
        if (row.at("Sort") == "TITLE")
            for (const char* f : {"Data1", "Data2", "Data3", "Data4", "Data5"})
                titles[row.at("Type")].push_back(row.at(f));
    }
    ASSERT_FALSE(sorts.empty());
    for (const auto& [type, kinds] : sorts)
        for (const char* kind : {"TITLE", "UNIT", "LIMIT", "TABLE:DEFAULT"})
            EXPECT_TRUE(kinds.count(kind)) << type << " " << kind;
    const auto& heat = titles["OP_HEAT_FLUID_TYPE_USER"];
    EXPECT_NE(std::find(heat.begin(), heat.end(), "Viscosity"), heat.end());
}

}  // namespace
}  // namespace kv::assets
