#include "gui/windows/import_dialog.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <optional>
#include <vector>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/browsers/bookmark_loads.h"
#include "core/browsers/browser_locations.h"
#include "core/browsers/chromium_transfer.h"
#include "core/browsers/transfer_folders.h"
#include "core/store/folder_scan.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/modal_forms.h"
#include "gui/kit/node_choice.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/user_messages.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/import_errors_dialog.h"

namespace ui {

namespace {

// The links travel from the browser into the store.
constexpr TransferDialog::Design kDesign{
    .storeSide = TransferDialog::StoreSide::Right,
    .actionName = "btnImport",
    .actionText = "Import",
    .windowText = app::kTitleImportLinks,
    .instructionText = app::kTextImportInstruction,
    .actionButtonText = app::kTextImportButton,
    .sourceEndText = app::kTextBrowserEnd,
    .destinationEndText = app::kTextStoreEnd,
};

// The node that stands for every browser of the Chromium family; its key is an identity only.
constexpr const char* kChromeName = "Chrome";
constexpr const char* kChromeKeyEnd = "/Application Data/Chrome/";

}  // namespace

ImportDialog::ImportDialog(const GuiContext& gui, QWidget* parent)
    : TransferDialog(gui.app, kDesign, parent), m_modalForms(gui.modalForms) {
    setObjectName("frmImport");
    // the store tree lists no links: the list shows what was loaded from the browser
    createStoreTree(FolderTreeOptions{});
    connect(&storeTree(), &FolderTree::nodeClicked, this, &ImportDialog::chooseDestination);
    chooseNodesByClickOrEnter(browserTree(), [this](QTreeWidgetItem* item) { chooseSource(item); });
    connect(&actionButton(), &QPushButton::clicked, this, &ImportDialog::importLinks);
    // no default button: Enter on a browser node loads it and never starts an import
    actionButton().setAutoDefault(false);
    exitButton().setAutoDefault(false);
    storeTree().buildTree();
    buildBrowserTree(browsers::ieFavoritesFolder(gui.app));
    addBrowserNode(browserNode(kBrowserRootKey), windowsFolderKey(kChromeKeyEnd), kChromeName, store::kImageChrome);
}

void ImportDialog::chooseDestination(QTreeWidgetItem* item) {
    m_destinationKey = FolderTree::keyOf(item);
    showDestination(toQt(std::string(store::pathBelowStoreRoot(context().applicationFolder, m_destinationKey))));
    if (!FolderTree::isRoot(item)) {
        storeTree().openClickedNode(item);
        return;
    }
    // the root stands for the store root itself, which is read again
    storeView().setUpdatesEnabled(false);
    storeTree().openFolder(store::storeKeyRoot(context().applicationFolder), store::kRootKey);
    storeView().setUpdatesEnabled(true);
    storeView().setFocus();
}

void ImportDialog::chooseSource(QTreeWidgetItem* item) {
    browserTree().setUpdatesEnabled(false);
    // however the click ends, the tree is drawn again and takes further clicks
    const auto showAgain = qScopeGuard([this] {
        browserTree().setUpdatesEnabled(true);
        browserTree().setFocus();
    });
    linkList().clear();
    browsers::emptyStagingFolder(context().stagingFolder());
    m_sourceChosen = browserNode(kBrowserRootKey) != item;
    if (!m_sourceChosen || !loadAndList(item)) {
        return;
    }
    showSource(toQt(browserNodeName(item)));
}

bool ImportDialog::loadAndList(QTreeWidgetItem* item) {
    if (browserNodeKey(item) == windowsFolderKey(kChromeKeyEnd)) {
        return loadChromiumBrowsers();
    }
    if (const std::optional<store::Browser> browser = browsers::bookmarkBrowserOfNode(browserNodeName(item))) {
        return loadBookmarkBrowser(*browser);
    }
    listInternetExplorerFolder(item);
    browsers::loadURLIE(context());
    return true;
}

bool ImportDialog::loadBookmarkBrowser(store::Browser browser) {
    const browsers::LoadOutcome outcome = browsers::loadBookmarks(context(), browser);
    if (outcome == browsers::LoadOutcome::NoBookmarkFile) {
        warn(app::kTextNoFirefoxBookmarks);
    }
    // Only the Firefox load reports a failure, which ends the choice. A Mozilla or Netscape
    // file that cannot be read ends its load alone: the list is still filled from the
    // staging folder (which that load left empty) and the source caption names the choice.
    if (browser == store::Browser::Firefox && outcome != browsers::LoadOutcome::Staged) {
        return false;
    }
    listStagedLinks();
    return true;
}

bool ImportDialog::loadChromiumBrowsers() {
    DesktopContext& shared = context();
    const std::vector<browsers::ChromiumInstall> installs =
        browsers::findChromiumInstalls(shared.homeFolder, shared.configFolder);
    if (browsers::loadURLChrome(installs, shared.stagingFolder()) == browsers::LoadOutcome::NoBookmarkFile) {
        warn(app::kTextNoChromiumBookmarks);
        return false;
    }
    listStagedLinks();
    return true;
}

void ImportDialog::listStagedLinks() {
    const Hourglass hourglass;
    linkList().fill(context().stagingFolder());
}

void ImportDialog::listInternetExplorerFolder(QTreeWidgetItem* item) {
    const std::string folder = browserNodeKey(item);
    // without a Favorites folder there is nothing to show: an empty key would name the top
    // of the file system
    if (folder.empty()) {
        return;
    }
    const int image = browserNodeImage(item);
    for (const store::SubfolderEntry& subfolder : store::scanSubfolders(context().applicationFolder, folder)) {
        addBrowserNode(item, subfolder.key, subfolder.name, image);
    }
    item->setExpanded(true);
    browserTree().setCurrentItem(item);
    linkList().fill(folder);
}

void ImportDialog::warn(int textId) { ui::showText(context(), textId, app::kTitleWarning, ui::MsgIcon::Exclamation); }

void ImportDialog::importLinks() {
    browsers::ImportRequest request{m_destinationKey, m_sourceChosen, {}};
    // check marks do not limit the import: every listed link is copied
    request.fileNames.reserve(static_cast<std::size_t>(linkList().rowCount()));
    for (int row = 0; row < linkList().rowCount(); ++row) {
        request.fileNames.push_back(linkList().nameOf(row));
    }
    const browsers::ImportReport report = browsers::importLinks(context(), request);
    switch (report.outcome) {
        case browsers::ImportOutcome::NoDestination:
            warn(app::kTextChooseStoreFolder);
            return;
        case browsers::ImportOutcome::NoSource:
            warn(app::kTextChooseBrowser);
            return;
        case browsers::ImportOutcome::NothingToImport:
            warn(app::kTextNothingToTransfer);
            return;
        case browsers::ImportOutcome::Imported:
            break;
    }
    if (report.failed.empty()) {
        ui::showText(context(), app::kTextImported, app::kTitleImportLinks, ui::MsgIcon::Information);
        return;
    }
    ImportErrorsDialog errors(context(), this);
    for (const std::string& fileName : report.failed) {
        errors.ErrorMsg(fileName, "");
    }
    m_modalForms.showModal(errors);
}

}  // namespace ui
