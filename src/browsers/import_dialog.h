#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

#include "app/app_context.h"
#include "browsers/browser_locations.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace store {
class FolderTree;
class LinkList;
}  // namespace store

namespace browsers {

// The import dialog: the user picks a browser of this PC in the browser tree, which stages
// its links and lists them, and a destination folder in the store's tree; Import copies
// every listed link into the top folder of the store that holds the destination. The
// dialog stays open after an import.
class frmImport final : public QDialog {
    Q_OBJECT

public:
    // Builds both trees and sets the captions: the dialog is loaded when this returns.
    explicit frmImport(app::AppContext& context, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmImport)

    // A click on a store-tree node: it becomes the destination and is opened.
    void chooseDestination(QTreeWidgetItem* item);
    // A click on a browser-tree node: the browser named by the node's text is loaded into
    // the staging folder and its links listed. The root only empties the list.
    void chooseSource(QTreeWidgetItem* item);
    // Import: copies every listed link, checked or not, from the staging folder into the
    // store, then reports the links that failed or says that all went well.
    void importLinks();
    // Select All: checks every row, or unchecks them all when every row is checked.
    void toggleAllChecks();

    [[nodiscard]] store::FolderTree& storeTree() { return *m_storeTree; }
    [[nodiscard]] store::LinkList& linkList() { return *m_links; }
    [[nodiscard]] QTreeWidget& browserTree() { return *m_browserView; }
    // The browser-tree node of a key, or nullptr.
    [[nodiscard]] QTreeWidgetItem* browserNode(const QString& key) const { return m_browserNodes.value(key); }

    static constexpr const char* kBrowserRootKey = "NodeRoot";

private:
    void createControls();
    void setTabOrderOfControls();
    void setCaptions();
    void layOut();
    void buildBrowserTree();
    QTreeWidgetItem* addBrowserNode(QTreeWidgetItem* parent, const QString& key, const QString& text, int image);
    [[nodiscard]] bool loadAndList(QTreeWidgetItem* item);
    [[nodiscard]] bool loadBookmarkBrowser(BookmarkBrowser browser);
    void listInternetExplorerFolder(QTreeWidgetItem* item);
    void warn(int textId);
    [[nodiscard]] QString text(int id) const;

    app::AppContext& m_context;
    QLabel* m_instruction = nullptr;
    QLabel* m_source = nullptr;
    QLabel* m_destination = nullptr;
    QTreeWidget* m_storeView = nullptr;
    QTreeWidget* m_browserView = nullptr;
    QTreeWidget* m_listView = nullptr;
    QCheckBox* m_selectAll = nullptr;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    store::FolderTree* m_storeTree = nullptr;
    store::LinkList* m_links = nullptr;
    QHash<QString, QTreeWidgetItem*> m_browserNodes;
    // The node texts from the root down of the nodes clicked last; empty until one is.
    QString m_destinationPath;
    QString m_sourcePath;
};

}  // namespace browsers
