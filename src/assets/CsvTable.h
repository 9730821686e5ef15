#pragma once
// Readable sources of tables: CSV text turned into Paradox files by the table store. The first
// row names the fields as "Name:Code" with the store's letter codes ("Type:A30", "Date:D",
// "Card:I"); every other row is one record, its fields in the same order.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kv::assets {

using CsvRow = std::vector<std::string>;

// Fields are separated by commas and may be quoted with '"' (a quote inside doubled), which
// lets them hold commas, quotes and line breaks. Lines end in LF or CR LF; an empty line is a
// row with one empty field. Throws std::runtime_error for an unterminated quote.
std::vector<CsvRow> ParseCsv(std::string_view text);

// Creates `table` (replacing it) from the CSV file and appends its records in one write.
// Throws std::runtime_error naming the CSV file and line when a row does not have one value
// per field or a value does not fit its field; store failures pass as StoreError.
void CsvToTable(const std::filesystem::path& csv, const std::string& table);

}  // namespace kv::assets
