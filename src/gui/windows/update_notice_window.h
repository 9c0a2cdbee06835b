#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace ui {

// Tells the user that a newer version exists and where to get it. It stays open beside
// the main window until the user closes it.
class UpdateNoticeWindow final : public QWidget {
    Q_OBJECT

public:
    UpdateNoticeWindow(const std::string& description, const std::string& address, QWidget* owner);
    Q_DISABLE_COPY_MOVE(UpdateNoticeWindow)
};

}  // namespace ui
