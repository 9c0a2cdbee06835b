#pragma once

#include <QWidget>

#include "core/app/app_context.h"

class QLabel;

namespace ui {

// The splash window shown while the program starts: the product's caption and a line
// that greets the owner of the drive.
class frmprogress final : public QWidget {
    Q_OBJECT

public:
    explicit frmprogress(const app::AppContext& context);
    Q_DISABLE_COPY_MOVE(frmprogress)

private:
    QLabel* m_caption = nullptr;
};

}  // namespace ui
