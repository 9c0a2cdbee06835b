#pragma once

#include <QCollator>
#include <QTreeWidgetItem>
#include <optional>
#include <string>

namespace ui {

// How names are ordered for the user in every tree and list: by the collation of the
// program's language, without regard to case (accents after their plain letter,
// punctuation before digits before letters), whatever locale the process runs in.
[[nodiscard]] QCollator nameCollator(const std::string& language);

// A node or row that sorts by its text in the sort column with a window's name collator;
// texts the collator finds equal are ordered by their exact text, so every sort gives
// the same order. The collator belongs to the widget and outlives its items. An item
// keeps the collator's sort key of the column it was last sorted by, so a sort of N items
// works the collation out N times rather than at each of its N log N comparisons.
class CollatedItem final : public QTreeWidgetItem {
public:
    // the item type that tells a collated item from other items
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    CollatedItem(const QCollator& collator, const QStringList& texts)
        : QTreeWidgetItem(texts, kType), m_collator(collator) {}
    CollatedItem(const QCollator& collator, QTreeWidget* view) : QTreeWidgetItem(view, kType), m_collator(collator) {}
    CollatedItem(const QCollator& collator, QTreeWidgetItem* parent)
        : QTreeWidgetItem(parent, kType), m_collator(collator) {}

    // Outside a tree, items compare by their first column.
    bool operator<(const QTreeWidgetItem& other) const override;
    // A new text drops the key it was sorted by.
    void setData(int column, int role, const QVariant& value) override;

private:
    [[nodiscard]] const QCollatorSortKey& sortKey(int column) const;

    const QCollator& m_collator;
    mutable int m_keyColumn = -1;
    mutable std::optional<QCollatorSortKey> m_key;
};

}  // namespace ui
