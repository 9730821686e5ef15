#include "report/VersionSource.h"

#include <regex>
#include <stdexcept>

#include "store/Table.h"

namespace kv::report {

bool IsVersionName(const std::string& name) {
    static const std::regex form("(746|758)-[A-Z]{2}[0-9]{2}-[0-9]{6}");
    return std::regex_match(name, form);
}

TReportSource ReportSourceOf(const std::string& versionName) {
    if (!IsVersionName(versionName))
        throw std::invalid_argument("\"" + versionName + "\" is not a version name such as 758-FP01-000000");
    const std::string model = versionName.substr(0, 3);
    const std::string pack = versionName.substr(4, 4);
    const std::string code = versionName.substr(9, 6);
    const std::string folder = code == "000000" ? "..\\dbs\\default\\" : "..\\dbs\\user\\";

    kv::store::Table packs(folder + "740-pack.db");
    packs.SetReadOnly(true);
    packs.Open();
    if (!packs.Locate("Model;Pack;Code", {model, pack, code}))
        throw std::runtime_error("The catalogue holds no version " + versionName);

    TReportSource source;
    source.VersionLabel = versionName;
    source.Title = packs.FieldByName("Title").AsString();
    source.VersionTable = folder + versionName + ".db";
    return source;
}

}  // namespace kv::report
