#include "gui/widgets/folder_tree.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/store/folder_scan.h"
#include "core/store/store_files.h"
#include "core/store/store_layout.h"
#include "gui/kit/collated_item.h"
#include "gui/kit/dialog_messages.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/icons.h"
#include "gui/kit/node_choice.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/user_messages.h"
#include "gui/widgets/link_list.h"

namespace ui {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr const char* kRenameTitle = "Rename Folder";

[[nodiscard]] QByteArray bytesOf(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Freezes a widget's drawing for the length of a scan.
class FrozenDrawing final {
public:
    explicit FrozenDrawing(QWidget& widget) : m_widget(widget) { m_widget.setUpdatesEnabled(false); }
    ~FrozenDrawing() { m_widget.setUpdatesEnabled(true); }
    Q_DISABLE_COPY_MOVE(FrozenDrawing)

private:
    QWidget& m_widget;
};

}  // namespace

FolderTree::FolderTree(DesktopContext& context, QTreeWidget& view, FolderTreeOptions options)
    : QObject(&view),
      m_context(context),
      m_view(view),
      m_options(std::move(options)),
      m_collator(nameCollator(context.language)) {
    m_view.setHeaderHidden(true);
    m_view.setColumnCount(1);
    m_view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view.installEventFilter(this);
    chooseNodesByClickOrEnter(m_view, [this](QTreeWidgetItem* item) { emit nodeClicked(item); });
    connect(&m_view, &QTreeWidget::itemChanged, this, &FolderTree::finishRename);
}

void FolderTree::buildTree() {
    QTreeWidgetItem* rootItem = addNode(nullptr, store::kRootKey, kRootText, store::kImagePlainFolder);
    scanFolder(store::storeKeyRoot(m_context.applicationFolder), store::kRootKey);
    rootItem->setExpanded(true);
    m_view.setCurrentItem(rootItem);
}

QTreeWidgetItem* FolderTree::addNode(QTreeWidgetItem* parent, std::string_view key, const QString& text, int image) {
    const QByteArray keyBytes = bytesOf(key);
    // a key that is there already is never added twice: repeated scans add only new folders
    if (m_nodes.contains(keyBytes)) {
        return nullptr;
    }
    auto* item = parent == nullptr ? new CollatedItem(m_collator, &m_view) : new CollatedItem(m_collator, parent);
    item->setText(0, text);
    item->setData(0, kKeyRole, keyBytes);
    item->setIcon(0, treeImage(image));
    item->setData(0, kImageRole, image);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_nodes.insert(keyBytes, item);
    return item;
}

void FolderTree::scanFolder(const std::string& folderPath, std::string_view parentKey) {
    const Hourglass hourglass;
    QCoreApplication::processEvents();
    QTreeWidgetItem* parent = itemByKey(parentKey);
    {
        const FrozenDrawing frozen(m_view);
        const QSignalBlocker noRenameSignals(m_view);
        for (const store::SubfolderEntry& folder : store::scanSubfolders(m_context.applicationFolder, folderPath)) {
            addNode(parent, folder.key, toQt(folder.name), folder.image);
        }
    }
    if (m_options.linkList != nullptr) {
        const FrozenDrawing frozen(m_options.linkList->view());
        m_options.linkList->fill(folderPath);
    }
    if (parent != nullptr) {
        parent->sortChildren(0, Qt::AscendingOrder);
    }
}

void FolderTree::openFolder(const std::string& folderPath, std::string_view key) {
    scanFolder(folderPath, key);
    if (m_options.linkList != nullptr) {
        m_options.linkList->view().viewport()->update();
    }
    if (QTreeWidgetItem* item = itemByKey(key)) {
        item->setExpanded(true);
        m_view.setCurrentItem(item);
    }
}

void FolderTree::openClickedNode(QTreeWidgetItem* item) {
    if (item == nullptr || isRoot(item)) {
        return;
    }
    const std::string key = keyOf(item);
    {
        const FrozenDrawing frozen(m_view);
        openFolder(key + "/", key);
    }
    m_view.setFocus();
}

void FolderTree::refresh() {
    QTreeWidgetItem* selected = selectedItem();
    if (selected != nullptr && !isRoot(selected)) {
        openClickedNode(selected);
        return;
    }
    forgetAllNodes();
    buildTree();
}

void FolderTree::resetTree() {
    forgetAllNodes();
    store::CreateFolder(m_context.applicationFolder);
    buildTree();
}

void FolderTree::forgetAllNodes() {
    const QSignalBlocker noSignals(m_view);
    m_view.clear();
    m_nodes.clear();
}

QTreeWidgetItem* FolderTree::itemByKey(std::string_view key) const { return m_nodes.value(bytesOf(key), nullptr); }

QTreeWidgetItem* FolderTree::root() const { return itemByKey(store::kRootKey); }

QTreeWidgetItem* FolderTree::selectedItem() const { return m_view.currentItem(); }

std::string FolderTree::keyOf(const QTreeWidgetItem* item) {
    return item->data(0, kKeyRole).toByteArray().toStdString();
}

int FolderTree::imageOf(const QTreeWidgetItem* item) { return item->data(0, kImageRole).toInt(); }

bool FolderTree::isRoot(const QTreeWidgetItem* item) { return keyOf(item) == store::kRootKey; }

void FolderTree::beginRename() {
    QTreeWidgetItem* item = selectedItem();
    // the root stands for the whole store and keeps its key and text
    if (item == nullptr || isRoot(item)) {
        return;
    }
    m_renaming = item;
    m_oldName = item->text(0);
    m_view.editItem(item, 0);
}

void FolderTree::finishRename(QTreeWidgetItem* item, int column) {
    if (item != m_renaming || column != 0) {
        return;
    }
    m_renaming = nullptr;
    const QString newName = item->text(0);
    if (newName == m_oldName) {
        return;
    }
    const QSignalBlocker noSignals(m_view);
    if (item->data(0, Qt::CheckStateRole).isValid() && item->checkState(0) == Qt::Checked) {
        const std::string question = m_options.renameQuestion ? m_options.renameQuestion() : std::string();
        if (!ui::askYesNo(m_context, question, kRenameTitle, ui::MsgAnswer::Yes)) {
            item->setText(0, m_oldName);
            return;
        }
    }
    const std::string oldKey = keyOf(item);
    const store::FolderRename renamed = store::renameFolder(oldKey, newName.toStdString());
    // a folder that keeps its name keeps it in the tree too, and the user learns why: a name
    // the drive does not hold would pass for a folder whose links are lost
    if (renamed.outcome != store::FolderRename::Outcome::Renamed) {
        item->setText(0, m_oldName);
        tellWhyNotRenamed(renamed.outcome);
        return;
    }
    rekey(item, oldKey, renamed.newPath);
    item->setData(0, Qt::CheckStateRole, QVariant());
    // the list of the chosen folder, in the renamed one or below it, names its files anew
    QTreeWidgetItem* chosen = selectedItem();
    const std::string chosenKey = chosen != nullptr ? keyOf(chosen) : std::string();
    if (m_options.linkList != nullptr &&
        (chosenKey == renamed.newPath || chosenKey.starts_with(renamed.newPath + "/"))) {
        m_options.linkList->fill(chosenKey + "/");
    }
}

void FolderTree::rekey(QTreeWidgetItem* item, std::string_view oldKey, std::string_view newKey) {
    const std::string key = keyOf(item);
    const std::string moved = std::string(newKey) + key.substr(oldKey.size());
    m_nodes.remove(bytesOf(key));
    item->setData(0, kKeyRole, bytesOf(moved));
    m_nodes.insert(bytesOf(moved), item);
    // the subfolders shown go along, so they open and rename where they now lie
    for (int child = 0; child < item->childCount(); ++child) {
        rekey(item->child(child), oldKey, newKey);
    }
}

void FolderTree::tellWhyNotRenamed(store::FolderRename::Outcome outcome) {
    if (outcome == store::FolderRename::Outcome::NameRefused) {
        warnRefusedName(m_context);
        return;
    }
    const int textId =
        outcome == store::FolderRename::Outcome::NameTaken ? app::kTextNameTaken : app::kTextDriveRefused;
    ui::showText(m_context, textId, kRenameTitle, ui::MsgIcon::Exclamation);
}

bool FolderTree::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_F2:
                beginRename();
                return true;
            case Qt::Key_F5:
                refresh();
                return true;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ui
