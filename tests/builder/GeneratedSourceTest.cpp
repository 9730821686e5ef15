#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "builder/CText.h"
#include "builder/GeneratedSource.h"
#include "support/TempDir.h"

namespace kv::builder {
namespace {

using Lines = std::vector<std::string>;

const std::string Rule = "/*=========================================================*/";

SkeletonValues Values(bool block2, bool block3) {
    return {"AppPack_758_FP01",  "NvrType1", "LogType0", "02",   "000123",
            "Revision: 3.0.201", "02",       "18",       block2, block3};
}

// The lines of the table whose declaration line is `head`, from "{" to its "};".
Lines TableBody(const GeneratedSource& source, const std::string& head) {
    const Lines l = source.Lines();
    auto begin = std::find(l.begin(), l.end(), head);
    EXPECT_NE(begin, l.end()) << head;
    if (begin == l.end()) return {};
    auto end = std::find(begin, l.end(), "};");
    return Lines(begin + 1, end + 1);
}

size_t IndexOf(const Lines& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(Skeleton, IdentityBlockAndStubBlocksFollowTheFlags) {
    GeneratedSource none, both, ascii;
    none.CreateSkeleton(Values(false, false));
    ascii.CreateSkeleton(Values(true, false));
    both.CreateSkeleton(Values(true, true));

    const Lines identity = {Rule,
                            "#include \"740-ggui.h\"",
                            "",
                            Rule,
                            "extern const chr   AppPack_758_FP01[];",
                            "extern const chr*  const AppPack = AppPack_758_FP01;",
                            "",
                            Rule,
                            "extern const uin   NvrType1;",
                            "extern const uin   LogType0;",
                            "extern const void* Linkage [] = {&NvrType1,&LogType0};",
                            "",
                            Rule,
                            "extern const void* const InfoPack [] = {InfoItems,OptionTags,0};",
                            "extern const chr   SrlNumber  [] = \"000000\";",
                            "extern const chr   DbsVersion [] = \"02\";",
                            "extern const chr   CstVersion [] = \"000123\";",
                            "extern const chr   Revision   [] = \"Revision: 3.0.201\";",
                            "extern const uch   CardClass     = 02;",
                            "extern const uch   CardNumber    = 18;",
                            "extern const chr   DateTime   [] = \"9999,99,99,99,99,99\";",
                            ""};
    const Lines n = none.Lines(), a = ascii.Lines(), b = both.Lines();
    EXPECT_EQ(Lines(n.begin(), n.begin() + 22), identity);
    // Without stubs the Headers table follows block 1 directly.
    EXPECT_EQ(n[22], Rule);
    EXPECT_EQ(n[23], "extern const chr* const Headers  [] =");

    EXPECT_EQ(a[23], "class TAscii");
    EXPECT_EQ(a.size(), n.size() + 52);
    EXPECT_EQ(IndexOf(a, "class TReport"), a.size());
    EXPECT_EQ(b.size(), n.size() + 52 + 44);
    EXPECT_EQ(b[22 + 52 + 1], "class TReport");
    EXPECT_EQ(b[22 + 52 + 44 + 1], "extern const chr* const Headers  [] =");
    EXPECT_EQ(IndexOf(b, "   static void\t reset_all        (void);") - IndexOf(b, "class TTag"),
              8u);
    EXPECT_NE(IndexOf(b, "flt  TUnits::get_limit_hi (TInfoItem* Item) {return Item->fl_high;};"),
              b.size());
}

TEST(Skeleton, EmptyTablesHoldOnlyTheirFixedLines) {
    GeneratedSource s;
    s.CreateSkeleton(Values(false, false));
    s.CloseInfoItems();
    EXPECT_EQ(TableBody(s, "extern const chr* const Headers  [] ="),
              (Lines{"{", "   ((chr*)0)", "   // Headers End", "};"}));
    EXPECT_EQ(TableBody(s, "extern const uin   ComCalIds  [] ="),
              (Lines{"{", "   ID_PARAMETER_FACTORS", "   // Comms shared Cals End", "};"}));
    EXPECT_EQ(TableBody(s, "extern const flt  Factors1[]  = "),
              (Lines{"{", "   // Factors1 End", "};"}));
    EXPECT_EQ(TableBody(s, "extern class TMessage const Messages[] ="),
              (Lines{"{", "   // Messages End", "   {", "      // Last message",
                     "      {\"\",\"\"},", "      ID_ITEM_LAST,", "   },", "};"}));
    const auto& l = s.Lines();
    const size_t f4 = IndexOf(l, "extern const flt  Factors4[]  = ");
    EXPECT_EQ(Lines(l.begin() + f4 + 4, l.begin() + f4 + 8), (Lines{"", "", "", Rule}));
    EXPECT_EQ(l[IndexOf(l, "extern const flt  Factors2[]  = ") - 1],
              "");  // no rule line before Factors2
    EXPECT_EQ(Lines(l.end() - 3, l.end()),
              (Lines{"extern class TInfoItem const InfoItems[] =", "{", "};"}));
}

TEST(Placement, EntriesKeepInsertionOrderAndTerminatorsStayLast) {
    GeneratedSource s;
    s.CreateSkeleton(Values(false, false));
    s.AddMessage("First", "Low flow", "", "ID_ERR_1");
    s.AddMessage("Second", "High", "Hi", "ID_ERR_2");
    s.AddHeader("Line one");
    s.AddHeader("Line two");
    s.AddComCalId("ID_PARAMETER_01");
    s.AddComCalId("ID_PARAMETER_02");
    s.AddCorrectionPoint(Table::Factors3, "1.0000000E+00", "2.0000000E+00");
    s.AddCorrectionPoint(Table::Factors3, "3.0000000E+00", "4.0000000E+00");
    s.AddParameter("ABCDE", "1.0000000E+00");
    s.AddParameter("ABCDEFGHIJ", "2.0000000E+00");
    s.AddParameter("", "3.0000000E+00");

    EXPECT_EQ(TableBody(s, "extern class TMessage const Messages[] =").size(), 18u);
    const Lines messages = TableBody(s, "extern class TMessage const Messages[] =");
    EXPECT_EQ(Lines(messages.begin(), messages.begin() + 11),
              (Lines{"{", "   {", "      // First", "      {\"Low flow\",\"\"},", "      ID_ERR_1,",
                     "   },", "   {", "      // Second", "      {\"High\",\"Hi\"},",
                     "      ID_ERR_2,", "   },"}));
    EXPECT_EQ(TableBody(s, "extern const chr* const Headers  [] ="),
              (Lines{"{", "   \"Line one\",", "   \"Line two\",", "   ((chr*)0)",
                     "   // Headers End", "};"}));
    EXPECT_EQ(TableBody(s, "extern const uin   ComCalIds  [] ="),
              (Lines{"{", "   ID_PARAMETER_01,", "   ID_PARAMETER_02,", "   ID_PARAMETER_FACTORS",
                     "   // Comms shared Cals End", "};"}));
    EXPECT_EQ(TableBody(s, "extern const flt  Factors3[]  = "),
              (Lines{"{", "   1.0000000E+00, 2.0000000E+00,", "   3.0000000E+00, 4.0000000E+00,",
                     "   // Factors3 End", "};"}));
    EXPECT_EQ(
        TableBody(s, "extern class TParameter const Parameters[] ="),
        (Lines{"{", "   {\"ABCDE\",   1.0000000E+00,},", "   {\"ABCDEFGHIJ\",2.0000000E+00,},",
               "   {\"\",        3.0000000E+00,},", "   // Parameters End", "};"}));
}

TEST(Placement, MarkersAreFoundIgnoringCase) {
    GeneratedSource s;
    s.CreateSkeleton(Values(false, false));
    s.AddUserTableComment("Messages End");  // would read "   // Messages End": kept apart
    s.AddUserTableComment("FACTORS1 END");
    s.AddMessage("M", "a", "b", "ID_X");
    s.AddCorrectionPoint(Table::Factors1, "1", "2");
    EXPECT_EQ(TableBody(s, "extern class TPoint const UserPoints[] =")[1], "   //  Messages End");
    EXPECT_EQ(TableBody(s, "extern class TPoint const UserPoints[] =")[2], "   //  FACTORS1 END");
    EXPECT_EQ(TableBody(s, "extern class TMessage const Messages[] =")[1], "   {");
    EXPECT_EQ(TableBody(s, "extern const flt  Factors1[]  = ")[1], "   1, 2,");
}

TEST(Placement, UnitCoefficientsAndUserPointsHaveTheirColumns) {
    GeneratedSource s;
    s.CreateSkeleton(Values(false, false));
    s.AddUnitCoef("PPM", "1.000000e+06", "Value will be displayed in parts per million");
    s.AddUnitCoef("LONGTAG8", "GU_TEMPERATURE_DEG_C_AND_MORE__", "x");
    s.AddUserTableComment("WATER");
    const std::array<std::string, 5> texts{"1", "A", "", "", ""};
    s.AddUserPoint("OP_HEAT_FLUID_TYPE_USER", {"1.0000000E+00", "0.0", "0.0", "0.0", "0.0"},
                   &texts);
    s.AddUserPoint("OP_HEAT_FLUID_TYPE_USER", {"2.0000000E+00", "0.0", "0.0", "0.0", "0.0"},
                   nullptr);
    EXPECT_EQ(TableBody(s, "extern class TParameter const UnitCoefs[] ="),
              (Lines{"{",
                     "   {\"PPM\",     1.000000e+06,            },   // Value will be displayed in "
                     "parts per million",
                     "   {\"LONGTAG8\",GU_TEMPERATURE_DEG_C_AND_MORE__,},   // x",
                     "   // Coefficients End", "};"}));
    EXPECT_EQ(TableBody(s, "extern class TPoint const UserPoints[] =")[1], "   // WATER");
    EXPECT_EQ(TableBody(s, "extern class TPoint const UserPoints[] =")[2],
              "   {OP_HEAT_FLUID_TYPE_USER, 1.0000000E+00, 0.0, 0.0, 0.0, 0.0, \"1\", \"A\", \"\", "
              "\"\", \"\", },");
    EXPECT_EQ(TableBody(s, "extern class TPoint const UserPoints[] =")[3],
              "   {OP_HEAT_FLUID_TYPE_USER, 2.0000000E+00, 0.0, 0.0, 0.0, 0.0, },");
}

TEST(Texts, QuotesBackslashesAndControlsCannotBreakTheSource) {
    EXPECT_EQ(EscapeC("say \"hi\""), "say \\\"hi\\\"");
    EXPECT_EQ(EscapeC("C:\\dir"), "C:\\\\dir");
    EXPECT_EQ(EscapeC("a\nb\t1"), "a\\012b\\0111");
    EXPECT_EQ(EscapeC("what?"
                      "?="),
              "what?\\?=");
    EXPECT_EQ(EscapeC("25 \xC2\xB0"
                      "C"),
              "25 \xC2\xB0"
              "C");  // letters of the code page pass
    EXPECT_EQ(CommentText("end\\"), "end/");
    EXPECT_EQ(CommentText("two\r\nlines"), "two  lines");

    GeneratedSource s;
    s.CreateSkeleton(Values(false, false));
    s.AddHeader("\"); int x = (\"");
    s.AppendInfoItem({"Tag\\", "T\"1", "T2", "U1", "U2", std::nullopt, "ID_A", "OP_MENU_SETUP",
                      "OP_ACCESS_PROGRAM", "DT_INTEGER", "1", "0", "9"});
    EXPECT_EQ(TableBody(s, "extern const chr* const Headers  [] =")[1],
              "   \"\\\"); int x = (\\\"\",");
    const Lines l = s.Lines();
    EXPECT_EQ(Lines(l.end() - 10, l.end()),
              (Lines{"   {", "      // Tag/", "      {\"T\\\"1\",\"T2\",\"U1\",\"U2\"},",
                     "      ID_A,", "      OP_MENU_SETUP + OP_ACCESS_PROGRAM,", "      DT_INTEGER,",
                     "      1,", "      0,", "      9,", "   },"}));
}

TEST(Save, WritesCodePageBytesWithCrLfAfterEveryLine) {
    const kv::testing::TempDir dir;
    const auto path = (dir / GeneratedSourceFile).string();
    std::ofstream(path) << "old content that is longer than nothing";
    GeneratedSource s;
    s.CreateSkeleton(Values(true, true));
    s.AddHeader(
        "25 \xC2\xB0"
        "C");  // degree sign: one byte in the file
    s.CloseInfoItems();
    s.Save(path);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string expected;
    for (const auto& line : s.Lines()) expected += line + "\r\n";
    const size_t degree = expected.find("\xC2\xB0");
    expected.replace(degree, 2, "\xB0");
    EXPECT_EQ(bytes, expected);
    EXPECT_TRUE(bytes.ends_with("};\r\n"));
}

}  // namespace
}  // namespace kv::builder
