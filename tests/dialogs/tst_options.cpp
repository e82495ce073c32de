#include "TestMain.h"
#include "controls/A_DBStringGrid.h"
#include "controls/A_EditCurr.h"
#include "controls/HighlightLabel.h"
#include "dialogs/FOpzioni.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoListRig.h"
#include "memolist/MemoRows.h"
#include "store/Ut.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>

#include <array>

namespace {

// The buttons of a real question box, without their mnemonics.
QString questionButtons()
{
    const QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    return QString(box.button(QMessageBox::Yes)->text() + u'/' + box.button(QMessageBox::No)->text()).remove(u'&');
}

// Types the name of path into the next file dialog once it is up, and Enter,
// as a person would; one that will not take it is cancelled after a while.
// The dialog is to start in the file's folder.
void answerFileDialog(const QString& path)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, path, seen = false, tries = 0]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            // The file dialog's own question or warning: a fault of the test's file.
            QWARN(qPrintable(QStringLiteral("file dialog says: ") + box->text()));
            box->reject();
            return;
        }
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!chooser) {
            if (seen)
                poll->deleteLater();
            return;
        }
        seen = true;
        auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ++tries;
        if (!name || tries > 100) {
            static_cast<QDialog*>(chooser)->reject();
        } else if (tries % 10 == 0) { // once the folder is read
            name->setText(QFileInfo(path).fileName());
            QTest::keyClick(name, Qt::Key_Return);
        }
    });
    poll->start(20);
}

QByteArray calendarFile(const QByteArray& items)
{
    return QByteArray("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:x\n" + items + "END:VCALENDAR\n").replace("\n", "\r\n");
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

    // Typed in the CalDAV fields, then Esc: kept (trimmed), or refused with
    // a box and the address before kept.
    void calDavFields()
    {
        const QString before = QStringLiteral("https://old.example.org/cal/");
        const struct {
            QString typed;
            QString stored;
        } rows[] = {
            {"https://dav.example.org/u/cal/", "https://dav.example.org/u/cal/"},
            {"  http://localhost:5232/u/cal/ ", "http://localhost:5232/u/cal/"},
            {"http://127.0.0.1:5232/", "http://127.0.0.1:5232/"},
            {"", ""},                                // no sync
            {"http://dav.example.org/cal/", before}, // plain http off this computer
            {"ftp://localhost/cal/", before},
            {"dav.example.org/cal", before},
            {"https://", before},
        };
        for (const auto& r : rows) {
            Options o;
            UserSettings& s = o.main.state().settings;
            s.CalDAV_URL = before;
            s.CalDAV_Utente = QStringLiteral("anna");
            o.open();
            QCOMPARE(o.d->editCalDavUrl->text(), before);
            QCOMPARE(o.d->editCalDavUtente->text(), QStringLiteral("anna"));
            for (QLineEdit* field : {o.d->editCalDavUrl, o.d->editCalDavUtente}) {
                field->setFocus();
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(field, Qt::Key_Delete);
                QTest::keyClicks(field, field == o.d->editCalDavUrl ? r.typed : QStringLiteral(" bruno "));
            }
            QTest::keyClick(o.d->editCalDavUtente, Qt::Key_Escape);
            QVERIFY(o.d->isHidden());
            QCOMPARE(s.CalDAV_URL, r.stored);
            QCOMPARE(s.CalDAV_Utente, QStringLiteral("bruno"));
            const bool refused = r.stored != r.typed.trimmed();
            QCOMPARE(o.rig.boxes.texts().size(), refused ? 1 : 0);
            if (refused)
                QVERIFY2(o.rig.boxes.texts().value(0).contains(u'"' + r.typed + u'"'),
                    qPrintable(o.rig.boxes.texts().value(0)));
            QCOMPARE(o.main.writeSettings(), 1);
            QCOMPARE(o.rig.setting(QStringLiteral("CalDAV_URL")), r.stored);
            o.open(); // the next opening shows what was kept
            QCOMPARE(o.d->editCalDavUrl->text(), r.stored);
        }
    }

    // Options, Import... or Export... by keys, a file chosen: the main
    // window's lists take it in or go out, and the person is told.
    void calendarFiles_data()
    {
        QTest::addColumn<bool>("exporting");
        QTest::addColumn<QByteArray>("fileText");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QStringList>("memos"); // the memo grid's texts after
        // Nothing said of a due moment, a bell or a sound: the person's defaults.
        const QByteArray items = "BEGIN:VTODO\nUID:t1\nDTSTAMP:20240101T000000Z\nSUMMARY:Dal telefono\nEND:VTODO\n"
                                 "BEGIN:VEVENT\nUID:t2\nDTSTAMP:20240101T000000Z\nDTSTART:20240603T073000\n"
                                 "RRULE:FREQ=DAILY\nSUMMARY:Palestra\nEND:VEVENT\n"
                                 "BEGIN:VJOURNAL\nUID:t3\nDTSTAMP:20240101T000000Z\nSUMMARY:Diario\nEND:VJOURNAL\n";
        QTest::newRow("import") << false << calendarFile(items) << QString("2 aggiunti, 0 aggiornati, 1 tralasciati")
                                << QStringList{"memo 1", "Dal telefono"};
        QTest::newRow("import of no calendar")
            << false << QByteArray("#MEMO#\t#_ID:9\r\n") << QString("Errore: ") << QStringList{"memo 1"};
        QTest::newRow("export") << true << QByteArray() << QString("1 promemoria e 0 sveglie") << QStringList{"memo 1"};
    }

    void calendarFiles()
    {
        QFETCH(bool, exporting);
        QFETCH(QByteArray, fileText);
        QFETCH(QString, told);
        QFETCH(QStringList, memos);
        MemoListRig rig;
        rig.putSetting(QStringLiteral("Lingua_attuale"), languageItalian());
        rig.putSetting(QStringLiteral("Preavviso_predefinito_memo"), QStringLiteral("-20"));
        rig.putSetting(QStringLiteral("Suono_Sveglie"), QStringLiteral("Trillo"));
        TfrmReminder& w = rig.start({memoOn(1, 0)});
        w.show();
        w.state().DaSalvare = false;
        // The file dialogs start in the home folder.
        const QByteArray home = qgetenv("HOME");
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
        qputenv("HOME", rig.dir.path().toLocal8Bit());
        const QString path = rig.dir.filePath(QStringLiteral("file.ics"));
        if (!fileText.isEmpty())
            QCOMPARE(Scrivi_File(path, fileText, false), 1);
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<TfrmOpzioni*>(QApplication::activeModalWidget());
            QVERIFY(d);
            const auto close = qScopeGuard([d] { QTest::keyClick(d, Qt::Key_Escape); });
            // From the user field, Tab reaches the buttons; Space presses one.
            d->editCalDavUtente->setFocus();
            QTest::keyClick(d->editCalDavUtente, Qt::Key_Tab);
            if (exporting)
                QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
            QCOMPARE(d->focusWidget(), static_cast<QWidget*>(exporting ? d->btnEsporta : d->btnImporta));
            answerFileDialog(path);
            QTest::keyClick(d->focusWidget(), Qt::Key_Space);
            // Shown at once, while the options are still open.
            for (int row = 1; row <= memos.size(); ++row)
                shown << w.memoGrid().dbsgMemo()->Cells(COL_TEXT, row);
        });
        QTest::keyClick(w.memoGrid().dbsgMemo(), Qt::Key_F4);
        QCOMPARE(rig.boxes.texts().size(), 1);
        QVERIFY2(rig.boxes.texts().value(0).contains(told), qPrintable(rig.boxes.texts().value(0)));
        QCOMPARE(shown, memos);
        const bool imported = memos.size() > 1;
        QCOMPARE(w.state().DaSalvare, imported || exporting); // new memos, or the UIDs export gave
        if (imported) {
            QCOMPARE(w.state().ArrMemo.last().Anticipo, -20);
            QCOMPARE(w.state().ArrSveglie.last().Suono, QStringLiteral("Trillo"));
        }
        if (exporting) {
            QByteArray written;
            QCOMPARE(Leggi_File(path, written), 1);
            QVERIFY(written.contains("SUMMARY:memo 1\r\n"));
        }
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
