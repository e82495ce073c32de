#include "controls/GridAccessible.h"

#include "controls/A_DBStringGrid.h"
#include "controls/GridRoles.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QScrollBar>

namespace {

quint64 key(int row, int column)
{
    return (quint64(quint32(row + 1)) << 32) | quint32(column + 1);
}

QAbstractItemModel* modelOf(const TA_DBStringGrid* grid)
{
    return grid ? grid->model() : nullptr;
}

// What a header or a cell of the grid shares: it has no object or children
// of its own, and the grid is its parent.
class GridLeafAccessible : public QAccessibleInterface {
public:
    GridLeafAccessible(TA_DBStringGrid* grid, int row, int column)
        : m_grid(grid)
        , m_row(row)
        , m_column(column)
    {
    }
    QObject* object() const override
    {
        return nullptr;
    }
    QWindow* window() const override
    {
        return m_grid ? m_grid->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_grid);
    }
    QAccessibleInterface* child(int) const override
    {
        return nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override
    {
        return nullptr;
    }
    int childCount() const override
    {
        return 0;
    }
    int indexOfChild(const QAccessibleInterface*) const override
    {
        return -1;
    }

protected:
    QPointer<TA_DBStringGrid> m_grid;
    int m_row;
    int m_column;
};

// A column header (row -1), a row header (column -1) or the corner (both).
class GridHeaderAccessible : public GridLeafAccessible {
public:
    using GridLeafAccessible::GridLeafAccessible;
    bool isValid() const override
    {
        return m_grid != nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        QAbstractItemModel* model = modelOf(m_grid);
        if (t != QAccessible::Name || !model || m_row >= 0 || m_column < 0) {
            return {};
        }
        return model->headerData(m_column, Qt::Horizontal, Qt::AccessibleTextRole).toString();
    }
    void setText(QAccessible::Text, const QString&) override
    {
    }
    QRect rect() const override
    {
        if (!m_grid || m_row >= 0 || m_column < 0) {
            return {};
        }
        const QHeaderView* header = m_grid->horizontalHeader();
        const QRect local(
            header->sectionViewportPosition(m_column), 0, header->sectionSize(m_column), header->height());
        return local.translated(header->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override
    {
        return m_row < 0 && m_column >= 0 ? QAccessible::ColumnHeader : QAccessible::RowHeader;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        // Only the column titles are drawn; row headers exist for the numbering.
        s.invisible = !(m_row < 0 && m_column >= 0) || !m_grid || !m_grid->horizontalHeader()->isVisible();
        return s;
    }
    int row() const
    {
        return m_row;
    }
    int column() const
    {
        return m_column;
    }
};

// A data cell; a +/- cell also answers as a push button with actions.
class GridCellAccessible : public GridLeafAccessible,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
public:
    using GridLeafAccessible::GridLeafAccessible;
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        if (t == QAccessible::ActionInterface && isStep()) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }
    bool isValid() const override
    {
        const QAbstractItemModel* model = modelOf(m_grid);
        return model && m_row < model->rowCount() && m_column < model->columnCount();
    }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid()) {
            return {};
        }
        if (t == QAccessible::Name) {
            return index().data(Qt::AccessibleTextRole).toString();
        }
        if (t == QAccessible::Description) {
            return index().data(Qt::AccessibleDescriptionRole).toString();
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override
    {
    }
    QRect rect() const override
    {
        if (!isValid()) {
            return {};
        }
        return m_grid->visualRect(index()).translated(m_grid->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override
    {
        return isStep() ? QAccessible::Button : QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const QModelIndex i = index();
        const QItemSelectionModel* selection = m_grid->selectionModel();
        s.selectable = true;
        s.focusable = true;
        s.selected = selection && selection->isSelected(i);
        s.focused = selection && selection->currentIndex() == i;
        const QVariant check = i.data(Qt::CheckStateRole);
        s.checkable = check.isValid();
        s.checked = check.isValid() && check.toInt() == Qt::Checked;
        s.invisible = !m_grid->viewport()->rect().intersects(m_grid->visualRect(i));
        return s;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override
    {
        return state().selected;
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        // The table's first row of children holds the column headers.
        QAccessibleInterface* t = parent();
        QAccessibleInterface* header = t ? t->child(m_column + 1) : nullptr;
        return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override
    {
        return {};
    }
    int columnIndex() const override
    {
        return m_column;
    }
    int rowIndex() const override
    {
        return m_row;
    }
    int columnExtent() const override
    {
        return 1;
    }
    int rowExtent() const override
    {
        return 1;
    }
    QAccessibleInterface* table() const override
    {
        return parent();
    }

    // QAccessibleActionInterface: pressing steps forward, as Ctrl+Up does.
    QStringList actionNames() const override
    {
        return {pressAction(), increaseAction(), decreaseAction()};
    }
    void doAction(const QString& name) override
    {
        if (!isValid()) {
            return;
        }
        const int gridRow = m_row + m_grid->FixedRows();
        if (name == pressAction() || name == increaseAction()) {
            m_grid->stepCell(m_column, gridRow, true);
        } else if (name == decreaseAction()) {
            m_grid->stepCell(m_column, gridRow, false);
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name == decreaseAction()) {
            return {QStringLiteral("Ctrl+Down")};
        }
        return {QStringLiteral("Ctrl+Up")};
    }

    int row() const
    {
        return m_row;
    }
    int column() const
    {
        return m_column;
    }

private:
    QModelIndex index() const
    {
        return m_grid->model()->index(m_row, m_column);
    }
    bool isStep() const
    {
        return isValid() && index().data(GridStepRole).toBool();
    }
};

QAccessibleInterface* gridFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TA_DBStringGrid") && object && object->isWidgetType()) {
        return new GridAccessible(static_cast<TA_DBStringGrid*>(object));
    }
    return nullptr;
}

} // namespace

GridAccessible::GridAccessible(TA_DBStringGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

GridAccessible::~GridAccessible()
{
    forgetChildren();
}

void GridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

TA_DBStringGrid* GridAccessible::grid() const
{
    return static_cast<TA_DBStringGrid*>(widget());
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

int GridAccessible::columnCount() const
{
    const QAbstractItemModel* model = modelOf(grid());
    return model ? model->columnCount() : 0;
}

int GridAccessible::rowCount() const
{
    const QAbstractItemModel* model = modelOf(grid());
    return model ? model->rowCount() : 0;
}

int GridAccessible::childCount() const
{
    return (rowCount() + 1) * (columnCount() + 1);
}

QAccessibleInterface* GridAccessible::cached(int row, int column) const
{
    const quint64 k = key(row, column);
    const auto found = m_children.constFind(k);
    if (found != m_children.constEnd()) {
        return QAccessible::accessibleInterface(found.value());
    }
    QAccessibleInterface* iface = nullptr;
    if (row < 0 || column < 0) {
        iface = new GridHeaderAccessible(grid(), row, column);
    } else {
        iface = new GridCellAccessible(grid(), row, column);
    }
    m_children.insert(k, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

void GridAccessible::forgetChildren()
{
    for (const QAccessible::Id id : std::as_const(m_children)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    m_children.clear();
}

QAccessibleInterface* GridAccessible::child(int index) const
{
    const int width = columnCount() + 1;
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    return cached(index / width - 1, index % width - 1);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const int width = columnCount() + 1;
    for (auto it = m_children.constBegin(); it != m_children.constEnd(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child) {
            const int row = int(it.key() >> 32);
            const int column = int(it.key() & 0xffffffffu);
            return row * width + column;
        }
    }
    return -1;
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const
{
    const QPoint local = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = grid()->indexAt(local);
    if (!index.isValid() || !grid()->viewport()->rect().contains(local)) {
        return nullptr;
    }
    return cached(index.row(), index.column());
}

QAccessibleInterface* GridAccessible::caption() const
{
    return nullptr;
}

QAccessibleInterface* GridAccessible::summary() const
{
    return nullptr;
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
        return nullptr;
    }
    return cached(row, column);
}

int GridAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    if (const QItemSelectionModel* selection = grid()->selectionModel()) {
        for (const QModelIndex& i : selection->selectedIndexes()) {
            cells.append(cached(i.row(), i.column()));
        }
    }
    return cells;
}

QString GridAccessible::columnDescription(int column) const
{
    const QAbstractItemModel* model = modelOf(grid());
    return model ? model->headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString() : QString();
}

QString GridAccessible::rowDescription(int) const
{
    return {};
}

int GridAccessible::selectedColumnCount() const
{
    return int(selectedColumns().size());
}

int GridAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

QList<int> GridAccessible::selectedColumns() const
{
    QList<int> columns;
    if (const QItemSelectionModel* selection = grid()->selectionModel()) {
        for (const QModelIndex& i : selection->selectedColumns()) {
            columns.append(i.column());
        }
    }
    return columns;
}

QList<int> GridAccessible::selectedRows() const
{
    QList<int> rows;
    if (const QItemSelectionModel* selection = grid()->selectionModel()) {
        for (const QModelIndex& i : selection->selectedRows()) {
            rows.append(i.row());
        }
    }
    return rows;
}

bool GridAccessible::isColumnSelected(int column) const
{
    const QItemSelectionModel* selection = grid()->selectionModel();
    return selection && selection->isColumnSelected(column, {});
}

bool GridAccessible::isRowSelected(int row) const
{
    const QItemSelectionModel* selection = grid()->selectionModel();
    return selection && selection->isRowSelected(row, {});
}

// The selection is the grid's current row: it follows the cursor, not requests.
bool GridAccessible::selectRow(int)
{
    return false;
}

bool GridAccessible::selectColumn(int)
{
    return false;
}

bool GridAccessible::unselectRow(int)
{
    return false;
}

bool GridAccessible::unselectColumn(int)
{
    return false;
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    // Rows and columns moved: cells are made again when next asked for.
    forgetChildren();
}
