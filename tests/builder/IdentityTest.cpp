#include <gtest/gtest.h>

#include "builder/Identity.h"

namespace kv::builder {
namespace {

struct IdentityCase {
    const char* Model;
    const char* Pack;
    bool Original;
    const char *Memory, *Log, *CardNumber, *CardClass;
    bool Block2, Block3;
};

TEST(Identity, FollowsModelPackAndHardware) {
    const IdentityCase cases[] = {
        {"746", "FC01", false, "NvrType0", "LogType0", "12", "01", true, false},
        {"746", "FC01", true, "NvrType0", "LogType0", "12", "01", true,
         false},  // no hardware choice on 746
        {"758", "LC01", false, "NvrType1", "LogType3", "18", "04", false, false},
        {"758", "BC02", true, "NvrType0", "LogType1", "01", "01", true, true},
        {"758", "LK01", false, "NvrType1", "LogType1", "18", "03", false, false},
        {"746", "LK01", false, "NvrType0", "LogType0", "12", "00", true, false},
        {"758", "LM02", false, "NvrType1", "LogType0", "18", "00", false, false},
        {"746", "LM02", false, "NvrType0", "LogType0", "12", "01", true, false},
        {"758", "AC01", false, "NvrType1", "LogType2", "18", "02", false, false},
        {"758", "OC01", false, "NvrType1", "LogType2", "18", "03", false, false},
        {"758", "CD01", false, "NvrType1", "LogType0", "18", "03", false, false},
        {"758", "ZZ01", false, "NvrType1", "LogType0", "18", "00", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Model) + "-" + c.Pack + (c.Original ? " original" : ""));
        const Target t = Target::For(c.Model, c.Pack, c.Original);
        const std::string app = ApplicationName(c.Model, c.Pack);
        EXPECT_EQ(MemoryType(t), c.Memory);
        EXPECT_EQ(LinkerScript(t),
                  std::string(c.Memory) == "NvrType0" ? "H8S-2144.cmd" : "H8S-2145.cmd");
        EXPECT_EQ(GetLogType(c.Pack, app), c.Log);
        EXPECT_EQ(GetCardNumber(app, t.OriginalChecked), c.CardNumber);
        EXPECT_EQ(GetCardClass(app), c.CardClass);
        EXPECT_EQ(IsOriginalCard(t) || IsModel746(t), c.Block2);
        EXPECT_EQ(IsOriginalCard(t), c.Block3);
    }
    EXPECT_EQ(ApplicationName("758", "FP01"), "AppPack_758_FP01");
}

TEST(Identity, CardClassTakesTheFirstCodeOfTheTableOrder) {
    // "FC" (01) comes before "GN" (03) in the table although "GN" occurs earlier in the text.
    EXPECT_EQ(GetCardClass("758-GNFC-000000"), "01");
    EXPECT_EQ(GetCardClass("758-NC01-000000"), "03");
    // Codes are case-sensitive.
    EXPECT_EQ(GetCardClass("758-fc01-000000"), "00");
    EXPECT_EQ(GetCardClass("746-LM02-000001"), "01");
}

TEST(Identity, PackPredicatesSearchAnywhereInThePack) {
    EXPECT_TRUE(IsBatchPack("XBT1"));
    EXPECT_TRUE(IsBatchPack("CB01"));
    EXPECT_FALSE(IsBatchPack("FC01"));
    EXPECT_TRUE(IsLoadPack("LP03"));
    EXPECT_TRUE(IsJumboLogging("AC02"));
    EXPECT_FALSE(IsJumboLogging("ac02"));
    EXPECT_EQ(GetSoftwareType(), "740-PM Software");
    // Jumbo logging wins over a batch code in the same pack.
    EXPECT_EQ(GetLogType("OCBC", "AppPack_758_OCBC"), "LogType2");
}

}  // namespace
}  // namespace kv::builder
