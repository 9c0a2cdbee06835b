#include "gui/windows/update_notice_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

UpdateNoticeWindow::UpdateNoticeWindow(const std::string& description, const std::string& address, QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setObjectName("frmUpdateNotice");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Velqor");

    auto* text = new QLabel(QString::fromStdString(description), this);
    text->setObjectName("lbDesc");
    text->setWordWrap(true);
    const QString link = QString::fromStdString(address).toHtmlEscaped();
    auto* url = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(link), this);
    url->setObjectName("lburl");
    url->setTextFormat(Qt::RichText);
    url->setOpenExternalLinks(true);
    url->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(url);
    layout->addWidget(buttons);
    resize(420, 140);
}

}  // namespace ui
