#pragma once
// The views of one version table and the option table that the main window's manager keeps,
// with the same filters, for running the item editor without the window (740-cli, tests).
#include <string>
#include <vector>

#include "editor/ItemEditor.h"

namespace kv::editor {

class VersionViews {
  public:
    // `optionTable`: the option table path ("740-opts.db" in the manager's working directory).
    explicit VersionViews(const std::string& optionTable);
    VersionViews(const VersionViews&) = delete;
    VersionViews& operator=(const VersionViews&) = delete;

    // Opens every view on the version table (read only for a factory version).
    void Bind(const std::string& versionTable, bool readOnly);
    EditorDatasets Datasets();
    // Shows every item (the category filter off) and goes to the one with this ID.
    bool GotoItem(const std::string& id);

    store::Table TableVersion;
    store::Table TableVariables;
    store::Table TableOutputs;
    store::Table TableRates;
    store::Table TableTotals;
    store::Table TableFactors;
    store::Table TablePoints;
    store::Query QueryOptions;
    store::Table TableAccess;

  private:
    std::vector<store::ScopedConnection> Connections;
};

}  // namespace kv::editor
