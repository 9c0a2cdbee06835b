#include "gui/widgets/vertical_splitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace ui {

namespace {
// the bar never leaves less than this of the window to the tree or the list
constexpr int kMinimumPaneWidth = 40;
}  // namespace

VerticalSplitter::VerticalSplitter(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SplitHCursor);
    setFixedWidth(4);
}

void VerticalSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_grabOffset = qRound(event->position().x());
    }
}

void VerticalSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (m_grabOffset < 0 || parentWidget() == nullptr) {
        return;
    }
    const int wanted = mapToParent(event->position().toPoint()).x() - m_grabOffset;
    const int highest = std::max(kMinimumPaneWidth, parentWidget()->width() - kMinimumPaneWidth);
    move(std::clamp(wanted, kMinimumPaneWidth, highest), y());
    emit moved();
}

void VerticalSplitter::mouseReleaseEvent(QMouseEvent* /*event*/) { m_grabOffset = -1; }

void VerticalSplitter::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

}  // namespace ui
