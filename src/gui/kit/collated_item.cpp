#include "gui/kit/collated_item.h"

#include <QTreeWidget>

namespace ui {

namespace {

// The locale of a language id of the text libraries (four hex digits); English for any other.
QLocale localeOfLanguage(const std::string& language) {
    const QString id = QString::fromStdString(language).toUpper();
    if (id == "0804") {
        return QLocale(QLocale::Chinese, QLocale::China);
    }
    if (id == "0404") {
        return QLocale(QLocale::Chinese, QLocale::Taiwan);
    }
    if (id == "0407") {
        return QLocale(QLocale::German, QLocale::Germany);
    }
    if (id == "040C") {
        return QLocale(QLocale::French, QLocale::France);
    }
    if (id == "0411") {
        return QLocale(QLocale::Japanese, QLocale::Japan);
    }
    if (id == "0C0A") {
        return QLocale(QLocale::Spanish, QLocale::Spain);
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

}  // namespace

QCollator nameCollator(const std::string& language) {
    QCollator collator(localeOfLanguage(language));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

bool CollatedItem::operator<(const QTreeWidgetItem& other) const {
    const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
    const QString mine = text(column);
    const QString theirs = other.text(column);
    const int order = m_collator.compare(mine, theirs);
    return order != 0 ? order < 0 : mine < theirs;
}

}  // namespace ui
