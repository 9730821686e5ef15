#pragma once
// The progress window of the build: no system buttons, stays on top, centred on its owner.
#include <QDialog>
#include <QProgressBar>
#include <string>

namespace kv::catalogue::ui {

class TFormProgress : public QDialog {
  public:
    explicit TFormProgress(QWidget* owner = nullptr);

    QProgressBar* ProgressBar1;

    // Shown (not modal) with this caption; showing it again changes the caption.
    void ShowCaption(const std::string& caption);
    // The bar from 0 to `max` at `position`, painted at once (the build blocks the event loop).
    void SetProgress(int position, int max);
};

}  // namespace kv::catalogue::ui
