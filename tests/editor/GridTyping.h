#pragma once
// Typing into a cell of a grid as the user does: the editor opens, takes the keys and commits
// on Enter (the delegate commits from the event loop).
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace kv::editor::testing {

// The cell editor open in the grid.
inline QLineEdit* OpenEditor(QAbstractItemView* grid) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QLineEdit* editor : grid->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible()) return editor;
    return nullptr;
}

// False when no editor opened.
inline bool TypeIntoCell(QTableView* grid, int row, int column, const QString& keys) {
    const QModelIndex cell = grid->model()->index(row, column);
    grid->setFocus();
    grid->setCurrentIndex(cell);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    grid->edit(cell);
    QLineEdit* editor = OpenEditor(grid);
    if (!editor) return false;
    editor->selectAll();
    QTest::keyClicks(editor, keys);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    return true;
}

}  // namespace kv::editor::testing
