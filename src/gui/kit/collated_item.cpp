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

const QCollatorSortKey& CollatedItem::sortKey(int column) const {
    if (m_keyColumn != column || !m_key) {
        m_key.emplace(m_collator.sortKey(text(column)));
        m_keyColumn = column;
    }
    return *m_key;
}

bool CollatedItem::operator<(const QTreeWidgetItem& other) const {
    const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
    if (other.type() != kType) {
        return m_collator.compare(text(column), other.text(column)) < 0;
    }
    const auto* collated = static_cast<const CollatedItem*>(&other);
    const int order = sortKey(column).compare(collated->sortKey(column));
    return order != 0 ? order < 0 : text(column) < other.text(column);
}

void CollatedItem::setData(int column, int role, const QVariant& value) {
    if (column == m_keyColumn && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        m_key.reset();
    }
    QTreeWidgetItem::setData(column, role, value);
}

}  // namespace ui
