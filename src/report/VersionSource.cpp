#include "report/VersionSource.h"

#include <stdexcept>

#include "catalogue/VersionRules.h"

namespace kv::report {

TReportSource ReportSourceOf(const std::string& versionName) {
    const auto version = kv::catalogue::ParseVersionName(versionName);
    if (!version)
        throw std::invalid_argument("\"" + versionName +
                                    "\" is not a version name such as 758-FP01-000000");
    TReportSource source;
    source.VersionLabel = versionName;
    source.Title = kv::catalogue::FindPackRecord(*version).Title;
    source.VersionTable = kv::catalogue::VersionTablePath(*version);
    return source;
}

}  // namespace kv::report
