#include "docs/HelpMenu.h"

#include "docs/Documents.h"

namespace kv::docs {

bool HelpItemEnabled(const THelpItem& item) { return DocumentExists(item.Path); }

}  // namespace kv::docs
