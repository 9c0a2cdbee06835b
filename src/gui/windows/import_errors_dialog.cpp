#include "gui/windows/import_errors_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "gui/kit/dialog_layout.h"
#include "gui/kit/localised_fonts.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/twips.h"

namespace ui {

namespace {

// Design positions and sizes, in twips.
constexpr int kMargin = 120;
constexpr int kWindowWidth = 6600;
constexpr int kInnerWidth = kWindowWidth - 2 * kMargin;
constexpr int kLineHeight = 255;
constexpr int kListTop = 780;
constexpr int kListHeight = 2400;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 375;
constexpr int kButtonTop = kListTop + kListHeight + kMargin;
constexpr int kWindowHeight = kButtonTop + kButtonHeight + kMargin;
constexpr int kNumberWidth = 500;
constexpr int kFileNameWidth = 3200;

}  // namespace

ImportErrorsDialog::ImportErrorsDialog(DesktopContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName("FrmImportMsg");
    setWindowTitle("Import Operation Abort");
    createControls();
    layOut();
    setCaptions();
}

void ImportErrorsDialog::createControls() {
    m_firstLine = new QLabel(this);
    m_firstLine->setObjectName("Label1");
    m_secondLine = new QLabel("Please make sure the file name contains alphanumeric characters only.", this);
    m_secondLine->setObjectName("Label2");
    m_list = new QTreeWidget(this);
    m_list->setObjectName("ListView1");
    m_list->setColumnCount(3);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("cmdOk");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ImportErrorsDialog::setCaptions() {
    const auto text = [this](int id) { return toQt(app::languageText(m_context, id)); };
    setWindowTitle(text(app::kTitleLinksNotImported));
    m_firstLine->setText(text(app::kTextNotImportedFirstLine));
    m_secondLine->setText(text(app::kTextNotImportedSecondLine));
    m_list->setHeaderLabels({"#", text(app::kTextFileNameHeader), text(app::kTextLinkHeader)});
    m_ok->setText(text(app::kTextOkButton));
    applyDialogFont(m_context, {m_firstLine, m_secondLine, m_ok});
    applyCharset(m_context, {m_list});
}

void ImportErrorsDialog::layOut() {
    placeInTwips(*m_firstLine, kMargin, kMargin, kInnerWidth, kLineHeight);
    placeInTwips(*m_secondLine, kMargin, kMargin + kLineHeight + 60, kInnerWidth, kLineHeight);
    placeInTwips(*m_list, kMargin, kListTop, kInnerWidth, kListHeight);
    placeInTwips(*m_ok, kWindowWidth - kMargin - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight);
    const int dpi = logicalDpi(*this);
    m_list->setColumnWidth(0, twipsToPixels(kNumberWidth, dpi));
    m_list->setColumnWidth(1, twipsToPixels(kFileNameWidth, dpi));
    setFixedSize(sizeInPixels(*this, kWindowWidth, kWindowHeight));
}

void ImportErrorsDialog::ErrorMsg(const std::string& fileName, const std::string& link) {
    const QString number = QString::number(m_list->topLevelItemCount() + 1);
    m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{number, toQt(fileName), toQt(link)}));
}

int ImportErrorsDialog::rowCount() const { return m_list->topLevelItemCount(); }

}  // namespace ui
