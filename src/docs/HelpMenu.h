#pragma once
// The help menu, the web links menu and the top-level "What's New" item: captions, hints, and
// the document or web page each one opens.
#include <string>
#include <vector>

#include "catalogue/Texts.h"
#include "docs/WebLinks.h"

namespace kv::docs {

struct TMenuText {
    const char* ObjectName;
    const char* Caption;
    const char* Hint;
};

struct THelpItem {
    TMenuText Text;
    const char* Path;  // relative to the current directory
};

inline constexpr TMenuText HelpMenuText{"MenuItemHelp", "&Help ", ""};
inline constexpr THelpItem UserGuide{{"MenuItemUserGuide", "&User Guide", "740-Series Program Manager User Guide"},
                                     catalogue::text::UserGuideFile};
inline constexpr THelpItem Overview746{
    {"MenuItemOverview746", "Model 746 &Overview", "Model 746 General Overview, Specifications, etc."},
    catalogue::text::Overview746File};
inline constexpr THelpItem Overview758{
    {"MenuItemOverview758", "Model 758 O&verview", "Model 758 General Overview, Specifications, etc."},
    catalogue::text::Overview758File};
inline constexpr THelpItem ReleaseNotes{
    {"MenuItemReleaseNotes", "Wh&at's New...", "740-Series Program Manager Release Notes"},
    catalogue::text::ReleaseNotesFile};
inline constexpr TMenuText AboutItem{"MenuItemAbout", "&About...", "About 740-Series Program Manager"};

inline constexpr TMenuText WebLinksMenuText{"MenuItemWebLinks", "Web &Links", "Morvane Web Links"};
inline constexpr TMenuText HomePageItem{"MenuItemHomePage", "Home &Page", "Morvane Web Home Page"};
inline constexpr TMenuText ZerdanToolItem{"MenuItemZerdanTool", "&Zerdan Tool",
                                          "Link to 740-Series Data Collection and Reporting Tool"};

// A help item is enabled at start-up only when its document exists.
bool HelpItemEnabled(const THelpItem& item);

}  // namespace kv::docs
