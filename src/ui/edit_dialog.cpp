#include "ui/edit_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/texts.h"
#include "app/user_messages.h"
#include "store/folder_tree_widget.h"
#include "store/link_list_widget.h"
#include "store/link_save.h"
#include "store/store_files.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_messages.h"
#include "ui/folder_and_links.h"
#include "ui/hourglass.h"
#include "ui/localised_fonts.h"

namespace ui {

namespace {

// Captions.
constexpr int kTextWindow = 312;
constexpr int kTextFrame = 317;
constexpr int kTextInstruction = 321;
constexpr int kTextName = 318;
constexpr int kTextUrl = 319;
constexpr int kTextSaveButton = 102;
constexpr int kTextExitButton = 123;

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextNameAndUrl = 535;
constexpr int kTextSaved = 538;
constexpr int kTitleSaved = 312;

constexpr const char* kRenameFolderQuestion =
    "Please note that by renaming the folder, you will remove the compressed flag from this folder. "
    "Do you wish to continue?";
constexpr const char* kNoLinkChosen = "No link has been chosen. Click the link to change in the list first.";

constexpr int kWaitAfterOpenMs = 1000;

// Design positions and sizes, in twips. The tree and the list share the top of the
// dialog and grow with it; the frame keeps its height below them and grows in width.
constexpr int kMargin = 120;
constexpr ui::FolderAndLinks::SideMargins kPaneMargins{kMargin, kMargin};
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

QString toQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

frmEdit::frmEdit(app::AppContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
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

store::FolderTree& frmEdit::folderTree() { return m_panes->tree(); }

store::LinkList& frmEdit::linkList() { return m_panes->list(); }

void frmEdit::createControls() {
    m_panes = new FolderAndLinks(
        m_context, *this, [] { return std::string(kRenameFolderQuestion); }, kPaneMargins);

    m_frame = new QGroupBox("URL link information", this);
    m_frame->setObjectName("Frame1");
    m_instruction = new QLabel(m_frame);
    m_instruction->setObjectName("lbinstruction");
    m_instruction->setWordWrap(true);
    m_instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_nameLabel = new QLabel("Link Name", m_frame);
    m_nameLabel->setObjectName("lblName");
    m_name = new QLineEdit(m_frame);
    m_name->setObjectName("txtname");
    m_nameLabel->setBuddy(m_name);
    m_urlLabel = new QLabel("Link URL", m_frame);
    m_urlLabel->setObjectName("lblURL");
    m_url = new QLineEdit(m_frame);
    m_url->setObjectName("txtURL");
    m_urlLabel->setBuddy(m_url);
    m_saveButton = new QPushButton("&Save", m_frame);
    m_saveButton->setObjectName("btnSave");
    m_exitButton = new QPushButton("E&xit", m_frame);
    m_exitButton->setObjectName("btnExit");
    // Enter in a field saves
    m_saveButton->setDefault(true);

    QTreeWidget& list = m_panes->listView();
    connect(&list, &QTreeWidget::itemClicked, this, &frmEdit::takeClickedLink);
    // a row reached with the arrow keys is taken as a click, so the keyboard can edit links too
    connect(&list, &QTreeWidget::currentItemChanged, this, [this, &list] {
        if (list.hasFocus()) {
            takeClickedLink();
        }
    });
    connect(&m_panes->list(), &store::LinkList::openRequested, this, &frmEdit::openClickedTarget);
    connect(m_saveButton, &QPushButton::clicked, this, &frmEdit::saveLink);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmEdit::setTabOrderOfControls() {
    setTabOrder(&m_panes->treeView(), &m_panes->listView());
    setTabOrder(&m_panes->listView(), m_name);
    setTabOrder(m_name, m_url);
    setTabOrder(m_url, m_saveButton);
    setTabOrder(m_saveButton, m_exitButton);
}

void frmEdit::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(kTextWindow));
    m_frame->setTitle(text(kTextFrame));
    m_instruction->setText(text(kTextInstruction));
    m_nameLabel->setText(text(kTextName));
    m_urlLabel->setText(text(kTextUrl));
    m_saveButton->setText(text(kTextSaveButton));
    m_exitButton->setText(text(kTextExitButton));
    applyDialogFont(m_context,
                    {m_frame, m_instruction, m_nameLabel, m_name, m_urlLabel, m_url, m_saveButton, m_exitButton});
    m_panes->setCaptions();
}

void frmEdit::layOut() {
    const int width = widthInTwips(*this);
    const int height = heightInTwips(*this);
    const int frameTop = height - kMargin - kFrameHeight;
    m_panes->layOut(kMargin, frameTop - 2 * kMargin);

    const int frameWidth = width - kPaneMargins.left - kPaneMargins.right;
    placeInTwips(*m_frame, kPaneMargins.left, frameTop, frameWidth, kFrameHeight);
    const int buttonLeft = frameWidth - kMargin - kButtonWidth;
    const int fieldWidth = buttonLeft - kMargin - kFieldLeft;
    placeInTwips(*m_instruction, kMargin, 285, frameWidth - 2 * kMargin, kInstructionHeight);
    placeInTwips(*m_nameLabel, kMargin, kNameRowTop + 30, kLabelWidth, kLabelHeight);
    placeInTwips(*m_name, kFieldLeft, kNameRowTop, fieldWidth, kFieldHeight);
    placeInTwips(*m_saveButton, buttonLeft, kNameRowTop - 30, kButtonWidth, kButtonHeight);
    placeInTwips(*m_urlLabel, kMargin, kUrlRowTop + 30, kLabelWidth, kLabelHeight);
    placeInTwips(*m_url, kFieldLeft, kUrlRowTop, fieldWidth, kFieldHeight);
    placeInTwips(*m_exitButton, buttonLeft, kUrlRowTop - 30, kButtonWidth, kButtonHeight);
}

void frmEdit::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void frmEdit::takeClickedLink() {
    const int row = m_panes->selectedRow();
    if (row < 0) {
        return;
    }
    const store::LinkList& list = m_panes->list();
    m_oldPath = list.fullPathOf(row);
    m_name->setText(toQt(list.textOf(row)));
    m_url->setText(toQt(list.targetOf(row)));
}

void frmEdit::openClickedTarget() {
    const int row = m_panes->selectedRow();
    if (row < 0) {
        return;
    }
    const Hourglass hourglass;
    // an empty URL goes to the shell as it is; whatever the shell answers, nothing is shown
    static_cast<void>(m_context.shell->open(m_panes->list().targetOf(row)));
    m_context.shell->sleep(kWaitAfterOpenMs);
}

void frmEdit::saveLink() {
    const std::string name = store::trimSpaces(m_name->text().toStdString());
    const std::string target = store::trimSpaces(m_url->text().toStdString());
    if (name.empty() || target.empty()) {
        app::showText(m_context, kTextNameAndUrl, kTitleWarning, app::MsgIcon::Exclamation);
        m_name->setFocus();
        return;
    }
    if (m_oldPath.empty()) {
        showError(m_context, kNoLinkChosen);
        return;
    }
    if (const store::SaveFailure refused = store::refusedName(name)) {
        showError(m_context, *refused);
        return;
    }
    // a link stays in its folder: only its name and its URL change
    const std::string newPath = store::editedLinkPath(m_oldPath.substr(0, m_oldPath.rfind('/')), name);
    if (store::namesAnotherLink(m_oldPath, newPath) && !askToReplaceLink(m_context)) {
        return;
    }
    if (const store::SaveFailure failure = store::replaceLink(m_oldPath, newPath, target)) {
        showError(m_context, *failure);
        return;
    }
    app::showText(m_context, kTextSaved, kTitleSaved, app::MsgIcon::Information);
    m_name->clear();
    m_url->clear();
    m_panes->tree().refresh();
}

}  // namespace ui
