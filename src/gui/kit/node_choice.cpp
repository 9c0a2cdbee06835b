#include "gui/kit/node_choice.h"

#include <QKeyEvent>
#include <QTreeWidget>

namespace ui {

namespace {

// Lives as long as the view it watches.
class EnterChoosesNode final : public QObject {
public:
    EnterChoosesNode(QTreeWidget& view, std::function<void(QTreeWidgetItem*)> choose)
        : QObject(&view), m_view(view), m_choose(std::move(choose)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_view || event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) {
            return false;
        }
        if (QTreeWidgetItem* item = m_view.currentItem(); item != nullptr) {
            m_choose(item);
        }
        return true;
    }

private:
    QTreeWidget& m_view;
    std::function<void(QTreeWidgetItem*)> m_choose;
};

}  // namespace

void chooseNodesByClickOrEnter(QTreeWidget& view, std::function<void(QTreeWidgetItem*)> choose) {
    QObject::connect(&view, &QTreeWidget::itemClicked, &view, [choose](QTreeWidgetItem* item) { choose(item); });
    view.installEventFilter(new EnterChoosesNode(view, std::move(choose)));
}

}  // namespace ui
