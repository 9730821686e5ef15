#include "report/RowValues.h"

#include <utility>

namespace kv::report {

namespace {

const std::pair<const char*, const char*> AccessShortForms[] = {
    {"OP_ACCESS_NONE", "NV"},      {"OP_ACCESS_DISPLAY", "DO"},  {"OP_ACCESS_PROGRAM", "PG"},
    {"OP_ACCESS_PROTECTED", "PW"}, {"OP_ACCESS_PRINTOUT", "PR"},
};

std::string Find(const std::unordered_map<std::string, std::string>& map, const std::string& key) {
    auto found = map.find(key);
    return found == map.end() ? std::string() : found->second;
}

}  // namespace

std::vector<std::string> CellValues(const std::vector<TCell>& cells, const TRowSource& row) {
    std::vector<std::string> values;
    values.reserve(cells.size());
    for (const TCell& cell : cells) values.push_back(row.Value(cell.Name));
    return values;
}

std::vector<std::string> CellCaptions(const std::vector<TCell>& cells) {
    std::vector<std::string> values;
    values.reserve(cells.size());
    for (const TCell& cell : cells) values.push_back(cell.Name);
    return values;
}

void RewriteVersionRow(std::vector<std::string>& values, const std::vector<TCell>& cells,
                       const TRowSource& row, const TRowLookups& lookups) {
    auto set = [&values](size_t cell, std::string value) {
        if (cell < values.size()) values[cell] = std::move(value);
    };

    // A custom tag equal to its default is left blank: the form shows only what changed.
    for (size_t i = 0; i < cells.size() && i < values.size(); ++i) {
        if ((cells[i].Name == "LabelTag2" && values[i] == row.Value("LabelTag1")) ||
            (cells[i].Name == "UnitTag2" && values[i] == row.Value("UnitTag1")))
            values[i].clear();
    }

    for (size_t i = 4; i <= 5 && i < values.size(); ++i)
        for (const auto& [code, shortForm] : AccessShortForms)
            if (values[i] == code) values[i] = shortForm;

    const std::string type = row.Value("Type");
    const std::string panel = row.Value("Panel");
    const bool inputsMenu = row.Value("Menu") == "OP_MENU_INPUTS";
    if (type == "DT_TEXT") {
        set(6, "------");
    } else if (panel == "Messages") {
        if (values.size() > 1 && values[1] == row.Value("LowLimit")) values[1].clear();
    } else if (panel == "Options") {
        set(6, Find(lookups.OptionTags, row.Value("DefaultValue")));
    } else if (panel == "Tags") {
        set(6, NotAvailable);
        set(7, NotAvailable);
    } else if (panel == "Password") {
        set(4, "NV");
        set(5, NotAvailable);
    } else if (type == "DT_ASSIGNMENT") {
        set(1, NotAvailable);
        if (inputsMenu) set(5, NotAvailable);
        set(6, Find(lookups.AssignmentTags, row.Value("DefaultValue")));
        set(7, inputsMenu ? NotAvailable : Asterisk);
    }

    if (type.starts_with("GU_"))
        set(3, Asterisk);
    else if (type.starts_with("OP_"))
        set(7, Asterisk);
}

}  // namespace kv::report
