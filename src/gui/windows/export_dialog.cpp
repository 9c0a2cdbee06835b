#include "gui/windows/export_dialog.h"

#include <QFrame>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <utility>

#include "core/app/scratch_folder.h"
#include "core/app/texts.h"
#include "core/app/user_messages.h"
#include "gui/kit/node_choice.h"
#include "gui/kit/qt_text.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"

namespace browsers {

namespace {

constexpr int kTextRenameQuestion = 550;

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextChooseDestination = 548;
constexpr int kTextNothingToExport = 549;
constexpr int kTextExported = 539;
constexpr int kTitleExported = 313;
constexpr int kTitleError = 301;
constexpr int kTextNoBookmarkFile = 540;
constexpr int kTextNoBookmarkFileHint = 541;
constexpr int kTextBookmarkFileNotWritten = 558;
constexpr int kTextCloseFirefox = 570;
constexpr int kTextDatabaseNotWritten = 571;
constexpr int kTextUnknownDatabase = 572;
constexpr int kTextBrowserRuns = 581;
constexpr int kTextEncryptedProfile = 582;
// What stands for the browser's or profile's name in the texts above.
constexpr std::string_view kNameToken = "%1";

// The links travel from the store into the browser.
constexpr TransferDialog::Design kDesign{
    .storeSide = TransferDialog::StoreSide::Left,
    .actionName = "btnExport",
    .actionText = "Export",
    .windowText = 313,
    .instructionText = 322,
    .actionButtonText = 122,
    .sourceEndText = 331,
    .destinationEndText = 330,
};

// The Internet Explorer node is keyed by where it once kept its favorites in the Windows
// folder: an identity only, the export finds the real folder itself.
constexpr const char* kInternetExplorerKeyEnd = "/Favorites/";

// Design position and size, in twips, of the line below the instruction.
constexpr int kSeparatorTop = 420;
constexpr int kSeparatorHeight = 30;

// The message an export's outcome shows: text and title ids, and the icon.
struct Message {
    int text;
    int title;
    app::MsgIcon icon;
};

[[nodiscard]] Message messageOf(ExportOutcome outcome) {
    switch (outcome) {
        case ExportOutcome::NoDestination:
            return {kTextChooseDestination, kTitleWarning, app::MsgIcon::Exclamation};
        case ExportOutcome::NothingToExport:
            return {kTextNothingToExport, kTitleWarning, app::MsgIcon::Exclamation};
        case ExportOutcome::NotWritten:
            return {kTextBookmarkFileNotWritten, kTitleError, app::MsgIcon::Critical};
        case ExportOutcome::FirefoxRunning:
            return {kTextCloseFirefox, kTitleWarning, app::MsgIcon::Exclamation};
        case ExportOutcome::DatabaseNotWritten:
            return {kTextDatabaseNotWritten, kTitleError, app::MsgIcon::Critical};
        case ExportOutcome::UnknownDatabase:
            return {kTextUnknownDatabase, kTitleError, app::MsgIcon::Critical};
        case ExportOutcome::Done:
        case ExportOutcome::NoBookmarkFile:
            break;
    }
    return {kTextExported, kTitleExported, app::MsgIcon::Information};
}

}  // namespace

frmExport::frmExport(app::AppContext& context, QWidget* parent) : TransferDialog(context, kDesign, parent) {
    setObjectName("frmExport");
    auto* separator = new QFrame(this);
    separator->setObjectName("Frame1");
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    placeAcrossWindow(*separator, kSeparatorTop, kSeparatorHeight);
    // no default button: Enter in the list or a tree never starts an export
    actionButton().setAutoDefault(false);
    exitButton().setAutoDefault(false);

    createStoreTree(store::FolderTreeOptions{&linkList(), [this] {
                                                 return app::withOwnerName(
                                                     app::languageText(this->context(), kTextRenameQuestion),
                                                     this->context().ownerName);
                                             }});
    connect(&storeTree(), &store::FolderTree::nodeClicked, this, &frmExport::chooseSource);
    linkList().showRowsTo([this](std::vector<store::LinkRow>& rows) { keepForStaging(rows); });
    ui::chooseNodesByClickOrEnter(browserTree(), [this](QTreeWidgetItem* item) { chooseDestination(item); });
    connect(&actionButton(), &QPushButton::clicked, this, &frmExport::exportLinks);

    storeTree().buildTree();
    buildBrowserTree(windowsFolderKey(kInternetExplorerKeyEnd));
    // one destination for each browser of the Chromium family found, keyed by its user-data folder
    m_chromiumInstalls = findChromiumInstalls(context.homeFolder, context.configFolder);
    for (const ChromiumInstall& install : m_chromiumInstalls) {
        addBrowserNode(browserNode(kBrowserRootKey), install.userDataFolder, install.name, store::kImageChrome);
    }
    // a skin engine would take over the trees and the list here; this build has none
}

std::vector<ExportItem> frmExport::listedItems() {
    const store::LinkList& links = linkList();
    std::vector<ExportItem> items;
    items.reserve(static_cast<std::size_t>(links.rowCount()));
    for (int row = 0; row < links.rowCount(); ++row) {
        items.push_back({links.nameOf(row), links.fullPathOf(row), links.isChecked(row)});
    }
    return items;
}

void frmExport::chooseSource(QTreeWidgetItem* item) {
    linkList().clear();
    if (item == nullptr || store::FolderTree::isRoot(item)) {
        return;
    }
    app::ensureScratchFolder(context());
    const std::string key = store::FolderTree::keyOf(item);
    const std::string_view sourcePath = store::pathBelowStoreRoot(context().applicationFolder, key);
    showSource(ui::toQt(std::string(sourcePath)));
    const std::optional<store::Browser> browser = store::browserOfPath(sourcePath);
    // the list shows this click's rows to the staging as it reads them; a click taken in while
    // the folder is read runs through here whole and leaves this one's choice as it was
    const bool outer = std::exchange(m_keepingRows, browser.has_value());
    storeTree().openClickedNode(item);
    m_keepingRows = outer;
    if (browser) {
        std::vector<ListedLink> links = std::exchange(m_rowsToStage, {});
        // Only names that differ in case share a staged file, and the list orders those by
        // their exact text: staged in that order, they leave the staging folder as the list's
        // order would.
        std::sort(links.begin(), links.end(), [](const ListedLink& a, const ListedLink& b) { return a.text < b.text; });
        m_staged = stageLinks(context(), *browser, key, std::move(links));
    }
}

void frmExport::keepForStaging(std::vector<store::LinkRow>& rows) {
    if (!m_keepingRows) {
        return;
    }
    m_rowsToStage.clear();
    m_rowsToStage.reserve(rows.size());
    for (store::LinkRow& row : rows) {
        m_rowsToStage.push_back({row.name, std::move(row.fileText)});
    }
}

void frmExport::chooseDestination(QTreeWidgetItem* item) {
    const std::string name = browserNodeName(item);
    m_destination = exportBrowserOfNode(name);
    const std::string key = browserNodeKey(item);
    const auto install = std::find_if(m_chromiumInstalls.begin(), m_chromiumInstalls.end(),
                                      [&](const ChromiumInstall& found) { return found.userDataFolder == key; });
    m_chromiumDestination = install == m_chromiumInstalls.end() ? nullptr : &*install;
    showDestination(ui::toQt(name));
}

void frmExport::tell(int textId, int titleId, app::MsgIcon icon) { app::showText(context(), textId, titleId, icon); }

void frmExport::exportLinks() {
    if (m_chromiumDestination != nullptr) {
        exportToChromiumBrowser(*m_chromiumDestination);
        return;
    }
    const ExportOutcome outcome = browsers::exportLinks(context(), m_destination, listedItems(), m_staged);
    if (outcome == ExportOutcome::NoBookmarkFile) {
        tellMissingBookmarkFile();
        return;
    }
    const Message message = messageOf(outcome);
    tell(message.text, message.title, message.icon);
}

void frmExport::tellMissingBookmarkFile() {
    // the hint on the second line speaks to the owner by name
    app::AppContext& shared = context();
    const std::string hint = app::withOwnerName(app::languageText(shared, kTextNoBookmarkFileHint), shared.ownerName);
    app::showMessage(shared, app::languageText(shared, kTextNoBookmarkFile) + "\r\n" + hint,
                     app::languageText(shared, kTitleError), app::MsgIcon::Critical);
}

void frmExport::exportToChromiumBrowser(const ChromiumInstall& install) {
    app::AppContext& shared = context();
    const ChromiumExport result = exportCheckedToChromium(install, listedItems(), shared.backupFolder());
    const auto tellNamed = [&](int textId, const std::string& name) {
        std::string text = app::languageText(shared, textId);
        if (const std::size_t token = text.find(kNameToken); token != std::string::npos) {
            text.replace(token, kNameToken.size(), name);
        }
        app::showMessage(shared, text, app::languageText(shared, kTitleWarning), app::MsgIcon::Exclamation);
    };
    switch (result.outcome) {
        case ChromiumExportOutcome::BrowserRuns:
            tellNamed(kTextBrowserRuns, install.name);
            return;
        case ChromiumExportOutcome::EncryptedProfile:
            tellNamed(kTextEncryptedProfile, result.profile);
            return;
        case ChromiumExportOutcome::Done:
            tell(kTextExported, kTitleExported, app::MsgIcon::Information);
            return;
        case ChromiumExportOutcome::NothingToExport:
            tell(kTextNothingToExport, kTitleWarning, app::MsgIcon::Exclamation);
            return;
        case ChromiumExportOutcome::NotWritten:
            tell(kTextBookmarkFileNotWritten, kTitleError, app::MsgIcon::Critical);
            return;
    }
}

}  // namespace browsers
