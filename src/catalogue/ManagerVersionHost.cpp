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
    const std::string position = M.QueryPacks.GetBookmark();
    const bool editMark = M.EditMode();
    M.QueryPacks.Close();
    M.QueryPacks.Open();
    M.QueryPacks.GotoBookmark(position);
    M.SourcePacksDataChange();
    M.Commands[static_cast<size_t>(Command::Edit)].Checked = editMark;
    if (M.OnRefresh) M.OnRefresh(false);
}

}  // namespace kv::catalogue
