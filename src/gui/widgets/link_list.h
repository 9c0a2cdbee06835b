#pragma once

#include <QCollator>
#include <QObject>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "core/store/folder_scan.h"
#include "gui/kit/desktop_context.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace ui {

// How a window's link list is set up: the keys of its columns (a header click sorts by
// "Name" or "URL" and by the first column for any other key), the text of its rows, and
// whether rows carry check boxes.
struct LinkListOptions {
    QStringList columnKeys{"Name", "URL", "Path"};
    QStringList headers{"Name", "URL", "Full path"};
    std::vector<int> widthsTwips{2800, 4800, 0};
    store::RowText rowText = store::RowText::LinkName;
    bool checkBoxes = false;
};

// The report-style list of the links of one folder, shared by every window. It shows
// what the files say: each fill rebuilds the rows from the disk. A row keeps its name and
// path as the drive spells them and hands those back; its texts are only shown.
class LinkList final : public QObject {
    Q_OBJECT

public:
    LinkList(DesktopContext& context, QTreeWidget& view, LinkListOptions options);
    Q_DISABLE_COPY_MOVE(LinkList)

    static constexpr int kNameColumn = 0;
    static constexpr int kTargetColumn = 1;
    static constexpr int kPathColumn = 2;

    // Replaces the rows with the links of the folder.
    void fill(const std::string& folderPath);
    // Each fill from now on shows the rows it read, their files' bytes with them, to a step
    // that copies the listed files next (the export's staging), before they become the list's
    // items; the step may take the bytes.
    void showRowsTo(std::function<void(std::vector<store::LinkRow>& rows)> step) { m_rowsRead = std::move(step); }
    void clear();

    // A header click: sorts by the header's column, flipping the order on a second click.
    void sortByHeader(int column);
    // Selects every row (Ctrl+A).
    void selectAll();

    // Opens the selected row's target with the shell; a failure shows text 557.
    void openSelectedLink();

    enum class OnFailure { Stop, GoOn };
    // Deletes the files of the selected rows, from the first to the last, after one question
    // (text 544 under the title given, No the default), then says they are deleted (text 545).
    // A file that cannot be deleted shows text 533 with Stop, and is passed over with GoOn.
    // Returns false when the user did not answer Yes.
    bool deleteSelectedLinks(OnFailure onFailure, const std::string& questionTitle = "Delete Link");

    [[nodiscard]] int rowCount() const;
    [[nodiscard]] std::string fullPathOf(int row) const;
    [[nodiscard]] std::string targetOf(int row) const;
    // The row's name as read: the link's name, or its file name in the import and export lists.
    [[nodiscard]] std::string nameOf(int row) const;
    [[nodiscard]] bool isSelected(int row) const;
    [[nodiscard]] bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Checks (and so selects) every row, or unchecks and deselects them all.
    void setAllChecked(bool checked);
    [[nodiscard]] QTreeWidget& view() { return m_view; }

signals:
    void refreshRequested();
    void deleteKeyPressed();
    void openRequested();
    void rightButtonReleased();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpColumns();
    [[nodiscard]] QList<QTreeWidgetItem*> itemsOf(std::vector<store::LinkRow> rows) const;
    void applySort();
    void keepCheckAndSelectionTogether(QTreeWidgetItem* item, int column);

    DesktopContext& m_context;
    QTreeWidget& m_view;
    QWidget* m_viewport;
    LinkListOptions m_options;
    QCollator m_collator;
    bool m_sorted = false;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::function<void(std::vector<store::LinkRow>& rows)> m_rowsRead;
};

}  // namespace ui
