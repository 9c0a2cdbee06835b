#include "browsers/import_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <optional>
#include <vector>

#include "app/texts.h"
#include "app/user_messages.h"
#include "browsers/bookmark_loads.h"
#include "browsers/import_errors_dialog.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "store/folder_scan.h"
#include "store/folder_tree_widget.h"
#include "store/link_list_widget.h"
#include "ui/dialog_layout.h"
#include "ui/hourglass.h"
#include "ui/icons.h"
#include "ui/localised_fonts.h"
#include "ui/modal_forms.h"

namespace browsers {

namespace {

// Captions.
constexpr int kTextWindow = 314;
constexpr int kTextInstruction = 326;
constexpr int kTextSource = 323;
constexpr int kTextSourceEnd = 330;
constexpr int kTextDestination = 324;
constexpr int kTextDestinationEnd = 331;
constexpr int kTextSelectAll = 325;
constexpr int kTextImportButton = 121;
constexpr int kTextExitButton = 123;
constexpr int kTextNameHeader = 318;
constexpr int kTextUrlHeader = 319;

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextChooseDestination = 534;
constexpr int kTextChooseSource = 548;
constexpr int kTextNothingToImport = 549;
constexpr int kTextNoFirefoxBookmarks = 543;
constexpr int kTextImported = 542;
constexpr int kTitleImported = 314;

// A node's path from the root down starts with the root's text "Browser" and a '/';
// what follows is the path below the root.
constexpr qsizetype kRootPrefixLength = 8;

// The browser tree's FireFox node is keyed by the Windows folder and the place Firefox
// once kept its profiles there: an identity only, the profiles are looked for elsewhere.
constexpr const char* kWindowsFolder = "/usr/share";
constexpr const char* kFirefoxKeyEnd = "/Application Data/Mozilla/FireFox/Profiles/";
constexpr const char* kFirefoxText = "FireFox";
constexpr const char* kInternetExplorerText = "Internet Explorer";

// Design positions and sizes, in twips: the browser tree, the list and the store tree side
// by side, as the links travel from the browser into the store.
constexpr int kMargin = 120;
constexpr int kTreeWidth = 2880;
constexpr int kListWidth = 5400;
constexpr int kListLeft = kMargin + kTreeWidth + kMargin;
constexpr int kStoreTreeLeft = kListLeft + kListWidth + kMargin;
constexpr int kWindowWidth = kStoreTreeLeft + kTreeWidth + kMargin;
constexpr int kInstructionHeight = 255;
constexpr int kChoiceTop = 480;
constexpr int kChoiceHeight = 420;
constexpr int kControlsTop = 990;
constexpr int kControlsHeight = 4200;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 375;
constexpr int kBottomRowTop = kControlsTop + kControlsHeight + kMargin;
constexpr int kWindowHeight = kBottomRowTop + kButtonHeight + kMargin;
constexpr int kNameColumnWidth = 2200;
constexpr int kUrlColumnWidth = 3000;

QString toQt(const std::string& text) { return QString::fromStdString(text); }

[[nodiscard]] QString pathBelowRoot(const QString& nodePath) { return nodePath.mid(kRootPrefixLength); }

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

[[nodiscard]] LoadOutcome loadBookmarks(BookmarkBrowser browser, const std::string& profileRoot,
                                        const std::string& staging) {
    switch (browser) {
        case BookmarkBrowser::Firefox:
            return loadURLFirefox(profileRoot, staging);
        case BookmarkBrowser::Mozilla:
            return loadURLMozilla(profileRoot, staging);
        case BookmarkBrowser::Netscape:
            return loadURLNetscape(profileRoot, staging);
    }
    return LoadOutcome::Unreadable;
}

}  // namespace

frmImport::frmImport(app::AppContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName("frmImport");
    setWindowTitle("Import Link");
    createControls();
    setTabOrderOfControls();
    layOut();
    setCaptions();
    m_storeTree->buildTree();
    buildBrowserTree();
}

void frmImport::createControls() {
    m_instruction = new QLabel(this);
    m_instruction->setObjectName("lbinstruction");
    m_source = new QLabel("Source:", this);
    m_source->setObjectName("lblSource");
    m_destination = new QLabel("Destination:", this);
    m_destination->setObjectName("lblDest");
    for (QLabel* choice : {m_source, m_destination}) {
        choice->setWordWrap(true);
        choice->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }

    m_browserView = new QTreeWidget(this);
    m_browserView->setObjectName("TreeView1");
    m_browserView->setHeaderHidden(true);
    m_listView = new QTreeWidget(this);
    m_listView->setObjectName("ListView1");
    m_storeView = new QTreeWidget(this);
    m_storeView->setObjectName("TreeView");

    m_selectAll = new QCheckBox("Select All", this);
    m_selectAll->setObjectName("chkAll");
    m_importButton = new QPushButton("Import", this);
    m_importButton->setObjectName("btnImport");
    m_exitButton = new QPushButton("Exit", this);
    m_exitButton->setObjectName("btnExit");

    store::LinkListOptions listOptions;
    listOptions.columnKeys = {"Name", "URL", "FullPath"};
    listOptions.headers = {"Name", "URL", "FullPath"};
    listOptions.widthsTwips = {kNameColumnWidth, kUrlColumnWidth, 0};
    listOptions.rowText = store::RowText::FileName;
    listOptions.checkBoxes = true;
    m_links = new store::LinkList(m_context, *m_listView, listOptions);
    // the store tree lists no links: the list shows what was loaded from the browser
    m_storeTree = new store::FolderTree(m_context, *m_storeView, store::FolderTreeOptions{});

    connect(m_storeTree, &store::FolderTree::nodeClicked, this, &frmImport::chooseDestination);
    connect(m_browserView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { chooseSource(item); });
    connect(m_browserView, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { chooseSource(item); });
    connect(m_selectAll, &QCheckBox::clicked, this, &frmImport::toggleAllChecks);
    connect(m_importButton, &QPushButton::clicked, this, &frmImport::importLinks);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImport::setTabOrderOfControls() {
    setTabOrder(m_browserView, m_listView);
    setTabOrder(m_listView, m_selectAll);
    setTabOrder(m_selectAll, m_storeView);
    setTabOrder(m_storeView, m_importButton);
    setTabOrder(m_importButton, m_exitButton);
}

QString frmImport::text(int id) const { return toQt(app::languageText(m_context, id)); }

void frmImport::setCaptions() {
    setWindowTitle(text(kTextWindow));
    m_instruction->setText(text(kTextInstruction));
    m_source->setText(text(kTextSource));
    m_destination->setText(text(kTextDestination));
    m_selectAll->setText(text(kTextSelectAll));
    m_importButton->setText(text(kTextImportButton));
    m_exitButton->setText(text(kTextExitButton));
    m_listView->headerItem()->setText(store::LinkList::kNameColumn, text(kTextNameHeader));
    m_listView->headerItem()->setText(store::LinkList::kTargetColumn, text(kTextUrlHeader));
    ui::applyDialogFont(m_context, {m_instruction, m_source, m_destination, m_selectAll, m_importButton, m_exitButton});
    ui::applyCharset(m_context, {m_storeView, m_browserView, m_listView});
}

void frmImport::layOut() {
    ui::placeInTwips(*m_instruction, kMargin, kMargin, kWindowWidth - 2 * kMargin, kInstructionHeight);
    ui::placeInTwips(*m_source, kMargin, kChoiceTop, kTreeWidth, kChoiceHeight);
    ui::placeInTwips(*m_destination, kStoreTreeLeft, kChoiceTop, kTreeWidth, kChoiceHeight);
    ui::placeInTwips(*m_browserView, kMargin, kControlsTop, kTreeWidth, kControlsHeight);
    ui::placeInTwips(*m_listView, kListLeft, kControlsTop, kListWidth, kControlsHeight);
    ui::placeInTwips(*m_storeView, kStoreTreeLeft, kControlsTop, kTreeWidth, kControlsHeight);
    ui::placeInTwips(*m_selectAll, kListLeft, kBottomRowTop, 2400, kButtonHeight);
    const int exitLeft = kWindowWidth - kMargin - kButtonWidth;
    ui::placeInTwips(*m_exitButton, exitLeft, kBottomRowTop, kButtonWidth, kButtonHeight);
    ui::placeInTwips(*m_importButton, exitLeft - kMargin - kButtonWidth, kBottomRowTop, kButtonWidth, kButtonHeight);
    setFixedSize(ui::sizeInPixels(*this, kWindowWidth, kWindowHeight));
}

QTreeWidgetItem* frmImport::addBrowserNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                           int image) {
    // a key that is there already is never added twice: clicking a folder again adds only new ones
    if (m_browserNodes.contains(key)) {
        return nullptr;
    }
    auto* item = parent == nullptr ? new QTreeWidgetItem(m_browserView) : new QTreeWidgetItem(parent);
    item->setText(0, text);
    item->setIcon(0, ui::treeImage(image));
    item->setData(0, Qt::UserRole, image);
    m_browserNodes.insert(key, item);
    return item;
}

void frmImport::buildBrowserTree() {
    QTreeWidgetItem* root =
        addBrowserNode(nullptr, kBrowserRootKey, store::FolderTree::kRootText, store::kImagePlainFolder);
    addBrowserNode(root, QString(kWindowsFolder) + kFirefoxKeyEnd, kFirefoxText, store::kImageFirefox);
    addBrowserNode(root, toQt(ieFavoritesFolder(m_context)), kInternetExplorerText, store::kImageInternetExplorer);
    root->setExpanded(true);
    m_browserView->setCurrentItem(root);
}

void frmImport::chooseDestination(QTreeWidgetItem* item) {
    m_destinationPath = store::FolderTree::displayPath(item);
    m_destination->setText(text(kTextDestination) + pathBelowRoot(m_destinationPath) + text(kTextDestinationEnd));
    if (!store::FolderTree::isRoot(item)) {
        m_storeTree->openClickedNode(item);
        return;
    }
    // the root stands for the store root itself, which is read again
    m_storeView->setUpdatesEnabled(false);
    m_storeTree->openFolder(store::storeKeyRoot(m_context.applicationFolder), store::FolderTree::kRootKey);
    m_storeView->setUpdatesEnabled(true);
    m_storeView->setFocus();
}

void frmImport::chooseSource(QTreeWidgetItem* item) {
    m_browserView->setUpdatesEnabled(false);
    // however the click ends, the tree is drawn again and takes further clicks
    const auto showAgain = qScopeGuard([this] {
        m_browserView->setUpdatesEnabled(true);
        m_browserView->setFocus();
    });
    m_links->clear();
    emptyStagingFolder(m_context.stagingFolder());
    m_sourcePath = store::FolderTree::displayPath(item);
    if (m_browserNodes.value(kBrowserRootKey) == item || !loadAndList(item)) {
        return;
    }
    m_source->setText(text(kTextSource) + item->text(0) + text(kTextSourceEnd));
}

bool frmImport::loadAndList(QTreeWidgetItem* item) {
    if (const std::optional<BookmarkBrowser> browser = bookmarkBrowserOf(item->text(0))) {
        return loadBookmarkBrowser(*browser);
    }
    listInternetExplorerFolder(item);
    loadURLIE(m_context);
    return true;
}

bool frmImport::loadBookmarkBrowser(BookmarkBrowser browser) {
    const std::string staging = m_context.stagingFolder();
    const LoadOutcome outcome = loadBookmarks(browser, profileRootOf(m_context, browser), staging);
    if (outcome == LoadOutcome::NoBookmarkFile) {
        warn(kTextNoFirefoxBookmarks);
    }
    if (outcome != LoadOutcome::Staged) {
        return false;
    }
    const ui::Hourglass hourglass;
    m_links->fill(platform::withTrailingSlash(staging));
    return true;
}

void frmImport::listInternetExplorerFolder(QTreeWidgetItem* item) {
    const QString key = m_browserNodes.key(item);
    // without a Favorites folder there is nothing to show: an empty key would name the top
    // of the file system
    if (key.isEmpty()) {
        return;
    }
    const std::string folder = platform::withTrailingSlash(key.toStdString());
    const int image = item->data(0, Qt::UserRole).toInt();
    for (const store::SubfolderEntry& subfolder : store::scanSubfolders(m_context.applicationFolder, folder)) {
        addBrowserNode(item, toQt(subfolder.key), toQt(subfolder.name), image);
    }
    item->setExpanded(true);
    m_browserView->setCurrentItem(item);
    m_links->fill(folder);
}

void frmImport::warn(int textId) { app::showText(m_context, textId, kTitleWarning, app::MsgIcon::Exclamation); }

void frmImport::importLinks() {
    static_cast<void>(platform::createPrivateFolder(m_context.scratchFolder()));
    const QString destination = pathBelowRoot(m_destinationPath);
    if (destination.isEmpty()) {
        warn(kTextChooseDestination);
        return;
    }
    if (pathBelowRoot(m_sourcePath).isEmpty()) {
        warn(kTextChooseSource);
        return;
    }
    if (m_links->rowCount() == 0) {
        warn(kTextNothingToImport);
        return;
    }
    FrmImportMsg errors(m_context, this);
    bool anyFailed = false;
    // check marks do not limit the import: every listed link is copied
    std::vector<std::string> fileNames;
    for (int row = 0; row < m_links->rowCount(); ++row) {
        fileNames.push_back(m_links->textOf(row));
    }
    if (const std::optional<std::string> topFolder = importTopFolder(destination.toStdString())) {
        storeImportedLinks(m_context.stagingFolder(), platform::joinPath(m_context.storeRoot(), *topFolder), fileNames,
                           [&](const std::string& fileName) {
                               anyFailed = true;
                               errors.ErrorMsg(fileName, "");
                           });
    }
    if (anyFailed) {
        m_context.modalForms->showModal(errors);
    } else {
        app::showText(m_context, kTextImported, kTitleImported, app::MsgIcon::Information);
    }
}

void frmImport::toggleAllChecks() {
    bool allChecked = true;
    for (int row = 0; row < m_links->rowCount() && allChecked; ++row) {
        allChecked = m_links->isChecked(row);
    }
    for (int row = 0; row < m_links->rowCount(); ++row) {
        m_links->setChecked(row, !allChecked);
    }
}

}  // namespace browsers
