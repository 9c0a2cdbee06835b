#include "gui/kit/desktop_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QThread>
#include <QUrl>

namespace ui {

namespace {

QMessageBox::Icon toQtIcon(app::MsgIcon icon) {
    switch (icon) {
        case app::MsgIcon::Critical:
            return QMessageBox::Critical;
        case app::MsgIcon::Question:
            return QMessageBox::Question;
        case app::MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case app::MsgIcon::Information:
            return QMessageBox::Information;
        case app::MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The shell's results: above 32 means the target was handed to a handler.
constexpr int kShellOpened = 42;
constexpr int kShellFailed = 2;

}  // namespace

app::MsgAnswer QtMessageBoxService::show(const app::Message& message) {
    QMessageBox box(toQtIcon(message.icon), QString::fromStdString(message.title),
                    QString::fromStdString(message.text), QMessageBox::NoButton, QApplication::activeWindow());
    if (message.buttons == app::MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(message.defaultAnswer == app::MsgAnswer::No ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? app::MsgAnswer::Yes : app::MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return app::MsgAnswer::Ok;
}

int QtShellService::open(const std::string& target) {
    const QString text = QString::fromStdString(target);
    const QFileInfo file(text);
    const QUrl url = file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath()) : QUrl(text, QUrl::StrictMode);
    if (text.trimmed().isEmpty() || !url.isValid() || url.scheme().isEmpty()) {
        return kShellFailed;
    }
    return QDesktopServices::openUrl(url) ? kShellOpened : kShellFailed;
}

bool QtShellService::run(const std::string& program) {
    return QProcess::startDetached(QString::fromStdString(program), {});
}

void QtShellService::sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

}  // namespace ui
