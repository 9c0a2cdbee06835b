#pragma once

#include <QString>
#include <string>

namespace ui {

// The program's texts are UTF-8 throughout; Qt takes them from here.
[[nodiscard]] inline QString toQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace ui
