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

[[nodiscard]] bool beginsWith(const QString& text, const char* start) {
    return text.startsWith(QString::fromLatin1(start), Qt::CaseInsensitive);
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
    // a skin engine would take over the trees and the list here; this build has none
}

std::vector<std::string> frmExport::listedTexts() {
    const store::LinkList& links = linkList();
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(links.rowCount()));
    for (int row = 0; row < links.rowCount(); ++row) {
        texts.push_back(links.textOf(row));
    }
    return texts;
}

std::vector<ExportItem> frmExport::listedItems() {
    const store::LinkList& links = linkList();
    std::vector<ExportItem> items;
    items.reserve(static_cast<std::size_t>(links.rowCount()));
    for (int row = 0; row < links.rowCount(); ++row) {
        items.push_back({links.textOf(row), links.fullPathOf(row), links.isChecked(row)});
    }
    return items;
}

void frmExport::chooseSource(QTreeWidgetItem* item) {
    linkList().clear();
    if (item == nullptr || store::FolderTree::isRoot(item)) {
        return;
    }
    app::ensureScratchFolder(context());
    const QString sourcePath = pathBelowRoot(store::FolderTree::displayPath(item));
    showSource(sourcePath);
    const std::optional<StoreBrowser> browser = storeBrowserOf(sourcePath.toStdString());
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
        m_staged = stageLinks(context(), *browser, store::FolderTree::keyOf(item).toStdString(), std::move(links));
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
    m_destinationText = item->text(0);
    showDestination(m_destinationText);
}

void frmExport::tell(int textId, int titleId, app::MsgIcon icon) { app::showText(context(), textId, titleId, icon); }

void frmExport::exportLinks() {
    app::ensureScratchFolder(context());
    const bool toInternetExplorer = beginsWith(m_destinationText, kInternetExplorerText);
    const bool toFirefox = beginsWith(m_destinationText, kFirefoxText);
    // The browser tree's root "Browser" is no destination: exporting nothing there and then
    // saying the links were exported would mislead, so it is refused like no choice at all.
    if (!toInternetExplorer && !toFirefox) {
        tell(kTextChooseDestination, kTitleWarning, app::MsgIcon::Exclamation);
        return;
    }
    if (linkList().rowCount() == 0) {
        tell(kTextNothingToExport, kTitleWarning, app::MsgIcon::Exclamation);
        return;
    }
    if (toInternetExplorer) {
        StoreURLIE(context(), listedTexts(), m_staged);
    } else if (const ExportOutcome outcome = StoreURLFirefox(context(), listedItems());
               outcome != ExportOutcome::Done) {
        tellFailure(outcome);
        return;
    }
    tell(kTextExported, kTitleExported, app::MsgIcon::Information);
}

void frmExport::tellFailure(ExportOutcome outcome) {
    if (outcome == ExportOutcome::NotWritten) {
        tell(kTextBookmarkFileNotWritten, kTitleError, app::MsgIcon::Critical);
        return;
    }
    // the hint on the second line speaks to the owner by name
    app::AppContext& shared = context();
    const std::string hint = app::withOwnerName(app::languageText(shared, kTextNoBookmarkFileHint), shared.ownerName);
    app::showMessage(shared, app::languageText(shared, kTextNoBookmarkFile) + "\r\n" + hint,
                     app::languageText(shared, kTitleError), app::MsgIcon::Critical);
}

}  // namespace browsers
