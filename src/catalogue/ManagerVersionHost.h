#pragma once
// The version information dialog on the manager: the catalogue, the bound version table, the
// edit mark and the notes viewer as the main window's state object holds them.
#include "catalogue/Manager.h"
#include "catalogue/VersionInfo.h"

namespace kv::catalogue {

// The version the selection record names: `Model`, `Pack` and `Customer`.
VersionName SelectedVersion(const SelectionRecord& box);

class ManagerVersionHost : public VersionHost {
  public:
    explicit ManagerVersionHost(Manager& manager) : M(manager) {}

    store::Dataset& SelectedRecord() override { return M.QueryPacks; }
    std::string BoundItemTable() override;
    void ShowNewVersion(const VersionName& version) override;
    void ReopenCatalogue() override;
    void VersionDeleted() override { M.QueryPacksUpdate(UpdateCause::Deletion); }
    void CloseNotes() override {
        if (M.OnCloseNotes) M.OnCloseNotes();
    }

  private:
    Manager& M;
};

}  // namespace kv::catalogue
