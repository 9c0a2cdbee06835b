#include "gui/windows/progress_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "gui/kit/icons.h"
#include "gui/kit/localised_fonts.h"

namespace ui {

ProgressWindow::ProgressWindow(const app::AppContext& context)
    : QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName("frmprogress");
    setWindowTitle(QString::fromStdString(app::languageText(context, app::kTitleProgram)));
    m_caption = new QLabel(this);
    m_caption->setObjectName("lbcaption");
    m_caption->setWordWrap(true);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setText(
        QString::fromStdString(app::withOwnerName(app::languageText(context, app::kTextWelcome), context.ownerName)));
    applyDialogFont(context, {m_caption});

    auto* title = new QLabel(windowTitle(), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(title);
    layout->addWidget(m_caption);
    setFixedSize(380, 120);
    setStyleSheet("#frmprogress { border: 1px solid palette(mid); }");
}

}  // namespace ui
