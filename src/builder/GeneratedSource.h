#pragma once
// The generated source "740-ggui.C": a list of lines built from a fixed skeleton, filled with
// one entry per configuration item and saved in one piece.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kv::builder {

inline constexpr const char* GeneratedSourceFile = "740-ggui.C";

// Values of the identity block and the choice of stub blocks.
struct SkeletonValues {
    std::string ApplicationName;    // "AppPack_758_FP01"
    std::string MemoryType;         // "NvrType0" / "NvrType1"
    std::string LogType;            // "LogType0" .. "LogType3"
    std::string DB;                 // the pack's database version, two characters
    std::string Code;               // the version code
    std::string Revision;           // "Revision: 3.0.201"
    std::string CardClass;          // "00" .. "04"
    std::string CardNumber;         // "12", "01" or "18"
    bool AsciiTagStubs = false;     // TAscii and TTag stand-ins (model 746, original 758 hardware)
    bool ReportUnitsStubs = false;  // TReport and TUnits stand-ins (original 758 hardware)
};

// One information item. With a unit index the tags line refers to the item's unit in UnitCoefs.
struct InfoEntry {
    std::string Item, LabelTag1, LabelTag2, UnitTag1, UnitTag2;
    std::optional<int> UnitIndex;
    std::string Id, Menu, Access, DataType, Default, Low, High;
};

// The tables whose entries are placed before their end marker.
enum class Table {
    Headers,
    Footers,
    ComCalIds,
    UserPoints,
    UnitCoefs,
    Parameters,
    Messages,
    Factors1,
    Factors2,
    Factors3,
    Factors4
};

// The end marker line of a table ("   // Messages End").
const std::string& MarkerOf(Table table);

class GeneratedSource {
  public:
    // Clears the list and lays out blocks 1 to 4.
    void CreateSkeleton(const SkeletonValues& values);

    void AppendInfoItem(const InfoEntry& entry);
    void AppendEngineeringUnitsItem();
    void AppendSerialNumberItem();
    void CloseInfoItems();

    void AddMessage(const std::string& item, const std::string& defaultText,
                    const std::string& userText, const std::string& id);
    void AddHeader(const std::string& text);
    void AddFooter(const std::string& text);
    void AddComCalId(const std::string& id);
    void AddUserTableComment(const std::string& tableName);
    // The model 746 point has no text members: without texts the entry holds the numbers only.
    void AddUserPoint(const std::string& type, const std::array<std::string, 5>& numbers,
                      const std::array<std::string, 5>* texts);
    void AddUnitCoef(const std::string& tag, const std::string& coefficient,
                     const std::string& description);
    void AddParameter(const std::string& tag, const std::string& value);
    // `table` is one of Factors1 .. Factors4.
    void AddCorrectionPoint(Table table, const std::string& input, const std::string& output);

    // The whole list, in file order.
    std::vector<std::string> Lines() const;

    // Writes the lines, each followed by CR LF, in the tables' code page, replacing the file.
    // Throws BuildError when the file cannot be written.
    void Save(const std::string& path) const;

  private:
    // A line of the list: its part and its place there.
    struct Place {
        size_t Part, Line;
    };

    // The first line equal to the marker, ignoring case; searched anew every time, because
    // every insertion moves the lines below it.
    Place FindMarker(Table table) const;
    // The line just before `place`, which must not be the first of the list.
    Place Before(Place place) const;
    void InsertAt(Place place, std::vector<std::string> entry);
    void InsertBeforeMarker(Table table, std::vector<std::string> entry);
    // Before the terminator line that precedes the marker, so that it stays last.
    void InsertBeforeTerminator(Table table, std::string line);
    std::vector<std::string>& Last() { return parts_.back(); }

    // The list in parts, a new part at every line that was a marker in the skeleton: an entry
    // placed before a marker then goes at the end of a part and moves no other line.
    std::vector<std::vector<std::string>> parts_ = std::vector<std::vector<std::string>>(1);
};

}  // namespace kv::builder
