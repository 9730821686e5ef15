#pragma once
// How the report opens in a reader: the outline shown, the first page fitted to the window's
// width. cairo cannot say this, so the finished file is rewritten once.
#include <string>

namespace kv::report {

// Rewrites `file` with the open settings through a temporary file beside it, renamed over the
// report only when complete. Throws EPdfError when the file cannot be read or written; the
// report is then left as it was.
void SetOpenSettings(const std::string& file);

}  // namespace kv::report
