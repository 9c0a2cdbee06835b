#include "gui/kit/dialog_layout.h"

#include <QWidget>
#include <algorithm>

#include "gui/kit/twips.h"

namespace ui {

namespace {

[[nodiscard]] int toPixels(const QWidget& widget, int twips) { return twipsToPixels(twips, logicalDpi(widget)); }

[[nodiscard]] int toTwips(const QWidget& widget, int pixels) {
    return static_cast<int>(pixelsToTwips(pixels, logicalDpi(widget)));
}

}  // namespace

void placeInTwips(QWidget& control, int left, int top, int width, int height) {
    control.setGeometry(toPixels(control, left), toPixels(control, top), toPixels(control, std::max(0, width)),
                        toPixels(control, std::max(0, height)));
}

QSize sizeInPixels(const QWidget& widget, int width, int height) {
    return {toPixels(widget, width), toPixels(widget, height)};
}

int widthInTwips(const QWidget& widget) { return toTwips(widget, widget.width()); }

int heightInTwips(const QWidget& widget) { return toTwips(widget, widget.height()); }

int leftInTwips(const QWidget& widget) { return toTwips(widget, widget.x()); }

}  // namespace ui
