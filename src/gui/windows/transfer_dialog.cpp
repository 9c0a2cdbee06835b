#include "gui/windows/transfer_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/store/folder_scan.h"
#include "gui/kit/dialog_layout.h"
#include "gui/kit/icons.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"
#include "gui/widgets/link_list.h"

namespace ui {

namespace {

// What a browser-tree node keeps beside its text.
constexpr int kImageRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kNameRole = Qt::UserRole + 2;

// The names of the browser-tree nodes below the root.
constexpr const char* kFirefoxName = "FireFox";
constexpr const char* kInternetExplorerName = "Internet Explorer";

// The browser tree's FireFox node is keyed by the Windows folder and the place Firefox
// once kept its profiles there: an identity only, the profiles are looked for elsewhere.
constexpr const char* kWindowsFolder = "/usr/share";
constexpr const char* kFirefoxKeyEnd = "/Application Data/Mozilla/FireFox/Profiles/";

// Design positions and sizes, in twips: a tree, the list and a tree side by side.
constexpr int kMargin = 120;
constexpr int kTreeWidth = 2880;
constexpr int kListWidth = 5400;
constexpr int kListLeft = kMargin + kTreeWidth + kMargin;
constexpr int kRightTreeLeft = kListLeft + kListWidth + kMargin;
constexpr int kWindowWidth = kRightTreeLeft + kTreeWidth + kMargin;
constexpr int kInstructionHeight = 255;
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

[[nodiscard]] QTreeWidget* createTree(QWidget& parent, const char* name) {
    auto* view = new QTreeWidget(&parent);
    view->setObjectName(name);
    return view;
}

}  // namespace

TransferDialog::TransferDialog(DesktopContext& context, const Design& design, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_sourceEndText(design.sourceEndText),
      m_destinationEndText(design.destinationEndText) {
    createControls(design);
    createLinkList();
    setTabOrder(m_leftView, m_listView);
    setTabOrder(m_listView, m_selectAll);
    setTabOrder(m_selectAll, m_rightView);
    setTabOrder(m_rightView, m_actionButton);
    setTabOrder(m_actionButton, m_exitButton);
    layOut();
    setCaptions(design);
}

void TransferDialog::createControls(const Design& design) {
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
    createTreesLeftToRight(design.storeSide);

    m_selectAll = new QCheckBox("Select All", this);
    m_selectAll->setObjectName("chkAll");
    m_actionButton = new QPushButton(design.actionText, this);
    m_actionButton->setObjectName(design.actionName);
    m_exitButton = new QPushButton("Exit", this);
    m_exitButton->setObjectName("btnExit");

    connect(m_selectAll, &QCheckBox::clicked, this, &TransferDialog::toggleAllChecks);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TransferDialog::createTreesLeftToRight(StoreSide storeSide) {
    const auto createStoreView = [this] { return m_storeView = createTree(*this, "TreeView"); };
    const auto createBrowserView = [this] {
        m_browserView = createTree(*this, "TreeView1");
        m_browserView->setHeaderHidden(true);
        return m_browserView;
    };
    m_leftView = storeSide == StoreSide::Left ? createStoreView() : createBrowserView();
    m_listView = createTree(*this, "ListView1");
    m_rightView = storeSide == StoreSide::Left ? createBrowserView() : createStoreView();
}

void TransferDialog::createLinkList() {
    LinkListOptions listOptions;
    listOptions.columnKeys = {"Name", "URL", "FullPath"};
    listOptions.headers = {"Name", "URL", "FullPath"};
    listOptions.widthsTwips = {kNameColumnWidth, kUrlColumnWidth, 0};
    // a row shows the whole file name: staging and copying the links use it
    listOptions.rowText = store::RowText::FileName;
    listOptions.checkBoxes = true;
    m_links = new LinkList(m_context, *m_listView, listOptions);
}

void TransferDialog::createStoreTree(FolderTreeOptions options) {
    m_storeTree = new FolderTree(m_context, *m_storeView, std::move(options));
}

QString TransferDialog::text(int id) const { return QString::fromStdString(app::languageText(m_context, id)); }

void TransferDialog::setCaptions(const Design& design) {
    setWindowTitle(text(design.windowText));
    m_instruction->setText(text(design.instructionText));
    m_source->setText(text(app::kTextSource));
    m_destination->setText(text(app::kTextDestination));
    m_selectAll->setText(text(app::kTextSelectAll));
    m_actionButton->setText(text(design.actionButtonText));
    m_exitButton->setText(text(app::kTextExitButton));
    m_listView->headerItem()->setText(LinkList::kNameColumn, text(app::kTextName));
    m_listView->headerItem()->setText(LinkList::kTargetColumn, text(app::kTextUrl));
    applyDialogFont(m_context, {m_instruction, m_source, m_destination, m_selectAll, m_actionButton, m_exitButton});
    applyCharset(m_context, {m_storeView, m_browserView, m_listView});
}

void TransferDialog::layOut() {
    placeAcrossWindow(*m_instruction, kMargin, kInstructionHeight);
    placeInTwips(*m_source, kMargin, kChoiceTop, kTreeWidth, kChoiceHeight);
    placeInTwips(*m_destination, kRightTreeLeft, kChoiceTop, kTreeWidth, kChoiceHeight);
    placeInTwips(*m_leftView, kMargin, kControlsTop, kTreeWidth, kControlsHeight);
    placeInTwips(*m_listView, kListLeft, kControlsTop, kListWidth, kControlsHeight);
    placeInTwips(*m_rightView, kRightTreeLeft, kControlsTop, kTreeWidth, kControlsHeight);
    placeInTwips(*m_selectAll, kListLeft, kBottomRowTop, kSelectAllWidth, kButtonHeight);
    const int exitLeft = kWindowWidth - kMargin - kButtonWidth;
    placeInTwips(*m_exitButton, exitLeft, kBottomRowTop, kButtonWidth, kButtonHeight);
    placeInTwips(*m_actionButton, exitLeft - kMargin - kButtonWidth, kBottomRowTop, kButtonWidth, kButtonHeight);
    setFixedSize(sizeInPixels(*this, kWindowWidth, kWindowHeight));
}

void TransferDialog::placeAcrossWindow(QWidget& control, int top, int height) {
    placeInTwips(control, kMargin, top, kWindowWidth - 2 * kMargin, height);
}

QTreeWidgetItem* TransferDialog::addBrowserNode(QTreeWidgetItem* parent, const std::string& key,
                                                const std::string& name, int image) {
    const QByteArray keyBytes = QByteArray::fromStdString(key);
    // a key that is there already is never added twice: clicking a folder again adds only new ones
    if (m_browserNodes.contains(keyBytes)) {
        return nullptr;
    }
    auto* item = parent == nullptr ? new QTreeWidgetItem(m_browserView) : new QTreeWidgetItem(parent);
    item->setText(0, toQt(name));
    item->setIcon(0, treeImage(image));
    item->setData(0, kImageRole, image);
    item->setData(0, kKeyRole, keyBytes);
    item->setData(0, kNameRole, QByteArray::fromStdString(name));
    m_browserNodes.insert(keyBytes, item);
    return item;
}

QTreeWidgetItem* TransferDialog::browserNode(std::string_view key) const {
    return m_browserNodes.value(QByteArray(key.data(), static_cast<qsizetype>(key.size())));
}

std::string TransferDialog::browserNodeKey(const QTreeWidgetItem* item) {
    return item->data(0, kKeyRole).toByteArray().toStdString();
}

std::string TransferDialog::browserNodeName(const QTreeWidgetItem* item) {
    return item->data(0, kNameRole).toByteArray().toStdString();
}

int TransferDialog::browserNodeImage(const QTreeWidgetItem* item) { return item->data(0, kImageRole).toInt(); }

void TransferDialog::buildBrowserTree(const std::string& internetExplorerKey) {
    QTreeWidgetItem* root = addBrowserNode(nullptr, kBrowserRootKey, FolderTree::kRootText, store::kImagePlainFolder);
    addBrowserNode(root, windowsFolderKey(kFirefoxKeyEnd), kFirefoxName, store::kImageFirefox);
    addBrowserNode(root, internetExplorerKey, kInternetExplorerName, store::kImageInternetExplorer);
    root->setExpanded(true);
    m_browserView->setCurrentItem(root);
}

void TransferDialog::showSource(const QString& choice) {
    m_source->setText(text(app::kTextSource) + choice + text(m_sourceEndText));
}

void TransferDialog::showDestination(const QString& choice) {
    m_destination->setText(text(app::kTextDestination) + choice + text(m_destinationEndText));
}

std::string TransferDialog::windowsFolderKey(const char* place) { return std::string(kWindowsFolder) + place; }

void TransferDialog::toggleAllChecks() {
    bool allChecked = true;
    for (int row = 0; row < m_links->rowCount() && allChecked; ++row) {
        allChecked = m_links->isChecked(row);
    }
    m_links->setAllChecked(!allChecked);
}

}  // namespace ui
