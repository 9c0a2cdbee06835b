#include "gui/windows/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>
#include <array>

#include "core/app/settings.h"
#include "core/app/text_ids.h"
#include "core/app/text_libraries.h"
#include "core/app/texts.h"
#include "core/store/store_files.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/icons.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/modal_forms.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/twips.h"
#include "gui/kit/user_messages.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "gui/widgets/vertical_splitter.h"
#include "gui/windows/add_dialog.h"
#include "gui/windows/delete_dialog.h"
#include "gui/windows/edit_dialog.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/help_commands.h"
#include "gui/windows/import_dialog.h"

namespace ui {

namespace {

// Missing-key values of the layout, in twips.
constexpr int kMissingColWidth0 = 350;
constexpr int kMissingColWidth1 = 2000;
constexpr int kMissingSplitterLeft = 3500;

// The full layout needs at least this much room; below it the plain layout stays.
constexpr int kFullLayoutMinHeight = 3540;
constexpr int kFullLayoutMinWidth = 5295;

constexpr int kControlTopTwips = 30;

// Text ids.

// A menu command under its design caption; the language library's caption comes later.
template <typename Receiver, typename Command>
QAction* addCommand(QMenu& menu, const char* name, const char* designCaption, Receiver* receiver, Command command) {
    QAction* action = menu.addAction(designCaption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, receiver, command);
    return action;
}

struct ToolbarButton {
    const char* caption;
    const char* key;
};

// Indexes 1 and 6 are separators; the other six run the command of their key.
constexpr std::array<ToolbarButton, 8> kToolbarButtons{{
    {nullptr, nullptr},
    {"Add", "add"},
    {"Edit", "edit"},
    {"Delete", "delete"},
    {"Refresh", "refresh"},
    {nullptr, nullptr},
    {"Import", "import"},
    {"Export", "export"},
}};

// Emptying Mozilla's or Netscape's folder rebuilds the tree even when nothing was deleted.
[[nodiscard]] bool rebuildsAlways(store::Browser browser) {
    return browser == store::Browser::Mozilla || browser == store::Browser::Netscape;
}

}  // namespace

MainWindow::MainWindow(const GuiContext& gui) : m_gui(gui), m_context(gui.app) {
    setObjectName("frmMain");
    setWindowTitle("Velqor Dorvane Lite");
    setWindowIcon(treeImage(store::kImagePlainFolder));
    m_help = new HelpCommands(m_context, *this, [this](QDialog& dialog) { showDialog(dialog); });
    createControls();
    createMenus();
    createToolbar();
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls() {
    auto* central = new QWidget(this);
    central->setObjectName("centralArea");
    setCentralWidget(central);

    m_treeView = new QTreeWidget(central);
    m_treeView->setObjectName("TreeView");
    m_listView = new QTreeWidget(central);
    m_listView->setObjectName("ListView1");
    m_splitter = new VerticalSplitter(central);
    m_splitter->setObjectName("VSplitter");

    m_list = new LinkList(m_context, *m_listView, LinkListOptions{});
    m_tree =
        new FolderTree(m_context, *m_treeView, FolderTreeOptions{m_list, [] {
                                                                     return std::string(
                                                                         "Please note that by renaming the folder, you "
                                                                         "will remove the compressed flag from this "
                                                                         "folder. Do you wish to continue?");
                                                                 }});
    setTabOrder(m_treeView, m_listView);

    connect(m_tree, &FolderTree::nodeClicked, m_tree, &FolderTree::openClickedNode);
    connect(m_list, &LinkList::refreshRequested, this, &MainWindow::refresh);
    connect(m_list, &LinkList::openRequested, m_list, &LinkList::openSelectedLink);
    connect(m_list, &LinkList::deleteKeyPressed, this, [this] {
        if (m_list->deleteSelectedLinks(LinkList::OnFailure::Stop)) {
            refresh();
        }
    });
    connect(m_list, &LinkList::rightButtonReleased, this, [this] { m_popup->popup(QCursor::pos()); });
    connect(m_splitter, &VerticalSplitter::moved, this, [this] {
        plainLayout();
        m_treeView->repaint();
        m_listView->repaint();
        QCoreApplication::processEvents();
    });
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("mnuFile");
    addCommand(*file, "mnuFileExit", "Exit", this, &QWidget::close);

    QMenu* bookmarks = menuBar()->addMenu("Bookmarks");
    bookmarks->setObjectName("mnuBookmarks");
    addCommand(*bookmarks, "mnuAdd", "Add", this, &MainWindow::addLink)->setShortcut(QKeySequence("Ctrl+N"));
    addCommand(*bookmarks, "mnuEdit", "Edit", this, &MainWindow::editLinks)->setShortcut(QKeySequence("Ctrl+E"));
    addCommand(*bookmarks, "mnuDelete", "Delete", this, &MainWindow::deleteLinks)->setShortcut(QKeySequence("Ctrl+D"));
    addCommand(*bookmarks, "mnuRefresh", "Refresh", this, &MainWindow::refresh);
    QMenu* empty = bookmarks->addMenu("Empty");
    empty->setObjectName("mnuEmpty");
    const auto addEmpty = [this, empty](const char* name, const char* caption, store::Browser browser) {
        QAction* action = empty->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, browser] { emptyBrowserFolder(browser); });
        return action;
    };
    addEmpty("mnuFirefox_empty", "FireFox", store::Browser::Firefox);
    addEmpty("mnuIE_empty", "Internet Explorer", store::Browser::InternetExplorer);
    // the Mozilla and Netscape commands exist but are never shown
    addEmpty("mnuMozilla_empty", "Mozilla", store::Browser::Mozilla)->setVisible(false);
    addEmpty("mnuNetscape_empty", "Netscape", store::Browser::Netscape)->setVisible(false);

    QMenu* tool = menuBar()->addMenu("Tool");
    tool->setObjectName("mnuTool");
    addCommand(*tool, "mnuImport", "Import", this, &MainWindow::importLinks);
    addCommand(*tool, "mnuExport", "Export", this, &MainWindow::exportLinks);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    addCommand(*help, "mnuHelpWhat", "", m_help, &HelpCommands::openWhatDocument);
    addCommand(*help, "mnuHelpOnline", "&Online Support Web Side", m_help, &HelpCommands::openOnlineSupport);
    // the update check is wired but its menu item is never shown
    addCommand(*help, "mnuHelpUpdates", "&Check for Updates", m_help, &HelpCommands::checkForUpdates)
        ->setVisible(false);
    addCommand(*help, "mnuHelpComparison", "&Feature Comparison Chart", m_help, &HelpCommands::openComparisonDocument);
    help->addSeparator();
    addCommand(*help, "mnuHelpAbout", "&About", m_help, &HelpCommands::showAbout);

    // the right-click menu of the link list is not on the menu bar
    m_popup = new QMenu("RightClick", this);
    m_popup->setObjectName("mnuRightClick");
    addCommand(*m_popup, "mnuRightAdd", "Add", this, &MainWindow::addLink);
    addCommand(*m_popup, "mnuRightEdit", "Edit", this, &MainWindow::editLinks);
    addCommand(*m_popup, "mnuRightDelete", "Delete", this, &MainWindow::deleteSelectedFromPopup);
    addCommand(*m_popup, "mnuRightRefresh", "Refresh", this, &MainWindow::refresh);
}

void MainWindow::createToolbar() {
    m_toolbar = addToolBar("Toolbar1");
    m_toolbar->setObjectName("Toolbar1");
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    for (const ToolbarButton& button : kToolbarButtons) {
        if (button.key == nullptr) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString key = button.key;
        QAction* action = m_toolbar->addAction(toolbarImage(key), button.caption);
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { runToolbarButton(key); });
    }
}

void MainWindow::setCaptions() {
    const auto language = [this](int id) { return toQt(app::languageText(m_context, id)); };
    const auto supplementary = [this](int id) { return toQt(app::supplementaryText(m_context, id)); };
    const auto caption = [this](const char* name, const QString& text) {
        if (auto* action = findChild<QAction*>(name)) {
            action->setText(text);
        } else if (auto* menu = findChild<QMenu*>(name)) {
            menu->setTitle(text);
        }
    };
    setWindowTitle(language(302));
    caption("mnuFile", language(112));
    caption("mnuFileExit", language(123));
    caption("mnuBookmarks", language(113));
    for (const char* name : {"mnuAdd", "mnuRightAdd", "Toolbar1_add"}) {
        caption(name, language(104));
    }
    for (const char* name : {"mnuEdit", "mnuRightEdit", "Toolbar1_edit"}) {
        caption(name, language(105));
    }
    for (const char* name : {"mnuDelete", "mnuRightDelete", "Toolbar1_delete"}) {
        caption(name, language(106));
    }
    for (const char* name : {"mnuRefresh", "mnuRightRefresh", "Toolbar1_refresh"}) {
        caption(name, language(114));
    }
    caption("mnuEmpty", language(115));
    caption("mnuIE_empty", language(116));
    caption("mnuMozilla_empty", language(117));
    caption("mnuFirefox_empty", language(118));
    caption("mnuNetscape_empty", language(119));
    caption("mnuTool", language(120));
    caption("mnuImport", language(121));
    caption("Toolbar1_import", language(121));
    caption("mnuExport", language(122));
    caption("Toolbar1_export", language(122));
    caption("mnuHelp", supplementary(103));
    caption("mnuHelpWhat", toQt(app::withProductName(app::supplementaryText(m_context, 104))));
    caption("mnuHelpOnline", supplementary(105));
    caption("mnuHelpUpdates", supplementary(106));
    caption("mnuHelpComparison", supplementary(122));
    caption("mnuHelpAbout", supplementary(107));
    m_listView->headerItem()->setText(LinkList::kNameColumn, language(app::kTextName));
    m_listView->headerItem()->setText(LinkList::kTargetColumn, language(app::kTextUrl));
    applyCharset(m_context, {m_treeView, m_listView});
}

int MainWindow::toPixels(double twips) const { return twipsToPixels(twips, logicalDpi(*this)); }

double MainWindow::toTwips(int pixels) const { return pixelsToTwips(pixels, logicalDpi(*this)); }

int MainWindow::outerHeightTwips() const { return static_cast<int>(toTwips(outerSize().height())); }

int MainWindow::outerWidthTwips() const { return static_cast<int>(toTwips(outerSize().width())); }

int MainWindow::splitterLeftTwips() const { return static_cast<int>(toTwips(m_splitter->x())); }

void MainWindow::applyStoredColumnWidths() {
    const app::ColumnWidths widths = app::readColumnWidths(m_context.settingsFile());
    if (widths.colWidth0) {
        m_listView->setColumnWidth(LinkList::kNameColumn, toPixels(*widths.colWidth0));
    }
    if (widths.colWidth1) {
        m_listView->setColumnWidth(LinkList::kTargetColumn, toPixels(*widths.colWidth1));
    }
    m_listView->setColumnWidth(LinkList::kPathColumn, 0);
}

void MainWindow::applyStoredSplitterLeft() {
    // a stored value that is not a number is taken as a missing key
    const int left = app::readSplitterLeft(m_context.settingsFile()).value_or(kMissingSplitterLeft);
    m_splitter->move(toPixels(left), toPixels(kControlTopTwips));
}

void MainWindow::load() {
    setCaptions();
    applyStoredColumnWidths();
    store::CreateFolder(m_context.applicationFolder);
    applyStoredSplitterLeft();
    plainLayout();
    m_tree->buildTree();
    warnWhenNotAdministrator();
}

void MainWindow::warnWhenNotAdministrator() {
    if (!m_context.isAdministrator || m_context.isAdministrator()) {
        return;
    }
    ui::showMessage(
        m_context,
        app::withOwnerName(app::supplementaryText(m_context, app::kSupplementaryAdminWarning), m_context.ownerName),
        app::languageText(m_context, app::kTitleWarning), ui::MsgIcon::Exclamation);
}

void MainWindow::plainLayout() {
    const int height = outerHeightTwips();
    const int width = outerWidthTwips();
    const int left = splitterLeftTwips();
    const int top = toPixels(kControlTopTwips);
    m_treeView->setGeometry(toPixels(2), top, toPixels(left - 15), toPixels(height - 850));
    m_listView->setGeometry(toPixels(left + 15), top, toPixels(width - left - 150), toPixels(height - 850));
    m_splitter->setGeometry(m_splitter->x(), top, m_splitter->width(), toPixels(height - 850));
}

void MainWindow::fullLayout() {
    const int height = outerHeightTwips();
    const int width = outerWidthTwips();
    const int left = splitterLeftTwips();
    const int toolbarHeight = static_cast<int>(toTwips(m_toolbar->height()));
    const int splitterWidth = static_cast<int>(toTwips(m_splitter->width()));
    const int top = toPixels(kControlTopTwips);
    m_treeView->setGeometry(toPixels(2), top, toPixels(left - 10), toPixels(height - toolbarHeight - 900));
    m_listView->setGeometry(toPixels(left + splitterWidth + 2), top, toPixels(width - left - 150),
                            toPixels(height - toolbarHeight - 1200));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    plainLayout();
    if (outerHeightTwips() >= kFullLayoutMinHeight && outerWidthTwips() >= kFullLayoutMinWidth) {
        fullLayout();
    }
}

QMargins MainWindow::windowFrame() const {
    // asked of the window itself: the widget's own copy of the frame can lag behind what
    // the window manager has drawn
    const QWindow* window = windowHandle();
    return window != nullptr ? window->frameMargins() : QMargins();
}

QSize MainWindow::outerSize() const { return size().grownBy(windowFrame()); }

void MainWindow::restoreStoredSizeAndCentre() {
    const app::WindowSize stored = app::readWindowSize(m_context.settingsFile());
    // a value that is not a number leaves that side as it is
    int heightTwips = stored.height.value_or(outerHeightTwips());
    int widthTwips = stored.width.value_or(outerWidthTwips());
    QRect outer(pos(), QSize(toPixels(widthTwips), toPixels(heightTwips)));
    if (const QScreen* shown = screen()) {
        // a size larger than the screen would put the window out of reach, one too small
        // would hide the tree and the list: either is brought inside the screen, and saved so
        const QRect area = shown->availableGeometry();
        const QSize smallest(toPixels(kFullLayoutMinWidth), toPixels(kFullLayoutMinHeight));
        const QSize fitted = outer.size().expandedTo(smallest).boundedTo(area.size());
        if (fitted != outer.size()) {
            outer.setSize(fitted);
            heightTwips = static_cast<int>(toTwips(fitted.height()));
            widthTwips = static_cast<int>(toTwips(fitted.width()));
        }
        outer.moveTopLeft(
            {area.x() + area.width() / 2 - outer.width() / 2, area.y() + area.height() / 2 - outer.height() / 2});
    }
    const QMargins frame = windowFrame();
    setGeometry(outer.marginsRemoved(frame));
    m_given = GivenSize{heightTwips, widthTwips, size(), frame};
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        restoreStoredSizeAndCentre();
    }
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // A window manager frames the window only after it is shown, so the first stored size
    // was given as if there were no frame: it is given again as soon as the frame is
    // known, unless the user has changed the size meanwhile.
    if (m_given && !m_shutDown && size() == m_given->inner && windowFrame() != m_given->frame) {
        restoreStoredSizeAndCentre();
    }
    return handled;
}

void MainWindow::runToolbarButton(const QString& key) {
    // keys are compared exactly: a key that differs in case runs nothing
    if (key == "add") {
        addLink();
    } else if (key == "edit") {
        editLinks();
    } else if (key == "delete") {
        deleteLinks();
    } else if (key == "refresh") {
        refresh();
    } else if (key == "import") {
        importLinks();
    } else if (key == "export") {
        exportLinks();
    }
}

void MainWindow::showDialog(QDialog& dialog) {
    m_gui.modalForms.showModal(dialog);
    restoreStoredSizeAndCentre();
}

void MainWindow::refresh() {
    // a stick pulled out leaves no store to show: the user is told, and the tree stays as it was
    if (!store::storeExists(m_context.applicationFolder)) {
        ui::showText(m_context, app::kTextStoreGone, app::kTitleWarning, ui::MsgIcon::Exclamation);
        return;
    }
    m_tree->refresh();
}

void MainWindow::emptyBrowserFolder(store::Browser browser) {
    // everything in a browser's folder goes for good: one Enter must not do that
    const bool yes = ui::askYesNo(
        m_context, app::withOwnerName(app::languageText(m_context, app::kTextEmptyQuestion), m_context.ownerName),
        app::languageText(m_context, app::kTitleEmptyFolder), ui::MsgAnswer::No);
    const bool deleted = yes && store::deletePath(store::topFolder(m_context.applicationFolder, browser));
    if (deleted || rebuildsAlways(browser)) {
        m_tree->resetTree();
    }
}

void MainWindow::deleteSelectedFromPopup() {
    if (m_list->deleteSelectedLinks(LinkList::OnFailure::GoOn)) {
        refresh();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shutdown();
    QMainWindow::closeEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::saveLayout() {
    app::WindowLayout layout;
    // a size nobody changed goes back as it was read: converting it to pixels and back
    // could move it by a twip or two each session
    const bool sizeUnchanged = m_given && size() == m_given->inner;
    layout.height = static_cast<float>(sizeUnchanged ? m_given->heightTwips : outerHeightTwips());
    layout.width = static_cast<float>(sizeUnchanged ? m_given->widthTwips : outerWidthTwips());
    layout.colWidth0 = static_cast<float>(toTwips(m_listView->columnWidth(LinkList::kNameColumn)));
    layout.colWidth1 = static_cast<float>(toTwips(m_listView->columnWidth(LinkList::kTargetColumn)));
    layout.splitterLeft = static_cast<float>(toTwips(m_splitter->x()));
    app::saveLayout(m_context.settingsFile(), layout);
}

void MainWindow::shutdown() {
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    const Hourglass hourglass;
    saveLayout();
    app::unloadSupplementaryLibrary(m_context);
    app::unloadLanguageLibrary(m_context);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) {
            window->close();
        }
    }
}

void MainWindow::addLink() {
    AddDialog dialog(m_context, this);
    showDialog(dialog);
}

void MainWindow::editLinks() {
    EditDialog dialog(m_context, this);
    showDialog(dialog);
}

void MainWindow::deleteLinks() {
    DeleteDialog dialog(m_context, this);
    showDialog(dialog);
}

void MainWindow::importLinks() {
    ImportDialog dialog(m_gui, this);
    showDialog(dialog);
    refresh();
}

void MainWindow::exportLinks() {
    ExportDialog dialog(m_context, this);
    showDialog(dialog);
}

}  // namespace ui
