#pragma once

class QWidget;

// Sizes are kept in twips (1440 to the inch) and shown in pixels at the screen's
// logical resolution: 15 twips a pixel at 96 dpi.
namespace ui {

[[nodiscard]] int twipsToPixels(double twips, int dpi);
[[nodiscard]] double pixelsToTwips(int pixels, int dpi);

// The logical dpi of the screen the widget is on.
[[nodiscard]] int logicalDpi(const QWidget& widget);

}  // namespace ui
