#include "gui/widgets/link_list.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

#include "core/app/text_ids.h"
#include "core/app/texts.h"
#include "core/store/store_files.h"
#include "gui/kit/collated_item.h"
#include "gui/kit/hourglass.h"
#include "gui/kit/qt_text.h"
#include "gui/kit/shell_open.h"
#include "gui/kit/twips.h"
#include "gui/kit/user_messages.h"

namespace ui {

namespace {

// How long a folder is read between two looks at pending events.
constexpr qint64 kEventIntervalMs = 20;

// A cell's own bytes, beside its text.
constexpr int kBytesRole = Qt::UserRole;

// Text that is not valid UTF-8 does not survive as a cell's text: its bytes are kept beside it.
void keepBytes(QTreeWidgetItem& item, int column, const std::string& bytes) {
    if (!QUtf8StringView(bytes).isValidUtf8()) {
        item.setData(column, kBytesRole, QByteArray::fromStdString(bytes));
    }
}

[[nodiscard]] std::string bytesOf(const QTreeWidgetItem& item, int column) {
    const QVariant bytes = item.data(column, kBytesRole);
    return bytes.isValid() ? bytes.toByteArray().toStdString() : item.text(column).toStdString();
}

}  // namespace

LinkList::LinkList(DesktopContext& context, QTreeWidget& view, LinkListOptions options)
    : QObject(&view),
      m_context(context),
      m_view(view),
      m_viewport(view.viewport()),
      m_options(std::move(options)),
      m_collator(nameCollator(context.language)) {
    setUpColumns();
    m_view.installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(m_view.header(), &QHeaderView::sectionClicked, this, &LinkList::sortByHeader);
    connect(&m_view, &QTreeWidget::itemDoubleClicked, this, [this] { emit openRequested(); });
    if (m_options.checkBoxes) {
        connect(&m_view, &QTreeWidget::itemChanged, this, &LinkList::keepCheckAndSelectionTogether);
    }
}

void LinkList::setUpColumns() {
    m_view.setColumnCount(static_cast<int>(m_options.headers.size()));
    m_view.setHeaderLabels(m_options.headers);
    m_view.setRootIsDecorated(false);
    m_view.setUniformRowHeights(true);
    m_view.setAllColumnsShowFocus(true);
    m_view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view.setSortingEnabled(false);
    m_view.header()->setSectionsClickable(true);
    m_view.header()->setStretchLastSection(false);
    // stored widths are honoured however narrow
    m_view.header()->setMinimumSectionSize(0);
    const int dpi = logicalDpi(m_view);
    for (int column = 0; column < static_cast<int>(m_options.widthsTwips.size()); ++column) {
        m_view.setColumnWidth(column, twipsToPixels(m_options.widthsTwips[static_cast<std::size_t>(column)], dpi));
    }
    // the full path stays hidden: it only tells the commands which file a row is
    m_view.setColumnHidden(kPathColumn, true);
}

void LinkList::fill(const std::string& folderPath) {
    clear();
    // the window goes on painting while a large folder is read, without a trip through the
    // event loop for every file
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const store::FileTexts fileTexts = m_rowsRead ? store::FileTexts::Keep : store::FileTexts::Drop;
    std::vector<store::LinkRow> rows = store::listLinks(folderPath, m_options.rowText, fileTexts, [&sinceEvents] {
        if (sinceEvents.hasExpired(kEventIntervalMs)) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    });
    if (m_rowsRead) {
        m_rowsRead(rows);
    }
    QList<QTreeWidgetItem*> items = itemsOf(std::move(rows));
    // until a header is clicked the rows stand in name order, without a sort indicator; they
    // are put in that order before the view holds them
    if (!m_sorted) {
        CollatedItem::sortByFirstColumn(items, m_collator);
    }
    const QSignalBlocker noCheckSignals(m_view);
    m_view.addTopLevelItems(items);
    if (m_sorted) {
        applySort();
    }
}

// The rows' texts go as their items come, and the rows with them, so a large folder is not
// held twice.
QList<QTreeWidgetItem*> LinkList::itemsOf(std::vector<store::LinkRow> rows) const {
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (store::LinkRow& row : rows) {
        auto* item = new CollatedItem(m_collator, QStringList{toQt(row.name), toQt(row.target), toQt(row.fullPath)});
        keepBytes(*item, kNameColumn, row.name);
        keepBytes(*item, kPathColumn, row.fullPath);
        if (m_options.checkBoxes) {
            item->setCheckState(kNameColumn, Qt::Unchecked);
        }
        items.append(item);
        row = store::LinkRow{};
    }
    return items;
}

void LinkList::clear() { m_view.clear(); }

void LinkList::sortByHeader(int column) {
    const QString key = m_options.columnKeys.value(column);
    const int sortColumn = key == "URL" || key == "Name" ? column : kNameColumn;
    if (m_sorted && m_sortColumn == sortColumn) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortColumn = sortColumn;
        m_sortOrder = Qt::AscendingOrder;
    }
    m_sorted = true;
    applySort();
}

void LinkList::applySort() {
    m_view.sortItems(m_sortColumn, m_sortOrder);
    m_view.header()->setSortIndicatorShown(true);
    m_view.header()->setSortIndicator(m_sortColumn, m_sortOrder);
}

// The whole list is selected in one step: a row at a time, each selection would be merged
// with all the rows selected before it.
void LinkList::selectAll() { m_view.selectAll(); }

void LinkList::openSelectedLink() {
    QTreeWidgetItem* item = m_view.currentItem();
    if (item == nullptr || !item->isSelected() || item->text(kTargetColumn).trimmed().isEmpty()) {
        return;
    }
    const Hourglass hourglass;
    if (!ui::openWithShell(m_context, item->text(kTargetColumn).toStdString())) {
        ui::showText(m_context, app::kTextCannotOpenLink, app::kTitleError, ui::MsgIcon::Critical);
    }
}

bool LinkList::deleteSelectedLinks(OnFailure onFailure, const std::string& questionTitle) {
    const std::string question = app::languageText(m_context, app::kTextDeleteQuestion);
    if (!ui::askYesNo(m_context, question, questionTitle, ui::MsgAnswer::No)) {
        return false;
    }
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        if (!isSelected(row) || store::deletePath(fullPathOf(row))) {
            continue;
        }
        // with Stop, the rows after a link that cannot be deleted are left alone
        if (onFailure == OnFailure::Stop) {
            ui::showText(m_context, app::kTextDeleteFailed, app::kTitleDeletingLinks, ui::MsgIcon::Critical);
            break;
        }
    }
    ui::showText(m_context, app::kTextDeleted, app::kTitleDeletingLinks, ui::MsgIcon::Information);
    return true;
}

int LinkList::rowCount() const { return m_view.topLevelItemCount(); }

std::string LinkList::fullPathOf(int row) const { return bytesOf(*m_view.topLevelItem(row), kPathColumn); }

std::string LinkList::targetOf(int row) const { return m_view.topLevelItem(row)->text(kTargetColumn).toStdString(); }

std::string LinkList::nameOf(int row) const { return bytesOf(*m_view.topLevelItem(row), kNameColumn); }

bool LinkList::isSelected(int row) const { return m_view.topLevelItem(row)->isSelected(); }

bool LinkList::isChecked(int row) const { return m_view.topLevelItem(row)->checkState(kNameColumn) == Qt::Checked; }

void LinkList::setChecked(int row, bool checked) {
    m_view.topLevelItem(row)->setCheckState(kNameColumn, checked ? Qt::Checked : Qt::Unchecked);
}

void LinkList::setAllChecked(bool checked) {
    {
        // the list is drawn again and the selection follows below, once for all rows
        const QSignalBlocker noCheckSignals(m_view);
        const QSignalBlocker noRowSignals(m_view.model());
        for (int row = 0; row < rowCount(); ++row) {
            m_view.topLevelItem(row)->setCheckState(kNameColumn, checked ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_view.viewport()->update();
    if (checked) {
        selectAll();
    } else {
        m_view.clearSelection();
    }
}

void LinkList::keepCheckAndSelectionTogether(QTreeWidgetItem* item, int column) {
    if (column == kNameColumn) {
        item->setSelected(item->checkState(kNameColumn) == Qt::Checked);
    }
}

bool LinkList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::SelectAll)) {
            selectAll();
            return true;
        }
        switch (key->key()) {
            case Qt::Key_F5:
                emit refreshRequested();
                return true;
            case Qt::Key_Delete:
                emit deleteKeyPressed();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                emit openRequested();
                return true;
            default:
                break;
        }
    }
    // the viewport is the only other object watched; asking the view for it could reach a
    // view that is halfway through its destruction
    if (watched != &m_view && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        emit rightButtonReleased();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ui
