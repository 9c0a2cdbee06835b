#include "gui/widgets/link_fields.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "core/app/text_ids.h"
#include "core/app/texts.h"

namespace ui {

LinkFields createLinkFields(QWidget& dialog) {
    LinkFields fields;
    fields.frame = new QGroupBox("URL link information", &dialog);
    fields.frame->setObjectName("Frame1");
    fields.instruction = new QLabel(fields.frame);
    fields.instruction->setObjectName("lbinstruction");
    fields.instruction->setWordWrap(true);
    fields.instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fields.nameLabel = new QLabel("Link Name", fields.frame);
    fields.nameLabel->setObjectName("lblName");
    fields.name = new QLineEdit(fields.frame);
    fields.name->setObjectName("txtname");
    fields.nameLabel->setBuddy(fields.name);
    fields.urlLabel = new QLabel("Link URL", fields.frame);
    fields.urlLabel->setObjectName("lblURL");
    fields.url = new QLineEdit(fields.frame);
    fields.url->setObjectName("txtURL");
    fields.urlLabel->setBuddy(fields.url);
    return fields;
}

void setLinkFieldCaptions(const app::AppContext& context, const LinkFields& fields, int instructionText) {
    const auto text = [&context](int id) { return QString::fromStdString(app::languageText(context, id)); };
    fields.frame->setTitle(text(app::kTextLinkFrame));
    fields.instruction->setText(text(instructionText));
    fields.nameLabel->setText(text(app::kTextName));
    fields.urlLabel->setText(text(app::kTextUrl));
}

}  // namespace ui
