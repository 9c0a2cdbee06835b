#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/browsers/chromium_transfer.h"
#include "core/browsers/export_writer.h"
#include "core/store/folder_scan.h"
#include "gui/kit/desktop_context.h"
#include "gui/windows/transfer_dialog.h"

class QTreeWidgetItem;

namespace ui {

// The export dialog: the user picks a folder of the store, whose links are listed and
// staged, checks links and picks a browser of this PC; Export copies the links into
// Internet Explorer's Favorites folder, appends the checked ones to Firefox's bookmark
// file, or adds them to the bookmarks of a browser of the Chromium family. The dialog stays open after an export.
class ExportDialog final : public TransferDialog {
    Q_OBJECT

public:
    // Builds both trees, lists the links of the store root and sets the captions: the
    // dialog is loaded when this returns.
    explicit ExportDialog(DesktopContext& context, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(ExportDialog)

    // A click on a store-tree node: the folder is opened, its links listed and staged.
    // The root only empties the list.
    void chooseSource(QTreeWidgetItem* item);
    // A click on a browser-tree node: the browser its name begins with is the destination.
    void chooseDestination(QTreeWidgetItem* item);
    // Export: every listed link into Internet Explorer, or the checked ones into Firefox.
    void exportLinks();

private:
    [[nodiscard]] std::vector<browsers::ExportItem> listedItems();
    // Keeps the names and bytes of the rows the list has just read, when they are to be staged.
    void keepForStaging(std::vector<store::LinkRow>& rows);
    void tell(int textId, int titleId, ui::MsgIcon icon);
    // Tells that no bookmark file was found, and where one is looked for.
    void tellMissingBookmarkFile();
    // Adds the checked links to a browser of the Chromium family, and tells how that went.
    void exportToChromiumBrowser(const browsers::ChromiumInstall& install);

    // The browser of the browser-tree node clicked last; none until one is, and for the root.
    std::optional<store::Browser> m_destination;
    // The browsers of the Chromium family found when the dialog opened, and the one chosen.
    std::vector<browsers::ChromiumInstall> m_chromiumInstalls;
    const browsers::ChromiumInstall* m_chromiumDestination = nullptr;
    // What the last staging wrote; a dialog opened anew reads the staged files themselves.
    browsers::StagedLinks m_staged;
    // Whether the list being filled is to be staged, and its rows kept for that.
    bool m_keepingRows = false;
    std::vector<browsers::ListedLink> m_rowsToStage;
};

}  // namespace ui
