#include "ControlsTest.h"

#include "controls/A_EditCurr.h"
#include "controls/HighlightLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// A field beside a second one, so that focus can leave it.
struct EditWindow {
    QWidget window;
    TA_EditCurr* edit;
    QLineEdit* other;
    int changes = 0;
    int exits = 0;
    int enters = 0;

    EditWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        edit = new TA_EditCurr(&window);
        other = new QLineEdit(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        edit->OnChange = [this](TA_EditCurr*) { ++changes; };
        edit->OnExit = [this](TA_EditCurr*) { ++exits; };
        edit->OnEnter = [this](TA_EditCurr*) { ++enters; };
        // Digits only; the value is the number.
        edit->OnChangeFiltroUtente = [](const QString& text, const QString&, bool& accept, Currency& value) {
            accept = !text.contains(QRegularExpression(QStringLiteral("\\D")));
            value = accept ? Currency::fromInt(text.toLongLong()) : value;
        };
    }

    bool activate()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace

class TestEditCurr : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        failOnWarnings();
    }

    // A refused letter leaves text and value; Enter and Escape are the
    // field's own and reach neither OnChange nor the window.
    void typing()
    {
        EditWindow w;
        QVERIFY(w.activate());
        w.edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.edit, "12");
        QCOMPARE(w.edit->Valore, Currency::fromInt(12));
        const int changes = w.changes;
        struct Spy : QObject {
            bool reached = false;
            bool eventFilter(QObject*, QEvent* e) override
            {
                reached |= e->type() == QEvent::KeyPress;
                return false;
            }
        } parent;
        w.window.installEventFilter(&parent);
        QTest::keyClicks(w.edit, "a");
        QTest::keyClick(w.edit, Qt::Key_Return);
        QTest::keyClick(w.edit, Qt::Key_Escape);
        QCOMPARE(w.edit->text(), QStringLiteral("12"));
        QCOMPARE(w.edit->Valore, Currency::fromInt(12));
        QCOMPARE(w.changes, changes);
        QCOMPARE(w.edit->Stato_Cambio(), 1);
        QCOMPARE(w.edit->cursorPosition(), 2);
        QVERIFY(!parent.reached);
    }

    // A zero field empties on entering and shows "0" again on leaving; a
    // value put in by the window shows on entering; Azzera shows 0 and exits
    // once, its own change reaching neither filter nor OnChange.
    void enteringLeavingAndAzzera()
    {
        EditWindow w;
        QCOMPARE(w.edit->text(), QStringLiteral("0"));
        QVERIFY(w.activate());
        w.edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.edit->text(), QString());
        QCOMPARE(w.enters, 1);
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.edit->text(), QStringLiteral("0"));
        QCOMPARE(w.exits, 1);
        w.edit->Valore = Currency::fromInt(45);
        w.edit->DoExit(); // how the windows put a number in
        QCOMPARE(w.edit->text(), QStringLiteral("45"));
        w.edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.edit->text(), QStringLiteral("45"));
        const int changes = w.changes;
        const int exits = w.exits;
        w.edit->Azzera();
        QCOMPARE(w.edit->text(), QStringLiteral("0"));
        QCOMPARE(w.edit->Valore, Currency());
        QCOMPARE(w.exits, exits + 1);
        QCOMPARE(w.changes, changes);

        // Asked to, a zero shows as nothing, typed or put in.
        w.edit->Null_se_vale_zero = true;
        w.edit->Azzera();
        QCOMPARE(w.edit->text(), QString());
        QTest::keyClicks(w.edit, "00");
        QCOMPARE(w.edit->text(), QString());
        QCOMPARE(w.edit->Valore, Currency());
        QTest::keyClicks(w.edit, "7");
        QCOMPARE(w.edit->text(), QStringLiteral("7"));
        QCOMPARE(w.edit->Valore, Currency::fromInt(7));
    }

    void highlightLabelRestoresItsColour()
    {
        QWidget window;
        auto* label = new THighlightLabel(&window);
        label->setText("link");
        label->setFontColor(QColor(12, 34, 56)); // set by the window after construction
        label->HighlightColor = Qt::red;
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(label, &enter);
        QCOMPARE(label->fontColor(), QColor(Qt::red));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
        QCOMPARE(label->fontColor(), QColor(12, 34, 56)); // its click opens the options' and main window's links
    }
};

BRIVO_REGISTER_TEST(TestEditCurr)
#include "tst_editcurr.moc"
