#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The cell strings of a TA_DBStringGrid, addressed by grid column and grid
// row (fixed title rows included). Qt sees only the rows below the fixed
// ones; the fixed rows are drawn by the grid's own header. Cells may be
// written beyond the column count: they are kept and not shown.
class GridCellModel : public QAbstractTableModel {
public:
    explicit GridCellModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Column names for screen readers; the fixed rows draw what they draw.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // What a screen reader is told of a cell beyond its text, asked by grid
    // column, grid row and role; an invalid answer leaves the stored text.
    std::function<QVariant(int col, int row, int role)> accessibleData;
    QStringList columnNames;

    int gridRowCount() const
    {
        return m_cells.size();
    }
    int gridColCount() const
    {
        return m_cols;
    }
    int fixedRows() const
    {
        return m_fixedRows;
    }
    void setGridRowCount(int rows);
    void setGridColCount(int cols);
    void setFixedRows(int rows);

    // Empty for a cell out of range.
    const QString& cell(int col, int row) const;
    // False (nothing stored) for a negative column or a row out of range.
    bool setCell(int col, int row, const QString& text);
    // Empties columns 0 .. column count - 1 of every row.
    void clearCells();

private:
    QList<QStringList> m_cells; // one list per grid row, grown on demand
    int m_cols = 5;
    int m_fixedRows = 1;
};
