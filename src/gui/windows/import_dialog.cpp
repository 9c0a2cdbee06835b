#include "gui/windows/import_dialog.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <optional>
#include <vector>

#include "core/app/texts.h"
#include "core/app/user_messages.h"
#include "core/browsers/bookmark_loads.h"
#include "gui/windows/import_errors_dialog.h"
#include "core/browsers/transfer_folders.h"
#include "core/platform/file_ops.h"
#include "core/platform/paths.h"
#include "core/store/folder_scan.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/modal_forms.h"
#include "gui/kit/node_choice.h"
#include "gui/kit/qt_text.h"

namespace browsers {

namespace {

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextChooseDestination = 534;
constexpr int kTextChooseSource = 548;
constexpr int kTextNothingToImport = 549;
constexpr int kTextNoFirefoxBookmarks = 543;
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

// The browser a node stands for, by its text, capitals counting: Netscape before Mozilla
// before FireFox; any other text is Internet Explorer (nothing), also for a Favorites
// subfolder, so a subfolder whose name holds "Mozilla" loads Mozilla.
[[nodiscard]] std::optional<BookmarkBrowser> bookmarkBrowserOf(const QString& nodeText) {
    if (nodeText.contains("Netscape")) {
        return BookmarkBrowser::Netscape;
    }
    if (nodeText.contains("Mozilla")) {
        return BookmarkBrowser::Mozilla;
    }
    if (nodeText.contains("FireFox")) {
        return BookmarkBrowser::Firefox;
    }
    return std::nullopt;
}

[[nodiscard]] LoadOutcome loadBookmarks(app::AppContext& context, BookmarkBrowser browser) {
    const std::string staging = context.stagingFolder();
    switch (browser) {
        case BookmarkBrowser::Firefox:
            return loadURLFirefox(firefoxProfileRoots(context), staging);
        case BookmarkBrowser::Mozilla:
            return loadURLMozilla(profileRootOf(context, browser), staging);
        case BookmarkBrowser::Netscape:
            return loadURLNetscape(profileRootOf(context, browser), staging);
    }
    return LoadOutcome::Unreadable;
}

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
    buildBrowserTree(toQt(ieFavoritesFolder(gui.app)));
}

void frmImport::chooseDestination(QTreeWidgetItem* item) {
    m_destinationPath = store::FolderTree::displayPath(item);
    showDestination(pathBelowRoot(m_destinationPath));
    if (!store::FolderTree::isRoot(item)) {
        storeTree().openClickedNode(item);
        return;
    }
    // the root stands for the store root itself, which is read again
    storeView().setUpdatesEnabled(false);
    storeTree().openFolder(store::storeKeyRoot(context().applicationFolder), store::FolderTree::kRootKey);
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
    m_sourcePath = store::FolderTree::displayPath(item);
    if (browserNode(kBrowserRootKey) == item || !loadAndList(item)) {
        return;
    }
    showSource(item->text(0));
}

bool frmImport::loadAndList(QTreeWidgetItem* item) {
    if (const std::optional<BookmarkBrowser> browser = bookmarkBrowserOf(item->text(0))) {
        return loadBookmarkBrowser(*browser);
    }
    listInternetExplorerFolder(item);
    loadURLIE(context());
    return true;
}

bool frmImport::loadBookmarkBrowser(BookmarkBrowser browser) {
    const LoadOutcome outcome = loadBookmarks(context(), browser);
    if (outcome == LoadOutcome::NoBookmarkFile) {
        warn(kTextNoFirefoxBookmarks);
    }
    // Only the Firefox load reports a failure, which ends the choice. A Mozilla or Netscape
    // file that cannot be read ends its load alone: the list is still filled from the
    // staging folder (which that load left empty) and the source caption names the choice.
    if (browser == BookmarkBrowser::Firefox && outcome != LoadOutcome::Staged) {
        return false;
    }
    const ui::Hourglass hourglass;
    linkList().fill(platform::withTrailingSlash(context().stagingFolder()));
    return true;
}

void frmImport::listInternetExplorerFolder(QTreeWidgetItem* item) {
    const QString key = browserNodeKey(item);
    // without a Favorites folder there is nothing to show: an empty key would name the top
    // of the file system
    if (key.isEmpty()) {
        return;
    }
    const std::string folder = platform::withTrailingSlash(key.toStdString());
    const int image = item->data(0, Qt::UserRole).toInt();
    for (const store::SubfolderEntry& subfolder : store::scanSubfolders(context().applicationFolder, folder)) {
        addBrowserNode(item, toQt(subfolder.key), toQt(subfolder.name), image);
    }
    item->setExpanded(true);
    browserTree().setCurrentItem(item);
    linkList().fill(folder);
}

void frmImport::warn(int textId) { app::showText(context(), textId, kTitleWarning, app::MsgIcon::Exclamation); }

void frmImport::importLinks() {
    static_cast<void>(platform::createPrivateFolder(context().scratchFolder()));
    const QString destination = pathBelowRoot(m_destinationPath);
    if (destination.isEmpty()) {
        warn(kTextChooseDestination);
        return;
    }
    if (pathBelowRoot(m_sourcePath).isEmpty()) {
        warn(kTextChooseSource);
        return;
    }
    if (linkList().rowCount() == 0) {
        warn(kTextNothingToImport);
        return;
    }
    FrmImportMsg errors(context(), this);
    bool anyFailed = false;
    // check marks do not limit the import: every listed link is copied
    std::vector<std::string> fileNames;
    for (int row = 0; row < linkList().rowCount(); ++row) {
        fileNames.push_back(linkList().textOf(row));
    }
    if (const std::optional<std::string> topFolder = importTopFolder(destination.toStdString())) {
        storeImportedLinks(context().stagingFolder(), platform::joinPath(context().storeRoot(), *topFolder), fileNames,
                           [&](const std::string& fileName) {
                               anyFailed = true;
                               errors.ErrorMsg(fileName, "");
                           });
    }
    if (anyFailed) {
        m_modalForms.showModal(errors);
    } else {
        app::showText(context(), kTextImported, kTitleImported, app::MsgIcon::Information);
    }
}

}  // namespace browsers
