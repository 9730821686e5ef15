#include "catalogue/CatalogueList.h"

#include "store/Query.h"
#include "store/Table.h"

namespace kv::catalogue {

std::vector<std::string> CatalogueSql(bool withUserPacks) {
    std::vector<std::string> lines = {"SELECT *", "FROM '" + FactoryPackTable() + "'"};
    if (withUserPacks)
        lines.insert(lines.end(), {"UNION", "SELECT *", "FROM '" + UserPackTable() + "'"});
    lines.push_back("ORDER BY Pack, Code");
    return lines;
}

std::vector<PackRecord> ListCatalogue(const SelectionRecord& filter) {
    store::Query query;
    query.SetSQL(CatalogueSql(store::Table::Exists(UserPackTable())));
    query.SetRequiredFields(PackTableFields());
    query.Open();
    std::vector<PackRecord> records;
    for (query.First(); !query.Eof(); query.Next()) {
        PackRecord record = ReadPackRecord(query);
        if (filter.Passes(record.Button, record.Model, record.Pack, record.Code))
            records.push_back(std::move(record));
    }
    return records;
}

}  // namespace kv::catalogue
