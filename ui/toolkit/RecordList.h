#pragma once

#include "collection/CapRecord.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace dovra::toolkit {

class EventQueue;

// A row of the record list: the record it shows and its row data, the record's position in the
// whole collection. Its texts are made from the record when the row is painted, so a list of a
// million rows costs sixteen bytes a row.
struct ListRow {
    std::int32_t data = 0;
    const CapRecord* record = nullptr;
};

// The texts of a row's cells, in Windows-1252; supplied by whoever decides what the columns show.
using CellText = std::string (*)(const CapRecord& record, int column);

class RecordListModel : public QAbstractTableModel {
public:
    explicit RecordListModel(QObject* parent);
    void setColumns(QStringList titles, CellText cellText);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces every row at once; no row is selected afterwards.
    void setRows(std::vector<ListRow> rows);
    // Row i takes the contents of the row that was at order[i]; the selection stays where it is.
    void permuteRows(std::span<const std::uint32_t> order);
    const std::vector<ListRow>& rows() const { return rows_; }
    std::string cellText(int row, int column) const;

private:
    std::vector<ListRow> rows_;
    QStringList titles_;
    CellText cellText_;
};

// The list view: whole rows, at most one selected and still shown selected without the focus,
// grid lines, no row header, one fixed row height so a million rows are never measured. Clicks,
// double clicks and right clicks (also on empty space), a row becoming selected and the start
// of a drag each raise the list's control event.
class RecordListView : public QTableView {
public:
    RecordListView(int controlNumber, EventQueue& events, RecordListModel* model, QWidget* parent);
    int selectedRow() const;

protected:
    bool viewportEvent(QEvent* event) override;
    // Home and End go to the first and the last row, as in every list.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void raise();

    int controlNumber_;
    EventQueue& events_;
    QPoint pressPosition_;
    bool dragPossible_ = false;
};

} // namespace dovra::toolkit
