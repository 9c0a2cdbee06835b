#include "gui/windows/delete_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/texts.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "core/store/store_layout.h"
#include "gui/kit/dialog_layout.h"
#include "gui/widgets/folder_and_links.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"

namespace ui {

namespace {

// Captions.
constexpr int kTextWindow = 306;
constexpr int kTextInstruction = 320;
constexpr int kTextDeleteButton = 311;
constexpr int kTextExitButton = 123;

// Messages.
constexpr int kTitleDeleteQuestion = 306;
constexpr int kTextRenameQuestion = 550;

// Design positions and sizes, in twips. The dialog grows in width only: the tree and
// the list keep their height.
constexpr int kMargin = 120;
constexpr int kInstructionHeight = 435;
constexpr int kPaneTop = kMargin + kInstructionHeight + 45;
constexpr int kPaneHeight = 4200;
// The tree starts 15 twips from the left; the list ends 130 twips short of the dialog's
// width, counted from the splitter's left edge.
constexpr ui::FolderAndLinks::SideMargins kPaneMargins{15, 115};
constexpr int kButtonTop = kPaneTop + kPaneHeight + kMargin;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 375;
constexpr int kDesignWidth = 9000;
constexpr int kDesignHeight = kButtonTop + kButtonHeight + kMargin;
constexpr int kMinimumWidth = 6000;

}  // namespace

frmDelete::frmDelete(app::AppContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName("frmDelete");
    setWindowTitle("Delete Link");
    createControls();
    setTabOrderOfControls();
    store::CreateFolder(m_context.applicationFolder);
    setCaptions();
    setMinimumSize(sizeInPixels(*this, kMinimumWidth, kDesignHeight));
    setMaximumHeight(minimumHeight());
    resize(sizeInPixels(*this, kDesignWidth, kDesignHeight));
    layOut();
    m_panes->tree().buildTree();
}

store::FolderTree& frmDelete::folderTree() { return m_panes->tree(); }

store::LinkList& frmDelete::linkList() { return m_panes->list(); }

void frmDelete::createControls() {
    m_instruction = new QLabel("Select link(s) that you want to remove from Dorvane Lite.", this);
    m_instruction->setObjectName("lbinstruction");
    m_instruction->setWordWrap(true);
    m_instruction->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_panes = new FolderAndLinks(
        m_context, *this,
        [this] { return app::withOwnerName(app::languageText(m_context, kTextRenameQuestion), m_context.ownerName); },
        kPaneMargins);
    m_deleteButton = new QPushButton("Delete", this);
    m_deleteButton->setObjectName("btnDelete");
    m_exitButton = new QPushButton("Exit", this);
    m_exitButton->setObjectName("btnExit");
    // no default button: Enter never deletes anything by itself
    m_deleteButton->setAutoDefault(false);
    m_exitButton->setAutoDefault(false);

    connect(&m_panes->list(), &store::LinkList::deleteKeyPressed, this, &frmDelete::deleteSelectedLinks);
    connect(&m_panes->list(), &store::LinkList::openRequested, this, &frmDelete::openClickedFile);
    connect(m_deleteButton, &QPushButton::clicked, this, &frmDelete::deleteSelectedLinks);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmDelete::setTabOrderOfControls() {
    setTabOrder(&m_panes->treeView(), &m_panes->listView());
    setTabOrder(&m_panes->listView(), m_deleteButton);
    setTabOrder(m_deleteButton, m_exitButton);
}

void frmDelete::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(kTextWindow));
    m_instruction->setText(text(kTextInstruction));
    m_deleteButton->setText(text(kTextDeleteButton));
    m_exitButton->setText(text(kTextExitButton));
    applyDialogFont(m_context, {m_instruction, m_deleteButton, m_exitButton});
    m_panes->setCaptions();
}

void frmDelete::layOut() {
    const int width = widthInTwips(*this);
    m_panes->layOut(kPaneTop, kPaneHeight);
    placeInTwips(*m_instruction, kMargin, kMargin, width - kMargin - kPaneMargins.right, kInstructionHeight);
    const int exitLeft = width - kPaneMargins.right - kButtonWidth;
    placeInTwips(*m_exitButton, exitLeft, kButtonTop, kButtonWidth, kButtonHeight);
    placeInTwips(*m_deleteButton, exitLeft - kMargin - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight);
}

void frmDelete::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void frmDelete::deleteSelectedLinks() {
    store::LinkList& list = m_panes->list();
    if (list.rowCount() == 0 || !list.deleteSelectedLinks(store::LinkList::OnFailure::Stop,
                                                          app::languageText(m_context, kTitleDeleteQuestion))) {
        return;
    }
    m_panes->tree().refresh();
    m_panes->selectFirstRow();
}

void frmDelete::openClickedFile() {
    const int row = m_panes->selectedRow();
    if (row < 0) {
        return;
    }
    const Hourglass hourglass;
    static_cast<void>(m_context.shell->open(m_panes->list().fullPathOf(row)));
}

}  // namespace ui
