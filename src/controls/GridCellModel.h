#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

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
