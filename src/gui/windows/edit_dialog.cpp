#include "gui/windows/edit_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/store/link_save.h"
#include "core/store/store_layout.h"
#include "gui/kit/dialog_layout.h"
#include "gui/kit/dialog_messages.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/shell_open.h"
#include "gui/kit/user_messages.h"
#include "gui/widgets/folder_and_links.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_fields.h"
#include "gui/widgets/link_list.h"

namespace ui {

namespace {

constexpr const char* kRenameFolderQuestion =
    "Please note that by renaming the folder, you will remove the compressed flag from this folder. "
    "Do you wish to continue?";
constexpr const char* kNoLinkChosen = "No link has been chosen. Click the link to change in the list first.";

// Design positions and sizes, in twips. The tree and the list share the top of the
// dialog and grow with it; the frame keeps its height below them and grows in width.
constexpr int kMargin = 120;
constexpr FolderAndLinks::SideMargins kPaneMargins{kMargin, kMargin};
constexpr int kFrameHeight = 1740;
constexpr int kLabelWidth = 1080;
constexpr int kFieldLeft = kMargin + kLabelWidth;
constexpr int kLabelHeight = 255;
constexpr int kFieldHeight = 315;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 375;
constexpr int kInstructionHeight = 435;
constexpr int kNameRowTop = 780;
constexpr int kUrlRowTop = 1200;
constexpr int kDesignWidth = 9600;
constexpr int kDesignHeight = 6300;
constexpr int kMinimumWidth = 6000;
constexpr int kMinimumHeight = 4500;

}  // namespace

EditDialog::EditDialog(DesktopContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName("frmEdit");
    setWindowTitle("Edit Link");
    setSizeGripEnabled(true);
    createControls();
    setTabOrderOfControls();
    store::CreateFolder(m_context.applicationFolder);
    setCaptions();
    setMinimumSize(sizeInPixels(*this, kMinimumWidth, kMinimumHeight));
    resize(sizeInPixels(*this, kDesignWidth, kDesignHeight));
    layOut();
    m_panes->tree().buildTree();
}

FolderTree& EditDialog::folderTree() { return m_panes->tree(); }

LinkList& EditDialog::linkList() { return m_panes->list(); }

void EditDialog::createControls() {
    m_panes = new FolderAndLinks(
        m_context, *this, [] { return std::string(kRenameFolderQuestion); }, kPaneMargins);

    m_fields = createLinkFields(*this);
    m_saveButton = new QPushButton("&Save", m_fields.frame);
    m_saveButton->setObjectName("btnSave");
    m_exitButton = new QPushButton("E&xit", m_fields.frame);
    m_exitButton->setObjectName("btnExit");
    // Enter in a field saves
    m_saveButton->setDefault(true);

    QTreeWidget& list = m_panes->listView();
    connect(&list, &QTreeWidget::itemClicked, this, &EditDialog::takeClickedLink);
    // a row reached with the arrow keys or picked with Space is taken as a click, so the
    // keyboard can edit links too (also the first row, which is current once the list has the focus)
    const auto takeFromKeyboard = [this, &list] {
        if (list.hasFocus()) {
            takeClickedLink();
        }
    };
    connect(&list, &QTreeWidget::currentItemChanged, this, takeFromKeyboard);
    connect(&list, &QTreeWidget::itemSelectionChanged, this, takeFromKeyboard);
    connect(&m_panes->list(), &LinkList::openRequested, this, &EditDialog::openClickedTarget);
    connect(m_saveButton, &QPushButton::clicked, this, &EditDialog::saveLink);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void EditDialog::setTabOrderOfControls() {
    setTabOrder(&m_panes->treeView(), &m_panes->listView());
    setTabOrder(&m_panes->listView(), m_fields.name);
    setTabOrder(m_fields.name, m_fields.url);
    setTabOrder(m_fields.url, m_saveButton);
    setTabOrder(m_saveButton, m_exitButton);
}

void EditDialog::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(app::kTitleEditLink));
    setLinkFieldCaptions(m_context, m_fields, app::kTextEditInstruction);
    m_saveButton->setText(text(app::kTextSaveButton));
    m_exitButton->setText(text(app::kTextExitButton));
    applyDialogFont(m_context, {m_fields.frame, m_fields.instruction, m_fields.nameLabel, m_fields.name,
                                m_fields.urlLabel, m_fields.url, m_saveButton, m_exitButton});
    m_panes->setCaptions();
}

void EditDialog::layOut() {
    const int width = widthInTwips(*this);
    const int height = heightInTwips(*this);
    const int frameTop = height - kMargin - kFrameHeight;
    m_panes->layOut(kMargin, frameTop - 2 * kMargin);

    const int frameWidth = width - kPaneMargins.left - kPaneMargins.right;
    placeInTwips(*m_fields.frame, kPaneMargins.left, frameTop, frameWidth, kFrameHeight);
    const int buttonLeft = frameWidth - kMargin - kButtonWidth;
    const int fieldWidth = buttonLeft - kMargin - kFieldLeft;
    placeInTwips(*m_fields.instruction, kMargin, 285, frameWidth - 2 * kMargin, kInstructionHeight);
    placeInTwips(*m_fields.nameLabel, kMargin, kNameRowTop + 30, kLabelWidth, kLabelHeight);
    placeInTwips(*m_fields.name, kFieldLeft, kNameRowTop, fieldWidth, kFieldHeight);
    placeInTwips(*m_saveButton, buttonLeft, kNameRowTop - 30, kButtonWidth, kButtonHeight);
    placeInTwips(*m_fields.urlLabel, kMargin, kUrlRowTop + 30, kLabelWidth, kLabelHeight);
    placeInTwips(*m_fields.url, kFieldLeft, kUrlRowTop, fieldWidth, kFieldHeight);
    placeInTwips(*m_exitButton, buttonLeft, kUrlRowTop - 30, kButtonWidth, kButtonHeight);
}

void EditDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void EditDialog::takeClickedLink() {
    const int row = m_panes->selectedRow();
    if (row < 0) {
        return;
    }
    const LinkList& list = m_panes->list();
    m_oldPath = list.fullPathOf(row);
    m_fields.name->setText(toQt(list.nameOf(row)));
    m_shownName = store::trimSpaces(m_fields.name->text().toStdString());
    m_fields.url->setText(toQt(list.targetOf(row)));
}

void EditDialog::openClickedTarget() {
    const int row = m_panes->selectedRow();
    if (row < 0) {
        return;
    }
    const Hourglass hourglass;
    // an empty URL goes to the shell as it is; whatever the shell answers, nothing is shown
    static_cast<void>(ui::openWithShell(m_context, m_panes->list().targetOf(row)));
}

void EditDialog::saveLink() {
    const std::string name = store::trimSpaces(m_fields.name->text().toStdString());
    const std::string target = store::trimSpaces(m_fields.url->text().toStdString());
    if (name.empty() || target.empty()) {
        ui::showText(m_context, app::kTextNameAndUrl, app::kTitleWarning, ui::MsgIcon::Exclamation);
        m_fields.name->setFocus();
        return;
    }
    if (m_oldPath.empty()) {
        showError(m_context, kNoLinkChosen);
        return;
    }
    // a link keeps a name it has; a new one must be a name Windows takes
    if (name != m_shownName && store::isRefusedName(name)) {
        warnRefusedName(m_context);
        return;
    }
    // a link stays in its folder: only its name and its URL change. A file name that is not
    // valid UTF-8 cannot be typed back: while its shown name is kept, the file keeps its own
    const bool keepsUntypableName = name == m_shownName && !QUtf8StringView(m_oldPath).isValidUtf8();
    const std::string newPath =
        keepsUntypableName ? m_oldPath : store::editedLinkPath(m_oldPath.substr(0, m_oldPath.rfind('/')), name);
    if (store::namesAnotherLink(m_oldPath, newPath) && !askToReplaceLink(m_context)) {
        return;
    }
    if (const store::SaveFailure failure = store::replaceLink(m_oldPath, newPath, target)) {
        showError(m_context, *failure);
        return;
    }
    ui::showText(m_context, app::kTextSaved, app::kTitleEditLink, ui::MsgIcon::Information);
    m_fields.name->clear();
    m_fields.url->clear();
    m_panes->tree().refresh();
}

}  // namespace ui
