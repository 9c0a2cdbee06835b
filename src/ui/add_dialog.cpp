#include "ui/add_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/texts.h"
#include "app/user_messages.h"
#include "platform/file_listing.h"
#include "store/folder_tree_widget.h"
#include "store/link_save.h"
#include "store/shortcut.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_messages.h"
#include "ui/localised_fonts.h"

namespace ui {

namespace {

// Captions.
constexpr int kTextWindow = 307;
constexpr int kTextFrame = 317;
constexpr int kTextInstruction = 316;
constexpr int kTextName = 318;
constexpr int kTextUrl = 319;
constexpr int kTextAddButton = 104;
constexpr int kTextClearButton = 124;
constexpr int kTextExitButton = 123;

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextChooseFolder = 534;
constexpr int kTextNameAndUrl = 535;
constexpr int kTextSaved = 538;
constexpr int kTitleAdded = 307;

// The display path starts with the root's text "Browser"; what follows it, from its
// '/' on, is the folder's path below the store root.
constexpr qsizetype kRootTextLength = 7;

// Design positions and sizes, in twips.
constexpr int kMargin = 120;
constexpr int kTreeWidth = 3000;
constexpr int kTreeHeight = 4200;
constexpr int kFrameLeft = kMargin + kTreeWidth + kMargin;
constexpr int kFrameWidth = 5040;
constexpr int kFrameHeight = 3105;
constexpr int kFieldWidth = kFrameWidth - 2 * kMargin;
constexpr int kLabelHeight = 255;
constexpr int kFieldHeight = 315;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 375;
constexpr int kWindowWidth = kFrameLeft + kFrameWidth + kMargin;
constexpr int kWindowHeight = kMargin + kTreeHeight + kMargin;

QString toQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

frmAdd::frmAdd(app::AppContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName("frmAdd");
    setWindowTitle("Add Link");
    createControls();
    setTabOrderOfControls();
    layOut();
    m_tree->buildTree();
    setCaptions();
}

void frmAdd::createControls() {
    m_treeView = new QTreeWidget(this);
    m_treeView->setObjectName("TreeView");
    m_tree = new store::FolderTree(m_context, *m_treeView, store::FolderTreeOptions{});

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
    m_addButton = new QPushButton("Add", m_frame);
    m_addButton->setObjectName("btnAdd");
    m_clearButton = new QPushButton("Clear", m_frame);
    m_clearButton->setObjectName("btnCancel");
    m_exitButton = new QPushButton("Exit", this);
    m_exitButton->setObjectName("btnExit");
    // Enter in a field adds the link
    m_addButton->setDefault(true);

    connect(m_tree, &store::FolderTree::nodeClicked, this, [this](QTreeWidgetItem* item) {
        chooseFolder(item);
        m_tree->openClickedNode(item);
    });
    // a folder reached with the keys is the target too, so Add never writes elsewhere than shown
    connect(m_treeView, &QTreeWidget::currentItemChanged, this, &frmAdd::chooseFolder);
    connect(m_addButton, &QPushButton::clicked, this, &frmAdd::addLink);
    connect(m_clearButton, &QPushButton::clicked, this, &frmAdd::clearFields);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmAdd::setTabOrderOfControls() {
    setTabOrder(m_treeView, m_name);
    setTabOrder(m_name, m_url);
    setTabOrder(m_url, m_addButton);
    setTabOrder(m_addButton, m_clearButton);
    setTabOrder(m_clearButton, m_exitButton);
}

void frmAdd::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(kTextWindow));
    m_frame->setTitle(text(kTextFrame));
    m_instruction->setText(text(kTextInstruction));
    m_nameLabel->setText(text(kTextName));
    m_urlLabel->setText(text(kTextUrl));
    m_addButton->setText(text(kTextAddButton));
    m_clearButton->setText(text(kTextClearButton));
    m_exitButton->setText(text(kTextExitButton));
    applyDialogFont(m_context, {m_frame, m_instruction, m_nameLabel, m_name, m_urlLabel, m_url, m_addButton,
                                m_clearButton, m_exitButton});
    applyCharset(m_context, {m_treeView});
}

void frmAdd::layOut() {
    placeInTwips(*m_treeView, kMargin, kMargin, kTreeWidth, kTreeHeight);
    placeInTwips(*m_frame, kFrameLeft, kMargin, kFrameWidth, kFrameHeight);
    placeInTwips(*m_instruction, kMargin, 300, kFieldWidth, 615);
    placeInTwips(*m_nameLabel, kMargin, 1020, kFieldWidth, kLabelHeight);
    placeInTwips(*m_name, kMargin, 1290, kFieldWidth, kFieldHeight);
    placeInTwips(*m_urlLabel, kMargin, 1725, kFieldWidth, kLabelHeight);
    placeInTwips(*m_url, kMargin, 1995, kFieldWidth, kFieldHeight);
    const int clearLeft = kFrameWidth - kMargin - kButtonWidth;
    placeInTwips(*m_clearButton, clearLeft, 2550, kButtonWidth, kButtonHeight);
    placeInTwips(*m_addButton, clearLeft - kMargin - kButtonWidth, 2550, kButtonWidth, kButtonHeight);
    placeInTwips(*m_exitButton, kWindowWidth - kMargin - kButtonWidth, kMargin + kTreeHeight - kButtonHeight,
                 kButtonWidth, kButtonHeight);
    setFixedSize(sizeInPixels(*this, kWindowWidth, kWindowHeight));
}

void frmAdd::chooseFolder(QTreeWidgetItem* item) {
    if (item != nullptr && !store::FolderTree::isRoot(item)) {
        m_targetDisplayPath = store::FolderTree::displayPath(item);
    }
}

std::string frmAdd::targetFolder() const {
    return m_context.applicationFolder + "/favorites" + m_targetDisplayPath.mid(kRootTextLength).toStdString();
}

void frmAdd::warn(int textId) { app::showText(m_context, textId, kTitleWarning, app::MsgIcon::Exclamation); }

void frmAdd::addLink() {
    const QTreeWidgetItem* selected = m_tree->selectedItem();
    if (selected == nullptr || store::FolderTree::isRoot(selected)) {
        warn(kTextChooseFolder);
        m_treeView->setFocus();
        return;
    }
    const std::string name = store::trimSpaces(m_name->text().toStdString());
    const std::string target = store::trimSpaces(m_url->text().toStdString());
    if (name.empty() || target.empty()) {
        warn(kTextNameAndUrl);
        m_name->setFocus();
        return;
    }
    if (const store::SaveFailure refused = store::refusedName(name)) {
        showError(m_context, *refused);
        m_name->setFocus();
        return;
    }
    const std::string file = targetFolder() + "/" + store::fileNameForTypedName(name);
    if (platform::fileExists(file) && !askToReplaceLink(m_context)) {
        return;
    }
    if (const store::SaveFailure failure = store::saveNewLink(file, target)) {
        showError(m_context, *failure);
        return;
    }
    app::showText(m_context, kTextSaved, kTitleAdded, app::MsgIcon::Information);
    clearFields();
}

void frmAdd::clearFields() {
    m_name->clear();
    m_url->clear();
    m_name->setFocus();
}

}  // namespace ui
