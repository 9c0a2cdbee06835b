#include "gui/windows/help_commands.h"

#include <QWidget>
#include <optional>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/support/help_documents.h"
#include "core/support/update_check.h"
#include "gui/kit/dialog_messages.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/shell_open.h"
#include "gui/kit/user_messages.h"
#include "gui/windows/about_dialog.h"
#include "gui/windows/update_notice_window.h"

namespace ui {

namespace {

// Text ids.

}  // namespace

HelpCommands::HelpCommands(DesktopContext& context, QWidget& window, std::function<void(QDialog&)> showDialog)
    : QObject(&window), m_context(context), m_window(window), m_showDialog(std::move(showDialog)) {}

void HelpCommands::warn(int textId) {
    ui::showMessage(m_context, app::supplementaryText(m_context, textId),
                    app::languageText(m_context, app::kTitleWarning), ui::MsgIcon::Exclamation);
}

void HelpCommands::openDocument(support::HelpDocument document) {
    const std::string path = support::helpDocumentPath(m_context.applicationFolder, document, m_context.language);
    std::optional<Hourglass> hourglass(std::in_place);
    if (!support::helpDocumentPresent(path)) {
        hourglass.reset();
        warn(app::kSupplementaryDocumentMissing);
        return;
    }
    if (!ui::openWithShell(m_context, path)) {
        showError(m_context, "the document " + path + " could not be opened.");
    }
}

void HelpCommands::openWhatDocument() { openDocument(support::HelpDocument::What); }

void HelpCommands::openComparisonDocument() { openDocument(support::HelpDocument::Feature); }

void HelpCommands::openOnlineSupport() {
    const Hourglass hourglass;
    const std::string address = app::programString(app::kSupportPageId);
    if (toQt(address).trimmed().isEmpty()) {
        warn(app::kSupplementarySupportMissing);
        return;
    }
    if (!ui::openWithShell(m_context, address)) {
        showError(m_context, "no program could open " + address + ".");
    }
}

void HelpCommands::checkForUpdates() {
    const Hourglass hourglass;
    const support::UpdateVerdict verdict = support::checkForUpdates(m_context.updateServer);
    switch (verdict.outcome) {
        case support::UpdateOutcome::Failure:
            ui::showMessage(
                m_context,
                "Failure connecting to internet or webserver. HTTP response code: " + verdict.failedStatusCode, "Error",
                ui::MsgIcon::Critical);
            break;
        case support::UpdateOutcome::UpToDate:
            ui::showMessage(m_context,
                            app::withProductName(app::supplementaryText(m_context, app::kSupplementaryUpToDate)),
                            "Velqor", ui::MsgIcon::Information);
            break;
        case support::UpdateOutcome::UpdateAvailable: {
            auto* notice = new UpdateNoticeWindow(
                app::withProductName(app::supplementaryText(m_context, app::kSupplementaryUpdateAvailable)),
                app::programString(app::kSoftwarePageId), &m_window);
            notice->show();
            break;
        }
    }
}

void HelpCommands::showAbout() {
    AboutDialog about(m_context, &m_window);
    m_showDialog(about);
}

}  // namespace ui
