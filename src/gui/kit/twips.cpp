#include "gui/kit/twips.h"

#include <QWidget>
#include <cmath>

namespace ui {

int twipsToPixels(double twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

double pixelsToTwips(int pixels, int dpi) { return pixels * 1440.0 / dpi; }

int logicalDpi(const QWidget& widget) { return widget.logicalDpiY(); }

}  // namespace ui
