#pragma once
// The manager's About box: the console's, with the manager's product line.
#include "console/ui/TFormAbout.h"
#include "docs/About.h"

namespace kv::docs::ui {

// Sets the product, revision and web address lines, then shows the box modally.
void HelpAbout(console::ui::TFormAbout& form, const TAboutTexts& texts);

}  // namespace kv::docs::ui
