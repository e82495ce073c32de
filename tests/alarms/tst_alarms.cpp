#include "alarms/FDataOra.h"
#include "alarms/FSveglie.h"
#include "app/FReminder.h"
#include "controls/A_DBStringGrid.h"
#include "controls/A_InplaceEdit.h"
#include "controls/GridFixture.h"
#include "memolist/MemoListRig.h"
#include "memolist/MemoPictures.h"
#include "state/AppState.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

REC_Sveglia alarm(qint32 tipo, qint32 giorno, QTime at, const QString& suono = "Campana", qint32 attivo = 1)
{
    return REC_Sveglia{tipo, attivo, QStringLiteral("sveglia"), giorno, DayNumbers::fromTime(at), suono};
}

// The window over a state of its own, with the main window rig's fakes,
// shown offscreen. Monday 3 June 2024.
struct Rig : MemoListRig {
    AppState state;
    MemoPictures pictures;
    std::unique_ptr<TfrmSveglie> w;

    explicit Rig(const SvegliaList& sveglie = {}, const QString& lingua = "Italiano (Italia)",
        const QString& localeName = "it_IT")
        : MemoListRig(localeName)
    {
        clock.set(QDateTime(QDate(2024, 6, 3), QTime(14, 20, 15)));
        state.ArrSveglie = sveglie;
        for (const QString name : {"Bell", "Campana", "a.b"})
            state.ArrSuoni.append({name, name, "/s/" + name + ".wav"});
        state.settings.Lingua_attuale = lingua;
        state.settings.Suono_Sveglie = "Campana";
        state.settings.Incremento_orario_piu_meno = 5;
        state.settings.Chiedi_conferma_cancellazione = 0;
        Crea_Colorazioni(state.ArrColorazioni);
        w = std::make_unique<TfrmSveglie>(state, services, pictures);
        w->show();
    }
    TA_DBStringGrid* grid() const
    {
        return w->dbsgSveglie();
    }
    void click(int col, int row, bool upper = true)
    {
        clickCell(grid(), col, row, upper ? 1 : -1);
    }
    QString cell(int col, int row = 1) const
    {
        return grid()->Cells(col, row);
    }
    void type(int col, const QString& text)
    {
        click(col, 1);
        QVERIFY(grid()->Editor() && grid()->Editor()->isVisible());
        grid()->Editor()->selectAll();
        // Pasted, as text with a tab or a line break would come.
        QApplication::clipboard()->setText(text);
        QTest::keyClick(grid()->Editor(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(grid()->Editor(), Qt::Key_Return);
    }
};

// The cell of a day of the month shown, never the neighbouring month's.
QModelIndex dayCell(const QTableView* view, int day)
{
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        for (int c = 0; c < m->columnCount(); ++c) {
            const QModelIndex i = m->index(r, c);
            const bool rightWeek = day < 8 ? r <= 2 : day <= 22 || r >= 4;
            if (i.data().toInt() == day && rightWeek)
                return i;
        }
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(REC_Sveglia)
Q_DECLARE_METATYPE(Answer)

class TestAlarms : public QObject {
    Q_OBJECT
private slots:
    void emptyListIsOneInertRow()
    {
        Rig rig;
        QCOMPARE(rig.grid()->RowCount(), 2);
        QVERIFY(!rig.w->btnCancella->isEnabled());
        for (const int col : {1, 3, 5, 7, 8})
            rig.click(col, 1);
        QTest::keyClick(rig.w.get(), Qt::Key_F8);
        QVERIFY(rig.state.ArrSveglie.isEmpty());
        QVERIFY(rig.sound.calls.size() <= 3); // stops only: nothing to play
    }

    void f3AddsAnEveryDayAlarmAnHourAhead()
    {
        Rig rig({alarm(2, 3, QTime(6, 0))});
        QTest::keyClick(rig.w.get(), Qt::Key_F3);
        QCOMPARE(rig.state.ArrSveglie.size(), 2);
        // Armed and daily (the program test rings it on two days); the day is kept for a weekly one.
        const REC_Sveglia& made = rig.state.ArrSveglie[1];
        QCOMPARE(QList<qint32>({made.Attivo, made.TipoSveglia, made.Giorno}), QList<qint32>({1, 1, 2})); // Monday
        QCOMPARE(made.Suono, QString("Campana"));
        QVERIFY(rig.state.DaSalvare);
        // At the bottom although it rings earlier than the weekday one sorts,
        // and the cursor waits in its message cell (typing there at once is
        // the program test's road).
        QCOMPARE(rig.cell(4, 2), QString("15:20"));
        QCOMPARE(rig.grid()->Row(), 2);
        QCOMPARE(rig.grid()->Col(), 0);
    }

    // A press in the upper half steps forwards, in the lower half backwards.
    void stepCells()
    {
        const QTime t(7, 30);
        const int ctrl = int(Qt::ControlModifier);
        const struct {
            REC_Sveglia before;
            int col;
            bool upper;
            REC_Sveglia after;
            QString shown;
            int key = 0;         // key | modifiers on the cell instead of a click
            QString action = {}; // a screen reader's action on the cell instead
        } rows[] = {
            {alarm(1, 4, t), 3, true, alarm(2, 2, t), "ogni Lunedì"},                  // every day, forwards
            {alarm(1, 4, t), 3, false, alarm(2, 1, t), "ogni Domenica"},               // every day, backwards
            {alarm(2, 1, t), 3, true, alarm(1, 1, t), "Tutti i giorni"},               // Sunday, forwards
            {alarm(2, 2, t), 3, false, alarm(1, 2, t), "Tutti i giorni"},              // Monday, backwards
            {alarm(2, 7, t), 3, true, alarm(2, 1, t), "ogni Domenica"},                // Saturday, forwards
            {alarm(1, 1, QTime(23, 58)), 5, true, alarm(1, 1, QTime(0, 3)), "00:03"},  // 23:58 + 5
            {alarm(1, 1, QTime(0, 2)), 5, false, alarm(1, 1, QTime(23, 57)), "23:57"}, // 00:02 - 5
            // last sound, forwards
            {alarm(1, 1, t, "a.b"), 8, true, alarm(1, 1, t, "-nessun suono-"), "-Nessun suono-"},
            // no sound, forwards
            {alarm(1, 1, t, "-nessun suono-"), 8, true, alarm(1, 1, t, "Bell"), "Bell"},
            // no sound, backwards
            {alarm(1, 1, t, "-nessun suono-"), 8, false, alarm(1, 1, t, "a.b"), "a.b"},
            // unknown sound, backwards
            {alarm(1, 1, t, "gone"), 8, false, alarm(1, 1, t, "Bell"), "Bell"},
            {alarm(1, 1, t), 1, true, alarm(1, 1, t, "Campana", 0), ""}, // switch off
            // Keys on a cell: Space switches, Ctrl+Up/Down step a value or its stepper.
            {alarm(1, 1, t), 1, true, alarm(1, 1, t, "Campana", 0), "", Qt::Key_Space},
            {alarm(1, 1, t, "Campana", 0), 1, true, alarm(1, 1, t), "", Qt::Key_Space},
            {alarm(1, 4, t), 2, false, alarm(2, 1, t), "ogni Domenica", Qt::Key_Down | ctrl},
            {alarm(2, 7, t), 3, true, alarm(2, 1, t), "ogni Domenica", Qt::Key_Up | ctrl},
            {alarm(1, 1, QTime(23, 58)), 4, true, alarm(1, 1, QTime(0, 3)), "00:03", Qt::Key_Up | ctrl},
            {alarm(1, 1, QTime(0, 2)), 5, false, alarm(1, 1, QTime(23, 57)), "23:57", Qt::Key_Down | ctrl},
            {alarm(1, 1, t, "a.b"), 6, true, alarm(1, 1, t, "-nessun suono-"), "-Nessun suono-", Qt::Key_Up | ctrl},
            {alarm(1, 1, t, "Bell"), 8, false, alarm(1, 1, t, "-nessun suono-"), "-Nessun suono-", Qt::Key_Down | ctrl},
            // A screen reader presses a +/- cell: forwards, as Ctrl+Up.
            {alarm(1, 4, t), 3, true, alarm(2, 2, t), "ogni Lunedì", 0, QAccessibleActionInterface::pressAction()},
            {alarm(1, 1, QTime(23, 58)), 5, true, alarm(1, 1, QTime(0, 3)), "00:03", 0,
                QAccessibleActionInterface::pressAction()},
            {alarm(1, 1, t, "-nessun suono-"), 8, true, alarm(1, 1, t, "Bell"), "Bell", 0,
                QAccessibleActionInterface::pressAction()},
            {alarm(1, 1, QTime(0, 2)), 5, false, alarm(1, 1, QTime(23, 57)), "23:57", 0,
                QAccessibleActionInterface::decreaseAction()},
        };
        for (const auto& r : rows) {
            Rig rig({r.before});
            if (!r.action.isEmpty()) {
                rig.grid()->setCol(SV_COL_MESSAGE); // the press makes its cell the current one
                QAccessibleInterface* cell
                    = QAccessible::queryAccessibleInterface(rig.grid())->tableInterface()->cellAt(0, r.col);
                QCOMPARE(cell->role(), QAccessible::Button);
                QVERIFY(cell->actionInterface());
                cell->actionInterface()->doAction(r.action);
                QCOMPARE(rig.grid()->Col(), r.col);
            } else if (r.key) {
                rig.grid()->setFocus();
                rig.grid()->setRow(1);
                rig.grid()->setCol(r.col);
                QTest::keyClick(rig.grid(), Qt::Key(r.key & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(r.key & Qt::KeyboardModifierMask));
                QCOMPARE(rig.grid()->Col(), r.col); // the cursor stays on the cell
            } else {
                rig.click(r.col, 1, r.upper);
            }
            const REC_Sveglia& s = rig.state.ArrSveglie[0];
            QCOMPARE(s.TipoSveglia, r.after.TipoSveglia);
            QCOMPARE(s.Giorno, r.after.Giorno);
            QCOMPARE(s.Suono, r.after.Suono);
            QCOMPARE(s.Attivo, r.after.Attivo);
            QCOMPARE(DayNumbers::hoursMinutes(s.Orario), DayNumbers::hoursMinutes(r.after.Orario));
            if (!r.shown.isEmpty())
                QCOMPARE(rig.cell(r.col == 8 ? 6 : r.col - r.col % 2), r.shown);
            QVERIFY(rig.state.DaSalvare);
        }
    }

    // The play cell plays the alarm's sound once; without sounds the +/- cell
    // has nothing to step to.
    void soundCells()
    {
        Rig rig({alarm(1, 1, QTime(7, 0), "a.b")});
        rig.sound.calls.clear();
        rig.click(7, 1);
        QCOMPARE(rig.sound.calls, (QStringList{"stop", "once /s/a.b.wav"}));
        rig.state.ArrSuoni.clear();
        rig.state.ArrSveglie[0].Suono = "-nessun suono-";
        rig.click(8, 1, true);
        rig.click(8, 1, false);
        QCOMPARE(rig.state.ArrSveglie[0].Suono, QString("-nessun suono-"));
        QCOMPARE(rig.cell(6), QString("-Nessun suono-"));
        rig.w->close();
        QCOMPARE(rig.sound.calls.last(), QString("stop"));
    }

    void typedCells()
    {
        // 7.3 and 25:00 keep the time; 150 characters at most, an emoji or an
        // accented letter across the cut going whole; a pasted tab.
        const struct {
            int col;
            QString typed, stored;
        } rows[] = {{4, "7.30", "07:30"}, {4, "7.3", "06:00"}, {4, "25:00", "06:00"},
            {0, QString(200, u'x'), QString(150, u'x')}, {0, "a\tb", "a b"},
            {0, QString(149, u'x') + QStringLiteral("\U0001F600"), QString(149, u'x')},
            {0, QString(149, u'x') + QStringLiteral("e\u0301"), QString(149, u'x')}};
        for (const auto& r : rows) {
            Rig rig({alarm(1, 1, QTime(6, 0))});
            rig.type(r.col, r.typed);
            const REC_Sveglia& s = rig.state.ArrSveglie[0];
            QCOMPARE(r.col == 0 ? s.Messaggio : DayNumbers::toTime(s.Orario).toString("hh:mm"), r.stored);
            QCOMPARE(rig.cell(r.col), r.stored);
            QCOMPARE(rig.grid()->Col(), 6);
        }
    }

    // A message typed without Enter reaches its alarm clock whichever way
    // the editor ends; the session's end, with the window open, saves it.
    void typedMessageKeptByEveryWayOut()
    {
        const SvegliaList list{alarm(1, 1, QTime(6, 0)), alarm(1, 1, QTime(7, 0))};
        for (const QString way : {"Enter", "Down", "F3", "F8", "Nuovo", "Cancella", "title row", "Chiudi", "close box",
                 "Escape", "deactivate", "session end"}) {
            MemoListRig main;
            TfrmReminder& w = main.start();
            w.state().ArrSveglie = list;
            w.state().settings.Chiedi_conferma_cancellazione = 1; // the delete question, answered No
            w.show();
            QTimer::singleShot(0, [&] {
                auto* d = qobject_cast<TfrmSveglie*>(QApplication::activeModalWidget());
                QVERIFY(d);
                d->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(d));
                TA_DBStringGrid* g = d->dbsgSveglie();
                clickCell(g, 0, 1);
                QVERIFY(g->Editor() && g->Editor()->isVisible());
                QTest::keyClick(g->Editor(), Qt::Key_End);
                QTest::keyClicks(g->Editor(), " in palestra");
                QWidget other;
                if (way == "Enter" || way == "Down" || way == "F3" || way == "F8" || way == "Escape") {
                    QTest::keyClick(g->Editor(),
                        way == "Enter"      ? Qt::Key_Return
                            : way == "Down" ? Qt::Key_Down
                            : way == "F3"   ? Qt::Key_F3
                            : way == "F8"   ? Qt::Key_F8
                                            : Qt::Key_Escape);
                } else if (way == "Nuovo" || way == "Cancella" || way == "Chiudi") {
                    QTest::mouseClick(way == "Nuovo" ? d->btnNuovo
                            : way == "Cancella"      ? d->btnCancella
                                                     : d->btnChiudi,
                        Qt::LeftButton);
                } else if (way == "title row") {
                    clickCell(g, 2, 0);
                } else if (way == "close box") {
                    d->close();
                } else if (way == "deactivate") {
                    other.show();
                    other.activateWindow();
                    QVERIFY(QTest::qWaitForWindowActive(&other));
                } else {
                    w.endSession();
                }
                QVERIFY2(!g->Editor()->isVisible(), qPrintable(way));
                d->close();
            });
            QTest::keyClick(&w, Qt::Key_F2);
            QVERIFY2(w.state().ArrSveglie[0].Messaggio == "sveglia in palestra", qPrintable(way));
            if (way == "session end") {
                QFile store(main.dir.filePath("Store.dat"));
                QVERIFY(store.open(QIODevice::ReadOnly));
                QVERIFY(store.readAll().contains("#_MS:sveglia in palestra\t"));
            }
        }
    }

    // The message and the time in three regions: left as they opened they
    // change nothing (the seconds stay); a typed time reads in 12-hour forms too.
    void editableCellsInEachLocale()
    {
        const REC_Sveglia before = alarm(1, 1, QTime(6, 0, 37));
        struct Row {
            QString locale;
            int col;
            QString typed; // null: the cell is left as it opened
            QString shown;
        };
        QList<Row> rows;
        for (const QString name : {"it_IT", "en_GB", "en_US"}) {
            rows.append({name, 0, {}, "sveglia"});
            rows.append({name, 4, {}, name == "en_US" ? "6:00 AM" : "06:00"});
            rows.append({name, 4, "6.45pm", name == "en_US" ? "6:45 PM" : "18:45"});
        }
        rows.append({"en_US", 4, "10:00 PM", "10:00 PM"});
        rows.append({"en_US", 4, "1030am", "10:30 AM"});
        rows.append({"en_US", 4, "13:00 PM", "6:00 AM"}); // no such hour: the time stays
        for (const Row& r : rows) {
            Rig rig({before}, "Italiano (Italia)", r.locale);
            if (r.typed.isNull()) {
                rig.click(r.col, 1);
                QVERIFY(rig.grid()->Editor() && rig.grid()->Editor()->isVisible());
                QTest::keyClick(rig.grid()->Editor(), Qt::Key_Return);
                QVERIFY2(rig.state.ArrSveglie[0] == before, qPrintable(r.locale));
            } else {
                rig.type(r.col, r.typed);
            }
            QCOMPARE(rig.cell(r.col).replace(QChar(0x202F), u' '), r.shown);
        }
    }

    // Deleting renumbers the queue's keys like the list, so no entry blocks
    // or warns for another alarm clock. Clicks on the title row do nothing.
    void deleteAskedOrNot()
    {
        const struct {
            int ask;
            Answer answer;
            int left;
        } rows[] = {{0, Answer::No, 2}, {1, Answer::Yes, 2}, {1, Answer::No, 3}};
        for (const auto& r : rows) {
            const SvegliaList list{alarm(1, 1, QTime(6, 0)), alarm(1, 1, QTime(7, 0)), alarm(2, 3, QTime(8, 0))};
            Rig rig(list);
            for (const int col : {0, 1, 3, 5, 8})
                rig.click(col, 0); // the title row changes nothing and selects nothing
            QCOMPARE(rig.state.ArrSveglie, list);
            rig.state.settings.Chiedi_conferma_cancellazione = r.ask;
            rig.boxes.setNextAnswer(r.answer);
            rig.state.ArrAvvisi = {{AVVISO_SVEGLIA, 1, STATO_MOSTRATO}, {AVVISO_SVEGLIA, 2, STATO_MOSTRATO},
                {AVVISO_MEMO, 2, STATO_MOSTRATO}};
            QVERIFY(!rig.w->btnCancella->isEnabled());
            rig.click(0, 2); // 07:00
            QVERIFY(rig.w->btnCancella->isEnabled());
            QTest::mouseClick(rig.w->btnCancella, Qt::LeftButton);
            QCOMPARE(rig.state.ArrSveglie.size(), r.left);
            QCOMPARE(rig.boxes.texts(),
                r.ask ? QStringList{"Sei sicuro di voler cancellare la sveglia selezionata? "} : QStringList{});
            if (r.ask && r.answer == Answer::No) { // in English, asked in English
                rig.state.settings.Lingua_attuale = "English (UK)";
                rig.boxes.setNextAnswer(Answer::No);
                QTest::mouseClick(rig.w->btnCancella, Qt::LeftButton);
                QCOMPARE(rig.boxes.texts().last(), QString("Are you sure you want to delete the selected clock? "));
            }
            const AvvisoList renumbered{{AVVISO_SVEGLIA, -1, STATO_RIARMATO}, {AVVISO_SVEGLIA, 1, STATO_MOSTRATO},
                {AVVISO_MEMO, 2, STATO_MOSTRATO}};
            if (r.left == 2)
                QCOMPARE(rig.state.ArrAvvisi, renumbered);
            QCOMPARE(rig.cell(4, 2), r.left == 2 ? QString("08:00") : QString("07:00"));
        }
    }

    void englishTexts()
    {
        Rig rig({alarm(2, 5, QTime(6, 0), "elsewhere")}, "English (UK)");
        QCOMPARE(rig.cell(2), QString("every Thursday"));
        QCOMPARE(rig.cell(6), QString("Campana")); // a missing sound shows the default one
        QCOMPARE(rig.cell(6, 0), QString("Sound"));
        // No Italian left: the silent sound, and what a screen reader hears.
        Rig silent({alarm(1, 1, QTime(6, 0), "-nessun suono-", 0)}, "English (UK)");
        QCOMPARE(silent.cell(6), QString("-No sound-"));
        const QAbstractItemModel* m = silent.grid()->model();
        QCOMPARE(m->headerData(SV_COL_SWITCH, Qt::Horizontal, Qt::AccessibleTextRole).toString(), QString("On"));
        QCOMPARE(m->headerData(SV_COL_SOUND_STEP, Qt::Horizontal).toString(), QString("Sound +/-"));
        const QModelIndex on = m->index(0, SV_COL_SWITCH);
        QCOMPARE(on.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(on.data(Qt::AccessibleTextRole).toString(), QString("Off"));
        QVERIFY(m->flags(on).testFlag(Qt::ItemIsUserCheckable));
        QVERIFY(!m->flags(m->index(0, SV_COL_TIME)).testFlag(Qt::ItemIsUserCheckable));
        QCOMPARE(m->index(0, SV_COL_TIME_STEP).data(Qt::AccessibleTextRole).toString(), QString("Time on or back"));
        QCOMPARE(m->index(0, SV_COL_TIME).data(Qt::AccessibleTextRole).toString(), QString("06:00"));
        // Read through the grid's own table: a switch is a checkable cell, a +/- cell a button.
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(silent.grid());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->tableInterface()->rowCount(), 1);
        const struct {
            int col;
            QAccessible::Role role;
            QString name;
        } cells[] = {
            {SV_COL_SWITCH, QAccessible::Cell, "Off"},
            {SV_COL_REPEAT_STEP, QAccessible::Button, "Next or previous repetition"},
            {SV_COL_TIME_STEP, QAccessible::Button, "Time on or back"},
            {SV_COL_SOUND_STEP, QAccessible::Button, "Next or previous sound"},
            {SV_COL_TIME, QAccessible::Cell, "06:00"},
        };
        for (const auto& c : cells) {
            QAccessibleInterface* cell = table->tableInterface()->cellAt(0, c.col);
            QCOMPARE(cell->role(), c.role);
            QCOMPARE(cell->text(QAccessible::Name), c.name);
            QCOMPARE(bool(cell->actionInterface()), c.role == QAccessible::Button);
            QCOMPARE(cell->state().checkable, c.col == SV_COL_SWITCH);
            QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
                m->headerData(c.col, Qt::Horizontal).toString());
            // Numbered as QTableView numbers its focus events: a header row and column first.
            QCOMPARE(table->indexOfChild(cell), (table->tableInterface()->columnCount() + 1) + c.col + 1);
        }
    }

    // The calendar closes on one click on a day, not on a click that only
    // turned the month nor on its headers; Esc and Enter close with the date
    // it shows, but end the year being typed first.
    void datePicker()
    {
        const struct {
            QStringList steps;
            QDate chosen;
        } rows[] = {
            {QStringList{"day 14"}, QDate(2024, 3, 14)},               // 14 March
            {QStringList{"next", "day 2"}, QDate(2024, 4, 2)},         // next month, then 2 April
            {QStringList{"Esc"}, QDate(2024, 3, 10)},                  // Esc at once
            {QStringList{"Right", "Down", "Esc"}, QDate(2024, 3, 18)}, // arrows, then Esc
            {QStringList{"month 5", "day 2"}, QDate(2024, 5, 2)},      // the month header's list
            {QStringList{"year 2025", "day 2"}, QDate(2025, 3, 2)},    // the year header, typed and Enter
        };
        for (const auto& r : rows) {
            TfrmDataOra picker;
            QCalendarWidget* calendar = picker.mtcCalendario();
            auto* view = calendar->findChild<QTableView*>();
            QVERIFY(view);
            int done = 0;
            QTimer::singleShot(0, [&] {
                for (const QString& step : r.steps) {
                    QVERIFY(picker.isVisible());
                    if (step == "next") {
                        QTest::mouseClick(calendar->findChild<QToolButton*>("qt_calendar_nextmonth"), Qt::LeftButton);
                    } else if (step.startsWith("month ")) {
                        QTimer::singleShot(0, [month = step.mid(6).toInt()] { // in the list's own loop
                            auto* list = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                            QVERIFY(list);
                            QTest::mouseClick(list->windowHandle(), Qt::LeftButton, {},
                                list->actionGeometry(list->actions().value(month - 1)).center());
                        });
                        QTest::mouseClick(calendar->findChild<QToolButton*>("qt_calendar_monthbutton"), Qt::LeftButton);
                    } else if (step.startsWith("year ")) {
                        QTest::mouseClick(calendar->findChild<QToolButton*>("qt_calendar_yearbutton"), Qt::LeftButton);
                        auto* year = calendar->findChild<QSpinBox*>();
                        QVERIFY(picker.isVisible() && year && year->isVisible());
                        year->selectAll();
                        QTest::keyClicks(year, step.mid(5));
                        QTest::keyClick(year, Qt::Key_Return);
                    } else if (step.startsWith("day ")) {
                        const QModelIndex cell = dayCell(view, step.mid(4).toInt());
                        QVERIFY(cell.isValid());
                        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
                    } else {
                        QTest::keyClick(view,
                            step == "Esc"         ? Qt::Key_Escape
                                : step == "Right" ? Qt::Key_Right
                                                  : Qt::Key_Down);
                    }
                    QCoreApplication::processEvents();
                    ++done;
                }
            });
            const QDate result = picker.Scegli(QDate(2024, 3, 10), nullptr, QLocale(QLocale::Italian), Qt::Monday);
            QCOMPARE(done, r.steps.size());
            QCOMPARE(result, r.chosen);
        }
    }
};

QTEST_MAIN(TestAlarms)
#include "tst_alarms.moc"
