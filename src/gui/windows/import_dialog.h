#pragma once

#include <string>

#include "core/app/app_context.h"
#include "core/store/store_layout.h"
#include "gui/kit/gui_context.h"
#include "gui/windows/transfer_dialog.h"

class QTreeWidgetItem;

namespace ui {

// The import dialog: the user picks a browser of this PC in the browser tree, which stages
// its links and lists them, and a destination folder in the store's tree; Import copies
// every listed link into the top folder of the store that holds the destination. The
// dialog stays open after an import.
class ImportDialog final : public TransferDialog {
    Q_OBJECT

public:
    // Builds both trees and sets the captions: the dialog is loaded when this returns.
    explicit ImportDialog(const GuiContext& gui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(ImportDialog)

    // A click on a store-tree node: it becomes the destination and is opened.
    void chooseDestination(QTreeWidgetItem* item);
    // A click on a browser-tree node: the browser named by the node's name is loaded into
    // the staging folder and its links listed. The root only empties the list.
    void chooseSource(QTreeWidgetItem* item);
    // Import: copies every listed link, checked or not, from the staging folder into the
    // store, then reports the links that failed or says that all went well.
    void importLinks();

private:
    [[nodiscard]] bool loadAndList(QTreeWidgetItem* item);
    [[nodiscard]] bool loadBookmarkBrowser(store::Browser browser);
    // Every profile of every browser of the Chromium family on this PC; false, after saying
    // so, when none gave a bookmark file.
    [[nodiscard]] bool loadChromiumBrowsers();
    void listStagedLinks();
    void listInternetExplorerFolder(QTreeWidgetItem* item);
    void warn(int textId);

    ModalFormService& m_modalForms;
    // The key of the store-tree node clicked last; empty until one is.
    std::string m_destinationKey;
    // Whether the browser-tree node clicked last is a browser rather than the root.
    bool m_sourceChosen = false;
};

}  // namespace ui
