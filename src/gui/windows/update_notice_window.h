#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace support {

// Tells the user that a newer version exists and where to get it. It stays open beside
// the main window until the user closes it.
class frmUpdateNotice final : public QWidget {
    Q_OBJECT

public:
    frmUpdateNotice(const std::string& description, const std::string& address, QWidget* owner);
    Q_DISABLE_COPY_MOVE(frmUpdateNotice)
};

}  // namespace support
