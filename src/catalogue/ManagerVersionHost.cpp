#include "catalogue/ManagerVersionHost.h"

namespace kv::catalogue {

VersionName SelectedVersion(const SelectionRecord& box) {
    return {box.Text(Slot::Model), box.Text(Slot::Pack), box.Text(Slot::Customer)};
}

std::string ManagerVersionHost::BoundItemTable() {
    // The selected version's table, with the item being edited committed.
    M.TablesUpdate();
    M.TablesPost();
    return M.TableVersion.TableName();
}

void ManagerVersionHost::ShowNewVersion(const VersionName& version) {
    M.SpeedButtonVersionsClick();
    M.QueryPacks.Close();
    M.QueryPacks.Open();
    M.QueryPacks.Locate("Pack;Code", {version.Pack, version.Code});
    M.SourcePacksDataChange();
}

void ManagerVersionHost::ReopenCatalogue() {
    // The position by the version's key: a bookmark names the record by its content, which an
    // edit of the record has just changed.
    const PackRecord selected = ReadPackRecord(M.QueryPacks);
    const bool editMark = M.EditMode();
    M.QueryPacks.Close();
    M.QueryPacks.Open();
    M.QueryPacks.Locate("Model;Pack;Code", {selected.Model, selected.Pack, selected.Code});
    M.SourcePacksDataChange();
    M.Commands[static_cast<size_t>(Command::Edit)].Checked = editMark;
    if (M.OnRefresh) M.OnRefresh(false);
}

}  // namespace kv::catalogue
