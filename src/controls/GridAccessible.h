#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TA_DBStringGrid;

// What a screen reader reads of a TA_DBStringGrid: a table whose cells come
// from the grid's model (texts, checked states, headers by meaning, the
// current row selected, the focused cell), and whose +/- cells are push
// buttons that step their value when pressed. Qt's own table classes are
// not public, so the grid brings its own.
//
// Children are laid out as QTableView numbers them in its events: one
// leading column for the (hidden) row headers, one leading row for the
// column headers, then the cells.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(TA_DBStringGrid* grid);
    ~GridAccessible() override;

    // Makes QAccessible build this interface for every grid; once is enough.
    static void install();

    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    TA_DBStringGrid* grid() const;

private:
    // Header row -1 is the column headers, header column -1 the row headers.
    QAccessibleInterface* cached(int row, int column) const;
    void forgetChildren();

    mutable QHash<quint64, QAccessible::Id> m_children;
};
