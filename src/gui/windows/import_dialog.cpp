#include "gui/windows/import_dialog.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <optional>
#include <vector>

#include "core/app/texts.h"
#include "core/app/user_messages.h"
#include "core/browsers/bookmark_loads.h"
#include "core/browsers/browser_locations.h"
#include "core/browsers/chromium_transfer.h"
#include "core/browsers/transfer_folders.h"
#include "core/store/folder_scan.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/modal_forms.h"
#include "gui/kit/node_choice.h"
#include "gui/kit/qt_text.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/windows/import_errors_dialog.h"

namespace browsers {

namespace {

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextChooseDestination = 534;
constexpr int kTextChooseSource = 548;
constexpr int kTextNothingToImport = 549;
constexpr int kTextNoFirefoxBookmarks = 543;
constexpr int kTextNoChromiumBookmarks = 580;
constexpr int kTextImported = 542;
constexpr int kTitleImported = 314;

// The links travel from the browser into the store.
constexpr TransferDialog::Design kDesign{
    .storeSide = TransferDialog::StoreSide::Right,
    .actionName = "btnImport",
    .actionText = "Import",
    .windowText = 314,
    .instructionText = 326,
    .actionButtonText = 121,
    .sourceEndText = 330,
    .destinationEndText = 331,
};

using ui::toQt;

// The node that stands for every browser of the Chromium family; its key is an identity only.
constexpr const char* kChromeName = "Chrome";
constexpr const char* kChromeKeyEnd = "/Application Data/Chrome/";

}  // namespace

frmImport::frmImport(const ui::GuiContext& gui, QWidget* parent)
    : TransferDialog(gui.app, kDesign, parent), m_modalForms(gui.modalForms) {
    setObjectName("frmImport");
    // the store tree lists no links: the list shows what was loaded from the browser
    createStoreTree(store::FolderTreeOptions{});
    connect(&storeTree(), &store::FolderTree::nodeClicked, this, &frmImport::chooseDestination);
    ui::chooseNodesByClickOrEnter(browserTree(), [this](QTreeWidgetItem* item) { chooseSource(item); });
    connect(&actionButton(), &QPushButton::clicked, this, &frmImport::importLinks);
    // no default button: Enter on a browser node loads it and never starts an import
    actionButton().setAutoDefault(false);
    exitButton().setAutoDefault(false);
    storeTree().buildTree();
    buildBrowserTree(ieFavoritesFolder(gui.app));
    addBrowserNode(browserNode(kBrowserRootKey), windowsFolderKey(kChromeKeyEnd), kChromeName, store::kImageChrome);
}

void frmImport::chooseDestination(QTreeWidgetItem* item) {
    m_destinationKey = store::FolderTree::keyOf(item);
    showDestination(toQt(std::string(store::pathBelowStoreRoot(context().applicationFolder, m_destinationKey))));
    if (!store::FolderTree::isRoot(item)) {
        storeTree().openClickedNode(item);
        return;
    }
    // the root stands for the store root itself, which is read again
    storeView().setUpdatesEnabled(false);
    storeTree().openFolder(store::storeKeyRoot(context().applicationFolder), store::kRootKey);
    storeView().setUpdatesEnabled(true);
    storeView().setFocus();
}

void frmImport::chooseSource(QTreeWidgetItem* item) {
    browserTree().setUpdatesEnabled(false);
    // however the click ends, the tree is drawn again and takes further clicks
    const auto showAgain = qScopeGuard([this] {
        browserTree().setUpdatesEnabled(true);
        browserTree().setFocus();
    });
    linkList().clear();
    emptyStagingFolder(context().stagingFolder());
    m_sourceChosen = browserNode(kBrowserRootKey) != item;
    if (!m_sourceChosen || !loadAndList(item)) {
        return;
    }
    showSource(toQt(browserNodeName(item)));
}

bool frmImport::loadAndList(QTreeWidgetItem* item) {
    if (browserNodeKey(item) == windowsFolderKey(kChromeKeyEnd)) {
        return loadChromiumBrowsers();
    }
    if (const std::optional<store::Browser> browser = bookmarkBrowserOfNode(browserNodeName(item))) {
        return loadBookmarkBrowser(*browser);
    }
    listInternetExplorerFolder(item);
    loadURLIE(context());
    return true;
}

bool frmImport::loadBookmarkBrowser(store::Browser browser) {
    const LoadOutcome outcome = loadBookmarks(context(), browser);
    if (outcome == LoadOutcome::NoBookmarkFile) {
        warn(kTextNoFirefoxBookmarks);
    }
    // Only the Firefox load reports a failure, which ends the choice. A Mozilla or Netscape
    // file that cannot be read ends its load alone: the list is still filled from the
    // staging folder (which that load left empty) and the source caption names the choice.
    if (browser == store::Browser::Firefox && outcome != LoadOutcome::Staged) {
        return false;
    }
    listStagedLinks();
    return true;
}

bool frmImport::loadChromiumBrowsers() {
    app::AppContext& shared = context();
    const std::vector<ChromiumInstall> installs = findChromiumInstalls(shared.homeFolder, shared.configFolder);
    if (loadURLChrome(installs, shared.stagingFolder()) == LoadOutcome::NoBookmarkFile) {
        warn(kTextNoChromiumBookmarks);
        return false;
    }
    listStagedLinks();
    return true;
}

void frmImport::listStagedLinks() {
    const ui::Hourglass hourglass;
    linkList().fill(context().stagingFolder());
}

void frmImport::listInternetExplorerFolder(QTreeWidgetItem* item) {
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

void frmImport::warn(int textId) { app::showText(context(), textId, kTitleWarning, app::MsgIcon::Exclamation); }

void frmImport::importLinks() {
    ImportRequest request{m_destinationKey, m_sourceChosen, {}};
    // check marks do not limit the import: every listed link is copied
    request.fileNames.reserve(static_cast<std::size_t>(linkList().rowCount()));
    for (int row = 0; row < linkList().rowCount(); ++row) {
        request.fileNames.push_back(linkList().nameOf(row));
    }
    const ImportReport report = browsers::importLinks(context(), request);
    switch (report.outcome) {
        case ImportOutcome::NoDestination:
            warn(kTextChooseDestination);
            return;
        case ImportOutcome::NoSource:
            warn(kTextChooseSource);
            return;
        case ImportOutcome::NothingToImport:
            warn(kTextNothingToImport);
            return;
        case ImportOutcome::Imported:
            break;
    }
    if (report.failed.empty()) {
        app::showText(context(), kTextImported, kTitleImported, app::MsgIcon::Information);
        return;
    }
    FrmImportMsg errors(context(), this);
    for (const std::string& fileName : report.failed) {
        errors.ErrorMsg(fileName, "");
    }
    m_modalForms.showModal(errors);
}

}  // namespace browsers
