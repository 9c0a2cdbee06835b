#pragma once

#include <QWidget>

namespace ui {

// The bar between a tree and a list: the user drags it to share the width between them.
// It reports its left edge and tells the window after every move.
class VerticalSplitter final : public QWidget {
    Q_OBJECT

public:
    explicit VerticalSplitter(QWidget* parent);
    Q_DISABLE_COPY_MOVE(VerticalSplitter)

signals:
    void moved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_grabOffset = -1;
};

}  // namespace ui
