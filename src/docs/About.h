#pragma once
// The lines of the manager's About box.
#include <string>

#include "docs/WebLinks.h"

namespace kv::docs {

struct TAboutTexts {
    std::string Product;   // "Product:  740-Series Program Manager"
    std::string Revision;  // the text of status bar panel 0, "Revision: 3.0.201"
    std::string WebAddress;
};

TAboutTexts AboutTexts(const std::string& revision, const TWebLinks& links);

}  // namespace kv::docs
