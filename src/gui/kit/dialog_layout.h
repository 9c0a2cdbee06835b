#pragma once

#include <QSize>

class QWidget;

// Dialog controls are placed by design positions and sizes in twips, converted at the
// screen's resolution (15 twips a pixel at 96 dpi).
namespace ui {

// Places a control; a width or height that the window has become too small for is 0.
void placeInTwips(QWidget& control, int left, int top, int width, int height);

// A size in twips, in the widget's pixels.
[[nodiscard]] QSize sizeInPixels(const QWidget& widget, int width, int height);

[[nodiscard]] int widthInTwips(const QWidget& widget);
[[nodiscard]] int heightInTwips(const QWidget& widget);
[[nodiscard]] int leftInTwips(const QWidget& widget);

}  // namespace ui
