#include "gui/windows/delete_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/store/store_layout.h"
#include "gui/kit/dialog_layout.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"
#include "gui/widgets/folder_and_links.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"

namespace ui {

namespace {

// Design positions and sizes, in twips. The dialog grows in width only: the tree and
// the list keep their height.
constexpr int kMargin = 120;
constexpr int kInstructionHeight = 435;
constexpr int kPaneTop = kMargin + kInstructionHeight + 45;
constexpr int kPaneHeight = 4200;
// The tree starts 15 twips from the left; the list ends 130 twips short of the dialog's
// width, counted from the splitter's left edge.
constexpr FolderAndLinks::SideMargins kPaneMargins{15, 115};
constexpr int kButtonTop = kPaneTop + kPaneHeight + kMargin;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 375;
constexpr int kDesignWidth = 9000;
constexpr int kDesignHeight = kButtonTop + kButtonHeight + kMargin;
constexpr int kMinimumWidth = 6000;

}  // namespace

DeleteDialog::DeleteDialog(DesktopContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
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

FolderTree& DeleteDialog::folderTree() { return m_panes->tree(); }

LinkList& DeleteDialog::linkList() { return m_panes->list(); }

void DeleteDialog::createControls() {
    m_instruction = new QLabel("Select link(s) that you want to remove from Dorvane Lite.", this);
    m_instruction->setObjectName("lbinstruction");
    m_instruction->setWordWrap(true);
    m_instruction->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_panes = new FolderAndLinks(
        m_context, *this,
        [this] {
            return app::withOwnerName(app::languageText(m_context, app::kTextRenameQuestion), m_context.ownerName);
        },
        kPaneMargins);
    m_deleteButton = new QPushButton("Delete", this);
    m_deleteButton->setObjectName("btnDelete");
    m_exitButton = new QPushButton("Exit", this);
    m_exitButton->setObjectName("btnExit");
    // no default button: Enter never deletes anything by itself
    m_deleteButton->setAutoDefault(false);
    m_exitButton->setAutoDefault(false);

    connect(&m_panes->list(), &LinkList::deleteKeyPressed, this, &DeleteDialog::deleteSelectedLinks);
    connect(&m_panes->list(), &LinkList::openRequested, this, &DeleteDialog::openClickedFile);
    connect(m_deleteButton, &QPushButton::clicked, this, &DeleteDialog::deleteSelectedLinks);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void DeleteDialog::setTabOrderOfControls() {
    setTabOrder(&m_panes->treeView(), &m_panes->listView());
    setTabOrder(&m_panes->listView(), m_deleteButton);
    setTabOrder(m_deleteButton, m_exitButton);
}

void DeleteDialog::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(app::kTitleDeleteLinks));
    m_instruction->setText(text(app::kTextDeleteInstruction));
    m_deleteButton->setText(text(app::kTextDeleteButton));
    m_exitButton->setText(text(app::kTextExitButton));
    applyDialogFont(m_context, {m_instruction, m_deleteButton, m_exitButton});
    m_panes->setCaptions();
}

void DeleteDialog::layOut() {
    const int width = widthInTwips(*this);
    m_panes->layOut(kPaneTop, kPaneHeight);
    placeInTwips(*m_instruction, kMargin, kMargin, width - kMargin - kPaneMargins.right, kInstructionHeight);
    const int exitLeft = width - kPaneMargins.right - kButtonWidth;
    placeInTwips(*m_exitButton, exitLeft, kButtonTop, kButtonWidth, kButtonHeight);
    placeInTwips(*m_deleteButton, exitLeft - kMargin - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight);
}

void DeleteDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void DeleteDialog::deleteSelectedLinks() {
    LinkList& list = m_panes->list();
    if (list.rowCount() == 0 ||
        !list.deleteSelectedLinks(LinkList::OnFailure::Stop, app::languageText(m_context, app::kTitleDeleteLinks))) {
        return;
    }
    m_panes->tree().refresh();
    m_panes->selectFirstRow();
}

void DeleteDialog::openClickedFile() {
    const int row = m_panes->selectedRow();
    if (row < 0) {
        return;
    }
    const Hourglass hourglass;
    static_cast<void>(m_context.shell->open(m_panes->list().fullPathOf(row)));
}

}  // namespace ui
