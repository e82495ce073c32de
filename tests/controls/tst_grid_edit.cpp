#include "ControlsTest.h"
#include "GridFixture.h"

#include "controls/A_InplaceEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMap>

#include <functional>

namespace {

struct SetEditCall {
    int col;
    int row;
    QString value;
};

// Records OnSetEditText and lets the editor open everywhere.
struct EditRecorder {
    QList<SetEditCall> calls;

    explicit EditRecorder(TA_DBStringGrid* grid)
    {
        grid->OnEditor_on = [](TA_DBStringGrid*, bool& can) { can = true; };
        grid->OnSelectCell = [](TA_DBStringGrid*, int, int, bool& can) { can = true; };
        grid->OnSetEditText = [this](TA_DBStringGrid*, int col, int row, const QString& value) {
            calls.append({col, row, value});
        };
    }
};

} // namespace

class TestGridEdit : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        failOnWarnings();
    }

    void zeroClearing()
    {
        // A selected cell that reads as a zero empties; any other text stays.
        const struct {
            QString text;
            bool handler;
            bool consent;
            bool keepZero;
            QString after;
        } rows[] = {
            {"0", true, true, false, ""}, {"0,00", true, true, false, ""}, {"-0.0", true, true, false, ""},
            {" +0 ", true, true, false, ""},         // blanks and plus
            {"0.0001", true, true, false, "0.0001"}, // not zero
            {"0a", true, true, false, "0a"},         // 0a is no number
            {"0,0,0", true, true, false, "0,0,0"},   // two separators
            {"-", true, true, false, "-"},           // sign alone
            {"0", false, true, false, "0"},          // no handler
            {"0", true, false, false, "0"},          // refused cell
            {"0", true, true, true, "0"},            // zero kept by option
        };
        for (const auto& r : rows) {
            GridFixture f(3, 2);
            f.grid->setCells(2, 1, r.text);
            f.grid->Lascia_zero_in_edit_on = r.keepZero;
            if (r.handler) {
                f.grid->OnSelectCell = [consent = r.consent](TA_DBStringGrid*, int, int, bool& can) { can = consent; };
            }
            f.grid->setCol(2);
            QCOMPARE(f.grid->Col(), 2); // the grid itself never refuses
            QCOMPARE(f.grid->Cells(2, 1), r.after);
        }
    }

    void keyboardMoves()
    {
        // Right at the last selectable column and at the edge, Left skipping a refused
        // column, Up stopping below the fixed row, Down.
        const struct {
            QPoint start;
            int key;
            QList<int> refusedCols;
            QPoint end;
        } rows[] = {{{1, 2}, Qt::Key_Right, {2}, {1, 2}}, {{2, 2}, Qt::Key_Right, {}, {2, 2}},
            {{2, 2}, Qt::Key_Left, {1}, {0, 2}}, {{1, 1}, Qt::Key_Up, {}, {1, 1}}, {{0, 1}, Qt::Key_Down, {}, {0, 2}}};
        for (const auto& r : rows) {
            GridFixture f(3, 3);
            QVERIFY(f.activate());
            f.grid->setRow(r.start.y());
            f.grid->setCol(r.start.x());
            f.grid->OnSelectCell
                = [&](TA_DBStringGrid*, int col, int, bool& can) { can = !r.refusedCols.contains(col); };
            int keyDowns = 0;
            f.grid->OnKeyDown = [&](TA_DBStringGrid*, int&, Qt::KeyboardModifiers) { ++keyDowns; };
            QTest::keyClick(f.grid, Qt::Key(r.key));
            QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), r.end);
            QCOMPARE(keyDowns, 0); // arrows are the grid's own
            QVERIFY(f.grid->hasFocus());
            QTest::keyClick(f.grid, Qt::Key_F5);
            QCOMPARE(keyDowns, 1);
        }
    }

    void editorNeedsConsentAndData()
    {
        // Consent, refused, no handler (never), no data rows.
        const struct {
            bool handler, consent;
            int dataRows;
            bool opens;
        } rows[] = {{true, true, 2, true}, {true, false, 2, false}, {false, true, 2, false}, {true, true, 0, false}};
        for (const auto& r : rows) {
            GridFixture f(3, 2);
            f.grid->qt_righe_Nette = r.dataRows;
            if (r.handler) {
                f.grid->OnEditor_on = [consent = r.consent](TA_DBStringGrid*, bool& can) { can = consent; };
            }
            QVERIFY(f.activate());
            f.grid->Mostra_Editor();
            QCOMPARE(f.grid->EditorMode(), r.opens);
            QCOMPARE(f.grid->Editor() && f.grid->Editor()->isVisible(), r.opens);
            if (r.opens) {
                QCOMPARE(f.grid->Editor()->text(), QStringLiteral("a0"));
                QCOMPARE(f.grid->Editor()->selectedText(), QStringLiteral("a0"));
            }
        }
    }

    // The editor shows the cell text until a cell is selected, then the
    // OnGetEditText text; Left at the caret's left side moves the grid; rows
    // shrinking under the editor drop it without writing, the focus kept.
    void editorOnTheMove()
    {
        GridFixture f(3, 3);
        EditRecorder rec(f.grid);
        f.grid->OnGetEditText = [](TA_DBStringGrid*, int, int, QString& value) { value = "[" + value + "]"; };
        QVERIFY(f.activate());
        f.grid->Mostra_Editor(); // no select-cell step yet: the cell text as it is
        QCOMPARE(f.grid->Editor()->text(), QStringLiteral("a0"));
        f.grid->Nascondi_Editor();
        f.grid->setCol(1);
        f.grid->Mostra_Editor();
        TA_InplaceEdit* editor = f.grid->Editor();
        QCOMPARE(editor->text(), QStringLiteral("[b0]"));
        editor->setCursorPosition(1); // inside the text: Left moves the caret only
        QTest::keyClick(editor, Qt::Key_Left);
        QCOMPARE(f.grid->Col(), 1);
        QCOMPARE(editor->cursorPosition(), 0);
        QTest::keyClick(editor, Qt::Key_Left); // at the left side: the grid moves
        QCOMPARE(f.grid->Col(), 0);

        f.grid->setRow(3);
        f.grid->Mostra_Editor();
        QVERIFY(f.grid->EditorMode());
        f.grid->Scrivi_Edit_on = true;
        rec.calls.clear();
        f.grid->setRowCount(3);
        QVERIFY(!f.grid->EditorMode());
        QVERIFY(rec.calls.isEmpty()); // nowhere to write
        QCOMPARE(f.grid->Row(), 2);
        QVERIFY(f.grid->hasFocus());
    }

    // After typing "new" into cell (0, 1), handed back only when the editor
    // ends, not key by key: whether the text reaches the cell and
    // OnSetEditText, and where the cursor and the focus go. Row 2 refuses
    // selection.
    void editorEnds()
    {
        const struct {
            QString how;
            bool written; // handed to OnSetEditText
            QString cell;
            QPoint end;
            bool gridKeepsFocus;
        } rows[] = {
            {"Enter", true, "a0", QPoint(0, 1), true},          // Enter
            {"Enter advance", true, "new", QPoint(0, 3), true}, // Enter advancing past a refused row
            {"Down", true, "new", QPoint(0, 3), true},          // Down arrow
            {"focus out", true, "new", QPoint(0, 1), false},    // focus to another widget
            {"Tab", true, "new", QPoint(0, 1), false},          // Tab without the tabs option
            {"Escape", false, "a0", QPoint(0, 1), true},        // Escape, even when asked to write
            {"hide", false, "a0", QPoint(0, 1), true},          // Nascondi_Editor after typing
            {"press", true, "new", QPoint(2, 3), true},         // a mouse press on another cell
        };
        for (const auto& r : rows) {
            GridFixture f(3, 3);
            EditRecorder rec(f.grid);
            f.grid->OnSelectCell = [](TA_DBStringGrid*, int, int row, bool& can) { can = row != 2; };
            f.grid->Avanza_con_invio_on = r.how == "Enter advance";
            auto* other = new QLineEdit(&f.window);
            f.window.layout()->addWidget(other);
            QVERIFY(f.activate());
            f.grid->Mostra_Editor();
            QVERIFY(f.grid->Editor()->hasFocus());
            QTest::keyClicks(f.grid->Editor(), "new");
            QVERIFY(!f.grid->Scrivi_Edit_on); // cleared by typing
            QVERIFY(rec.calls.isEmpty());
            QCOMPARE(f.grid->Cells(0, 1), QStringLiteral("a0"));
            f.grid->Scrivi_Edit_on = r.how == "Escape";
            const QMap<QString, Qt::Key> keys{{"Enter", Qt::Key_Return}, {"Enter advance", Qt::Key_Return},
                {"Down", Qt::Key_Down}, {"Tab", Qt::Key_Tab}, {"Escape", Qt::Key_Escape}};
            if (keys.contains(r.how))
                QTest::keyClick(f.grid->Editor(), keys[r.how]);
            else if (r.how == "focus out")
                other->setFocus(Qt::TabFocusReason);
            else if (r.how == "press")
                QTest::mousePress(f.grid->viewport(), Qt::LeftButton, {}, f.viewportPoint(2, 3));
            else
                f.grid->Nascondi_Editor();
            QTRY_COMPARE(other->hasFocus(), !r.gridKeepsFocus);
            QCOMPARE(f.grid->EditorMode(), r.how == "Enter"); // Enter alone hands the text over and goes on editing
            QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), r.end);
            QCOMPARE(f.grid->Cells(0, 1), r.cell);
            int handedOver = 0;
            for (const SetEditCall& call : rec.calls) {
                QCOMPARE(QPoint(call.col, call.row), QPoint(0, 1));
                handedOver += call.value == "new";
            }
            QCOMPARE(handedOver > 0, r.written);
            QCOMPARE(f.grid->hasFocus(), r.gridKeepsFocus && !f.grid->EditorMode()); // not lost with the editor
            if (r.how == "press") {
                QCOMPARE(handedOver, rec.calls.size()); // the typed text, never the cell's
                QTest::mouseRelease(f.grid->viewport(), Qt::LeftButton, {}, f.viewportPoint(2, 3));
                // Moving on from a cell that was not edited hands nothing over.
                clickCell(f.grid, 1, 3);
                rec.calls.clear();
                clickCell(f.grid, 0, 3);
                QVERIFY(rec.calls.isEmpty());
                QCOMPARE(f.grid->Cells(1, 3), QStringLiteral("b2"));
            }
        }
    }

    void typingOnTheGridOpensTheEditor()
    {
        GridFixture f(3, 2);
        EditRecorder rec(f.grid);
        f.grid->setOptions(f.grid->Options() | GridOption::Editing);
        f.grid->Editor_MaxLength = 3;
        QVERIFY(f.activate());
        QTest::keyClicks(f.grid, "7");
        QVERIFY(f.grid->EditorMode());
        QCOMPARE(f.grid->Editor()->text(), QStringLiteral("7"));
        QTest::keyClicks(f.grid->Editor(), "8901");
        QCOMPARE(f.grid->Editor()->text(), QStringLiteral("789"));
    }
};

BRIVO_REGISTER_TEST(TestGridEdit)
#include "tst_grid_edit.moc"
