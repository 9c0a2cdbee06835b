#include "gui/kit/desktop_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace ui {

namespace {

QMessageBox::Icon toQtIcon(ui::MsgIcon icon) {
    switch (icon) {
        case ui::MsgIcon::Critical:
            return QMessageBox::Critical;
        case ui::MsgIcon::Question:
            return QMessageBox::Question;
        case ui::MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case ui::MsgIcon::Information:
            return QMessageBox::Information;
        case ui::MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The shell's results: above 32 means the target was handed to a handler.
constexpr int kShellOpened = 42;
constexpr int kShellFailed = 2;

}  // namespace

ui::MsgAnswer QtMessageBoxService::show(const ui::Message& message) {
    QMessageBox box(toQtIcon(message.icon), QString::fromStdString(message.title), QString::fromStdString(message.text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    if (message.buttons == ui::MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(message.defaultAnswer == ui::MsgAnswer::No ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? ui::MsgAnswer::Yes : ui::MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return ui::MsgAnswer::Ok;
}

QUrl desktopUrlOf(const QString& target) {
    const QString text = target.trimmed();
    if (text.isEmpty()) {
        return {};
    }
    const QFileInfo file(text);
    if (file.exists() || QDir::isAbsolutePath(text)) {
        return QUrl::fromLocalFile(file.absoluteFilePath());
    }
    // a Windows path ("C:\Windows\notepad.exe", "\\server\share") names nothing on this PC;
    // read as a URL its drive letter would pass for a scheme
    static const QRegularExpression windowsPath(R"(^([a-z]:|\\\\))", QRegularExpression::CaseInsensitiveOption);
    if (windowsPath.match(text).hasMatch()) {
        return {};
    }
    // A host: dotted names (letters of any language, or the numbers of an address) with an
    // optional port, or one name with a port ("localhost:8080"); then a path, query or
    // fragment. Tested before the scheme, as "localhost:8080" would otherwise read as
    // scheme "localhost".
    static const QRegularExpression host(R"(^[\w-]+((\.[\w-]+)+(:\d+)?|:\d+)([/?#].*)?$)",
                                         QRegularExpression::UseUnicodePropertiesOption);
    if (host.match(text).hasMatch()) {
        return QUrl("http://" + text, QUrl::TolerantMode);
    }
    const QUrl url(text, QUrl::TolerantMode);
    return url.isValid() && !url.scheme().isEmpty() ? url : QUrl();
}

int QtShellService::open(const std::string& target) {
    const QUrl url = desktopUrlOf(QString::fromStdString(target));
    if (!url.isValid()) {
        return kShellFailed;
    }
    return QDesktopServices::openUrl(url) ? kShellOpened : kShellFailed;
}

bool QtShellService::run(const std::string& program) {
    return QProcess::startDetached(QString::fromStdString(program), {});
}

void QtShellService::sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

}  // namespace ui
