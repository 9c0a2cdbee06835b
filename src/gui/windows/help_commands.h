#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "core/support/help_documents.h"
#include "gui/kit/desktop_context.h"

class QDialog;
class QWidget;

namespace ui {

// The commands of the Help menu: the two help documents, the support page of the maker's web
// site, the update check and the about box. The main window's menu calls them.
class HelpCommands final : public QObject {
    Q_OBJECT

public:
    // window owns the update notice and the about box; showDialog shows a form modally, the
    // way the window shows every form it opens.
    HelpCommands(DesktopContext& context, QWidget& window, std::function<void(QDialog&)> showDialog);
    Q_DISABLE_COPY_MOVE(HelpCommands)

    void openWhatDocument();
    void openComparisonDocument();
    void openOnlineSupport();
    // Asks the update-check script on the context's update server and tells the user the answer.
    void checkForUpdates();
    void showAbout();

private:
    void openDocument(support::HelpDocument document);
    // A text of the supplementary library under the title "Warning".
    void warn(int textId);

    DesktopContext& m_context;
    QWidget& m_window;
    std::function<void(QDialog&)> m_showDialog;
};

}  // namespace ui
