#include "builder/GeneratedSource.h"

#include <fstream>

#include "builder/BuildError.h"
#include "builder/CText.h"
#include "store/Cp1252.h"

namespace kv::builder {

namespace {

const std::string Rule = "/*=========================================================*/";

std::string Quoted(const std::string& text) {
    return "\"" + EscapeC(text) + "\"";
}

void Add(std::vector<std::string>& lines, std::initializer_list<const char*> fixed) {
    lines.insert(lines.end(), fixed.begin(), fixed.end());
}

void AddIdentityBlock(std::vector<std::string>& l, const SkeletonValues& v) {
    l.push_back(Rule);
    l.push_back("#include \"740-ggui.h\"");
    l.push_back("");
    l.push_back(Rule);
    l.push_back("extern const chr   " + v.ApplicationName + "[];");
    l.push_back("extern const chr*  const AppPack = " + v.ApplicationName + ";");
    l.push_back("");
    l.push_back(Rule);
    l.push_back("extern const uin   " + v.MemoryType + ";");
    l.push_back("extern const uin   " + v.LogType + ";");
    l.push_back("extern const void* Linkage [] = {&" + v.MemoryType + ",&" + v.LogType + "};");
    l.push_back("");
    l.push_back(Rule);
    l.push_back("extern const void* const InfoPack [] = {InfoItems,OptionTags,0};");
    l.push_back("extern const chr   SrlNumber  [] = \"000000\";");
    l.push_back("extern const chr   DbsVersion [] = " + Quoted(v.DB) + ";");
    l.push_back("extern const chr   CstVersion [] = " + Quoted(v.Code) + ";");
    l.push_back("extern const chr   Revision   [] = " + Quoted(v.Revision) + ";");
    l.push_back("extern const uch   CardClass     = " + v.CardClass + ";");
    l.push_back("extern const uch   CardNumber    = " + v.CardNumber + ";");
    l.push_back("extern const chr   DateTime   [] = \"9999,99,99,99,99,99\";");
    l.push_back("");
}

void AddAsciiTagStubs(std::vector<std::string>& l) {
    l.push_back(Rule);
    Add(l, {"class TAscii", "{\t// dummy class", "public:", "   TAscii();",
            "   static void\tupdate       (void);", "   static void\tconfigure    (void);",
            "   static void\tprocess_link (void);", "};", "     TAscii::TAscii()       {};",
            "void TAscii::update()       {};", "void TAscii::configure()    {};",
            "void TAscii::process_link() {};", ""});
    l.push_back(Rule);
    Add(l, {"class TTag",
            "{\t// dummy class",
            "public:",
            "   TTag();",
            "   static void  update           (void);",
            "   static void  configure        (void);",
            "   static void  process_link     (void);",
            "   static void  update_back      (void);",
            "   static void\t reset_all        (void);",
            "   static uch   is_valid         (void);",
            "   static uch   is_required      (void);",
            "   static uin   get_points       (void);",
            "   static flt   get_tag          (void);",
            "   static void  set_tag          (flt);",
            "   static flt   get_parameter    (uin);",
            "   static void  set_parameter    (uin, flt);",
            "   static uch   update_loader    (void*);",
            "   static chr** get_message_bank\t(void);",
            "   static void  set_message_bank\t(chr** pt_bank);",
            "};",
            "      TTag::TTag()                           {};",
            "void  TTag::update()                         {};",
            "void  TTag::configure()                      {};",
            "void  TTag::process_link()                   {};",
            "void  TTag::update_back()                    {};",
            "void  TTag::reset_all()                      {};",
            "uch   TTag::is_valid()                       {return FALSE;};",
            "uch   TTag::is_required()                    {return FALSE;};",
            "uin   TTag::get_points()                     {return 0;};",
            "flt   TTag::get_tag()                        {return 0;};",
            "void  TTag::set_tag          (flt)           {};",
            "flt   TTag::get_parameter    (uin)           {return 0;};",
            "void  TTag::set_parameter    (uin, flt)      {};",
            "uch   TTag::update_loader    (void*)         {return TRUE;};",
            "chr** TTag::get_message_bank (void)          {return 0;};",
            "void  TTag::set_message_bank (chr** pt_bank) {};",
            ""});
}

void AddReportUnitsStubs(std::vector<std::string>& l) {
    l.push_back(Rule);
    Add(l, {"class TReport", "{\t// dummy class", "public:", "   TReport();",
            "   static void\tupdate           (void);", "   static void\tupdate_fast      (void);",
            "   static void\tupdate_records   (void);", "   static void\tconfigure        (void);",
            "   static void\tprocess_link     (void);",
            "   static void\ttry_print        (class TRecordLog&);", "};",
            "     TReport::TReport()         {};", "void TReport::update()          {};",
            "void TReport::update_fast()     {};", "void TReport::update_records()  {};",
            "void TReport::configure()       {};", "void TReport::process_link()    {};",
            "void TReport::try_print(class TRecordLog&)    {};", ""});
    l.push_back(Rule);
    Add(l, {"class TUnits",
            "{\t// dummy class",
            "public:",
            "   TUnits();",
            "   static void\tstep         (void);",
            "   static void\tshow         (void);",
            "   static void\tupdate       (void);",
            "   static void\tconfigure    (void);",
            "   static sch\tget_offset   (TInfoItem*);",
            "   static flt\tget_default  (TInfoItem*);",
            "   static flt\tget_limit_lo (TInfoItem*);",
            "   static flt\tget_limit_hi (TInfoItem*);",
            "};",
            "     TUnits::TUnits()       {};",
            "void TUnits::step()         {};",
            "void TUnits::show()         {};",
            "void TUnits::update()       {};",
            "void TUnits::configure()    {};",
            "sch  TUnits::get_offset   (TInfoItem* Item) {return 0;};",
            "flt  TUnits::get_default  (TInfoItem* Item) {return Item->fl_default;};",
            "flt  TUnits::get_limit_lo (TInfoItem* Item) {return Item->fl_low;};",
            "flt  TUnits::get_limit_hi (TInfoItem* Item) {return Item->fl_high;};",
            ""});
}

void AddTables(std::vector<std::string>& l) {
    l.push_back(Rule);
    Add(l, {"extern const chr* const Headers  [] =", "{", "   ((chr*)0)", "   // Headers End", "};",
            ""});
    l.push_back(Rule);
    Add(l, {"extern const chr* const Footers  [] =", "{", "   ((chr*)0)", "   // Footers End", "};",
            ""});
    l.push_back(Rule);
    Add(l, {"extern const uin   ComCalIds  [] =", "{", "   ID_PARAMETER_FACTORS",
            "   // Comms shared Cals End", "};", ""});
    l.push_back(Rule);
    Add(l, {"extern class TPoint const UserPoints[] =", "{", "   // User Data Points End",
            "   {0,0,0,0,0,0,}, // marks the end of the table", "};", ""});
    l.push_back(Rule);
    Add(l,
        {"extern class TParameter const UnitCoefs[] =", "{", "   // Coefficients End", "};", ""});
    l.push_back(Rule);
    Add(l, {"extern class TParameter const Parameters[] =", "{", "   // Parameters End", "};", ""});
    l.push_back(Rule);
    Add(l,
        {"extern class TMessage const Messages[] =", "{", "   // Messages End", "   {",
         "      // Last message", "      {\"\",\"\"},", "      ID_ITEM_LAST,", "   },", "};", ""});
    l.push_back(Rule);
    Add(l, {"extern const flt  Factors1[]  = ", "{", "   // Factors1 End", "};", ""});
    Add(l, {"extern const flt  Factors2[]  = ", "{", "   // Factors2 End", "};", ""});
    Add(l, {"extern const flt  Factors3[]  = ", "{", "   // Factors3 End", "};", ""});
    Add(l, {"extern const flt  Factors4[]  = ", "{", "   // Factors4 End", "};", "", "", ""});
    l.push_back(Rule);
    Add(l, {"extern class TInfoItem const InfoItems[] =", "{"});
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

const std::string& MarkerOf(Table table) {
    static const std::string markers[] = {
        "   // Headers End",          "   // Footers End",      "   // Comms shared Cals End",
        "   // User Data Points End", "   // Coefficients End", "   // Parameters End",
        "   // Messages End",         "   // Factors1 End",     "   // Factors2 End",
        "   // Factors3 End",         "   // Factors4 End",
    };
    return markers[static_cast<int>(table)];
}

namespace {

bool IsMarker(const std::string& line) {
    for (int t = 0; t <= static_cast<int>(Table::Factors4); ++t)
        if (EqualIgnoringCase(line, MarkerOf(static_cast<Table>(t)))) return true;
    return false;
}

}  // namespace

void GeneratedSource::CreateSkeleton(const SkeletonValues& values) {
    std::vector<std::string> lines;
    AddIdentityBlock(lines, values);
    if (values.AsciiTagStubs) AddAsciiTagStubs(lines);
    if (values.ReportUnitsStubs) AddReportUnitsStubs(lines);
    AddTables(lines);
    parts_.assign(1, {});
    for (auto& line : lines) {
        if (IsMarker(line)) parts_.emplace_back();
        Last().push_back(std::move(line));
    }
}

std::vector<std::string> GeneratedSource::Lines() const {
    std::vector<std::string> lines;
    for (const auto& part : parts_) lines.insert(lines.end(), part.begin(), part.end());
    return lines;
}

void GeneratedSource::AppendInfoItem(const InfoEntry& e) {
    std::string tags = "      {" + Quoted(e.LabelTag1) + "," + Quoted(e.LabelTag2) + ",";
    if (e.UnitIndex) {
        const std::string unit = "(void*)UnitCoefs[" + std::to_string(*e.UnitIndex) + "].Tag";
        tags += unit + "," + unit + "},";
    } else {
        tags += Quoted(e.UnitTag1) + "," + Quoted(e.UnitTag2) + "},";
    }
    Last().insert(Last().end(), {"   {", "      // " + CommentText(e.Item), tags,
                                 "      " + e.Id + ",", "      " + e.Menu + " + " + e.Access + ",",
                                 "      " + e.DataType + ",", "      " + e.Default + ",",
                                 "      " + e.Low + ",", "      " + e.High + ",", "   },"});
}

void GeneratedSource::AppendEngineeringUnitsItem() {
    Add(Last(),
        {"   {", "      // Engineering Units", "      {\"ACCEPT\",\"ACCEPT\",\"UNITS\",\"UNITS\"},",
         "      ID_UNITS,", "      OP_MENU_UNITS + OP_ACCESS_PROTECTED,", "      DT_OPTION,",
         "      OP_NO,", "      OP_NO,", "      OP_YES,", "   },"});
}

void GeneratedSource::AppendSerialNumberItem() {
    Add(Last(), {"   {", "      // Serial Number Information",
                 "      {\"-UNIT-\",\"-UNIT-\",\"S/N\",\"S/N\"},", "      ID_INFO_S_NUMBER,",
                 "      OP_MENU_INFO + OP_ACCESS_DISPLAY,", "      DT_INTEGER,",
                 "      0.0000000E+00,", "      0.0000000E+00,", "      9.9999900E+05,", "   },"});
}

void GeneratedSource::CloseInfoItems() {
    Last().push_back("};");
}

void GeneratedSource::AddMessage(const std::string& item, const std::string& defaultText,
                                 const std::string& userText, const std::string& id) {
    InsertBeforeMarker(Table::Messages,
                       {"   {", "      // " + CommentText(item),
                        "      {" + Quoted(defaultText) + "," + Quoted(userText) + "},",
                        "      " + id + ",", "   },"});
}

void GeneratedSource::AddHeader(const std::string& text) {
    InsertBeforeTerminator(Table::Headers, "   " + Quoted(text) + ",");
}

void GeneratedSource::AddFooter(const std::string& text) {
    InsertBeforeTerminator(Table::Footers, "   " + Quoted(text) + ",");
}

void GeneratedSource::AddComCalId(const std::string& id) {
    InsertBeforeTerminator(Table::ComCalIds, "   " + id + ",");
}

void GeneratedSource::AddUserTableComment(const std::string& tableName) {
    std::string line = "   // " + CommentText(tableName);
    // A table named like an end marker would capture the entries of that table: one more
    // space keeps the comment apart.
    if (IsMarker(line)) line.insert(5, " ");
    InsertBeforeMarker(Table::UserPoints, {line});
}

void GeneratedSource::AddUserPoint(const std::string& type,
                                   const std::array<std::string, 5>& numbers,
                                   const std::array<std::string, 5>* texts) {
    std::string line = "   {" + type + ", ";
    for (const auto& n : numbers) line += n + ", ";
    if (texts)
        for (const auto& t : *texts) line += Quoted(t) + ", ";
    InsertBeforeMarker(Table::UserPoints, {line + "},"});
}

void GeneratedSource::AddUnitCoef(const std::string& tag, const std::string& coefficient,
                                  const std::string& description) {
    const std::string quoted = EscapeC(tag);
    std::string line = "   {\"" + quoted + "\",";
    if (quoted.size() < 8) line.append(8 - quoted.size(), ' ');
    line += coefficient + ",";
    if (coefficient.size() < 24) line.append(24 - coefficient.size(), ' ');
    InsertBeforeMarker(Table::UnitCoefs, {line + "},   // " + CommentText(description)});
}

void GeneratedSource::AddParameter(const std::string& tag, const std::string& value) {
    std::string line = "   {" + Quoted(tag) + ",";
    if (line.size() < 15) line.append(15 - line.size(), ' ');
    InsertBeforeMarker(Table::Parameters, {line + value + ",},"});
}

void GeneratedSource::AddCorrectionPoint(Table table, const std::string& input,
                                         const std::string& output) {
    InsertBeforeMarker(table, {"   " + input + ", " + output + ","});
}

GeneratedSource::Place GeneratedSource::FindMarker(Table table) const {
    const std::string& marker = MarkerOf(table);
    for (size_t part = 0; part < parts_.size(); ++part)
        for (size_t line = 0; line < parts_[part].size(); ++line)
            if (EqualIgnoringCase(parts_[part][line], marker)) return {part, line};
    throw BuildError("The generated source has no line \"" + marker + "\"");
}

GeneratedSource::Place GeneratedSource::Before(Place place) const {
    if (place.Line > 0) return {place.Part, place.Line - 1};
    size_t part = place.Part;
    while (parts_[--part].empty()) {
    }
    return {part, parts_[part].size() - 1};
}

void GeneratedSource::InsertAt(Place place, std::vector<std::string> entry) {
    auto& part = parts_[place.Part];
    part.insert(part.begin() + static_cast<std::ptrdiff_t>(place.Line),
                std::make_move_iterator(entry.begin()), std::make_move_iterator(entry.end()));
}

void GeneratedSource::InsertBeforeMarker(Table table, std::vector<std::string> entry) {
    const Place marker = FindMarker(table);
    // At the end of the part before: the same place in the list, without moving the marker's part.
    if (marker.Line == 0) {
        const Place last = Before(marker);
        InsertAt({last.Part, last.Line + 1}, std::move(entry));
    } else {
        InsertAt(marker, std::move(entry));
    }
}

void GeneratedSource::InsertBeforeTerminator(Table table, std::string line) {
    InsertAt(Before(FindMarker(table)), {std::move(line)});
}

void GeneratedSource::Save(const std::string& path) const {
    std::string text;
    for (const auto& line : Lines()) {
        text += line;
        text += "\r\n";
    }
    auto bytes = store::Utf8ToCp1252(text);
    if (!bytes) throw BuildError("The generated source holds a character outside the code page");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    out.close();
    if (!out) throw BuildError("Cannot write \"" + path + "\"");
}

}  // namespace kv::builder
