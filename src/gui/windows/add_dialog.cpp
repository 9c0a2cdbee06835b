#include "gui/windows/add_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/store/link_save.h"
#include "core/store/shortcut.h"
#include "gui/kit/dialog_layout.h"
#include "gui/kit/dialog_messages.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/user_messages.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_fields.h"

namespace ui {

namespace {

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

AddDialog::AddDialog(DesktopContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName("frmAdd");
    setWindowTitle("Add Link");
    createControls();
    setTabOrderOfControls();
    layOut();
    m_tree->buildTree();
    setCaptions();
}

void AddDialog::createControls() {
    m_treeView = new QTreeWidget(this);
    m_treeView->setObjectName("TreeView");
    m_tree = new FolderTree(m_context, *m_treeView, FolderTreeOptions{});

    m_fields = createLinkFields(*this);
    m_addButton = new QPushButton("Add", m_fields.frame);
    m_addButton->setObjectName("btnAdd");
    m_clearButton = new QPushButton("Clear", m_fields.frame);
    m_clearButton->setObjectName("btnCancel");
    m_exitButton = new QPushButton("Exit", this);
    m_exitButton->setObjectName("btnExit");
    // Enter in a field adds the link
    m_addButton->setDefault(true);

    connect(m_tree, &FolderTree::nodeClicked, this, [this](QTreeWidgetItem* item) {
        chooseFolder(item);
        m_tree->openClickedNode(item);
    });
    // a folder reached with the keys is the target too, so Add never writes elsewhere than shown
    connect(m_treeView, &QTreeWidget::currentItemChanged, this, &AddDialog::chooseFolder);
    connect(m_addButton, &QPushButton::clicked, this, &AddDialog::addLink);
    connect(m_clearButton, &QPushButton::clicked, this, &AddDialog::clearFields);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void AddDialog::setTabOrderOfControls() {
    setTabOrder(m_treeView, m_fields.name);
    setTabOrder(m_fields.name, m_fields.url);
    setTabOrder(m_fields.url, m_addButton);
    setTabOrder(m_addButton, m_clearButton);
    setTabOrder(m_clearButton, m_exitButton);
}

void AddDialog::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(app::kTitleAddLink));
    setLinkFieldCaptions(m_context, m_fields, app::kTextAddInstruction);
    m_addButton->setText(text(app::kTextAddButton));
    m_clearButton->setText(text(app::kTextClearButton));
    m_exitButton->setText(text(app::kTextExitButton));
    applyDialogFont(m_context, {m_fields.frame, m_fields.instruction, m_fields.nameLabel, m_fields.name,
                                m_fields.urlLabel, m_fields.url, m_addButton, m_clearButton, m_exitButton});
    applyCharset(m_context, {m_treeView});
}

void AddDialog::layOut() {
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

void AddDialog::chooseFolder(QTreeWidgetItem* item) {
    if (item != nullptr && !FolderTree::isRoot(item)) {
        m_targetKey = FolderTree::keyOf(item);
    }
}

void AddDialog::warn(int textId) { ui::showText(m_context, textId, app::kTitleWarning, ui::MsgIcon::Exclamation); }

void AddDialog::addLink() {
    const QTreeWidgetItem* selected = m_tree->selectedItem();
    if (selected == nullptr || FolderTree::isRoot(selected)) {
        warn(app::kTextChooseStoreFolder);
        m_treeView->setFocus();
        return;
    }
    const std::string name = store::trimSpaces(m_fields.name->text().toStdString());
    const std::string target = store::trimSpaces(m_fields.url->text().toStdString());
    if (name.empty() || target.empty()) {
        warn(app::kTextNameAndUrl);
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
    ui::showText(m_context, app::kTextSaved, app::kTitleAddLink, ui::MsgIcon::Information);
    clearFields();
}

void AddDialog::clearFields() {
    m_fields.name->clear();
    m_fields.url->clear();
    m_fields.name->setFocus();
}

}  // namespace ui
