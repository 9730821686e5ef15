// The asset set against the H8/300 cross toolchain, run through the demo installation's
// toolchain folder with the command lines the manager uses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "TestFiles.h"
#include "assets/AssetFiles.h"
#include "support/TempDir.h"

namespace kv::assets {
namespace {

using kv::testing::TempDir;
using testing::DemoInstall;
using testing::ReadBytes;
using testing::SourceDir;
using testing::WriteBytes;

// An installation-like tree: bin/ is the working directory, holding the assets as start-up
// writes them and the generic copies of one model; toolchain/ is the demo installation's.
class Workspace {
  public:
    explicit Workspace(const std::string& model) : bin_(dir_ / "bin") {
        std::filesystem::create_directory(bin_);
        std::filesystem::create_directory_symlink(DemoInstall / "toolchain", dir_ / "toolchain");
        WriteAssets(bin_);
        ActivateModel(model, bin_);
    }
    const std::filesystem::path& Bin() const { return bin_; }

    // Runs a command in bin/ with the toolchain first on the search path; output goes to the log.
    int Run(const std::string& command) {
        const std::string line = "cd '" + bin_.string() + "' && PATH='" +
                                 (dir_ / "toolchain/bin").string() + "':\"$PATH\" " + command +
                                 " >>toolchain.log 2>&1";
        return std::system(line.c_str());
    }
    std::string Log() const { return ReadBytes(bin_ / "toolchain.log"); }

    // The two toolchain steps of a download; the image, or "" when none was made.
    std::string Build(const std::string& source, const std::string& script) {
        WriteBytes(bin_ / "740-ggui.C", source);
        std::filesystem::remove(bin_ / "PackBinary.bin");
        Run("gcc -c -g -ms -O2 740-ggui.C");
        Run("gcc -T" + script + " -Wl,-Map,Kv740.map -nostdlib 740-ggui.o -o PackBinary.bin");
        return std::filesystem::exists(bin_ / "PackBinary.bin") ? ReadBytes(bin_ / "PackBinary.bin")
                                                                : std::string();
    }

  private:
    TempDir dir_;
    std::filesystem::path bin_;
};

struct Target {
    const char* Name;
    std::string Model, Pack, Script, Nvr, Log, CardClass, CardNumber, Revision;
    int Stubs;  // 0 none, 1 TAscii and TTag, 2 also TReport and TUnits
    size_t ImageSize, Identity;
};

const Target Model746{"Model746",          "746",      "FC01", "H8S-2144.cmd",
                      "NvrType0",          "LogType0", "01",   "12",
                      "Revision: 2.8.8.5", 1,          131072, 0x10000};
const Target Original758{"Original758",       "758",      "BC02", "H8S-2144.cmd",
                         "NvrType0",          "LogType1", "01",   "01",
                         "Revision: 3.0.201", 2,          131072, 0x10000};
const Target Standard758{"Standard758",       "758",      "LC01", "H8S-2145.cmd",
                         "NvrType1",          "LogType3", "04",   "18",
                         "Revision: 3.0.201", 0,          262144, 0x3200};

void PrintTo(const Target& t, std::ostream* os) {
    *os << t.Name;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The minimal generated source: the identity block and one table of each kind, plus `extra`
// information items before the engineering units item.
std::string Source(const Target& t, const std::string& log, int extraItems = 0) {
    const auto data = SourceDir / "tests/assets/data";
    std::string stubs;
    if (t.Stubs >= 1) stubs += ReadBytes(data / "StubsAsciiTag.C.in");
    if (t.Stubs >= 2) stubs += ReadBytes(data / "StubsReportUnits.C.in");
    std::string points;
    if (t.Model == "758")  // only the 758 points carry texts
        points =
            "   // DEFAULT\n   {OP_HEAT_FLUID_TYPE_USER, 2.7315000E+02, 9.9980000E+02, "
            "4.2170000E+03, 1.7900000E-03, 0.0, "
            "\"0\", \"999.8\", \"4.217\", \"1.79\", \"\", },\n";
    std::string items;
    for (int i = 0; i < extraItems; ++i) {
        const std::string n = std::to_string(1000 + i);
        items += "   {\n      // Channel Value " + n + "\n      {\"CH" + n + "\",\"CH" + n +
                 "\",\"DEG C\",\"DEG C\"},\n"
                 "      ID_PARAMETER_12,\n      OP_MENU_VARIABLES + OP_ACCESS_PRINTOUT,\n      "
                 "GU_TEMPERATURE,\n"
                 "      2.7315000E+02,\n      0.0000000E+00,\n      1.0000000E+03,\n   },\n";
    }
    std::string text = ReadBytes(data / "Minimal.C.in");
    text = Replace(text, "@APP@", "AppPack_" + t.Model + "_" + t.Pack);
    text = Replace(text, "@NVR@", t.Nvr);
    text = Replace(text, "@LOG@", log);
    text = Replace(text, "@REVISION@", t.Revision);
    text = Replace(text, "@CLASS@", t.CardClass);
    text = Replace(text, "@CARD@", t.CardNumber);
    text = Replace(text, "@STUBS@", stubs);
    text = Replace(text, "@POINTS@", points);
    text = Replace(text, "   {\n      // Engineering Units",
                   items + "   {\n      // Engineering Units");
    return Replace(text, "\n", "\r\n");  // the manager writes CR LF
}

unsigned long BigEndian32(const std::string& image, size_t at) {
    unsigned long v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(image.at(at + i));
    return v;
}

std::string CString(const std::string& image, size_t at) {
    return std::string(image.c_str() + at);
}

class Link : public ::testing::TestWithParam<Target> {};

TEST_P(Link, MinimalGeneratedObjectMakesAnImageWithItsIdentityBlock) {
    const Target& t = GetParam();
    Workspace ws(t.Model);
    const std::string image = ws.Build(Source(t, t.Log), t.Script);
    ASSERT_EQ(image.size(), t.ImageSize) << ws.Log();

    const size_t id = t.Identity;
    EXPECT_EQ(CString(image, id + 16), "000000");
    EXPECT_EQ(CString(image, id + 23), "01");
    EXPECT_EQ(CString(image, id + 26), "000000");
    EXPECT_EQ(CString(image, id + 33), t.Revision);
    EXPECT_EQ(static_cast<unsigned char>(image[id + 51]), std::stoi(t.CardClass));
    EXPECT_EQ(static_cast<unsigned char>(image[id + 52]), std::stoi(t.CardNumber));
    EXPECT_EQ(CString(image, id + 53), "9999,99,99,99,99,99");

    // AppPack points at the library's entry of the application, InfoPack at the tables.
    EXPECT_EQ(CString(image, BigEndian32(image, id)), t.Model + "-" + t.Pack);
    const unsigned long infoItems = BigEndian32(image, id + 4),
                        optionTags = BigEndian32(image, id + 8);
    EXPECT_GT(infoItems, id);
    EXPECT_LT(infoItems, image.size());
    EXPECT_EQ(CString(image, BigEndian32(image, optionTags)), "VAR")
        << "first tag of the option table";
    EXPECT_EQ(BigEndian32(image, id + 12), 0u);

    // Vectors at 0, the start markers of the boot loader, the end marker at the end of ROM.
    EXPECT_LT(BigEndian32(image, 0), 0x4000u);
    EXPECT_EQ(BigEndian32(image, t.Script == "H8S-2144.cmd" ? 0x400 : 0x3000), 0x740A55AAu);
    EXPECT_EQ(BigEndian32(image, image.size() - 4), 0x740A5AA5u);

    // Classes the generated source stubs stay out of the image.
    const std::string map = ReadBytes(ws.Bin() / "Kv740.map");
    EXPECT_EQ(map.find("(740-asci.o)") == std::string::npos, t.Stubs >= 1);
    EXPECT_EQ(map.find("(740-itag.o)") == std::string::npos, t.Stubs >= 1);
    EXPECT_EQ(map.find("(740-grpt.o)") == std::string::npos, t.Stubs >= 2);
    EXPECT_EQ(map.find("(740-unit.o)") == std::string::npos, t.Stubs >= 2);
    EXPECT_EQ(map.find("(740-ggui.o)"), std::string::npos)
        << "the library's default tables are not linked";
}

INSTANTIATE_TEST_SUITE_P(Targets, Link, ::testing::Values(Model746, Original758, Standard758),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Toolchain, HeadersCompileWithTheCrossCompilerAndHoldTheBuildersValues) {
    for (const char* model : {"746", "758"}) {
        Workspace ws(model);
        WriteBytes(
            ws.Bin() / "check.C",
            "#include \"740-ggui.h\"\n"
            "typedef char Check[(GU_TEMPERATURE == 0x11 && GU_TEMPERATURE_DEG_R == 0x15 && "
            "DT_UNITS == 0x40 &&\n"
            "   OP_MENU_FOOTERS < 0x20 && OP_ACCESS_PRINTOUT == 0xa0 && ID_ITEM_LAST == 0 &&\n"
            "   sizeof(TInfoItem) == 32 && sizeof(TParameter) == 12 && sizeof(uin) == 2) ? 1 : "
            "-1];\n");
        EXPECT_EQ(ws.Run("gcc -c -ms -O2 check.C"), 0) << model << "\n" << ws.Log();
    }
}

TEST(Toolchain, LogType3LinksOnlyWithThe758Library) {
    Target t = Model746;
    {
        Workspace ws("746");
        EXPECT_EQ(ws.Build(Source(t, "LogType3"), t.Script), "");
        EXPECT_NE(ws.Log().find("LogType3"), std::string::npos) << ws.Log();
    }
    t = Original758;
    Workspace ws("758");
    EXPECT_EQ(ws.Build(Source(t, "LogType3"), t.Script).size(), 131072u) << ws.Log();
}

TEST(Toolchain, AVersionWithManyItemsOverflowsTheSmallMapOnly) {
    for (const Target* t : {&Model746, &Original758}) {
        Workspace ws(t->Model);
        EXPECT_EQ(ws.Build(Source(*t, t->Log, 400), t->Script), "") << t->Name;
        EXPECT_NE(ws.Log().find("b_rom"), std::string::npos) << ws.Log();
    }
    Workspace ws("758");
    EXPECT_EQ(ws.Build(Source(Standard758, Standard758.Log, 400), Standard758.Script).size(),
              262144u)
        << ws.Log();
}

}  // namespace
}  // namespace kv::assets
