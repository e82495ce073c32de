#include "controls/GridCellModel.h"

#include "controls/GridRoles.h"

GridCellModel::GridCellModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    m_cells.resize(5);
    m_provided.resize(5);
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
    const bool spoken = role == Qt::AccessibleTextRole || role == Qt::AccessibleDescriptionRole
        || role == Qt::CheckStateRole || role == GridStepRole;
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
        m_provided.resize(size_t(rows));
        endInsertRows();
    } else if (newNet < oldNet) {
        beginRemoveRows({}, newNet, oldNet - 1);
        m_cells.resize(rows);
        m_provided.resize(size_t(rows));
        endRemoveRows();
    } else {
        m_cells.resize(rows);
        m_provided.resize(size_t(rows));
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
        m_provided.resize(size_t(rows));
    }
    endResetModel();
}

QString GridCellModel::cell(int col, int row) const
{
    if (row < 0 || row >= m_cells.size() || col < 0) {
        return {};
    }
    if (m_provided[size_t(row)]) {
        return sourceText(col, row);
    }
    const QStringList& line = m_cells[row];
    return col < line.size() ? line[col] : QString();
}

QString GridCellModel::sourceText(int col, int row) const
{
    if (col >= m_sourceCols) {
        return {};
    }
    return m_source(col, row);
}

void GridCellModel::keepProvided(int row)
{
    QStringList line;
    line.reserve(m_sourceCols);
    for (int c = 0; c < m_sourceCols; ++c) {
        line.append(sourceText(c, row));
    }
    m_cells[row] = std::move(line);
    m_provided[size_t(row)] = false;
}

bool GridCellModel::setCell(int col, int row, const QString& text)
{
    if (row < 0 || row >= m_cells.size() || col < 0) {
        return false;
    }
    if (m_provided[size_t(row)]) {
        // The text it shows already: the row goes on asking the source.
        if (sourceText(col, row) == text) {
            return true;
        }
        keepProvided(row);
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
    for (qsizetype r = 0; r < m_cells.size(); ++r) {
        QStringList& line = m_cells[r];
        if (m_provided[size_t(r)]) {
            m_provided[size_t(r)] = false;
            line.clear();
            continue;
        }
        const qsizetype n = qMin<qsizetype>(line.size(), m_cols);
        for (qsizetype c = 0; c < n; ++c) {
            line[c].clear();
        }
    }
}

void GridCellModel::setCellSource(CellSource source)
{
    m_source = std::move(source);
}

void GridCellModel::provideRows(int first, int last, int columns)
{
    if (!m_source) {
        return;
    }
    first = qMax(first, 0);
    last = qMin<int>(last, int(m_cells.size()));
    m_sourceCols = qMax(columns, 0);
    for (int r = first; r < last; ++r) {
        // Strings written before would only hide the source's texts.
        m_cells[r] = QStringList();
        m_provided[size_t(r)] = true;
    }
}
