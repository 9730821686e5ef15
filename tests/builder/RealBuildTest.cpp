// Builds of the demo installation's factory versions with the real H8/300 toolchain, through
// 740-cli build, and the identity block of every image.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "VersionFixture.h"
#include "builder/Identity.h"
#include "store/Table.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace kv::builder {
namespace {

namespace fs = std::filesystem;
using kv::testing::CliResult;
using kv::testing::TempDir;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Version {
    std::string Model, Pack, DB;
};

// A copy of the staged demo installation, so that the builds leave the demo as it is.
class RealBuildTest : public ::testing::Test {
  protected:
    static inline TempDir* root = nullptr;
    static inline std::vector<Version> versions;

    static void SetUpTestSuite() {
        root = new TempDir;
        fs::copy(KV740_DEMO_INSTALL, root->Path(), fs::copy_options::recursive);
        fs::remove_all(root->Path() / "bin");
        fs::create_directories(root->Path() / "bin");
        store::Table packs((root->Path() / "dbs/default/740-pack.db").string());
        packs.SetReadOnly(true);
        packs.Open();
        for (packs.First(); !packs.Eof(); packs.Next()) {
            Version v{packs.FieldByName("Model").AsString(), packs.FieldByName("Pack").AsString(),
                      packs.FieldByName("DB").AsString()};
            if (fs::exists(root->Path() / "dbs/default" / (v.Model + "-" + v.Pack + "-000000.db")))
                versions.push_back(v);
        }
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }

    fs::path Bin() const { return root->Path() / "bin"; }

    CliResult Build(const std::string& arguments,
                    const kv::testing::Environment& environment = {}) {
        return kv::testing::RunCli("build " + arguments + " --install " + root->Path().string(), {},
                                   environment);
    }

    // The image's identity block against the values the build must have put there.
    void ExpectIdentity(const Version& v, bool original) {
        const Target target = Target::For(v.Model, v.Pack, original);
        const bool small = MemoryType(target) == "NvrType0";
        const std::string image = ReadFile(Bin() / "PackBinary.bin");
        ASSERT_EQ(image.size(), small ? 131072u : 262144u);
        const size_t block = small ? 0x10000 : 0x3200;
        auto byte = [&](size_t at) { return static_cast<unsigned char>(image[at]); };
        const size_t appPack = (size_t(byte(block)) << 24) | (size_t(byte(block + 1)) << 16) |
                               (size_t(byte(block + 2)) << 8) | byte(block + 3);
        ASSERT_LT(appPack, image.size());
        EXPECT_EQ(std::string(image.c_str() + appPack), v.Model + "-" + v.Pack);
        EXPECT_EQ(std::string(image.c_str() + block + 16), "000000");
        EXPECT_EQ(std::string(image.c_str() + block + 23), v.DB);
        EXPECT_EQ(std::string(image.c_str() + block + 26), "000000");
        EXPECT_EQ(std::string(image.c_str() + block + 33), RevisionText(v.Model));
        const std::string app = ApplicationName(v.Model, v.Pack);
        EXPECT_EQ(byte(block + 51), std::stoi(GetCardClass(app)));
        EXPECT_EQ(byte(block + 52), std::stoi(GetCardNumber(app, target.OriginalChecked)));
        EXPECT_EQ(std::string(image.c_str() + block + 53), "9999,99,99,99,99,99");
    }

    void ExpectNoIntermediates() {
        EXPECT_FALSE(fs::exists(Bin() / "740-ggui.C"));
        EXPECT_FALSE(fs::exists(Bin() / "740-ggui.o"));
    }
};

TEST_F(RealBuildTest, EveryFactoryVersionBuildsForEachTargetThatApplies) {
    ASSERT_GE(versions.size(), 10u);
    for (const auto& v : versions) {
        for (bool original : {false, true}) {
            if (original && v.Model == "746") continue;
            // The large monitor of each model is the demo's image that does not fit the small map.
            if (original && v.Pack == "MP01") continue;
            const std::string name = v.Model + "-" + v.Pack + "-000000";
            SCOPED_TRACE(name + (original ? " original" : " standard"));
            std::string flags = original ? " --original" : "";
            if (v.Model == "746" && v.Pack == "MP01") flags += " --no-infield-units";
            const CliResult result = Build(name + flags);
            ASSERT_EQ(result.Status, 0) << result.Output;
            ExpectIdentity(v, original);
            EXPECT_TRUE(fs::exists(Bin() / "PackReport.pdf"));
            EXPECT_TRUE(fs::exists(Bin() / "Kv740.map"));
            EXPECT_NE(result.Output.find((Bin() / "PackBinary.bin").string()), std::string::npos);
            ExpectNoIntermediates();
        }
    }
}

TEST_F(RealBuildTest, CustomCopiesOfFactoryVersionsBuildTheSameImageButForTheCode) {
    // Custom version 000001 of every factory version: a copy of its table and of its record.
    const fs::path user = root->Path() / "dbs/user";
    fs::copy_file(root->Path() / "dbs/default/740-pack.db", user / "740-pack.db",
                  fs::copy_options::overwrite_existing);
    {
        store::Table packs((user / "740-pack.db").string());
        packs.Open();
        store::Batch batch(packs);
        for (packs.First(); !packs.Eof(); packs.Next()) {
            packs.Edit();
            packs.FieldByName("Code").SetAsString("000001");
            packs.Post();
        }
    }
    for (const auto& v : versions) {
        const std::string name = v.Model + "-" + v.Pack;
        SCOPED_TRACE(name);
        fs::copy_file(root->Path() / "dbs/default" / (name + "-000000.db"),
                      user / (name + "-000001.db"), fs::copy_options::overwrite_existing);
        const std::string flags = v.Pack == "MP01" && v.Model == "746" ? " --no-infield-units" : "";
        ASSERT_EQ(Build(name + "-000000" + flags).Status, 0);
        std::string factory = ReadFile(Bin() / "PackBinary.bin");
        const CliResult result = Build(name + "-000001" + flags);
        ASSERT_EQ(result.Status, 0) << result.Output;
        std::string custom = ReadFile(Bin() / "PackBinary.bin");
        ASSERT_EQ(custom.size(), factory.size());
        const size_t code = (custom.size() == 131072 ? 0x10000 : 0x3200) + 26;
        EXPECT_EQ(std::string(custom.c_str() + code), "000001");
        custom.replace(code, 6, "000000");
        EXPECT_TRUE(custom == factory);
    }
}

TEST_F(RealBuildTest, OversizedVersionsAskForTheOtherHardwareOrFewerUnits) {
    CliResult result = Build("758-MP01-000000 --original");
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Output.find("740-cli build: failed: image too large (region b_rom is full"),
              std::string::npos)
        << result.Output;
    EXPECT_NE(
        result.Output.find("): File is too large for Original Model - please use Standard Model"),
        std::string::npos)
        << result.Output;
    EXPECT_EQ(result.Output.find("Warning"), std::string::npos) << result.Output;
    EXPECT_FALSE(fs::exists(Bin() / "PackBinary.bin"));
    EXPECT_TRUE(fs::exists(Bin() / "PackReport.pdf"));
    ExpectNoIntermediates();
    EXPECT_EQ(Build("758-MP01-000000").Status, 0);
    ExpectIdentity({"758", "MP01", "01"}, false);

    // The compiler repeats one warning hundreds of times: --verbose shows it once, counted.
    result = Build("746-MP01-000000 --verbose");
    EXPECT_EQ(result.Status, 1);
    const size_t warning = result.Output.find("warning: invalid conversion");
    ASSERT_NE(warning, std::string::npos) << result.Output;
    EXPECT_EQ(result.Output.find("warning: invalid conversion", warning + 1), std::string::npos);
    EXPECT_NE(result.Output.find(" times)", warning), std::string::npos) << result.Output;
    EXPECT_NE(
        result.Output.find(
            "File is too large - please disable \"Programmable Units of Measurement\" option"),
        std::string::npos)
        << result.Output;
}

TEST_F(RealBuildTest, UserTablesCompileForBothModels) {
    // The fluid table of the demo's 758 heat version, added to the 746 one, and a table of the
    // user's own; the 746 point has no texts, so its entries must carry the numbers only.
    const fs::path factory = root->Path() / "dbs/default";
    const fs::path userData = root->Path() / "dbs/user/740-data.db";
    const fs::path table746 = factory / "746-HC01-000000.db";
    const fs::path kept = root->Path() / "746-HC01-000000.kept";
    fs::copy_file(table746, kept, fs::copy_options::overwrite_existing);
    {
        store::Table version(table746.string());
        version.Open();
        version.AppendRecord({"ID_HEAT_FLUID_TABLE", "OP_HEAT_FLUID_TYPE_USER",
                              "Fluid Property Table", "OP_MENU_PARAMETERS", "Tables", "",
                              "OP_ACCESS_PROGRAM", "GLYCOL", "", "", "", "", "", "", "",
                              "Properties of the user's heat transfer fluid"});
    }
    const std::string unit[] = {"GU_TEMPERATURE_DEG_C", "GU_DENSITY_KG_M3",
                                "GU_ENTHALPY_SPECIFIC_KJ_KG", "GU_VISCOSITY_CP", ""};
    testing::CreateDataTable(
        userData.string(),
        {{"OP_HEAT_FLUID_TYPE_USER",
          "GLYCOL",
          "TABLE",
          {unit[0], unit[1], unit[2], unit[3], unit[4]}},
         {"OP_HEAT_FLUID_TYPE_USER", "GLYCOL", "DATA", {"0", "1070", "3.3", "9.5", ""}},
         {"OP_HEAT_FLUID_TYPE_USER", "GLYCOL", "DATA", {"80", "1030", "3.7", "1.2", ""}},
         {"OP_HEAT_FLUID_TYPE_USER", "DEFAULT", "DATA", {"20", "998.2", "4.18", "1.0", ""}}});
    for (const auto& v : versions) {
        if (v.Pack != "HC01") continue;
        SCOPED_TRACE(v.Model);
        const CliResult result = Build(v.Model + "-HC01-000000");
        ASSERT_EQ(result.Status, 0) << result.Output;
        ExpectIdentity(v, false);
    }
    fs::remove(userData);
    fs::rename(kept, table746);
}

TEST_F(RealBuildTest, WithoutToolchainTheTargetsMessageAppearsAndTheReportIsWritten) {
    const fs::path toolchain = root->Path() / "toolchain";
    const fs::path away = root->Path() / "toolchain-away";
    fs::rename(toolchain, away);
    const kv::testing::Environment noPath = {{"PATH", (root->Path() / "nothing").string()}};
    const std::pair<std::string, std::string> cases[] = {
        {"746-FC01-000000",
         "File is too large - please disable \"Programmable Units of Measurement\" option"},
        {"758-FC01-000000 --original",
         "File is too large for Original Model - please use Standard Model"},
        {"758-FC01-000000", "Cannot create download file - please contact factory"},
    };
    for (const auto& [arguments, message] : cases) {
        fs::remove(Bin() / "PackReport.pdf");
        const CliResult result = Build(arguments, noPath);
        EXPECT_EQ(result.Status, 1) << arguments;
        EXPECT_NE(result.Output.find("740-cli build: failed: toolchain not found"),
                  std::string::npos)
            << result.Output;
        EXPECT_NE(result.Output.find(message), std::string::npos) << arguments << "\n"
                                                                  << result.Output;
        EXPECT_TRUE(fs::exists(Bin() / "PackReport.pdf")) << arguments;
        ExpectNoIntermediates();
    }
    fs::rename(away, toolchain);
}

TEST_F(RealBuildTest, BuildStoppedBeforeTheToolchainListsNoOldOutputs) {
    std::ofstream(Bin() / "PackBinary.bin") << "image of an earlier build";
    std::ofstream(Bin() / "Kv740.map") << "map of an earlier build";
    // A report name that cannot be removed stops the build before anything is made.
    fs::remove(Bin() / "PackReport.pdf");
    fs::create_directories(Bin() / "PackReport.pdf" / "held");
    const CliResult result = Build("758-FC01-000000");
    fs::remove_all(Bin() / "PackReport.pdf");
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Output.find("no image was made"), std::string::npos) << result.Output;
    EXPECT_EQ(result.Output.find("PackBinary.bin"), std::string::npos) << result.Output;
    EXPECT_EQ(result.Output.find("Kv740.map"), std::string::npos) << result.Output;
    EXPECT_EQ(ReadFile(Bin() / "PackBinary.bin"), "image of an earlier build");
    fs::remove(Bin() / "PackBinary.bin");
    fs::remove(Bin() / "Kv740.map");
}

TEST_F(RealBuildTest, UnknownVersionIsRefused) {
    EXPECT_EQ(Build("758-FT01-000000").Status, 1);  // catalogued, but no table
    EXPECT_EQ(Build("758-ZZ99-000123").Status, 1);
    EXPECT_EQ(Build("FP01").Status, 2);
}

}  // namespace
}  // namespace kv::builder
