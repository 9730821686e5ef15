#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "VersionFixture.h"
#include "builder/BuildError.h"
#include "builder/GeneratedSource.h"
#include "builder/Translation.h"
#include "support/TempDir.h"

namespace kv::builder {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

class TranslationTest : public ::testing::Test {
  protected:
    kv::testing::TempDir dir;
    std::vector<UnitLine> units = SampleUnits();
    OptionRows options = SampleOptions(units);
    DataTables data = SampleDataTables();
    GeneratedSource source;
    ListUnits selected;

    // Translates the rows as a custom (or factory, read-only) version.
    void Run(const std::vector<Row>& rows, const Target& target, Preferences preferences = {},
             bool readOnly = false) {
        CreateVersionTable(dir / "version.db", rows);
        store::Table version(dir / "version.db");
        version.SetReadOnly(readOnly);
        version.Open();
        Translate(version, target, preferences, {options, data, units}, source, selected);
    }

    SkeletonValues Skeleton(const Target& t) {
        const std::string app = ApplicationName(t.Model, t.Pack);
        return {app,
                MemoryType(t),
                GetLogType(t.Pack, app),
                "01",
                "000001",
                RevisionText(t.Model),
                GetCardClass(app),
                GetCardNumber(app, t.OriginalChecked),
                IsOriginalCard(t) || IsModel746(t),
                IsOriginalCard(t)};
    }

    std::string Text() const {
        std::string text;
        for (const auto& line : source.Lines()) text += line + "\n";
        return text;
    }

    // The generated text equals the stored golden file; KV740_UPDATE_GOLDEN=1 rewrites it.
    void ExpectGolden(const std::string& name) {
        const std::string path = std::string(GOLDEN_DIR) + "/" + name;
        if (std::getenv("KV740_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << Text();
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::stringstream golden;
        golden << in.rdbuf();
        EXPECT_EQ(Text(), golden.str()) << "differs from " << path;
    }

    long Count(const std::string& line) const {
        const Lines l = source.Lines();
        return std::count(l.begin(), l.end(), line);
    }

    std::vector<std::string> ItemEntry(const std::string& item) const {
        const Lines l = source.Lines();
        auto at = std::find(l.begin(), l.end(), "      // " + item);
        EXPECT_NE(at, l.end()) << item;
        return at == l.end() ? Lines{} : Lines(at - 1, at + 9);
    }

    Lines TableBody(const std::string& head) const {
        const Lines l = source.Lines();
        auto begin = std::find(l.begin(), l.end(), head);
        EXPECT_NE(begin, l.end());
        if (begin == l.end()) return {};
        return Lines(begin + 2, std::find(begin, l.end(), "};"));
    }
};

TEST_F(TranslationTest, StandardHardwareGolden) {
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    Run(HandMadeVersion(), target, {true, false, true});
    ExpectGolden("standard-758.C");
}

TEST_F(TranslationTest, OriginalHardwareGolden) {
    const Target target = Target::For("758", "FP01", true);
    source.CreateSkeleton(Skeleton(target));
    Run(HandMadeVersion(), target);
    ExpectGolden("original-758.C");
}

TEST_F(TranslationTest, ValuesAreConvertedToBaseUnitsOnUnitPagesOnly) {
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    Run(HandMadeVersion(), target, {false, false, true});
    auto pressure = ItemEntry("Atmospheric Pressure");
    EXPECT_EQ(pressure[6], "      1.0132500E+05,");
    EXPECT_EQ(pressure[7], "      0.0,");  // "0.001" low limit off the Units page
    EXPECT_EQ(ItemEntry("Reference Temperature")[6], "      2.7315000E+02,");
    auto averaging = ItemEntry("Averaging");
    EXPECT_EQ(averaging[7], "      0.0,");
    EXPECT_EQ(averaging[6], "      10,");  // no coefficient: the text as stored
    auto total = ItemEntry("Volume Total");
    EXPECT_EQ(total[7], "      0.001,");  // on the Units page limits are copied
    EXPECT_EQ(total[8], "      999999,");
    EXPECT_EQ(ItemEntry("Clear Totals")[6], "      OP_NO,");
    EXPECT_EQ(ItemEntry("Clear Logs")[6], "      OP_YES,");
    EXPECT_EQ(TableBody("extern const flt  Factors3[]  = "),
              (Lines{"   4.0000000E+00, 2.0000000E+01,", "   // Factors3 End"}));
    EXPECT_EQ(TableBody("extern const flt  Factors4[]  = "),
              (Lines{"   5.0000000E-01, 0.0,", "   // Factors4 End"}));
    EXPECT_EQ(TableBody("extern const uin   ComCalIds  [] ="),
              (Lines{"   ID_PARAMETER_01,", "   ID_PARAMETER_02,", "   ID_PARAMETER_FACTORS",
                     "   // Comms shared Cals End"}));
}

TEST_F(TranslationTest, UnitIndexesDependOnProgrammableUnits) {
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    Run(HandMadeVersion(), target, {false, true, true});
    EXPECT_EQ(ItemEntry("Volume Total")[2],
              "      {\"TOTAL\",\"TOTAL\",(void*)UnitCoefs[0].Tag,(void*)UnitCoefs[0].Tag},");
    EXPECT_EQ(ItemEntry("Volume Rate")[2],
              "      {\"RATE\",\"RATE\",(void*)UnitCoefs[1].Tag,(void*)UnitCoefs[1].Tag},");
    EXPECT_EQ(ItemEntry("Volume Rate")[5], "      GU_VOLUME,");
    EXPECT_EQ(selected.Lines().size(), 4u);  // L, Gal, KPA, DEG F
    EXPECT_EQ(Count("      // Engineering Units"), 0);

    source.CreateSkeleton(Skeleton(target));
    Run(HandMadeVersion(), target, {true, true, true});
    EXPECT_EQ(ItemEntry("Volume Total")[2],
              "      {\"TOTAL\",\"TOTAL\",(void*)UnitCoefs[4].Tag,(void*)UnitCoefs[4].Tag},");
    EXPECT_EQ(ItemEntry("Volume Rate")[2],
              "      {\"RATE\",\"RATE\",(void*)UnitCoefs[5].Tag,(void*)UnitCoefs[5].Tag},");
    EXPECT_EQ(selected.Lines().size(), 1 + 11 + 1 + 3 + 1 + 4 + 1u);
    // The engineering units item comes right before the last item.
    EXPECT_EQ(ItemEntry("Engineering Units")[9], "   },");
    EXPECT_EQ(ItemEntry("Last Item")[0], "   {");
    const Lines l = source.Lines();
    EXPECT_EQ(std::find(l.begin(), l.end(), "      // Engineering Units") + 10,
              std::find(l.begin(), l.end(), "      // Last Item"));
}

TEST_F(TranslationTest, CustomVersionGetsStaleLimitsNormalisedAndWrittenBack) {
    auto rows = HandMadeVersion();
    rows[3].LowLimit = "OP_SOURCE_OLD";  // Parameter Source: stale limits
    rows[3].HighLimit = "OP_SOURCE_GONE";
    rows[3].Coefficient = "";
    rows[8].LowLimit = "OP_STALE";   // hidden option item: keeps its limits
    rows[7].Coefficient = "GU_OLD";  // a Setup item's data type follows its Type
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    Run(rows, target);

    auto entry = ItemEntry("Parameter Source");
    EXPECT_EQ(entry[5], "      DT_OPTION,");
    EXPECT_EQ(entry[7], "      OP_SOURCE_KEYPAD,");
    EXPECT_EQ(entry[8], "      OP_SOURCE_INPUT,");
    EXPECT_EQ(ItemEntry("Clear Totals")[7], "      OP_STALE,");
    EXPECT_EQ(ItemEntry("Averaging")[5], "      DT_INTEGER,");

    store::Table version(dir / "version.db");
    version.SetReadOnly(true);
    version.Open();
    ASSERT_TRUE(version.Locate("ID", {"ID_PARAMETER_SOURCE"}));
    EXPECT_EQ(version.FieldByName("LowLimit").AsString(), "OP_SOURCE_KEYPAD");
    EXPECT_EQ(version.FieldByName("HighLimit").AsString(), "OP_SOURCE_INPUT");
    EXPECT_EQ(version.FieldByName("Coefficient").AsString(), "DT_OPTION");
    ASSERT_TRUE(version.Locate("ID", {"ID_RESET_TOTALS_ACCUM"}));
    EXPECT_EQ(version.FieldByName("LowLimit").AsString(), "OP_STALE");
    ASSERT_TRUE(version.Locate("ID", {"ID_PARAMETER_03"}));
    EXPECT_EQ(version.FieldByName("Coefficient").AsString(), "DT_INTEGER");
}

TEST_F(TranslationTest, FactoryVersionIsTranslatedAsStoredAndLeftUntouched) {
    auto rows = HandMadeVersion();
    rows[3].LowLimit = "OP_SOURCE_OLD";
    CreateVersionTable(dir / "factory.db", rows);
    auto bytesOf = [&] {
        std::ifstream in(dir / "factory.db", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const std::string before = bytesOf();
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    store::Table version(dir / "factory.db");
    version.SetReadOnly(true);
    version.Open();
    Translate(version, target, {}, {options, data, units}, source, selected);
    EXPECT_EQ(ItemEntry("Parameter Source")[7], "      OP_SOURCE_OLD,");
    EXPECT_EQ(bytesOf(), before);
}

TEST_F(TranslationTest, RecordThatCannotBeWrittenIsTranslatedWithItsValues) {
    // A Coefficient field too small for "DT_OPTION" refuses the normalised value.
    auto row = HandMadeVersion()[3];
    row.Coefficient = "";
    row.LowLimit = "OP_OLD";
    CreateVersionTable(dir / "narrow.db", {row}, 5);
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    store::Table version(dir / "narrow.db");
    version.Open();
    Translate(version, target, {}, {options, data, units}, source, selected);
    auto entry = ItemEntry("Parameter Source");
    EXPECT_EQ(entry[5], "      DT_OPTION,");  // assigned before the failure
    EXPECT_EQ(entry[7], "      OP_OLD,");     // the step ended before the limits
    version.First();
    EXPECT_EQ(version.FieldByName("Coefficient").AsString(), "");
    EXPECT_EQ(version.FieldByName("LowLimit").AsString(), "OP_OLD");
}

TEST_F(TranslationTest, FilterIsSwitchedOffMeanwhileAndOnAgainAfter) {
    CreateVersionTable(dir / "version.db", HandMadeVersion());
    store::Table version(dir / "version.db");
    version.Open();
    version.SetFilter("Menu = 'OP_MENU_VARIABLES*'");
    version.SetFiltered(true);
    int records = 0;
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    Translate(version, target, {}, {options, data, units}, source, selected,
              [&](int position, int count) {
                  EXPECT_EQ(position, records++);
                  EXPECT_EQ(count, 20);
              });
    EXPECT_EQ(records, static_cast<int>(HandMadeVersion().size()));
    EXPECT_TRUE(version.Filtered());
    EXPECT_EQ(version.RecordCount(), 2);

    auto rows = HandMadeVersion();
    rows[2].Coefficient = "GU_VOLUME_HOGSHEAD";
    CreateVersionTable(dir / "unknown.db", rows);
    store::Table unknown(dir / "unknown.db");
    unknown.Open();
    unknown.SetFilter("Menu = 'OP_MENU_VARIABLES*'");
    unknown.SetFiltered(true);
    source.CreateSkeleton(Skeleton(target));
    EXPECT_THROW(Translate(unknown, target, {}, {options, data, units}, source, selected),
                 BuildError);
    EXPECT_TRUE(unknown.Filtered());
    EXPECT_EQ(unknown.RecordCount(), 2);
}

TEST_F(TranslationTest, OriginalHardwareLeavesHeadersAndFootersEmpty) {
    const Target target = Target::For("758", "FP01", true);
    source.CreateSkeleton(Skeleton(target));
    Run(HandMadeVersion(), target);
    EXPECT_EQ(TableBody("extern const chr* const Headers  [] ="),
              (Lines{"   ((chr*)0)", "   // Headers End"}));
    EXPECT_EQ(TableBody("extern const chr* const Footers  [] ="),
              (Lines{"   ((chr*)0)", "   // Footers End"}));
    EXPECT_EQ(Count("      // Engineering Units"), 0);
}

TEST_F(TranslationTest, VersionWithoutCustomerOrLastItemHasNeitherFixedItem) {
    auto rows = HandMadeVersion();
    rows.erase(rows.begin());
    rows.pop_back();
    const Target target = Target::For("758", "FP01", false);
    source.CreateSkeleton(Skeleton(target));
    Run(rows, target);
    for (const char* fixed : {"      // Engineering Units", "      // Serial Number Information"})
        EXPECT_EQ(Count(fixed), 0) << fixed;
}

}  // namespace
}  // namespace kv::builder
