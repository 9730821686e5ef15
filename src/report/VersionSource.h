#pragma once
// Where the report of a version finds its tables, from the version name alone.
#include <string>

#include "report/TFormPdf.h"

namespace kv::report {

// The version label, version table and application title of a version, read from the pack
// table that records it, with paths relative to the installation's bin directory. The other
// fields keep their defaults. Throws std::invalid_argument for a malformed name, StoreError
// when a table cannot be read, and std::runtime_error when no pack record names the version.
TReportSource ReportSourceOf(const std::string& versionName);

}  // namespace kv::report
