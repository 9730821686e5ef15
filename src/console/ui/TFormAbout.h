#pragma once
// The about box: product, revision, maker and home page.
#include <QDialog>
#include <QLabel>

namespace kv::console::ui {

class TFormAbout : public QDialog {
  public:
    explicit TFormAbout(QWidget* parent);

    QLabel* LabelProduct;
    QLabel* LabelRevision;
    QLabel* LabelMaker;
    QLabel* LabelHomePage;
};

}  // namespace kv::console::ui
