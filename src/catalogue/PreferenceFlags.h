#pragma once
// The manager's preference flags: kept in memory for one run, set by the preferences dialog,
// read by the window title and by the build.
namespace kv::catalogue {

struct PreferenceFlags {
    bool OriginalEnabled = false;  // ActionOriginal is enabled exactly while model 758 is selected
    bool Original = false;         // ActionOriginal checked: build for the original 758 hardware
    bool InFieldUnits = true;      // ActionInFieldUnits: programmable units of measurement
    bool ClearTotals = true;       // ActionClearTotals: clear totals on downloading
    bool ClearLogs = true;         // ActionClearLogs: clear logs and tags on downloading
};

}  // namespace kv::catalogue
