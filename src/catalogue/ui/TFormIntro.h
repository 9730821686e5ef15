#pragma once
// The introduction window: a picture that a click, a key or ten seconds from its creation close.
#include <QDialog>
#include <QLabel>
#include <QTimer>

namespace kv::catalogue::ui {

class TFormIntro : public QDialog {
  public:
    explicit TFormIntro(QWidget* parent = nullptr);

    QLabel* ImageIntro;
    QTimer* TimerIntro;

    void FormClick();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kv::catalogue::ui
