#include "gui/widgets/folder_and_links.h"

#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "gui/kit/dialog_layout.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/twips.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/widgets/vertical_splitter.h"

namespace ui {

namespace {

// The gap between the splitter's left edge and the list, in twips.
constexpr int kSplitterGap = 15;

// The second column is keyed "Type": a click on either header sorts by name.
LinkListOptions dialogListOptions() {
    LinkListOptions options;
    options.columnKeys = {"Name", "Type", "Path"};
    options.widthsTwips = {2800, 4000, 0};
    return options;
}

}  // namespace

FolderAndLinks::FolderAndLinks(DesktopContext& context, QWidget& dialog, std::function<std::string()> renameQuestion,
                               SideMargins margins)
    : QObject(&dialog), m_context(context), m_dialog(dialog), m_margins(margins) {
    m_treeView = new QTreeWidget(&dialog);
    m_treeView->setObjectName("TreeView");
    m_listView = new QTreeWidget(&dialog);
    m_listView->setObjectName("ListView1");
    // made last, so that the bar lies above the list's edge and stays easy to grab
    m_splitter = new VerticalSplitter(&dialog);
    m_splitter->setObjectName("VSplitter");
    m_splitter->move(twipsToPixels(kDesignSplitterLeft, logicalDpi(dialog)), 0);

    m_list = new LinkList(context, *m_listView, dialogListOptions());
    m_tree = new FolderTree(context, *m_treeView, FolderTreeOptions{m_list, std::move(renameQuestion)});

    connect(m_tree, &FolderTree::nodeClicked, m_tree, &FolderTree::openClickedNode);
    connect(m_list, &LinkList::refreshRequested, m_tree, &FolderTree::refresh);
    connect(m_splitter, &VerticalSplitter::moved, this, [this] { layOut(m_topTwips, m_heightTwips); });
}

void FolderAndLinks::layOut(int topTwips, int heightTwips) {
    m_topTwips = topTwips;
    m_heightTwips = heightTwips;
    const int splitterLeft = leftInTwips(*m_splitter);
    placeInTwips(*m_treeView, m_margins.left, topTwips, splitterLeft - m_margins.left, heightTwips);
    const int listLeft = splitterLeft + kSplitterGap;
    placeInTwips(*m_listView, listLeft, topTwips, widthInTwips(m_dialog) - listLeft - m_margins.right, heightTwips);
    placeInTwips(*m_splitter, splitterLeft, topTwips, widthInTwips(*m_splitter), heightTwips);
}

void FolderAndLinks::setCaptions() {
    m_listView->headerItem()->setText(LinkList::kNameColumn,
                                      QString::fromStdString(app::languageText(m_context, app::kTextName)));
    m_listView->headerItem()->setText(LinkList::kTargetColumn,
                                      QString::fromStdString(app::languageText(m_context, app::kTextUrl)));
    applyCharset(m_context, {m_treeView, m_listView});
}

int FolderAndLinks::selectedRow() const {
    QTreeWidgetItem* item = m_listView->currentItem();
    return item != nullptr && item->isSelected() ? m_listView->indexOfTopLevelItem(item) : -1;
}

void FolderAndLinks::selectFirstRow() {
    if (m_listView->topLevelItemCount() == 0) {
        return;
    }
    m_listView->clearSelection();
    m_listView->setCurrentItem(m_listView->topLevelItem(0));
    m_listView->topLevelItem(0)->setSelected(true);
}

}  // namespace ui
