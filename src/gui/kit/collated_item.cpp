#include "gui/kit/collated_item.h"

#include <QTreeWidget>
#include <algorithm>
#include <vector>

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

// By collation, and by the exact text where the collation sees no difference.
[[nodiscard]] bool collatedBefore(int collation, const QString& mine, const QString& theirs) {
    return collation != 0 ? collation < 0 : mine < theirs;
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
    return collatedBefore(m_collator.compare(mine, theirs), mine, theirs);
}

void CollatedItem::sortByFirstColumn(QList<QTreeWidgetItem*>& items, const QCollator& collator) {
    struct Keyed {
        QCollatorSortKey key;
        QString text;
        QTreeWidgetItem* item;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(items.size()));
    for (QTreeWidgetItem* item : items) {
        QString text = item->text(0);
        keyed.push_back({collator.sortKey(text), std::move(text), item});
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const Keyed& a, const Keyed& b) { return collatedBefore(a.key.compare(b.key), a.text, b.text); });
    for (qsizetype i = 0; i < items.size(); ++i) {
        items[i] = keyed[static_cast<std::size_t>(i)].item;
    }
}

}  // namespace ui
