#include "TestMain.h"
#include "controls/A_DBStringGrid.h"
#include "controls/A_EditCurr.h"
#include "controls/HighlightLabel.h"
#include "dialogs/FOpzioni.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoListRig.h"
#include "memolist/MemoRows.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QToolButton>

#include <array>

namespace {

// The buttons of a real question box, without their mnemonics.
QString questionButtons()
{
    const QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    return QString(box.button(QMessageBox::Yes)->text() + u'/' + box.button(QMessageBox::No)->text()).remove(u'&');
}

struct Options {
    MemoListRig rig;
    TfrmReminder& main;
    std::unique_ptr<TfrmOpzioni> d;

    explicit Options(const SuonoList& sounds = {}, bool colours = true)
        : main(rig.start())
    {
        main.state().ArrSuoni = sounds;
        main.state().config.MODIFICA_COLORI_ON = colours;
        d = std::make_unique<TfrmOpzioni>(main.state(), rig.services, main.pictures());
    }
    void open()
    {
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
    }
};

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    // Typed at the start of a minute edit, then Esc: what it shows and what is stored.
    void minuteEdits()
    {
        const struct {
            int edit;
            int before;
            QString keys; // \x7f: Delete
            QString shown;
            int stored;
        } rows[] = {
            {0, 3, "-", "3", 3},    // increment refuses -3
            {1, 3, "-", "3", 3},    // imminent refuses -3
            {2, 3, "-", "-3", -3},  // warning takes -3
            {2, 0, "-3", "-3", -3}, // warning typed from empty
            {2, 7, "\x7f", "", 0},  // emptied gives 0
        };
        for (const auto& r : rows) {
            Options o;
            UserSettings& s = o.main.state().settings;
            qint32* settings[]
                = {&s.Incremento_orario_piu_meno, &s.Anticipo_per_memo_imminenti, &s.Preavviso_predefinito_memo};
            *settings[r.edit] = r.before;
            o.open();
            TA_EditCurr* edit
                = std::array{o.d->editMinuti_incOrari, o.d->edit_min_Imm, o.d->edit_MinutiPreavv_allarme}[r.edit];
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Home);
            if (r.keys == u"\x7f")
                QTest::keyClick(edit, Qt::Key_Delete);
            else
                QTest::keyClicks(edit, r.keys);
            QCOMPARE(edit->text(), r.shown);
            QTest::keyClick(edit, Qt::Key_Escape);
            QVERIFY(o.d->isHidden());
            QCOMPARE(int(*settings[r.edit]), r.stored);
        }
    }

    // F4 to Esc on the real main window: English at once, radios back to
    // their stored state, Qt's buttons in the language, then the grid's words.
    void englishAtOnce()
    {
        MemoListRig rig;
        rig.putSetting(QStringLiteral("Lingua_attuale"), languageItalian());
        TfrmReminder& w = rig.start({memoOn(1, 0)});
        w.show();
        w.state().DaSalvare = false;
        w.state().settingsPending = false;
        QCOMPARE(questionButtons(), QStringLiteral("Sì/No"));
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<TfrmOpzioni*>(QApplication::activeModalWidget());
            QVERIFY(d);
            seen << d->windowTitle() << questionButtons() << d->lblVers_MANUALE->text();
            d->rdbOrarioComputer->click();
            d->chkAutoAvvio->click();
            d->chkNotifica_desktop->click();
            QTest::keyClick(d->cboLingue, Qt::Key_Down);
            seen << d->windowTitle() << d->lblMinuti2->text() << QString::number(d->rdbNessunOrario->isChecked())
                 << questionButtons();
            // A list is read by its label in the new language, its entry as the value.
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(d->cboLingue);
            seen << list->text(QAccessible::Name)
                 << QString::number(list->text(QAccessible::Value) == d->cboLingue->currentText());
            w.state().settingsPending = false; // a tick saved meanwhile
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QTest::keyClick(w.memoGrid().dbsgMemo(), Qt::Key_F4);
        QCOMPARE(
            seen, (QStringList{"Opzioni", "Sì/No", "Vers. 1.1", "Options", "minutes", "1", "Yes/No", "Language", "1"}));
        QCOMPARE(w.memoGrid().dbsgMemo()->Cells(COL_DATE, 1), QStringLiteral("Today"));
        QVERIFY(w.state().settingsPending);
        QVERIFY(!w.state().DaSalvare); // options are no reason to write the memos
        QCOMPARE(w.state().settings.Orario_predefinito_nuovi_promemoria, 0);
        QCOMPARE(w.state().settings.Notifica_desktop, 0);
        QCOMPARE(w.writeSettings(), 1);
        QCOMPARE(rig.autostart.calls, QStringList{QStringLiteral("write Brivo Reminder")});
    }

    // Item 0 stores the lower-case name and its play icon stays silent; the
    // link opens the site; the colour list follows its switch.
    void playIcons()
    {
        Options o({{QStringLiteral("Campana"), QStringLiteral("Campana"), QStringLiteral("/s/Campana.wav")}});
        o.open();
        QVERIFY(o.d->cboColorazioni->isVisible() && o.d->lblColorazioni->isVisible());
        QCOMPARE(o.d->cboSuonoSveglie->count(), 2);
        QCOMPARE(o.d->cboSuonoSveglie->itemText(0), QStringLiteral("-Nessun suono-"));
        for (const int item : {1, 0}) {
            o.d->cboSuonoSveglie->setFocus();
            QTest::keyClick(o.d->cboSuonoSveglie, item ? Qt::Key_Down : Qt::Key_Up);
            o.d->imgPlayAllarme->click();
        }
        QCOMPARE(o.main.state().settings.Suono_Sveglie, QStringLiteral("-nessun suono-"));
        QCOMPARE(o.rig.sound.calls, (QStringList{"stop", "once /s/Campana.wav"}));
        QTest::mouseClick(o.d->hglLink, Qt::LeftButton); // the maker's address of the configuration
        QCOMPARE(o.rig.launcher.calls, QStringList{QStringLiteral("url https://www.example.org/")});
        Options noColours({}, false);
        noColours.open();
        QVERIFY(!noColours.d->cboColorazioni->isVisible() && !noColours.d->lblColorazioni->isVisible());
    }
};

BRIVO_REGISTER_TEST(TestOptions)
#include "tst_options.moc"
