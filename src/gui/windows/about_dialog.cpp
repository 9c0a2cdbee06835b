#include "gui/windows/about_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/app/version.h"
#include "core/support/system_information.h"
#include "gui/kit/icons.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/user_messages.h"

namespace ui {

namespace {

constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

}  // namespace

std::string versionCaption() {
    return "Version " + std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor) + "." +
           std::to_string(app::kVersionRevision);
}

AboutDialog::AboutDialog(DesktopContext& context, QWidget* owner) : QDialog(owner), m_context(context) {
    setObjectName("frmAbout");
    setWindowTitle("About %s");

    auto* picture = new QLabel(this);
    picture->setPixmap(treeImage(1).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);
    m_title = new QLabel("Application Title", this);
    m_title->setObjectName("lblTitle");
    QFont titleFont = m_title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_version = new QLabel("Version", this);
    m_version->setObjectName("lblVersion");
    m_disclaimer = new QLabel(this);
    m_disclaimer->setObjectName("lblDisclaimer");
    m_disclaimer->setWordWrap(true);
    m_ok = new QPushButton(this);
    m_ok->setObjectName("cmdOk");
    m_ok->setDefault(true);
    m_sysInfo = new QPushButton("&System Info...", this);
    m_sysInfo->setObjectName("cmdSysInfo");
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_sysInfo, &QPushButton::clicked, this, &AboutDialog::StartSysInfo);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* text = new QVBoxLayout;
    text->addWidget(m_title);
    text->addWidget(m_version);
    text->addSpacing(8);
    text->addWidget(line);
    text->addWidget(m_disclaimer, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_sysInfo);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(480, 220);

    setCaptions();
}

void AboutDialog::setCaptions() {
    setWindowTitle(toQt(app::withProductName(app::supplementaryText(m_context, app::kSupplementaryAboutTitle))));
    m_title->setText(toQt(app::programString(app::kProductNameId)));
    m_version->setText(toQt(versionCaption()));
    m_disclaimer->setText(toQt(app::supplementaryText(m_context, app::kSupplementaryDisclaimer)));
    m_ok->setText(toQt(app::supplementaryText(m_context, app::kSupplementaryOkButton)));
    m_sysInfo->setText(toQt(app::supplementaryText(m_context, app::kSupplementarySysInfoButton)));
    applyDialogFont(m_context, {m_version, m_disclaimer, m_ok, m_sysInfo});
}

void AboutDialog::StartSysInfo() {
    if (const std::optional<std::string> program = support::systemInformationProgram(m_context)) {
        m_context.shell->run(*program);
        return;
    }
    ui::showMessage(m_context, kSysInfoUnavailable, app::programString(app::kProductNameId), ui::MsgIcon::None);
}

}  // namespace ui
