#pragma once

#include <QWidget>

#include "core/app/app_context.h"

class QLabel;

namespace ui {

// The splash window shown while the program starts: the product's caption and a line
// that greets the owner of the drive.
class ProgressWindow final : public QWidget {
    Q_OBJECT

public:
    explicit ProgressWindow(const app::AppContext& context);
    Q_DISABLE_COPY_MOVE(ProgressWindow)

private:
    QLabel* m_caption = nullptr;
};

}  // namespace ui
