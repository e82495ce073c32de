#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The cell strings of a TA_DBStringGrid, addressed by grid column and grid
// row (fixed title rows included). Qt sees only the rows below the fixed
// ones; the fixed rows are drawn by the grid's own header. Cells may be
// written beyond the column count: they are kept and not shown.
//
// Rows may take their texts from a source instead: such a row holds no
// strings, and a cell's text is made when it is drawn or read (a grid of
// 100,000 memos would otherwise keep a string per cell).
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
    QString cell(int col, int row) const;
    // False (nothing stored) for a negative column or a row out of range.
    // A row taking its texts from the source keeps them, columns
    // 0 .. its source columns - 1, before the cell is written.
    bool setCell(int col, int row, const QString& text);
    // Empties columns 0 .. column count - 1 of every row; a row that took
    // its texts from the source is emptied whole.
    void clearCells();

    using CellSource = std::function<QString(int col, int row)>;
    void setCellSource(CellSource source);
    // Rows first .. last - 1 take the texts of columns 0 .. columns - 1 from
    // the source, until a cell of theirs is written or the cells are cleared.
    void provideRows(int first, int last, int columns);

private:
    QString sourceText(int col, int row) const;
    void keepProvided(int row);

    QList<QStringList> m_cells;   // one list per grid row, grown on demand
    std::vector<bool> m_provided; // per grid row: its texts come from m_source
    CellSource m_source;
    int m_sourceCols = 0;
    int m_cols = 5;
    int m_fixedRows = 1;
};
