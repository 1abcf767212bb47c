#include "RecordList.h"

#include "EventQueue.h"
#include "Text.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>

namespace dovra::toolkit {

RecordListModel::RecordListModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordListModel::setColumns(QStringList titles, CellText cellText) {
    beginResetModel();
    titles_ = std::move(titles);
    cellText_ = cellText;
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return inOneLine(cellText(index.row(), index.column()));
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < titles_.size()) {
        return titles_[section];
    }
    return {};
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void RecordListModel::setRows(std::vector<ListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void RecordListModel::permuteRows(std::span<const std::uint32_t> order) {
    std::vector<ListRow> permuted;
    permuted.reserve(rows_.size());
    for (const std::uint32_t from : order) {
        permuted.push_back(rows_[from]);
    }
    rows_ = std::move(permuted);
    if (!rows_.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

std::string RecordListModel::cellText(int row, int column) const {
    const ListRow& entry = rows_[static_cast<std::size_t>(row)];
    return entry.record && cellText_ ? cellText_(*entry.record, column) : std::string();
}

RecordListView::RecordListView(int controlNumber, EventQueue& events, RecordListModel* model,
                               QWidget* parent)
    : QTableView(parent), controlNumber_(controlNumber), events_(events) {
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    // The selected row stays highlighted when the list does not have the focus.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (!selected.isEmpty()) {
                    raise();
                }
            });
}

int RecordListView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

QModelIndex RecordListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const int rows = model()->rowCount();
    if (rows > 0 && (action == MoveHome || action == MoveEnd)) {
        const int column = std::max(0, currentIndex().column());
        return model()->index(action == MoveHome ? 0 : rows - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

void RecordListView::raise() {
    events_.push(Event{Event::Kind::Control, controlNumber_});
}

bool RecordListView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) {
            break;
        }
        const bool onRow = indexAt(mouse->position().toPoint()).isValid();
        pressPosition_ = mouse->position().toPoint();
        dragPossible_ = onRow && mouse->button() == Qt::LeftButton;
        if (!onRow) {
            // A click on empty space leaves no row selected, as list views do.
            clearSelection();
        }
        const bool handled = QTableView::viewportEvent(event);
        raise();
        return handled;
    }
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton) {
            const bool handled = QTableView::viewportEvent(event);
            raise();
            return handled;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (dragPossible_ && (mouse->buttons() & Qt::LeftButton) &&
            (mouse->position().toPoint() - pressPosition_).manhattanLength() >=
                QApplication::startDragDistance()) {
            dragPossible_ = false; // one drag start per press
            raise();
        }
        if (mouse->buttons() & (Qt::LeftButton | Qt::RightButton)) {
            // Dragging over other rows does not move the selection: it starts a drag.
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        dragPossible_ = false;
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

} // namespace dovra::toolkit
