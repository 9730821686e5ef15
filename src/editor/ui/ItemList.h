#pragma once
// The item list of an editor page: a grid over the version's item view with a navigator
// (first, prior, next, last) under it. The navigator's keys go to the page's handler, which
// applies the posting rule before it moves.
#include <QTableView>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>

#include "store/Dataset.h"

namespace kv::store::ui {
class DatasetModel;
}

namespace kv::editor::ui {

enum class NavigateKey { First, Prior, Next, Last };

class TItemList : public QWidget {
  public:
    // `frame` names the list ("FrameGrid2"); its grid and navigator are named after it.
    TItemList(const QString& frame, store::Dataset& items, QWidget* parent);
    ~TItemList() override;

    // FrameGridNDBNavigatorBeforeAction, then the move.
    std::function<void(NavigateKey key)> OnNavigate;

    QTableView* DBGrid;
    std::array<QToolButton*, 4> DBNavigator{};  // first, prior, next, last

  private:
    store::ui::DatasetModel* Model;
};

// Moves the dataset as a navigator key does.
void Navigate(store::Dataset& items, NavigateKey key);

}  // namespace kv::editor::ui
