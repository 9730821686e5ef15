#pragma once
// A label for one line of large text in a window of fixed size: the font shrinks, down to the
// application's own size, until the text fits; a text still too long then wraps.
#include <QLabel>

namespace kv::console::ui {

class FitLabel : public QLabel {
  public:
    // `scale`: the largest size, relative to the application's font.
    FitLabel(double scale, QWidget* parent);

    void SetText(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fit();

    QFont Largest;
    double Smallest;
};

}  // namespace kv::console::ui
