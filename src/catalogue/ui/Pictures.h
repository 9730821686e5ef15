#pragma once
// The manager's pictures, drawn by the program: the introduction and the instrument front panel
// of the catalogue's "Image" page.
#include <QPixmap>
#include <QString>

namespace kv::catalogue::ui {

// A panel-mounted instrument: display, status lamps and keys, with the model on its bezel.
QPixmap InstrumentPicture(QSize size, const QString& model);
// The introduction: the product name over the instrument.
QPixmap IntroPicture();

}  // namespace kv::catalogue::ui
