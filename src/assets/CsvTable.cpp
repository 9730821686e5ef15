#include "assets/CsvTable.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "store/Store.h"

namespace kv::assets {

std::vector<CsvRow> ParseCsv(std::string_view text) {
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
            fieldStarted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            fieldStarted = true;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (c == '\r') ++i;
            row.push_back(std::move(field));
            rows.push_back(std::move(row));
            row.clear();
            field.clear();
            fieldStarted = false;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) throw std::runtime_error("Unterminated quote in CSV text");
    if (fieldStarted || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

void CsvToTable(const std::filesystem::path& csv, const std::string& table) {
    std::ifstream in(csv, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot read " + csv.string());
    std::stringstream text;
    text << in.rdbuf();
    const std::vector<CsvRow> rows = ParseCsv(text.str());
    if (rows.empty()) throw std::runtime_error(csv.string() + ": no field row");

    store::FieldDefs fields;
    for (const std::string& column : rows[0]) {
        const size_t colon = column.find(':');
        if (colon == std::string::npos)
            throw std::runtime_error(csv.string() + ": field \"" + column + "\" has no type code");
        fields.push_back(store::ParseFieldDef(column.substr(0, colon), column.substr(colon + 1)));
    }

    store::Table::Create(table, fields);
    store::Table out(table);
    out.Open();
    {
        store::Batch batch(out);
        for (size_t r = 1; r < rows.size(); ++r) {
            const std::string where = csv.string() + ", line " + std::to_string(r + 1);
            if (rows[r].size() != fields.size())
                throw std::runtime_error(where + ": " + std::to_string(rows[r].size()) +
                                         " values for " + std::to_string(fields.size()) +
                                         " fields");
            try {
                out.AppendRecord(rows[r]);
            } catch (const store::StoreError& error) {
                throw std::runtime_error(where + ": " + error.Reason());
            }
        }
    }
    out.Close();
}

}  // namespace kv::assets
