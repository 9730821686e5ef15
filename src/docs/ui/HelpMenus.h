#pragma once
// The menu bar's last three entries: "&Help ", "Web &Links" and "Wh&at's New...".
#include <QMenuBar>
#include <functional>

#include "docs/Documents.h"
#include "docs/WebLinks.h"

namespace kv::docs::ui {

// Appends the entries to `bar`. The help items open their documents and are enabled now only
// when their file exists; "&About..." calls `about`.
void AddHelpMenus(QMenuBar& bar, Documents& documents, const TWebLinks& links, std::function<void()> about);

}  // namespace kv::docs::ui
