#pragma once
// The heading of a page: the item's name, bold and a little larger, centred.
#include <QLabel>

namespace kv::editor::ui {

inline QLabel* NewHeading(QWidget* parent, const char* objectName) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAccessibleName("Item");
    QFont heading = label->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    label->setFont(heading);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

}  // namespace kv::editor::ui
