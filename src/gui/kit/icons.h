#pragma once

#include <QIcon>
#include <QString>

// The program's pictures, drawn rather than shipped: the tree's folder images and the
// toolbar's command images.
namespace ui {

// Tree image by index: 1 a plain folder, 2 Internet Explorer, 3 Firefox, 4 Mozilla, 5 Netscape, 6 Chrome.
[[nodiscard]] QIcon treeImage(int index);

// Toolbar image by button key: "add", "edit", "delete", "refresh", "import", "export".
[[nodiscard]] QIcon toolbarImage(const QString& key);

}  // namespace ui
