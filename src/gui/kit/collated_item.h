#pragma once

#include <QCollator>
#include <QTreeWidgetItem>
#include <string>

namespace ui {

// How names are ordered for the user in every tree and list: by the collation of the
// program's language, without regard to case (accents after their plain letter,
// punctuation before digits before letters), whatever locale the process runs in.
[[nodiscard]] QCollator nameCollator(const std::string& language);

// A node or row that sorts by its text in the sort column with a window's name collator;
// texts the collator finds equal are ordered by their exact text, so every sort gives
// the same order. The collator belongs to the widget and outlives its items.
class CollatedItem final : public QTreeWidgetItem {
public:
    CollatedItem(const QCollator& collator, const QStringList& texts) : QTreeWidgetItem(texts), m_collator(collator) {}
    CollatedItem(const QCollator& collator, QTreeWidget* view) : QTreeWidgetItem(view), m_collator(collator) {}
    CollatedItem(const QCollator& collator, QTreeWidgetItem* parent) : QTreeWidgetItem(parent), m_collator(collator) {}

    bool operator<(const QTreeWidgetItem& other) const override;

    // Puts items that are not yet in a view in the order their first column's texts take in
    // a sort by that column, working each text's collation out once rather than at each of
    // the sort's comparisons.
    static void sortByFirstColumn(QList<QTreeWidgetItem*>& items, const QCollator& collator);

private:
    const QCollator& m_collator;
};

}  // namespace ui
