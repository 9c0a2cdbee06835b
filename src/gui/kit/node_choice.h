#pragma once

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace ui {

// Chooses a node of the view once for each user action: a click on it, or Enter on the
// current node. A double click is a click and nothing more (the view's activation, which
// a double click gives as well, is not used). Enter goes no further, so a dialog's default
// button never fires with it.
void chooseNodesByClickOrEnter(QTreeWidget& view, std::function<void(QTreeWidgetItem*)> choose);

}  // namespace ui
