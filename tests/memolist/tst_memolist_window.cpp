#include "MemoListRig.h"
#include "controls/GridFixture.h"

#include "alarms/FDataOra.h"

#include "controls/A_DBStringGrid.h"
#include "controls/A_InplaceEdit.h"
#include "controls/HighlightLabel.h"
#include "engine/DueMoments.h"
#include "engine/ReminderEngine.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoListLayout.h"
#include "memolist/MemoListPanel.h"
#include "memolist/MemoPictures.h"
#include "memolist/TextWidths.h"
#include "memolist/WindowLayout.h"
#include "warnings/FWarnMemo.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMap>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVector3D>

namespace {

const QColor black(0, 0, 0);
const QColor green(0x00, 0x80, 0x00);
const QColor red(0xFF, 0x00, 0x00);
const QColor grey(0x80, 0x80, 0x80);
const QColor white(0xFF, 0xFF, 0xFF);

int widestOfEveryTime(const QString& format, const QFontMetrics& fm)
{
    int widest = 0;
    for (int minute = 0; minute < 24 * 60; ++minute)
        widest = qMax(widest, fm.horizontalAdvance(QTime(minute / 60, minute % 60).toString(format)));
    return widest;
}

// A shown main window whose memo grid holds `memos`.
struct Shown {
    MemoListRig rig;
    TfrmReminder* w = nullptr;
    MemoGrid* list = nullptr;
    TA_DBStringGrid* grid = nullptr;

    explicit Shown(const MemoList& memos = {}, const QString& scheme = QStringLiteral("Reminder"),
        const QString& localeName = QStringLiteral("it_IT"))
        : rig(localeName)
    {
        rig.putSetting(QStringLiteral("Tipo_colorazione"), scheme);
        w = &rig.start(memos);
        list = &w->memoGrid();
        grid = list->dbsgMemo();
        w->show();
        w->hideSplash();
        w->resize(620, 300);
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    QImage shot() const
    {
        grid->grab(); // the first paint places the right-border panel
        return grid->grab().toImage();
    }
    QRect cell(int col, int row) const
    {
        return grid->CellRect(col, row);
    }
    // A click at the upper or lower edge of a cell, where the user would. A
    // click on a date opens the date picker, which pickDay answers (by
    // default Esc: the date stays).
    void click(int col, int row, bool upper = true, Qt::MouseButton button = Qt::LeftButton)
    {
        if (col == COL_DATE && button == Qt::LeftButton) {
            QTimer::singleShot(0, [this] {
                auto* picker = qobject_cast<TfrmDataOra*>(QApplication::activeModalWidget());
                QVERIFY(picker);
                pickDay(picker);
            });
        }
        clickCell(grid, col, row, upper ? 1 : -1, {}, button);
    }
    std::function<void(TfrmDataOra*)> pickDay = [](TfrmDataOra* picker) {
        QTest::keyClick(picker->mtcCalendario()->findChild<QTableView*>(), Qt::Key_Escape);
    };
    void type(const QString& text)
    {
        QVERIFY(list->editorVisible());
        QTest::keyClicks(grid->Editor(), text);
        QTest::keyClick(grid->Editor(), Qt::Key_Return);
    }
    // Keys reach the control with the focus; the window sees them first.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == w ? focus : grid, k, mods);
    }
    MemoListPanel& panel() const
    {
        return w->memoList();
    }
    AppState& state() const
    {
        return w->state();
    }
    QStringList notes() const
    {
        return column(COL_TEXT);
    }
    QStringList column(int col) const
    {
        QStringList texts;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            texts.append(grid->Cells(col, r));
        return texts;
    }
};

// Pixels of text drawn in `ink` on white: smoothed text blends the two, so a
// pixel counts when it lies near the line from white to ink, at least 60% of
// the way (which keeps grey text apart from black).
int inkPixels(const QImage& image, const QRect& area, const QColor& ink)
{
    const QVector3D white(255, 255, 255);
    const QVector3D span = QVector3D(ink.red(), ink.green(), ink.blue()) - white;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const QVector3D d = QVector3D(p.red(), p.green(), p.blue()) - white;
            const float t = QVector3D::dotProduct(d, span) / span.lengthSquared();
            if (t >= 0.6f && t <= 1.1f && (d - t * span).length() < 30)
                ++n;
        }
    }
    return n;
}

bool onlyBackground(const QImage& image, const QRect& cell, const QColor& back)
{
    return countNear(image, cell, back, 1) == cell.width() * cell.height();
}

} // namespace

class TestMemoListWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*")));
    }

    void emptyListShowsHeaderAndBoldPlaceholder()
    {
        Shown s;
        QCOMPARE(s.grid->RowCount(), 2);
        QCOMPARE(s.grid->qt_righe_Nette, 1);
        QCOMPARE(s.grid->Cells(1, 1), QString("- nuovo promemoria -"));
        const QImage image = s.shot();
        const QRect text = s.cell(COL_TEXT, 1);
        // The new-memo picture in the first 25 pixels, then the text, as wide as in bold.
        QVERIFY(countNear(image, QRect(text.left(), text.top(), 25, text.height()), QColor(0x1b, 0x5e, 0x7a), 10) > 10);
        int right = -1;
        for (int x = text.left() + 25; x <= text.right(); ++x) {
            if (countNear(image, QRect(x, text.top(), 1, text.height()), black, 120) > 0)
                right = x;
        }
        QFont bold = s.grid->standardGridFont();
        bold.setBold(true);
        const QString placeholder = s.grid->Cells(COL_TEXT, 1);
        const int boldWidth = QFontMetrics(bold).horizontalAdvance(placeholder);
        QVERIFY2(boldWidth > QFontMetrics(s.grid->standardGridFont()).horizontalAdvance(placeholder) + 2,
            "the test font has no distinct bold face");
        QVERIFY(right - (text.left() + 25) >= boldWidth - 3);
        // The other cells are blank but for the focused one's frame, which
        // shows where keys go.
        QVERIFY(s.grid->hasFocus());
        for (int c = 0; c < MEMO_VISIBLE_COLUMNS; ++c) {
            if (c != 1)
                QVERIFY2(
                    onlyBackground(image, s.cell(c, 1), white) == (c != s.grid->Col()), qPrintable(QString::number(c)));
        }
    }

    // A memo text wider than its cell ends with an ellipsis short of the
    // cell's edge, not cut mid-letter at it.
    void longTextEndsWithAnEllipsis()
    {
        Shown s({memoOn(1, 0, QTime(), -5, 1, QString(200, u'W'))});
        const QImage image = s.shot();
        const QRect text = s.cell(COL_TEXT, 1);
        QVERIFY(!onlyBackground(image, QRect(text.left(), text.top(), text.width() / 2, text.height()), white));
        QVERIFY(onlyBackground(image, QRect(text.right() - 3, text.top(), 4, text.height()), white));
    }

    // Rows in ID order; without a time or an alarm the cells stay blank, and
    // a time with the alarm off is grey.
    void cellTextsInIdOrder()
    {
        Shown s({memoOn(7, 1, QTime(9, 0), 15), memoOn(3, -1, QTime(9, 0), 0), memoOn(5, 0, QTime(9, 0)),
            memoOn(INT_MAX, 2, QTime(), -5, 0), memoOn(6, 3, QTime(11, 0), -5, 0)});
        QCOMPARE(s.column(COL_ID), (QStringList{"3", "5", "6", "7", QString::number(INT_MAX), "-1"}));
        QCOMPARE(s.column(COL_ALARM), (QStringList{"1", "1", "0", "1", "0", ""}));
        QCOMPARE(s.column(COL_DATE), (QStringList{"Ieri", "Oggi", "06/06/24", "Domani", "05/06/24", ""}));
        QCOMPARE(s.column(COL_TIME), (QStringList{"09:00", "09:00", "11:00", "09:00", "", ""}));
        QCOMPARE(s.column(COL_ADVANCE), (QStringList{"0", "-5", "-5", "+15", "-5", ""}));
        // Rows 6 (the placeholder), 0 (the header) and 9 hold no memo.
        QCOMPARE((QList<int>{s.list->Memo_Della_Riga(1), s.list->Memo_Della_Riga(4), s.list->Memo_Della_Riga(6),
                     s.list->Memo_Della_Riga(0), s.list->Memo_Della_Riga(9)}),
            (QList<int>{1, 0, -1, -1, -1}));
        const QImage image = s.shot();
        for (int c : {COL_TIME, COL_ADVANCE, COL_ADVANCE_BUTTON})
            QVERIFY2(onlyBackground(image, s.cell(c, 5), white), qPrintable(QString::number(c)));
        QVERIFY(!onlyBackground(image, s.cell(COL_TIME_BUTTON, 5), white));
        QVERIFY(inkPixels(image, s.cell(COL_TIME, 3), grey) > 10);
        QCOMPARE(inkPixels(image, s.cell(COL_TIME, 3), black), 0);
        QVERIFY(onlyBackground(image, s.cell(COL_ADVANCE, 3), white));
        QVERIFY(inkPixels(image, s.cell(COL_TIME, 4), black) > 10);
        QVERIFY(inkPixels(image, s.cell(COL_ADVANCE, 4), black) > 5);
    }

    // A long list keeps no text per cell: the dates and times are made for
    // the rows drawn, and for a cell read (as a screen reader does), once per
    // day or time.
    void cellTextsMadeWhenAsked()
    {
        MemoList memos;
        for (int i = 0; i < 3000; ++i)
            memos.append(memoOn(i + 1, 2 + i, QTime(i / 60 % 24, i % 60)));
        Shown s(memos);
        s.shot();
        const int drawn = s.list->textsFormatted();
        QVERIFY2(drawn > 0 && drawn <= 2 * (s.grid->VisibleRowCount() + 2), qPrintable(QString::number(drawn)));
        const int last = s.grid->RowCount() - 2;
        QCOMPARE(s.grid->Cells(COL_DATE, last),
            QLocale(QStringLiteral("it_IT")).toString(QDate(2024, 6, 3).addDays(3001), QLocale::ShortFormat));
        const QModelIndex cell = s.grid->model()->index(last - s.grid->FixedRows(), COL_TIME);
        QCOMPARE(cell.data(Qt::AccessibleTextRole).toString(), QString("01:59"));
        QCOMPARE(s.list->textsFormatted(), drawn + 2);
        s.grid->Cells(COL_DATE, last);
        QCOMPARE(s.list->textsFormatted(), drawn + 2);
    }

    // A right-aligned number never loses its first characters: its column
    // grows, and the text column gives the room back.
    void numbersShownWhole()
    {
        const struct {
            QString localeName;
            QTime time;
            qint32 anticipo;
        } rows[] = {
            {"it_IT", QTime(9, 0), 1440},    // offset +1440
            {"it_IT", QTime(9, 0), INT_MIN}, // smallest offset
            {"en_US", QTime(22, 45), 0},     // US afternoon
            {"en_GB", QTime(23, 59), -5},
            {"de_DE", QTime(0, 0), 30},
        };
        for (const auto& r : rows) {
            Shown s({memoOn(1, 3, r.time, r.anticipo)}, QStringLiteral("Reminder"), r.localeName);
            const QFontMetrics fm(s.grid->standardGridFont(), s.grid->viewport());
            for (int c : {COL_TIME, COL_ADVANCE}) {
                const QString text = s.grid->Cells(c, 1);
                QVERIFY2(fm.horizontalAdvance(text) + 5 <= s.grid->ColWidths(c), qPrintable(text));
            }
            // Any time typed later fits as well.
            const QString format = QLocale(r.localeName).timeFormat(QLocale::ShortFormat);
            QVERIFY2(widestOfEveryTime(format, fm) + 5 <= s.grid->ColWidths(COL_TIME), qPrintable(format));
            QVERIFY(s.grid->columnViewportPosition(COL_ADVANCE_BUTTON) + s.grid->ColWidths(COL_ADVANCE_BUTTON)
                <= s.grid->viewport()->width());
        }
    }

    // The time column is sized from a few texts rather than all 1,440: the
    // width must be the one measuring every time of the day gives.
    void widestTimeOfTheDay()
    {
        QFont bold(QStringLiteral("DejaVu Serif"), 13);
        bold.setBold(true);
        const QFont fonts[] = {QApplication::font(), bold, QFont(QStringLiteral("Liberation Sans"), 9)};
        const QString formats[] = {
            QStringLiteral("HH:mm"),           // it_IT, en_GB, de_DE
            QStringLiteral("h:mm AP"),         // en_US
            QStringLiteral("AP h:mm"),         // the half of the day first
            QStringLiteral("h.mm ap"),         // lower case, another separator
            QStringLiteral("H:mm:ss"),         // seconds, always :00
            QStringLiteral("HH'h'mm"),         // a quoted letter between
            QStringLiteral("H\u6642mm\u5206"), // beyond Latin-1: every text measured
            QStringLiteral("H"),               // one character
        };
        for (const QFont& font : fonts) {
            const QFontMetrics fm(font);
            for (const QString& format : formats) {
                QCOMPARE(widestTimeWidth(format, fm), widestOfEveryTime(format, fm));
            }
        }
    }

    // An idle tick draws nothing; one that turns a memo imminent draws it.
    void tickDrawsOnlyAChangedColour()
    {
        struct Paints : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                count += e->type() == QEvent::Paint;
                return false;
            }
        } paints;
        Shown s({memoOn(1, 0, QTime(10, 30), 0)});
        s.list->followClock();
        QTest::qWait(50);
        s.grid->viewport()->installEventFilter(&paints);
        s.rig.clock.set(at(2024, 6, 3, 9, 50, 3));
        s.list->followClock();
        QTest::qWait(50);
        QCOMPARE(paints.count, 0);
        s.rig.clock.set(at(2024, 6, 3, 10, 0));
        s.list->followClock();
        QTRY_VERIFY(paints.count > 0);
    }

    // The urgency states in their scheme colours, on every text cell.
    void urgencyColours()
    {
        const struct {
            int days;
            QTime due;
            bool done;
            QTime now;
            QColor colour;
        } rows[] = {
            {0, QTime(10, 0), false, QTime(9, 35), green}, // 09:35 imminent
            {0, QTime(), false, QTime(9, 50), green},      // today without time
            {0, QTime(10, 0), false, QTime(10, 5), red},   // 10:05 overdue
            {-5, QTime(8, 0), true, QTime(9, 50), black},  // done and overdue
        };
        for (const auto& r : rows) {
            REC_Memo m = memoOn(1, r.days, r.due, -5);
            m.Eseguito = r.done ? 1 : 0;
            Shown s({m});
            s.rig.clock.set(QDateTime(QDate(2024, 6, 3), r.now, QTimeZone::utc()));
            const QImage image = s.shot(); // drawing takes the state at paint time
            for (int c : {COL_TEXT, COL_DATE, COL_TIME, COL_ADVANCE}) {
                if (s.grid->Cells(c, 1).isEmpty())
                    continue;
                QVERIFY2(inkPixels(image, s.cell(c, 1), r.colour) > 5, qPrintable(QString::number(c)));
                for (const QColor& other : {black, green, red}) {
                    if (other != r.colour)
                        QCOMPARE(inkPixels(image, s.cell(c, 1), other), 0);
                }
            }
            // The done box shows the ticked picture.
            QCOMPARE(countNear(image, s.cell(COL_DONE, 1), QColor(0x2e, 0x9b, 0x4f), 20) > 20, r.done);
        }
    }

    void onlyTheFirstShowRebuildsButEveryShowAppliesTheScheme()
    {
        Shown s({memoOn(1, 1)});
        s.w->state().ArrMemo.append(memoOn(2, 1));
        s.w->hide();
        s.w->state().settings.Tipo_colorazione = "Verde";
        QCOMPARE(s.grid->Color(), white);
        s.w->show();
        QCOMPARE(s.grid->RowCount(), 3);
        QCOMPARE(s.grid->Color(), QColor(0xCB, 0xE4, 0xE4));
        s.list->Aggiorna_Griglia();
        QCOMPARE(s.grid->RowCount(), 4);
        // A shorter list leaves nothing of the longer one behind.
        s.w->state().ArrMemo.clear();
        s.list->Aggiorna_Griglia();
        QCOMPARE(s.column(COL_ALARM), QStringList{""});
    }

    // An unknown scheme draws with the first over the design colours; > and <
    // step the schemes, which colour the header, the rows and the icon bar; a
    // later scheme of the same name wins.
    void schemeColours()
    {
        Shown s({memoOn(1, 3), memoOn(2, 3)}, "Arancio");
        s.list->RigaCorrente = 1;
        auto* bar = s.w->findChild<QWidget*>("pnlIcone");
        QVERIFY(bar);
        // Header, current row, another row and icon bar: as drawn, and as a scheme has them.
        const auto seen = [&] {
            const QImage image = s.shot();
            return QList<QColor>{image.pixelColor(s.cell(0, 0).center()),
                image.pixelColor(s.cell(COL_DATE_BUTTON, 1).topLeft()),
                image.pixelColor(s.cell(COL_DATE_BUTTON, 2).topLeft()), bar->grab().toImage().pixelColor(1, 5)};
        };
        const auto of = [](const TColorazione& c, ColourValue grid, ColourValue icons) {
            return QList<QColor>{QColor::fromRgb(c.ColoreIntestazione), QColor::fromRgb(c.ColoreRigaCorrente),
                QColor::fromRgb(grid), QColor::fromRgb(icons)};
        };
        ColorazioneList& list = s.state().ArrColorazioni;
        QCOMPARE(seen(), of(list.first(), DESIGN_GRID_COLOUR, DESIGN_ICON_BAR_COLOUR));
        QTest::keyClick(s.grid, '>');
        QCOMPARE(seen(), of(list[1], list[1].ColoreGriglia, list[1].ColoreBarraIcone));
        QTest::keyClick(s.w, '<'); // the window itself takes them too
        QTest::keyClick(s.w, '<');
        QCOMPARE(s.state().settings.Tipo_colorazione, list.last().Nome);
        QCOMPARE(seen(), of(list.last(), list.last().ColoreGriglia, list.last().ColoreBarraIcone));
        TColorazione twin = list.last();
        twin.ColoreGriglia = 0xFF102030;
        twin.ColoreIntestazione = 0xFF405060;
        list.append(twin);
        s.list->Applica_Colorazione();
        QCOMPARE(seen(), of(twin, twin.ColoreGriglia, twin.ColoreBarraIcone));

        // The keys need the switch, and an open editor takes them as text.
        s.state().config.MODIFICA_COLORI_ON = false;
        QTest::keyClick(s.grid, '>');
        QCOMPARE(s.state().settings.Tipo_colorazione, twin.Nome);
        s.state().config.MODIFICA_COLORI_ON = true;
        s.grid->OnEditor_on = [](TA_DBStringGrid*, bool& can) { can = true; };
        s.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.w));
        s.grid->setFocus();
        s.grid->setCol(COL_TEXT);
        s.grid->setRow(1);
        s.grid->Mostra_Editor();
        QVERIFY(s.list->editorVisible());
        QTest::keyClick(s.grid->Editor(), '>');
        QCOMPARE(s.state().settings.Tipo_colorazione, twin.Nome);
        QVERIFY(s.grid->Editor()->text().endsWith('>'));
    }

    // A text typed into a cell, or (no text) a click in its upper or lower
    // half; the date picker opens on the memo's date and the 14th is clicked.
    void cellEdits()
    {
        const REC_Memo at10 = memoOn(1, 0, QTime(10, 0));
        REC_Memo eve = at10;
        eve.Data = DayNumbers::fromDate(QDate(2024, 12, 31));
        const struct {
            REC_Memo before;
            int col;
            bool upper;
            QString typed;
            QStringList shown; // text, alarm, date, time, offset
        } rows[] = {
            {at10, COL_TEXT, true, "Dentista", {"Dentista", "1", "Oggi", "10:00", "-5"}}, // text
            // date + on 31 December
            {eve, COL_DATE_BUTTON, true, {}, {"memo 1", "1", "01/01/25", "10:00", "-5"}},
            // time - on 00:02 step 5
            {memoOn(1, 3, QTime(0, 2)), COL_TIME_BUTTON, false, {}, {"memo 1", "1", "06/06/24", "23:57", "-5"}},
            // date picked
            {memoOn(1, 3, QTime(10, 0)), COL_DATE, true, {}, {"memo 1", "1", "14/06/24", "10:00", "-5"}},
        };
        for (const auto& r : rows) {
            Shown s({r.before});
            s.w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(s.w));
            s.pickDay = [&](TfrmDataOra* picker) {
                QCOMPARE(picker->mtcCalendario()->selectedDate(), DayNumbers::toDate(r.before.Data));
                QCOMPARE(picker->mtcCalendario()->locale().language(), QLocale::Italian);
                picker->mtcCalendario()->setSelectedDate(QDate(2024, 6, 14));
                QTest::keyClick(picker->mtcCalendario()->findChild<QTableView*>(), Qt::Key_Return);
            };
            s.state().DaSalvare = false;
            s.click(r.col, 1, r.upper);
            QCOMPARE(s.list->editorVisible(), !r.typed.isNull());
            if (!r.typed.isNull()) {
                QCOMPARE(s.grid->Col(), r.col);
                s.grid->Editor()->selectAll();
                s.type(r.typed);
                QVERIFY(!s.list->editorVisible());
                QCOMPARE(s.grid->Col(), 0);
            }
            QStringList cells;
            for (int c : {COL_TEXT, COL_ALARM, COL_DATE, COL_TIME, COL_ADVANCE})
                cells.append(s.grid->Cells(c, 1));
            QCOMPARE(cells, r.shown);
            QCOMPARE(s.state().ArrMemo[0].Attivo, r.shown[1].toInt());
            QVERIFY(s.state().DaSalvare); // the keys or the click reached the grid
            QCOMPARE(s.list->RigaCorrente, 1);
            QVERIFY(s.panel().btnSuUno->isEnabled());
        }
    }

    // Each editable cell in three regions: left as it opened it changes
    // nothing (no time lost, no seconds dropped, no warning re-armed); typed,
    // the time reads back in the form the cell shows it.
    void editableCellsInEachLocale()
    {
        const REC_Memo memo = memoOn(1, 3, QTime(22, 0, 37), 0);
        const QStringList locales{"it_IT", "en_GB", "en_US"};
        struct Row {
            QString locale;
            int col;
            QString typed; // null: the cell is left as it opened
            QString shown;
        };
        QList<Row> rows;
        for (const QString& name : locales) {
            rows.append({name, COL_TEXT, {}, "memo 1"});
            rows.append({name, COL_TIME, {}, name == "en_US" ? "10:00 PM" : "22:00"});
            rows.append({name, COL_ADVANCE, {}, "0"});
            rows.append({name, COL_TIME, "6.45pm", name == "en_US" ? "6:45 PM" : "18:45"});
        }
        rows.append({"it_IT", COL_TIME, "18.30", "18:30"});
        rows.append({"en_GB", COL_TIME, "1030pm", "22:30"});
        rows.append({"en_US", COL_TIME, "10:00 AM", "10:00 AM"});
        rows.append({"en_US", COL_TIME, "12:15 am", "12:15 AM"});
        rows.append({"en_US", COL_TIME, "13:00 PM", ""}); // no such hour: the time goes, the alarm too
        rows.append({"en_US", COL_ADVANCE, "+10", "+10"});
        rows.append({"en_US", COL_TEXT, "Dentista", "Dentista"});
        for (const Row& r : rows) {
            Shown s({memo}, QStringLiteral("Reminder"), r.locale);
            s.w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(s.w));
            s.state().ArrAvvisi = {{AVVISO_MEMO, 1, STATO_MOSTRATO}};
            s.click(r.col, 1);
            QVERIFY2(s.list->editorVisible(), qPrintable(r.locale));
            if (!r.typed.isNull())
                s.grid->Editor()->selectAll();
            s.type(r.typed);
            QCOMPARE(s.grid->Cells(r.col, 1).replace(QChar(0x202F), u' '), r.shown);
            const REC_Memo& after = s.state().ArrMemo[0];
            if (r.typed.isNull()) {
                QVERIFY2(after == memo, qPrintable(r.locale + " " + r.shown));
                QCOMPARE(s.state().ArrAvvisi[0].Stato, STATO_MOSTRATO);
            } else if (r.col == COL_TIME) {
                QCOMPARE(after.TipoOrario, r.shown.isEmpty() ? ORARIO_ASSENTE : ORARIO_PRESENTE);
                QCOMPARE(after.Attivo, r.shown.isEmpty() ? 0 : 1);
            }
        }
    }

    // F3, a text typed and no Enter: every way out of the editor leaves the
    // text in the memo, and an exit saves it. Offscreen there is no tray, so
    // Esc and the close box ask the exit question (answered No).
    void typedTextKeptByEveryWayOut()
    {
        const QStringList ways{"Enter", "Down", "Tab", "click", "F3", "F7", "F8", "F2", "move", "Escape", "close box",
            "hide", "deactivate", "Chiudi", "session end"};
        for (const QString& way : ways) {
            Shown s({memoOn(1, 3)});
            s.w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(s.w));
            if (way == "move")
                s.click(COL_DATE_BUTTON, 1); // a current memo, for the move buttons
            s.key(Qt::Key_F3);
            QVERIFY(s.list->editorVisible());
            QTest::keyClicks(s.grid->Editor(), "Dal medico");
            if (way == "F2") {
                QTimer::singleShot(0, [] {
                    QVERIFY(QApplication::activeModalWidget());
                    QApplication::activeModalWidget()->close();
                });
            }
            const QMap<QString, Qt::Key> keys{{"Enter", Qt::Key_Return}, {"Down", Qt::Key_Down}, {"Tab", Qt::Key_Tab},
                {"F3", Qt::Key_F3}, {"F7", Qt::Key_F7}, {"F8", Qt::Key_F8}, {"F2", Qt::Key_F2},
                {"Escape", Qt::Key_Escape}};
            QWidget other;
            s.state().settings.Chiedi_conferma_cancellazione = 1; // F8 asks, answered No
            if (keys.contains(way)) {
                s.key(keys[way]);
            } else if (way == "click") {
                s.click(COL_DONE, 2);
            } else if (way == "move") {
                QTest::mouseClick(s.panel().btnGiuTutto, Qt::LeftButton);
            } else if (way == "close box") {
                s.w->close();
            } else if (way == "hide") {
                s.w->hide();
            } else if (way == "deactivate") {
                other.show();
                other.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&other));
            } else if (way == "Chiudi") {
                s.rig.boxes.setNextAnswer(Answer::Yes);
                s.w->popChiudiClick();
            } else {
                s.w->endSession();
            }
            QVERIFY2(s.list->editorVisible() == (way == "F3"), qPrintable(way)); // F3 opens the next one
            QStringList notes;
            for (const REC_Memo& m : s.state().ArrMemo)
                notes.append(m.Nota);
            QVERIFY2(notes.contains("Dal medico"), qPrintable(way + ": " + notes.join(", ")));
            if (way == "F8")
                QVERIFY(s.rig.boxes.texts().value(0).contains("\r\nDal medico del "));
            if (way == "Chiudi" || way == "session end") {
                QFile store(s.rig.dir.filePath("Store.dat"));
                QVERIFY(store.open(QIODevice::ReadOnly));
                QVERIFY2(store.readAll().contains("#_NT:Dal medico\t"), qPrintable(way));
            }
        }
    }

    void windowKeys()
    {
        const QStringList three{"memo 1", "memo 2", "memo 3", "- nuovo promemoria -"};
        const int shift = int(Qt::ShiftModifier);
        const struct {
            int current;     // grid row clicked first, 0 for none
            QList<int> keys; // key | modifiers
            QStringList notes;
            int riga;
        } rows[] = {
            // Shift+PgDn on the first of three
            {1, QList<int>{Qt::Key_PageDown | shift}, QStringList{"memo 2", "memo 3", "memo 1", "- nuovo promemoria -"},
                3},
            // Shift+PgUp, Shift+Down
            {3, QList<int>{Qt::Key_PageUp | shift, Qt::Key_Down | shift},
                QStringList{"memo 1", "memo 3", "memo 2", "- nuovo promemoria -"}, 2},
            // other Shift keys are dropped
            {2, QList<int>{Qt::Key_Right | shift, Qt::Key_Home | shift, Qt::Key_Tab | shift}, three, 2},
            // F8 on the last of three
            {3, QList<int>{Qt::Key_F8}, QStringList{"memo 1", "memo 2", "- nuovo promemoria -"}, 2},
            // F7 sorts by date
            {1, QList<int>{Qt::Key_F7}, QStringList{"memo 3", "memo 1", "memo 2", "- nuovo promemoria -"}, 2},
            {0, QList<int>{Qt::Key_F3 | int(Qt::ControlModifier)}, three, -1}, // Ctrl+F3 is no command
        };
        for (const auto& r : rows) {
            Shown s({memoOn(1, 0, QTime(10, 0)), memoOn(2, 1, QTime(9, 0)), memoOn(3, 0, QTime(8, 0))});
            s.state().settings.Chiedi_conferma_cancellazione = 0;
            s.grid->setFocus();
            if (r.current > 0)
                s.click(COL_DONE, r.current);
            for (int k : r.keys)
                s.key(Qt::Key(k & ~Qt::KeyboardModifierMask), Qt::KeyboardModifiers(k & Qt::KeyboardModifierMask));
            QCOMPARE(s.notes(), r.notes);
            QCOMPARE(s.list->RigaCorrente, r.riga);
            QCOMPARE(s.grid->Col(), 0);
        }
    }

    // Keys on a cell do what a click on it does: Space on the marks, Ctrl+Up
    // and Ctrl+Down on a value or its stepper, Alt+Down on the date. Plain
    // arrows only move.
    void cellKeys()
    {
        const int ctrl = int(Qt::ControlModifier);
        const struct {
            int col;
            int key;           // key | modifiers
            QList<int> change; // Eseguito, Attivo, days, minutes, Anticipo
            bool picker;
            QString action = {}; // a screen reader's action on the cell instead of the key
        } rows[] = {
            {COL_DONE, Qt::Key_Space, {1, -1, 0, 0, 0}, false}, // done disarms
            {COL_ALARM, Qt::Key_Space, {0, -1, 0, 0, 0}, false},
            {COL_DATE, Qt::Key_Up | ctrl, {0, 0, 1, 0, 0}, false},
            {COL_DATE_BUTTON, Qt::Key_Down | ctrl, {0, 0, -1, 0, 0}, false},
            {COL_TIME, Qt::Key_Up | ctrl, {0, 0, 0, 15, 0}, false}, // the editor open on it
            {COL_TIME_BUTTON, Qt::Key_Down | ctrl, {0, 0, 0, -15, 0}, false},
            {COL_ADVANCE, Qt::Key_Down | ctrl, {0, 0, 0, 0, -1}, false},
            {COL_ADVANCE_BUTTON, Qt::Key_Up | ctrl, {0, 0, 0, 0, 1}, false},
            {COL_DATE, Qt::Key_Down | int(Qt::AltModifier), {0, 0, 2, 0, 0}, true},
            {COL_DATE_BUTTON, Qt::Key_Up, {0, 0, 0, 0, 0}, false},
            {COL_TEXT, Qt::Key_Space, {0, 0, 0, 0, 0}, false}, // typed into the text
            // A screen reader presses a +/- cell of another row: forwards, as Ctrl+Up.
            {COL_DATE_BUTTON, 0, {0, 0, 1, 0, 0}, false, QAccessibleActionInterface::pressAction()},
            {COL_TIME_BUTTON, 0, {0, 0, 0, 15, 0}, false, QAccessibleActionInterface::increaseAction()},
            {COL_ADVANCE_BUTTON, 0, {0, 0, 0, 0, 1}, false, QAccessibleActionInterface::pressAction()},
            {COL_DATE_BUTTON, 0, {0, 0, -1, 0, 0}, false, QAccessibleActionInterface::decreaseAction()},
        };
        for (const auto& r : rows) {
            Shown s({memoOn(1, 0, QTime(10, 0)), memoOn(2, 1, QTime(9, 0))});
            s.state().settings.Incremento_orario_piu_meno = 15;
            s.grid->setFocus();
            s.grid->setRow(2);
            s.grid->setCol(r.col);
            const REC_Memo before = s.state().ArrMemo[1];
            bool picked = false;
            s.pickDay = [&picked](TfrmDataOra* picker) {
                picked = true;
                QTest::keyClick(picker->mtcCalendario()->findChild<QTableView*>(), Qt::Key_Right);
                QTest::keyClick(picker->mtcCalendario()->findChild<QTableView*>(), Qt::Key_Right);
                QTest::keyClick(picker->mtcCalendario()->findChild<QTableView*>(), Qt::Key_Return);
            };
            if (r.picker) {
                QTimer::singleShot(0, [&s] {
                    auto* picker = qobject_cast<TfrmDataOra*>(QApplication::activeModalWidget());
                    QVERIFY(picker);
                    s.pickDay(picker);
                });
            }
            if (r.action.isEmpty()) {
                s.key(Qt::Key(r.key & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(r.key & Qt::KeyboardModifierMask));
            } else {
                s.grid->setRow(1);
                QAccessibleInterface* cell
                    = QAccessible::queryAccessibleInterface(s.grid)->tableInterface()->cellAt(1, r.col);
                QCOMPARE(cell->role(), QAccessible::Button);
                QVERIFY(cell->actionInterface());
                cell->actionInterface()->doAction(r.action);
                QCOMPARE(s.grid->Row(), 2);
            }
            const REC_Memo& after = s.state().ArrMemo[1];
            const QList<int> change{after.Eseguito - before.Eseguito, after.Attivo - before.Attivo,
                int(after.Data - before.Data),
                int(std::lround((after.Orario - before.Orario) * MS_PER_DAY / MS_PER_MINUTE)),
                after.Anticipo - before.Anticipo};
            QCOMPARE(change, r.change);
            QCOMPARE(picked, r.picker);
            QCOMPARE(s.state().ArrMemo[0].Data, DayNumbers::fromDate(QDate(2024, 6, 3))); // the other memo stays
            QCOMPARE(s.grid->Col(), r.col == COL_DATE_BUTTON && !(r.key & ctrl) ? COL_DATE_BUTTON : r.col);
            // The current row is the one a screen reader hears as selected.
            QVERIFY(s.grid->selectionModel()->isRowSelected(s.grid->Row() - s.grid->FixedRows(), {}));
        }
    }

    void f3InsertsAboveTheCurrentWithTheEditorOpen()
    {
        Shown s({memoOn(1, 0), memoOn(2, 0), memoOn(3, 0)});
        s.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.w));
        s.click(COL_DONE, 2, true, Qt::RightButton); // any button marks the save, only the left one selects
        QVERIFY(s.state().DaSalvare);
        QCOMPARE(s.list->RigaCorrente, -1);
        s.state().DaSalvare = false;
        s.click(COL_DATE, 2);
        s.key(Qt::Key_F3);
        QVERIFY(s.state().DaSalvare);
        QVERIFY(s.list->editorVisible());
        QCOMPARE(s.grid->Row(), 2);
        QCOMPARE(s.grid->Col(), COL_TEXT);
        QCOMPARE(s.list->RigaCorrente, 2);
        s.type("in mezzo");
        QCOMPARE(s.notes(), (QStringList{"memo 1", "in mezzo", "memo 2", "memo 3", "- nuovo promemoria -"}));
        // A click on the placeholder adds a memo there, the editor open on it.
        s.click(COL_TEXT, 5);
        QCOMPARE(s.grid->Row(), 5);
        s.type("Nuovo");
        QCOMPARE(s.notes().mid(3), (QStringList{"memo 3", "Nuovo", "- nuovo promemoria -"}));
        // A click outside every cell leaves no memo current.
        QTest::mouseClick(
            s.grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, s.grid->viewport()->height() - 3));
        QCOMPARE(s.list->RigaCorrente, -1);
        QVERIFY(!s.panel().btnSuUno->isEnabled());
    }

    // In English the grid's words, the guide and the delete question change.
    void englishWindow()
    {
        Shown s({memoOn(1, 0), memoOn(2, 4, QTime(), -5, 1, "Dentista")});
        QTest::mouseClick(s.panel().imgHelp, Qt::LeftButton);
        s.state().settings.Lingua_attuale = languageEnglish();
        QCOMPARE(s.w->Testi_Lingua(), 1);
        s.list->Aggiorna_Griglia();
        QCOMPARE(s.column(COL_DATE), (QStringList{"Today", "07/06/24", ""}));
        QCOMPARE(s.notes().last(), QString("- new memo -"));
        // What a screen reader hears: headers by meaning, marks in words and checked, steppers by what they step.
        const QAbstractItemModel* m = s.grid->model();
        QCOMPARE(m->headerData(COL_DONE, Qt::Horizontal).toString(), QString("Done"));
        QCOMPARE(m->headerData(COL_ALARM, Qt::Horizontal, Qt::AccessibleTextRole).toString(), QString("Alarm"));
        const QModelIndex bell = m->index(1, COL_ALARM);
        QCOMPARE(bell.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(bell.data(Qt::AccessibleTextRole).toString(), QString("Alarm on"));
        QCOMPARE(m->index(0, COL_DONE).data(Qt::AccessibleTextRole).toString(), QString("Not done"));
        QCOMPARE(
            m->index(0, COL_DATE_BUTTON).data(Qt::AccessibleTextRole).toString(), QString("Date one day on or back"));
        QVERIFY(!m->index(2, COL_DONE).data(Qt::CheckStateRole).isValid()); // the new-memo row has no mark
        // The same through the grid's own table, as the desktop's bridge reads it.
        QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(s.grid)->tableInterface();
        QCOMPARE(table->rowCount(), 3);
        const struct {
            int row, col;
            QAccessible::Role role;
            QString name;
            bool checkable, checked;
        } cells[] = {
            {1, COL_ALARM, QAccessible::Cell, "Alarm on", true, true},
            {0, COL_DONE, QAccessible::Cell, "Not done", true, false},
            {0, COL_DATE_BUTTON, QAccessible::Button, "Date one day on or back", false, false},
            {1, COL_ADVANCE_BUTTON, QAccessible::Button, "Offset one minute more or less", false, false},
            {2, COL_DONE, QAccessible::Cell, "", false, false}, // the new-memo row: no mark
            {2, COL_ALARM, QAccessible::Cell, "", false, false},
            {2, COL_DATE_BUTTON, QAccessible::Cell, "", false, false},      // nothing to step there
            {2, COL_TEXT, QAccessible::Cell, "- new memo -", false, false}, // the cell's own text
        };
        for (const auto& c : cells) {
            QAccessibleInterface* cell = table->cellAt(c.row, c.col);
            QCOMPARE(cell->role(), c.role);
            QCOMPARE(cell->text(QAccessible::Name), c.name);
            QCOMPARE(cell->state().checkable, c.checkable);
            QCOMPARE(cell->state().checked, c.checked);
            QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
                m->headerData(c.col, Qt::Horizontal).toString());
        }
        QTest::mouseClick(s.panel().imgHelp, Qt::LeftButton);
        QCOMPARE(s.rig.launcher.calls, (QStringList{"help 1", "help 2"}));
        s.state().settings.Chiedi_conferma_cancellazione = 1;
        s.click(COL_DATE, 2); // selects; Esc leaves the date as it was
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            s.rig.boxes.setNextAnswer(answer);
            QTest::mouseClick(s.panel().imgCancella, Qt::LeftButton);
            QCOMPARE(s.state().ArrMemo.size(), answer == Answer::No ? 2 : 1);
        }
        const QString question = "Are you sure you want to delete the memo\r\nDentista of 07/06/24?";
        QCOMPARE(s.rig.boxes.texts(), (QStringList{question, question}));
        QCOMPARE(s.notes(), (QStringList{"memo 1", "- new memo -"}));
    }

    void iconsAndButtons()
    {
        Shown s({memoOn(1, 3), memoOn(2, 3)});
        MemoListPanel& p = s.panel();
        QCOMPARE(p.imgCancella->pixmap().toImage(), s.w->pictures().imgCancella_Disabled.toImage());
        for (QToolButton* b : {p.btnSuTutto, p.btnGiuTutto, p.btnSuUno, p.btnGiuUno})
            QVERIFY(!b->isEnabled());

        s.click(COL_DATE, 1); // selects; Esc leaves the date as it was
        QCOMPARE(p.imgCancella->pixmap().toImage(), s.w->pictures().imgCancella_Enabled.toImage());
        QTest::mouseClick(p.btnGiuUno, Qt::LeftButton);
        QCOMPARE(s.notes(), (QStringList{"memo 2", "memo 1", "- nuovo promemoria -"}));
        QCOMPARE(s.list->RigaCorrente, 2);

        QSignalSpy sveglie(&p, &MemoListPanel::sveglieRequested);
        QSignalSpy opzioni(&p, &MemoListPanel::opzioniRequested);
        s.grid->setCol(COL_TEXT);
        s.grid->Mostra_Editor();
        const auto closeNextWindow = [] {
            QTimer::singleShot(0, [] {
                QVERIFY(QApplication::activeModalWidget());
                QApplication::activeModalWidget()->close();
            });
        };
        closeNextWindow();
        QTest::mouseClick(p.imgSveglie, Qt::LeftButton);
        QVERIFY(!s.list->editorVisible()); // closed before another window opens
        closeNextWindow();
        s.key(Qt::Key_F2);
        closeNextWindow(); // F4 and the mail icon are the options' and the mail window's tests
        QTest::mouseClick(p.imgProprieta, Qt::LeftButton);
        QCOMPARE((QList<int>{int(sveglie.count()), int(opzioni.count())}), (QList<int>{2, 1}));

        QTest::mouseClick(p.imgNuovo, Qt::LeftButton);
        QCOMPARE(s.state().ArrMemo.size(), 3);
        QTest::mouseClick(p.imgSort, Qt::LeftButton);
        QCOMPARE(s.grid->Col(), 0);

        // By keys: Tab leaves the grid for the buttons, each named by its
        // hint without the key, and Space or Enter presses one.
        s.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.w));
        s.grid->setFocus();
        QTest::keyClick(s.grid, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != s.grid);
        QCOMPARE(p.imgNuovo->accessibleName(), QString("Nuovo promemoria"));
        QCOMPARE(p.imgNuovo->accessibleDescription(), QString("Nuovo promemoria (F3)"));
        QCOMPARE(p.btnSuUno->accessibleName(), QString("Sposta il promemoria più in alto"));
        for (const Qt::Key k : {Qt::Key_Space, Qt::Key_Return}) {
            const qsizetype before = s.state().ArrMemo.size();
            p.imgNuovo->setFocus(Qt::TabFocusReason);
            QTest::keyClick(p.imgNuovo, k);
            QTRY_COMPARE(s.state().ArrMemo.size(), before + 1);
            s.list->dbsgMemo()->Nascondi_Editor();
        }
        QSignalSpy link(&p, &MemoListPanel::linkClicked); // the link below the grid too
        QCOMPARE(p.hglLink->focusPolicy(), Qt::TabFocus);
        QTest::keyClick(p.hglLink, Qt::Key_Space);
        QCOMPARE(link.count(), 1);
    }

    // A memo warning open on memo 2; F3 inserts above it; the warning's
    // "done" must mark memo 2's text, not the new memo that took its ID.
    void warningFollowsItsMemoWhenIdsAreRenumbered()
    {
        Shown s({memoOn(1, 3), memoOn(2, 0, QTime(10, 0), -5, 1, "Dentista"), memoOn(3, 3)});
        s.rig.clock.set(at(2024, 6, 3, 9, 55, 30));
        s.w->engine().TimerTimer(); // the first tick empties the queue
        s.w->engine().TimerTimer();
        QCOMPARE(s.w->engine().ArrWarnMemo().size(), 1);
        auto* warning = dynamic_cast<TfrmWarnMemo*>(s.w->engine().ArrWarnMemo().first());
        QVERIFY(warning);
        s.click(COL_DATE, 2); // selects; Esc leaves the date as it was
        s.key(Qt::Key_F3);
        QCOMPARE(s.state().ArrMemo.last().ID, 2);
        warning->btnEseguitoClick();
        QStringList done;
        for (const REC_Memo& m : s.state().ArrMemo) {
            if (m.Eseguito == 1)
                done.append(m.Nota);
        }
        QCOMPARE(done, QStringList{"Dentista"});
        QVERIFY(warning->isFinished()); // its only line went with the action
    }

    // Narrower than the picture the banner is scaled down whole; wider, it is shown as it is, centred.
    void bannerFitsTheWindow()
    {
        MemoListRig rig;
        QFile real(QStringLiteral(":/bitmaps/BANNER"));
        QVERIFY(real.open(QIODevice::ReadOnly));
        rig.resources.bitmaps.insert(QStringLiteral("BANNER"), real.readAll());
        TfrmReminder& w = rig.start();
        w.show();
        w.hideSplash();
        w.state().settings.vis_banner = 1;
        w.windowLayout().Applica_Banner(true);
        QLabel* banner = w.windowLayout().imgBanner;
        const QImage picture = QImage::fromData(w.state().config.bannerPicture).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!picture.isNull());
        for (const int width : {picture.width() - 200, picture.width() + 88, picture.width() - 100}) {
            banner->resize(width, ALTEZZA_BANNER);
            const QImage shot = banner->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage shown = width < picture.width()
                ? picture.scaled(width, ALTEZZA_BANNER, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : picture;
            const QPoint at((width - shown.width()) / 2, (ALTEZZA_BANNER - shown.height()) / 2);
            QCOMPARE(shot.copy(QRect(at, shown.size())), shown);
        }
    }

    void sizesBannerAndStayOnTop()
    {
        for (const bool resizing : {true, false}) {
            Shown s;
            s.state().config.RIDIMENSIONAMENTO_ON = resizing;
            MemoListLayout& layout = s.w->windowLayout();
            MemoListPanel& p = s.panel();
            s.state().settings.vis_banner = 0;
            layout.Applica_Banner(true);
            const int compact = s.w->height();
            const int memoArea = p.height();
            const bool iconWithBanner = p.imgConBanner->isVisible();
            QCOMPARE(p.hglLink->text(), QString("example.org"));
            s.key(Qt::Key_F11);
            QCOMPARE(s.w->height(), resizing ? compact + ALTEZZA_BANNER : compact);
            QCOMPARE(layout.pnlBanner->isVisible(), resizing);
            QCOMPARE(p.bvlBanner->isVisible(), resizing);
            QCOMPARE(p.imgConBanner->isVisible(), resizing || iconWithBanner); // without resizing the icons stay
            QCOMPARE(p.imgSenzaBanner->isVisible(), resizing ? false : !iconWithBanner);
            QCOMPARE(p.hglLink->text(), QString(resizing ? "www.example.org/brivo" : "example.org"));
            s.state().DaSalvare = false; // F11 reached the grid, which marks the save
            QTest::mouseClick(p.imgConBanner->isVisible() ? p.imgConBanner : p.imgSenzaBanner, Qt::LeftButton);
            QCOMPARE(s.w->height(), compact); // back exactly
            QTRY_COMPARE(p.height(), memoArea);
            QVERIFY(!s.state().DaSalvare); // the toggle itself does not

            QTest::mouseClick(p.hglLink, Qt::LeftButton);
            s.state().settings.vis_banner = 1;
            layout.Applica_Banner(true);
            QTest::mouseClick(layout.imgBanner, Qt::LeftButton);
            QCOMPARE(s.rig.launcher.calls,
                (QStringList{"url https://www.example.org/", "url https://www.example.org/brivo/news.html"}));

            QVERIFY(p.imgNormal->isVisible());
            QTest::mouseClick(p.imgNormal, Qt::LeftButton);
            QCOMPARE(s.state().settings.Stay_on_top, 1);
            QVERIFY(s.w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QVERIFY(s.w->isVisible());
            QVERIFY(p.imgTopMost->isVisible() && !p.imgNormal->isVisible());
            QTest::mouseClick(p.imgTopMost, Qt::LeftButton);
            QVERIFY(!s.w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        }
    }

    void startingSizeAndPlace()
    {
        const struct {
            QString width;
            QString height;
            QSize size; // empty: the screen's
            bool outer; // the size includes the frame
        } rows[] = {
            {QString("500"), QString("230"), QSize(500, 230), false},           // saved
            {QString("10"), QString("-5"), QSize(LARGHEZZA_MINIMA, 194), true}, // too small
            {QString("2147483647"), QString("99999"), QSize(), true},           // beyond any screen
        };
        for (const auto& r : rows) {
            MemoListRig rig;
            rig.putSetting("Width_Appl", r.width);
            rig.putSetting("Height_pnlGen", r.height);
            rig.putSetting("vis_banner", "0");
            TfrmReminder& w = rig.start();
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            const QSize frame = w.frameGeometry().size() - w.size();
            const QSize screen = w.screen()->availableGeometry().size();
            const QSize expected = (r.size.isEmpty() ? screen : r.size) - (r.outer ? frame : QSize(0, 0));
            QCOMPARE(w.size(), expected);
            QCOMPARE(w.windowLayout().pnlGenHeight(), expected.height());
            // No saved place: centred on the screen.
            const QSize full = w.screen()->geometry().size();
            QCOMPARE(w.frameGeometry().topLeft(),
                QPoint((full.width() - w.frameGeometry().width() - 1) / 2,
                    (full.height() - w.frameGeometry().height() - 1) / 2));
            w.writeSettings();
            QCOMPARE(rig.setting("Height_pnlGen").toInt(), expected.height());

            // The lowest the window goes by hand (at 96 dpi), without and with the banner.
            QCOMPARE(w.logicalDpiY(), 96);
            w.resize(w.width(), 50);
            QCOMPARE(w.frameGeometry().height(), 194);
            w.state().settings.vis_banner = 1;
            w.windowLayout().Applica_Banner(true);
            w.resize(300, 50);
            QCOMPARE(w.size() + frame, QSize(LARGHEZZA_MINIMA, 254));
        }
    }

    void headerHintsAndCursor()
    {
        Shown s({memoOn(1, 3)});
        QWidget* header = s.grid->horizontalHeader()->viewport();
        auto moveTo = [&](QWidget* over, int col, int row) {
            const QPoint at = over->mapFrom(s.grid, s.cell(col, row).center());
            QTest::mouseMove(over, at);
            return at;
        };
        const QPoint notes = moveTo(header, COL_TEXT, 0);
        QCOMPARE(s.list->hintReshowMs(), 700);
        QCOMPARE(header->cursor().shape(), Qt::ArrowCursor);
        QHelpEvent help(QEvent::ToolTip, notes, header->mapToGlobal(notes));
        QApplication::sendEvent(header, &help);
        QVERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().startsWith("promemoria (Spazio"));
        // The shown hint is replaced after the 700 ms reshow time, not at once.
        moveTo(header, COL_DATE, 0);
        QVERIFY(QToolTip::text().startsWith("promemoria (Spazio"));
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::text().startsWith("data scadenza (Alt+Giù calendario"), 1500);
        // A memo row has no hint and the hand cursor; the shown hint fades out.
        moveTo(s.grid->viewport(), COL_DATE, 1);
        QCOMPARE(s.list->RigaMouse, 1);
        QCOMPARE(s.list->hint(), QString());
        QCOMPARE(s.list->hintReshowMs(), 0);
        QCOMPARE(s.grid->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTRY_VERIFY(!QToolTip::isVisible());
    }
};

QTEST_MAIN(TestMemoListWindow)
#include "tst_memolist_window.moc"
