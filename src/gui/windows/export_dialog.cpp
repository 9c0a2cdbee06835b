#include "gui/windows/export_dialog.h"

#include <QFrame>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <utility>

#include "core/app/scratch_folder.h"
#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "gui/kit/node_choice.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/user_messages.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"

namespace ui {

namespace {

// What stands for the browser's or profile's name in the texts that name one.
constexpr std::string_view kNameToken = "%1";

// The links travel from the store into the browser.
constexpr TransferDialog::Design kDesign{
    .storeSide = TransferDialog::StoreSide::Left,
    .actionName = "btnExport",
    .actionText = "Export",
    .windowText = app::kTitleExportLinks,
    .instructionText = app::kTextExportInstruction,
    .actionButtonText = app::kTextExportButton,
    .sourceEndText = app::kTextStoreEnd,
    .destinationEndText = app::kTextBrowserEnd,
};

// The Internet Explorer node is keyed by where it once kept its favorites in the Windows
// folder: an identity only, the export finds the real folder itself.
constexpr const char* kInternetExplorerKeyEnd = "/Favorites/";

// Design position and size, in twips, of the line below the instruction.
constexpr int kSeparatorTop = 420;
constexpr int kSeparatorHeight = 30;

// The message an export's outcome shows: text and title ids, and the icon.
struct OutcomeMessage {
    int text;
    int title;
    ui::MsgIcon icon;
};

[[nodiscard]] OutcomeMessage messageOf(browsers::ExportOutcome outcome) {
    switch (outcome) {
        case browsers::ExportOutcome::NoDestination:
            return {app::kTextChooseBrowser, app::kTitleWarning, ui::MsgIcon::Exclamation};
        case browsers::ExportOutcome::NothingToExport:
            return {app::kTextNothingToTransfer, app::kTitleWarning, ui::MsgIcon::Exclamation};
        case browsers::ExportOutcome::NotWritten:
            return {app::kTextBookmarkFileNotWritten, app::kTitleError, ui::MsgIcon::Critical};
        case browsers::ExportOutcome::FirefoxRunning:
            return {app::kTextCloseFirefox, app::kTitleWarning, ui::MsgIcon::Exclamation};
        case browsers::ExportOutcome::DatabaseNotWritten:
            return {app::kTextDatabaseNotWritten, app::kTitleError, ui::MsgIcon::Critical};
        case browsers::ExportOutcome::UnknownDatabase:
            return {app::kTextUnknownDatabase, app::kTitleError, ui::MsgIcon::Critical};
        case browsers::ExportOutcome::Done:
        case browsers::ExportOutcome::NoBookmarkFile:
            break;
    }
    return {app::kTextExported, app::kTitleExportLinks, ui::MsgIcon::Information};
}

}  // namespace

ExportDialog::ExportDialog(DesktopContext& context, QWidget* parent) : TransferDialog(context, kDesign, parent) {
    setObjectName("frmExport");
    auto* separator = new QFrame(this);
    separator->setObjectName("Frame1");
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    placeAcrossWindow(*separator, kSeparatorTop, kSeparatorHeight);
    // no default button: Enter in the list or a tree never starts an export
    actionButton().setAutoDefault(false);
    exitButton().setAutoDefault(false);

    createStoreTree(FolderTreeOptions{&linkList(), [this] {
                                          return app::withOwnerName(
                                              app::languageText(this->context(), app::kTextRenameQuestion),
                                              this->context().ownerName);
                                      }});
    connect(&storeTree(), &FolderTree::nodeClicked, this, &ExportDialog::chooseSource);
    linkList().showRowsTo([this](std::vector<store::LinkRow>& rows) { keepForStaging(rows); });
    chooseNodesByClickOrEnter(browserTree(), [this](QTreeWidgetItem* item) { chooseDestination(item); });
    connect(&actionButton(), &QPushButton::clicked, this, &ExportDialog::exportLinks);

    storeTree().buildTree();
    buildBrowserTree(windowsFolderKey(kInternetExplorerKeyEnd));
    // one destination for each browser of the Chromium family found, keyed by its user-data folder
    m_chromiumInstalls = browsers::findChromiumInstalls(context.homeFolder, context.configFolder);
    for (const browsers::ChromiumInstall& install : m_chromiumInstalls) {
        addBrowserNode(browserNode(kBrowserRootKey), install.userDataFolder, install.name, store::kImageChrome);
    }
    // a skin engine would take over the trees and the list here; this build has none
}

std::vector<browsers::ExportItem> ExportDialog::listedItems() {
    const LinkList& links = linkList();
    std::vector<browsers::ExportItem> items;
    items.reserve(static_cast<std::size_t>(links.rowCount()));
    for (int row = 0; row < links.rowCount(); ++row) {
        items.push_back({links.nameOf(row), links.fullPathOf(row), links.isChecked(row)});
    }
    return items;
}

void ExportDialog::chooseSource(QTreeWidgetItem* item) {
    linkList().clear();
    if (item == nullptr || FolderTree::isRoot(item)) {
        return;
    }
    app::ensureScratchFolder(context());
    const std::string key = FolderTree::keyOf(item);
    const std::string_view sourcePath = store::pathBelowStoreRoot(context().applicationFolder, key);
    showSource(toQt(std::string(sourcePath)));
    const std::optional<store::Browser> browser = store::browserOfPath(sourcePath);
    // the list shows this click's rows to the staging as it reads them; a click taken in while
    // the folder is read runs through here whole and leaves this one's choice as it was
    const bool outer = std::exchange(m_keepingRows, browser.has_value());
    storeTree().openClickedNode(item);
    m_keepingRows = outer;
    if (browser) {
        std::vector<browsers::ListedLink> links = std::exchange(m_rowsToStage, {});
        // Only names that differ in case share a staged file, and the list orders those by
        // their exact text: staged in that order, they leave the staging folder as the list's
        // order would.
        std::sort(links.begin(), links.end(),
                  [](const browsers::ListedLink& a, const browsers::ListedLink& b) { return a.text < b.text; });
        m_staged = browsers::stageLinks(context(), *browser, key, std::move(links));
    }
}

void ExportDialog::keepForStaging(std::vector<store::LinkRow>& rows) {
    if (!m_keepingRows) {
        return;
    }
    m_rowsToStage.clear();
    m_rowsToStage.reserve(rows.size());
    for (store::LinkRow& row : rows) {
        m_rowsToStage.push_back({row.name, std::move(row.fileText)});
    }
}

void ExportDialog::chooseDestination(QTreeWidgetItem* item) {
    const std::string name = browserNodeName(item);
    m_destination = browsers::exportBrowserOfNode(name);
    const std::string key = browserNodeKey(item);
    const auto install =
        std::find_if(m_chromiumInstalls.begin(), m_chromiumInstalls.end(),
                     [&](const browsers::ChromiumInstall& found) { return found.userDataFolder == key; });
    m_chromiumDestination = install == m_chromiumInstalls.end() ? nullptr : &*install;
    showDestination(toQt(name));
}

void ExportDialog::tell(int textId, int titleId, ui::MsgIcon icon) { ui::showText(context(), textId, titleId, icon); }

void ExportDialog::exportLinks() {
    if (m_chromiumDestination != nullptr) {
        exportToChromiumBrowser(*m_chromiumDestination);
        return;
    }
    const browsers::ExportOutcome outcome = browsers::exportLinks(context(), m_destination, listedItems(), m_staged);
    if (outcome == browsers::ExportOutcome::NoBookmarkFile) {
        tellMissingBookmarkFile();
        return;
    }
    const OutcomeMessage message = messageOf(outcome);
    tell(message.text, message.title, message.icon);
}

void ExportDialog::tellMissingBookmarkFile() {
    // the hint on the second line speaks to the owner by name
    DesktopContext& shared = context();
    const std::string hint =
        app::withOwnerName(app::languageText(shared, app::kTextNoBookmarkFileHint), shared.ownerName);
    ui::showMessage(shared, app::languageText(shared, app::kTextNoBookmarkFile) + "\r\n" + hint,
                    app::languageText(shared, app::kTitleError), ui::MsgIcon::Critical);
}

void ExportDialog::exportToChromiumBrowser(const browsers::ChromiumInstall& install) {
    DesktopContext& shared = context();
    const browsers::ChromiumExport result =
        browsers::exportCheckedToChromium(install, listedItems(), shared.backupFolder());
    const auto tellNamed = [&](int textId, const std::string& name) {
        std::string text = app::languageText(shared, textId);
        if (const std::size_t token = text.find(kNameToken); token != std::string::npos) {
            text.replace(token, kNameToken.size(), name);
        }
        ui::showMessage(shared, text, app::languageText(shared, app::kTitleWarning), ui::MsgIcon::Exclamation);
    };
    switch (result.outcome) {
        case browsers::ChromiumExportOutcome::BrowserRuns:
            tellNamed(app::kTextBrowserRuns, install.name);
            return;
        case browsers::ChromiumExportOutcome::EncryptedProfile:
            tellNamed(app::kTextEncryptedProfile, result.profile);
            return;
        case browsers::ChromiumExportOutcome::Done:
            tell(app::kTextExported, app::kTitleExportLinks, ui::MsgIcon::Information);
            return;
        case browsers::ChromiumExportOutcome::NothingToExport:
            tell(app::kTextNothingToTransfer, app::kTitleWarning, ui::MsgIcon::Exclamation);
            return;
        case browsers::ChromiumExportOutcome::NotWritten:
            tell(app::kTextBookmarkFileNotWritten, app::kTitleError, ui::MsgIcon::Critical);
            return;
    }
}

}  // namespace ui
