#pragma once
// The rules of the save dialog: which working files go into the saved application file.
#include <filesystem>
#include <string>
#include <vector>

namespace kv::console {

enum class CheckState { Unchecked, Checked, Grayed };

class SavePackForm {
  public:
    enum Box { Binary, Report, Manual };

    struct CheckBox {
        CheckState State;
        bool Enabled = true;
    };

    // The image box starts grayed: the image is always included, whatever the clicks.
    CheckBox Boxes[3] = {{CheckState::Grayed}, {CheckState::Checked}, {CheckState::Unchecked}};

    // Member names, in archive order, relative to the working directory.
    std::vector<std::string> Members;
    std::string Caption;

    // Boxes of missing files are disabled and unchecked; the states otherwise stay as last left.
    void FormShow(const std::filesystem::path& workDir);
    // After the window changed a box's state (Binary is put back to grayed).
    void CheckBoxClick(Box clicked);

    // Saved as an image copy (".apx") rather than a library (".apl").
    bool BinaryOnly() const { return Members.size() < 2; }

  private:
    void Rebuild();
};

}  // namespace kv::console
