#include "controls/A_DBStringGrid.h"

#include "controls/A_InplaceEdit.h"
#include "controls/GridAccessible.h"
#include "controls/GridCellModel.h"
#include "controls/GridFixedRows.h"
#include "controls/GridTrace.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

#include <array>
#include <memory>
#include <stdexcept>

static void initControlResources()
{
    // Resources of a static library are registered by hand.
    Q_INIT_RESOURCE(controls);
}

namespace {

constexpr std::array<const char*, 7> bitmapNames
    = {"CHECK_NORM", "CHECK_SEL", "UNCHECK_NORM", "UNCHECK_SEL", "SEMAFORO_VERDE", "SEMAFORO_GIALLO", "SEMAFORO_ROSSO"};

struct SharedBitmaps {
    int liveGrids = 0;
    std::array<std::unique_ptr<QPixmap>, bitmapNames.size()> bitmaps;
};

SharedBitmaps& shared()
{
    static SharedBitmaps s;
    return s;
}

// Pictures come at 1x, 2x and 3x so they stay sharp on dense screens.
QPixmap loadSharedBitmap(const char* name)
{
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    const int factor = dpr > 2.0 ? 3 : (dpr > 1.0 ? 2 : 1);
    const QString suffix = factor > 1 ? QStringLiteral("@%1x").arg(factor) : QString();
    const QImage image(QStringLiteral(":/controls/%1%2.png").arg(QLatin1String(name), suffix));
    if (image.isNull()) {
        throw std::runtime_error(std::string("grid bitmap resource not found: ") + name);
    }
    QPixmap pixmap = transparentByTopLeft(image);
    pixmap.setDevicePixelRatio(factor);
    return pixmap;
}

} // namespace

TA_DBStringGrid::TA_DBStringGrid(QWidget* parent)
    : QTableView(parent)
{
    clearTraceRing();
    const QString routine = QStringLiteral("TA_DBStringGrid.Create");
    Traccia(routine, QStringLiteral("p0"));
    GridAccessible::install();

    m_cells = new GridCellModel(this);
    m_cells->setCellSource([this](int col, int row) {
        QString text;
        dataText(col, Pos_Dato(row - FixedRows()), text);
        return text;
    });
    m_cells->accessibleData = [this](int col, int row, int role) {
        return OnAccessibleData ? OnAccessibleData(this, col, row, role) : QVariant();
    };
    m_fixedHeader = new GridFixedRows(this);
    setHorizontalHeader(m_fixedHeader);
    setModel(m_cells);
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(0);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_defaultRowHeight + m_gridLineWidth);
    m_fixedHeader->setMinimumSectionSize(0);
    m_fixedHeader->setSectionResizeMode(QHeaderView::Fixed);
    m_fixedHeader->setDefaultSectionSize(m_defaultColWidth + m_gridLineWidth);
    for (int c = 0; c < ColCount(); ++c) {
        m_fixedHeader->resizeSection(c, m_defaultColWidth + m_gridLineWidth);
    }
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false); // lines are drawn with the cells
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false); // Tab is ours only with GridOption::Tabs
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    m_color = palette().color(QPalette::Base);
    m_fixedColor = palette().color(QPalette::Button);
    m_fontColor = palette().color(QPalette::WindowText);
    m_options = GridOption::FixedVertLine | GridOption::FixedHorzLine | GridOption::VertLine | GridOption::HorzLine
        | GridOption::RangeSelect;
    Traccia(routine, QStringLiteral("p1"));

    m_pnlBordoDestro = new QFrame(this);
    m_pnlBordoDestro->setObjectName(QStringLiteral("pnlBordoDestro"));
    m_pnlBordoDestro->setFrameShape(QFrame::NoFrame);
    m_pnlBordoDestro->setAutoFillBackground(true);
    m_pnlBordoDestro->hide();
    m_larghezzaBordo = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 4;
    Traccia(routine, QStringLiteral("p2"));

    SharedBitmaps& s = shared();
    if (s.liveGrids == 0) {
        initControlResources();
        for (std::size_t i = 0; i < bitmapNames.size(); ++i) {
            if (!s.bitmaps[i]) {
                s.bitmaps[i] = std::make_unique<QPixmap>(loadSharedBitmap(bitmapNames[i]));
            }
        }
    }
    ++s.liveGrids;
    Traccia(routine, QStringLiteral("..Nuovo dbsg_Count: %1").arg(s.liveGrids));

    relayoutRows();
    syncQtCurrent();
    Traccia(routine, QStringLiteral("fine"));
}

TA_DBStringGrid::~TA_DBStringGrid()
{
    const QString routine = QStringLiteral("TA_DBStringGrid.destroy - ") + objectName();
    Traccia(routine, QStringLiteral("p0"));
    // The editor goes first: its focus handling must not reach a half-destroyed grid.
    delete m_editor;
    m_editor = nullptr;
    SharedBitmaps& s = shared();
    if (--s.liveGrids == 0) {
        for (auto& bitmap : s.bitmaps) {
            bitmap.reset();
        }
    }
    Traccia(routine, QStringLiteral("fine"));
}

const QPixmap* TA_DBStringGrid::sharedBitmap(SharedBitmap which)
{
    const auto i = static_cast<std::size_t>(which);
    return i < bitmapNames.size() ? shared().bitmaps[i].get() : nullptr;
}

int TA_DBStringGrid::liveGridCount()
{
    return shared().liveGrids;
}

// ---- Data ----

int TA_DBStringGrid::Imposta_Dati(int columns, int rows)
{
    Dati.resize(qMax(columns, 0));
    for (QStringList& column : Dati) {
        column.resize(qMax(rows, 0));
    }
    return 1;
}

namespace {

// Hoare partition around the middle element's value (not stable). The scans
// are bounded so that an inconsistent comparison cannot run off the list,
// and the larger part is looped rather than recursed to bound the depth.
template <typename Compare> void sortOrder(int* a, int lo, int hi, const Compare& compare)
{
    while (lo < hi) {
        int i = lo;
        int j = hi;
        const int pivot = a[lo + (hi - lo) / 2];
        do {
            while (i < hi && compare(a[i], pivot) < 0) {
                ++i;
            }
            while (j > lo && compare(a[j], pivot) > 0) {
                --j;
            }
            if (i <= j) {
                std::swap(a[i], a[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - lo < hi - i) {
            sortOrder(a, lo, j, compare);
            lo = i;
        } else {
            sortOrder(a, i, hi, compare);
            hi = j;
        }
    }
}

} // namespace

int TA_DBStringGrid::Ordina()
{
    if (!OnSort_Reset) {
        return -2;
    }
    if (!OnSort_Calcolo) {
        return -3;
    }
    if (Dati.isEmpty() && !DataText) {
        return -4;
    }
    const int k = RowCount() - FixedRows();
    Ordine.clear();
    Ordine.reserve(k);
    for (int i = 0; i < k; ++i) {
        Ordine.append(i);
    }
    bool esito = true;
    OnSort_Reset(esito);
    if (!esito) {
        return 0;
    }
    // Copy the handler: it may not be reassigned while the sort runs on it.
    const auto calcolo = OnSort_Calcolo;
    const auto compare = [&calcolo](int A, int B) {
        int result = 0;
        calcolo(A, B, result);
        return result;
    };
    // Rows most often come in their order already (memos by ID): one look
    // along them spares the sort. Only a strictly rising run is left alone,
    // since the sort may exchange equal rows.
    bool rising = true;
    for (int i = 0; rising && i + 1 < k; ++i) {
        rising = compare(i, i + 1) < 0;
    }
    if (!rising) {
        sortOrder(Ordine.data(), 0, k - 1, compare);
    }
    return 1;
}

int TA_DBStringGrid::Pos_Dato(int n_riga) const
{
    if (n_riga < 0) {
        return -1;
    }
    if (n_riga >= Ordine.size()) {
        return -2;
    }
    return Ordine[n_riga];
}

int TA_DBStringGrid::Riga_Dato(int pos) const
{
    if (pos < 0) {
        return -1;
    }
    const qsizetype n = Ordine.indexOf(pos);
    return n < 0 ? -3 : static_cast<int>(n);
}

void TA_DBStringGrid::Pulisci_Celle()
{
    m_celleStabili = false;
    m_cells->clearCells();
    if (m_editorMode && m_editor && m_inplaceCol >= 0) {
        loadEditor();
    }
    m_celleStabili = true;
    viewport()->update();
    m_fixedHeader->viewport()->update();
}

void TA_DBStringGrid::showDataRows(int columns)
{
    m_cells->provideRows(FixedRows(), RowCount(), columns);
    if (m_editorMode && m_editor && m_inplaceCol >= 0 && m_inplaceCol < columns && m_inplaceRow >= FixedRows()) {
        loadEditor();
    }
    viewport()->update();
}

bool TA_DBStringGrid::dataText(int col, int d, QString& text) const
{
    if (DataText) {
        if (d < 0 || col < 0 || d >= qt_righe_Nette) {
            return false;
        }
        text = DataText(col, d);
        return true;
    }
    if (d < 0 || col < 0 || col >= Dati.size() || d >= Dati[col].size()) {
        return false;
    }
    text = Dati[col][d];
    return true;
}

bool TA_DBStringGrid::stepCell(int col, int row, bool forward)
{
    moveCurrent(col, row);
    if (m_col != col || m_row != row || !OnKeyDown) {
        return false;
    }
    int key = forward ? Qt::Key_Up : Qt::Key_Down;
    OnKeyDown(this, key, Qt::ControlModifier);
    return key == 0;
}

void TA_DBStringGrid::setColumnNames(const QStringList& names)
{
    m_cells->columnNames = names;
    emit m_cells->headerDataChanged(Qt::Horizontal, 0, qMax(0, ColCount() - 1));
}

// ---- Layout ----

bool TA_DBStringGrid::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress && m_options.testFlag(GridOption::Tabs)) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    const bool result = QTableView::event(e);
    if (e->type() == QEvent::Resize) {
        resizeStep();
    }
    return result;
}

void TA_DBStringGrid::resizeStep()
{
    if (Bordo_Destro_on) {
        updateBorderPanelGeometry();
    }
    if (Colonna_espansa >= 0 && Colonna_espansa < ColCount()) {
        int rest = 0;
        for (int c = 0; c < ColCount(); ++c) {
            if (c != Colonna_espansa) {
                rest += ColWidths(c);
            }
        }
        const int w = width() - rest - ColCount() * m_gridLineWidth - (Bordo_Destro_on ? m_larghezzaBordo : 1);
        if (w >= 0) {
            setColWidths(Colonna_espansa, w);
        }
    }
}

void TA_DBStringGrid::updateBorderPanelGeometry()
{
    // Placed as a child of the client area: x = width - panel width, inside the frame.
    const int f = frameWidth();
    const QRect place(f + width() - m_larghezzaBordo, f, m_larghezzaBordo, height());
    m_pnlBordoDestro->setGeometry(place.intersected(contentsRect()));
}

void TA_DBStringGrid::placeBorderPanel()
{
    if (!m_posizionaBordo) {
        return;
    }
    if (Bordo_Destro_on) {
        if (m_pnlBordoDestro->isHidden()) {
            updateBorderPanelGeometry();
            QPalette pal = m_pnlBordoDestro->palette();
            pal.setColor(QPalette::Window, palette().color(QPalette::Button));
            m_pnlBordoDestro->setPalette(pal);
            m_pnlBordoDestro->show();
            m_pnlBordoDestro->raise();
            // The scroll bars stay above it: it fills their strip only while they are hidden.
            verticalScrollBar()->parentWidget()->raise();
            horizontalScrollBar()->parentWidget()->raise();
        }
    } else {
        m_pnlBordoDestro->hide();
    }
    m_posizionaBordo = false;
}

void TA_DBStringGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    m_fixedHeader->viewport()->update();
    placeEditor();
}

void TA_DBStringGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeEditor();
}
