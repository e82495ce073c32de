#include "controls/GridCellModel.h"

GridCellModel::GridCellModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    m_cells.resize(5);
}

int GridCellModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(0, gridRowCount() - m_fixedRows);
}

int GridCellModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridCellModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row() + m_fixedRows;
    const bool spoken
        = role == Qt::AccessibleTextRole || role == Qt::AccessibleDescriptionRole || role == Qt::CheckStateRole;
    if (spoken && accessibleData) {
        const QVariant answer = accessibleData(index.column(), row, role);
        if (answer.isValid()) {
            return answer;
        }
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    return cell(index.column(), row);
}

QVariant GridCellModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    if (section >= 0 && section < columnNames.size() && !columnNames[section].isEmpty()) {
        return columnNames[section];
    }
    // Else the title cell's own text, as the fixed row shows it.
    return m_fixedRows > 0 ? QVariant(cell(section, m_fixedRows - 1)) : QVariant();
}

Qt::ItemFlags GridCellModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && data(index, Qt::CheckStateRole).isValid()) {
        f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

void GridCellModel::setGridRowCount(int rows)
{
    rows = qMax(rows, m_fixedRows);
    const int oldNet = rowCount();
    const int newNet = rows - m_fixedRows;
    if (rows == gridRowCount()) {
        return;
    }
    if (newNet > oldNet) {
        beginInsertRows({}, oldNet, newNet - 1);
        m_cells.resize(rows);
        endInsertRows();
    } else if (newNet < oldNet) {
        beginRemoveRows({}, newNet, oldNet - 1);
        m_cells.resize(rows);
        endRemoveRows();
    } else {
        m_cells.resize(rows);
    }
}

void GridCellModel::setGridColCount(int cols)
{
    cols = qMax(cols, 1);
    if (cols > m_cols) {
        beginInsertColumns({}, m_cols, cols - 1);
        m_cols = cols;
        endInsertColumns();
    } else if (cols < m_cols) {
        beginRemoveColumns({}, cols, m_cols - 1);
        m_cols = cols;
        endRemoveColumns();
    }
}

void GridCellModel::setFixedRows(int rows)
{
    rows = qMax(rows, 0);
    if (rows == m_fixedRows) {
        return;
    }
    beginResetModel();
    m_fixedRows = rows;
    if (m_cells.size() < rows) {
        m_cells.resize(rows);
    }
    endResetModel();
}

const QString& GridCellModel::cell(int col, int row) const
{
    static const QString empty;
    if (row < 0 || row >= m_cells.size() || col < 0) {
        return empty;
    }
    const QStringList& line = m_cells[row];
    return col < line.size() ? line[col] : empty;
}

bool GridCellModel::setCell(int col, int row, const QString& text)
{
    if (row < 0 || row >= m_cells.size() || col < 0) {
        return false;
    }
    QStringList& line = m_cells[row];
    if (col >= line.size()) {
        if (text.isEmpty()) {
            return true;
        }
        line.resize(col + 1);
    }
    line[col] = text;
    return true;
}

void GridCellModel::clearCells()
{
    for (QStringList& line : m_cells) {
        const qsizetype n = qMin<qsizetype>(line.size(), m_cols);
        for (qsizetype c = 0; c < n; ++c) {
            line[c].clear();
        }
    }
}
