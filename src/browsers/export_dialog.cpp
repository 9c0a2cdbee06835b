#include "browsers/export_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "app/texts.h"
#include "app/user_messages.h"
#include "store/folder_scan.h"
#include "store/folder_tree_widget.h"
#include "store/link_list_widget.h"
#include "ui/dialog_layout.h"
#include "ui/icons.h"
#include "ui/localised_fonts.h"

namespace browsers {

namespace {

// Captions.
constexpr int kTextWindow = 313;
constexpr int kTextInstruction = 322;
constexpr int kTextSource = 323;
constexpr int kTextSourceEnd = 331;
constexpr int kTextDestination = 324;
constexpr int kTextDestinationEnd = 330;
constexpr int kTextSelectAll = 325;
constexpr int kTextExportButton = 122;
constexpr int kTextExitButton = 123;
constexpr int kTextNameHeader = 318;
constexpr int kTextUrlHeader = 319;
constexpr int kTextRenameQuestion = 550;

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextChooseDestination = 548;
constexpr int kTextNothingToExport = 549;
constexpr int kTextExported = 539;
constexpr int kTitleExported = 313;

// A node's path from the root down starts with the root's text "Browser" and a '/';
// what follows is the path below the root.
constexpr qsizetype kRootPrefixLength = 8;

// The browser tree's nodes are keyed by the Windows folder and where each browser once
// kept its favorites there: identities only, the export finds the real folders itself.
constexpr const char* kWindowsFolder = "/usr/share";
constexpr const char* kFirefoxKeyEnd = "/Application Data/Mozilla/FireFox/Profiles/";
constexpr const char* kInternetExplorerKeyEnd = "/Favorites/";
constexpr const char* kFirefoxText = "FireFox";
constexpr const char* kInternetExplorerText = "Internet Explorer";

// Design positions and sizes, in twips: the store tree, the list and the browser tree side
// by side, as the links travel from the store into the browser.
constexpr int kMargin = 120;
constexpr int kTreeWidth = 2880;
constexpr int kListWidth = 5400;
constexpr int kListLeft = kMargin + kTreeWidth + kMargin;
constexpr int kBrowserTreeLeft = kListLeft + kListWidth + kMargin;
constexpr int kWindowWidth = kBrowserTreeLeft + kTreeWidth + kMargin;
constexpr int kInstructionHeight = 255;
constexpr int kSeparatorTop = 420;
constexpr int kSeparatorHeight = 30;
constexpr int kChoiceTop = 480;
constexpr int kChoiceHeight = 420;
constexpr int kControlsTop = 990;
constexpr int kControlsHeight = 4200;
constexpr int kSelectAllWidth = 2400;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 375;
constexpr int kBottomRowTop = kControlsTop + kControlsHeight + kMargin;
constexpr int kWindowHeight = kBottomRowTop + kButtonHeight + kMargin;
constexpr int kNameColumnWidth = 2200;
constexpr int kUrlColumnWidth = 3000;

QString toQt(const std::string& text) { return QString::fromStdString(text); }

[[nodiscard]] bool beginsWith(const QString& text, const char* start) {
    return text.startsWith(QString::fromLatin1(start), Qt::CaseInsensitive);
}

}  // namespace

frmExport::frmExport(app::AppContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName("frmExport");
    setWindowTitle("Export Links");
    createControls();
    setTabOrderOfControls();
    layOut();
    m_storeTree->buildTree();
    buildBrowserTree();
    setCaptions();
    // a skin engine would take over the trees and the list here; this build has none
}

void frmExport::createControls() {
    m_instruction = new QLabel("Export link(s) from Dorvane Lite to another browser location.", this);
    m_instruction->setObjectName("lbinstruction");
    m_separator = new QFrame(this);
    m_separator->setObjectName("Frame1");
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);
    m_source = new QLabel("Source:", this);
    m_source->setObjectName("lblSource");
    m_destination = new QLabel("Destination:", this);
    m_destination->setObjectName("lblDest");
    for (QLabel* choice : {m_source, m_destination}) {
        choice->setWordWrap(true);
        choice->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    createLinkViews();

    m_selectAll = new QCheckBox("Select All", this);
    m_selectAll->setObjectName("chkAll");
    m_exportButton = new QPushButton("Export", this);
    m_exportButton->setObjectName("btnExport");
    m_exitButton = new QPushButton("Exit", this);
    m_exitButton->setObjectName("btnExit");
    // no default button: Enter in the list or a tree never starts an export
    m_exportButton->setAutoDefault(false);
    m_exitButton->setAutoDefault(false);

    connect(m_selectAll, &QCheckBox::clicked, this, &frmExport::toggleAllChecks);
    connect(m_exportButton, &QPushButton::clicked, this, &frmExport::exportLinks);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmExport::createLinkViews() {
    m_storeView = new QTreeWidget(this);
    m_storeView->setObjectName("TreeView");
    m_listView = new QTreeWidget(this);
    m_listView->setObjectName("ListView1");
    m_browserView = new QTreeWidget(this);
    m_browserView->setObjectName("TreeView1");
    m_browserView->setHeaderHidden(true);

    store::LinkListOptions listOptions;
    listOptions.columnKeys = {"Name", "URL", "FullPath"};
    listOptions.headers = {"Name", "URL", "FullPath"};
    listOptions.widthsTwips = {kNameColumnWidth, kUrlColumnWidth, 0};
    // a row shows the whole file name: staging and the copy into the Favorites folder use it
    listOptions.rowText = store::RowText::FileName;
    listOptions.checkBoxes = true;
    m_links = new store::LinkList(m_context, *m_listView, listOptions);
    m_storeTree = new store::FolderTree(
        m_context, *m_storeView, store::FolderTreeOptions{m_links, [this] {
                                                              return app::withOwnerName(
                                                                  app::languageText(m_context, kTextRenameQuestion),
                                                                  m_context.ownerName);
                                                          }});

    connect(m_storeTree, &store::FolderTree::nodeClicked, this, &frmExport::chooseSource);
    connect(m_browserView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { chooseDestination(item); });
    connect(m_browserView, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { chooseDestination(item); });
}

void frmExport::setTabOrderOfControls() {
    setTabOrder(m_storeView, m_listView);
    setTabOrder(m_listView, m_selectAll);
    setTabOrder(m_selectAll, m_browserView);
    setTabOrder(m_browserView, m_exportButton);
    setTabOrder(m_exportButton, m_exitButton);
}

QString frmExport::text(int id) const { return toQt(app::languageText(m_context, id)); }

void frmExport::setCaptions() {
    setWindowTitle(text(kTextWindow));
    m_instruction->setText(text(kTextInstruction));
    m_source->setText(text(kTextSource));
    m_destination->setText(text(kTextDestination));
    m_selectAll->setText(text(kTextSelectAll));
    m_exportButton->setText(text(kTextExportButton));
    m_exitButton->setText(text(kTextExitButton));
    m_listView->headerItem()->setText(store::LinkList::kNameColumn, text(kTextNameHeader));
    m_listView->headerItem()->setText(store::LinkList::kTargetColumn, text(kTextUrlHeader));
    ui::applyDialogFont(m_context, {m_instruction, m_source, m_destination, m_selectAll, m_exportButton, m_exitButton});
    ui::applyCharset(m_context, {m_storeView, m_browserView, m_listView});
}

void frmExport::layOut() {
    ui::placeInTwips(*m_instruction, kMargin, kMargin, kWindowWidth - 2 * kMargin, kInstructionHeight);
    ui::placeInTwips(*m_separator, kMargin, kSeparatorTop, kWindowWidth - 2 * kMargin, kSeparatorHeight);
    ui::placeInTwips(*m_source, kMargin, kChoiceTop, kTreeWidth, kChoiceHeight);
    ui::placeInTwips(*m_destination, kBrowserTreeLeft, kChoiceTop, kTreeWidth, kChoiceHeight);
    ui::placeInTwips(*m_storeView, kMargin, kControlsTop, kTreeWidth, kControlsHeight);
    ui::placeInTwips(*m_listView, kListLeft, kControlsTop, kListWidth, kControlsHeight);
    ui::placeInTwips(*m_browserView, kBrowserTreeLeft, kControlsTop, kTreeWidth, kControlsHeight);
    ui::placeInTwips(*m_selectAll, kListLeft, kBottomRowTop, kSelectAllWidth, kButtonHeight);
    const int exitLeft = kWindowWidth - kMargin - kButtonWidth;
    ui::placeInTwips(*m_exitButton, exitLeft, kBottomRowTop, kButtonWidth, kButtonHeight);
    ui::placeInTwips(*m_exportButton, exitLeft - kMargin - kButtonWidth, kBottomRowTop, kButtonWidth, kButtonHeight);
    setFixedSize(ui::sizeInPixels(*this, kWindowWidth, kWindowHeight));
}

void frmExport::addBrowserNode(QTreeWidgetItem* parent, const QString& key, const QString& text, int image) {
    auto* item = parent == nullptr ? new QTreeWidgetItem(m_browserView) : new QTreeWidgetItem(parent);
    item->setText(0, text);
    item->setIcon(0, ui::treeImage(image));
    m_browserNodes.insert(key, item);
}

void frmExport::buildBrowserTree() {
    addBrowserNode(nullptr, kBrowserRootKey, store::FolderTree::kRootText, store::kImagePlainFolder);
    QTreeWidgetItem* root = browserNode(kBrowserRootKey);
    addBrowserNode(root, QString(kWindowsFolder) + kFirefoxKeyEnd, kFirefoxText, store::kImageFirefox);
    addBrowserNode(root, QString(kWindowsFolder) + kInternetExplorerKeyEnd, kInternetExplorerText,
                   store::kImageInternetExplorer);
    root->setExpanded(true);
    m_browserView->setCurrentItem(root);
}

std::vector<ExportItem> frmExport::listedItems() const {
    std::vector<ExportItem> items;
    for (int row = 0; row < m_links->rowCount(); ++row) {
        items.push_back({m_links->textOf(row), m_links->fullPathOf(row), m_links->isChecked(row)});
    }
    return items;
}

void frmExport::chooseSource(QTreeWidgetItem* item) {
    m_links->clear();
    if (item == nullptr || store::FolderTree::isRoot(item)) {
        return;
    }
    ensureScratchFolder(m_context);
    const QString sourcePath = store::FolderTree::displayPath(item).mid(kRootPrefixLength);
    m_source->setText(text(kTextSource) + sourcePath + text(kTextSourceEnd));
    m_storeTree->openClickedNode(item);
    if (const std::optional<StoreBrowser> browser = storeBrowserOf(sourcePath.toStdString())) {
        stageLinks(m_context, *browser, listedItems());
    }
}

void frmExport::chooseDestination(QTreeWidgetItem* item) {
    m_destinationText = item->text(0);
    m_destination->setText(text(kTextDestination) + m_destinationText + text(kTextDestinationEnd));
}

void frmExport::tell(int textId, int titleId, app::MsgIcon icon) { app::showText(m_context, textId, titleId, icon); }

void frmExport::exportLinks() {
    ensureScratchFolder(m_context);
    const bool toInternetExplorer = beginsWith(m_destinationText, kInternetExplorerText);
    const bool toFirefox = beginsWith(m_destinationText, kFirefoxText);
    // The browser tree's root "Browser" is no destination: exporting nothing there and then
    // saying the links were exported would mislead, so it is refused like no choice at all.
    if (!toInternetExplorer && !toFirefox) {
        tell(kTextChooseDestination, kTitleWarning, app::MsgIcon::Exclamation);
        return;
    }
    if (m_links->rowCount() == 0) {
        tell(kTextNothingToExport, kTitleWarning, app::MsgIcon::Exclamation);
        return;
    }
    if (toInternetExplorer) {
        StoreURLIE(m_context, listedItems());
    } else if (!StoreURLFirefox(m_context, listedItems())) {
        // the writer has told the user what went wrong
        return;
    }
    tell(kTextExported, kTitleExported, app::MsgIcon::Information);
}

void frmExport::toggleAllChecks() {
    int checked = 0;
    for (int row = 0; row < m_links->rowCount(); ++row) {
        checked += m_links->isChecked(row) ? 1 : 0;
    }
    const bool checkAll = checked < m_links->rowCount();
    for (int row = 0; row < m_links->rowCount(); ++row) {
        m_links->setChecked(row, checkAll);
    }
}

}  // namespace browsers
