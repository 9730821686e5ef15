#include "docs/About.h"

#include "docs/Texts.h"

namespace kv::docs {

TAboutTexts AboutTexts(const std::string& revision, const TWebLinks& links) {
    return {text::AboutProduct, revision, links.HomePage};
}

}  // namespace kv::docs
