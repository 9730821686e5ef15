#include "SavePackForm.h"

#include "Texts.h"
#include "WorkingFiles.h"

namespace kv::console {

void SavePackForm::FormShow(const std::filesystem::path& workDir) {
    for (int box = Binary; box <= Manual; ++box) {
        Boxes[box].Enabled = Exists(workDir / WorkingFileNames[box]);
        if (!Boxes[box].Enabled) Boxes[box].State = CheckState::Unchecked;
    }
    Rebuild();
}

void SavePackForm::CheckBoxClick(Box clicked) {
    if (clicked == Binary) Boxes[Binary].State = CheckState::Grayed;
    Rebuild();
}

void SavePackForm::Rebuild() {
    Members.clear();
    if (Boxes[Binary].State != CheckState::Unchecked) Members.push_back(WorkingFileNames[Binary]);
    if (Boxes[Report].State == CheckState::Checked) Members.push_back(WorkingFileNames[Report]);
    if (Boxes[Manual].State == CheckState::Checked) Members.push_back(WorkingFileNames[Manual]);
    Caption = BinaryOnly() ? text::SaveBinaryCaption : text::SaveLibraryCaption;
}

}  // namespace kv::console
