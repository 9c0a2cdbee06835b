#pragma once

#include <QMainWindow>
#include <QMargins>
#include <QSize>
#include <memory>
#include <optional>

#include "core/store/store_layout.h"
#include "gui/kit/desktop_context.h"
#include "gui/kit/gui_context.h"

class QAction;
class QDialog;
class QMenu;
class QToolBar;
class QTreeWidget;

namespace ui {
class FolderTree;
class LinkList;
}  // namespace ui

namespace ui {

class HelpCommands;
class VerticalSplitter;

// The main window: the store's folder tree on the left, the links of the selected folder
// on the right, the splitter between them, menus and a toolbar that open the dialogs.
// Closing it ends the program.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(const GuiContext& gui);
    ~MainWindow() override;
    Q_DISABLE_COPY_MOVE(MainWindow)

    // The window's load: captions, column widths, the store, the splitter, the layout,
    // the tree, and the administrator warning.
    void load();

    // Every time the window becomes active again (also when a dialog closes): the stored
    // size, which is the outer size with title bar and borders, centred on the screen.
    void restoreStoredSizeAndCentre();

    // A toolbar button's key, compared exactly with the six command keys.
    void runToolbarButton(const QString& key);

    void emptyBrowserFolder(store::Browser browser);

    void addLink();
    void editLinks();
    void deleteLinks();
    void refresh();
    void importLinks();
    void exportLinks();
    void deleteSelectedFromPopup();

    [[nodiscard]] FolderTree& folderTree() { return *m_tree; }
    [[nodiscard]] LinkList& linkList() { return *m_list; }
    [[nodiscard]] QMenu& popupMenu() { return *m_popup; }
    [[nodiscard]] QToolBar& toolbar() { return *m_toolbar; }
    [[nodiscard]] HelpCommands& help() { return *m_help; }

    // The layouts, in twips of the window's outer size.
    void plainLayout();
    void fullLayout();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createToolbar();
    void setCaptions();
    void applyStoredColumnWidths();
    void applyStoredSplitterLeft();
    void warnWhenNotAdministrator();
    void saveLayout();
    void shutdown();
    void showDialog(QDialog& dialog);

    [[nodiscard]] int toPixels(double twips) const;
    [[nodiscard]] double toTwips(int pixels) const;
    [[nodiscard]] int outerHeightTwips() const;
    [[nodiscard]] int outerWidthTwips() const;
    [[nodiscard]] int splitterLeftTwips() const;
    // The title bar and borders around the window; none until a window manager has framed it.
    [[nodiscard]] QMargins windowFrame() const;
    // The size with title bar and borders: the size setting.ini keeps.
    [[nodiscard]] QSize outerSize() const;

    GuiContext m_gui;
    DesktopContext& m_context;
    QTreeWidget* m_treeView = nullptr;
    QTreeWidget* m_listView = nullptr;
    VerticalSplitter* m_splitter = nullptr;
    QToolBar* m_toolbar = nullptr;
    QMenu* m_popup = nullptr;
    HelpCommands* m_help = nullptr;
    FolderTree* m_tree = nullptr;
    LinkList* m_list = nullptr;
    // The outer size last given from setting.ini, in twips as read, and the inner size and
    // frame it was given with.
    struct GivenSize {
        int heightTwips = 0;
        int widthTwips = 0;
        QSize inner;
        QMargins frame;
    };
    std::optional<GivenSize> m_given;
    bool m_shownOnce = false;
    bool m_shutDown = false;
};

}  // namespace ui
