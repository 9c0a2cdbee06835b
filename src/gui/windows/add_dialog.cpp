#include "gui/windows/add_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/texts.h"
#include "core/app/user_messages.h"
#include "gui/widgets/folder_tree.h"
#include "core/store/link_save.h"
#include "core/store/shortcut.h"
#include "gui/kit/dialog_layout.h"
#include "gui/kit/dialog_messages.h"
#include "gui/widgets/link_fields.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"

namespace ui {

namespace {

// Captions.
constexpr int kTextWindow = 307;
constexpr int kTextInstruction = 316;
constexpr int kTextAddButton = 104;
constexpr int kTextClearButton = 124;
constexpr int kTextExitButton = 123;

// Messages.
constexpr int kTitleWarning = 300;
constexpr int kTextChooseFolder = 534;
constexpr int kTextNameAndUrl = 535;
constexpr int kTextSaved = 538;
constexpr int kTitleAdded = 307;

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

    m_fields = createLinkFields(*this);
    m_addButton = new QPushButton("Add", m_fields.frame);
    m_addButton->setObjectName("btnAdd");
    m_clearButton = new QPushButton("Clear", m_fields.frame);
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
    setTabOrder(m_treeView, m_fields.name);
    setTabOrder(m_fields.name, m_fields.url);
    setTabOrder(m_fields.url, m_addButton);
    setTabOrder(m_addButton, m_clearButton);
    setTabOrder(m_clearButton, m_exitButton);
}

void frmAdd::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(kTextWindow));
    setLinkFieldCaptions(m_context, m_fields, kTextInstruction);
    m_addButton->setText(text(kTextAddButton));
    m_clearButton->setText(text(kTextClearButton));
    m_exitButton->setText(text(kTextExitButton));
    applyDialogFont(m_context, {m_fields.frame, m_fields.instruction, m_fields.nameLabel, m_fields.name,
                                m_fields.urlLabel, m_fields.url, m_addButton, m_clearButton, m_exitButton});
    applyCharset(m_context, {m_treeView});
}

void frmAdd::layOut() {
    placeInTwips(*m_treeView, kMargin, kMargin, kTreeWidth, kTreeHeight);
    placeInTwips(*m_fields.frame, kFrameLeft, kMargin, kFrameWidth, kFrameHeight);
    placeInTwips(*m_fields.instruction, kMargin, 300, kFieldWidth, 615);
    placeInTwips(*m_fields.nameLabel, kMargin, 1020, kFieldWidth, kLabelHeight);
    placeInTwips(*m_fields.name, kMargin, 1290, kFieldWidth, kFieldHeight);
    placeInTwips(*m_fields.urlLabel, kMargin, 1725, kFieldWidth, kLabelHeight);
    placeInTwips(*m_fields.url, kMargin, 1995, kFieldWidth, kFieldHeight);
    const int clearLeft = kFrameWidth - kMargin - kButtonWidth;
    placeInTwips(*m_clearButton, clearLeft, 2550, kButtonWidth, kButtonHeight);
    placeInTwips(*m_addButton, clearLeft - kMargin - kButtonWidth, 2550, kButtonWidth, kButtonHeight);
    placeInTwips(*m_exitButton, kWindowWidth - kMargin - kButtonWidth, kMargin + kTreeHeight - kButtonHeight,
                 kButtonWidth, kButtonHeight);
    setFixedSize(sizeInPixels(*this, kWindowWidth, kWindowHeight));
}

void frmAdd::chooseFolder(QTreeWidgetItem* item) {
    if (item != nullptr && !store::FolderTree::isRoot(item)) {
        m_targetKey = store::FolderTree::keyOf(item);
    }
}

void frmAdd::warn(int textId) { app::showText(m_context, textId, kTitleWarning, app::MsgIcon::Exclamation); }

void frmAdd::addLink() {
    const QTreeWidgetItem* selected = m_tree->selectedItem();
    if (selected == nullptr || store::FolderTree::isRoot(selected)) {
        warn(kTextChooseFolder);
        m_treeView->setFocus();
        return;
    }
    const std::string name = store::trimSpaces(m_fields.name->text().toStdString());
    const std::string target = store::trimSpaces(m_fields.url->text().toStdString());
    if (name.empty() || target.empty()) {
        warn(kTextNameAndUrl);
        m_fields.name->setFocus();
        return;
    }
    if (store::isRefusedName(name)) {
        warnRefusedName(m_context);
        m_fields.name->setFocus();
        return;
    }
    const std::string file = m_targetKey + "/" + store::fileNameForTypedName(name);
    if (store::linkFileExists(file) && !askToReplaceLink(m_context)) {
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
    m_fields.name->clear();
    m_fields.url->clear();
    m_fields.name->setFocus();
}

}  // namespace ui
