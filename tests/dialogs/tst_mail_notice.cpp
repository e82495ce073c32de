#include "TestMain.h"
#include "controls/CentraFinestra.h"
#include "controls/HighlightLabel.h"
#include "dialogs/FEmail.h"
#include "dialogs/FMessaggioTrayIcon.h"
#include "memolist/MemoListPanel.h"
#include "memolist/MemoListRig.h"
#include "platform/TrayIcon.h"

#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestMailNotice : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false); // as the program, which lives in the tray
    }

    // The mail icon opens the window modally, centred over the main window;
    // its link hands the mail over and closes it, whatever the answer. The
    // Italian mail and a missing mail program are the mail and browser road's.
    void mailWindow()
    {
        const QString it("Italiano (Italia)");
        const QString en("English (UK)");
        const struct {
            QString language;
            QString body; // in place of the window's own; empty: its own
            MapiResults results;
            QString error;
        } rows[] = {
            {en, {}, MapiResults{0, 1, 0}, {}},                             // cancelled by the user
            {en, "uno\ndue\r\ntre\rquattro\n", MapiResults{}, {}},          // bare line feeds
            {en, {}, MapiResults{0, 2, 0}, "MapiSendMail error 00000002"},  // mail program failed
            {it, {}, MapiResults{0, 0, 0x1a}, "MapiLogOff error 0000001A"}, // logoff failed
        };
        for (const auto& [language, body, results, error] : rows) {
            MemoListRig rig;
            rig.putSetting("Lingua_attuale", language);
            rig.mailer.results = results;
            TfrmReminder& w = rig.start();
            w.show();
            w.move(40, 30);
            QPoint shownAt;
            QPoint centred;
            QTimer::singleShot(0, [&] {
                auto* mail = qobject_cast<TfrmEmail*>(QApplication::activeModalWidget());
                QVERIFY(mail);
                shownAt = mail->pos();
                centred = Centra_Finestra(w.frameGeometry(), mail->frameGeometry().size(), w.screen()->geometry());
                if (!body.isEmpty())
                    mail->TestoEmail = body;
                QTest::mouseClick(mail->hglInviaEMail, Qt::LeftButton);
            });
            QTest::mouseClick(w.memoList().imgMail, Qt::LeftButton);
            QCOMPARE(shownAt, centred);
            QCOMPARE(rig.mailer.sent.size(), 1);
            const MailMessage& sent = rig.mailer.sent.first();
            QCOMPARE(sent.subject, QString("Programma BrivoReminder"));
            QVERIFY(sent.address.isEmpty() && sent.attachment.isEmpty());
            if (body.isEmpty()) {
                QVERIFY(sent.body.endsWith("\r\n" + w.state().config.LINK_E_MAIL));
                QCOMPARE(sent.body.contains("lo  installi"), language == languageItalian());
            } else {
                QCOMPARE(sent.body, QString("uno\r\ndue\r\ntre\r\nquattro\r\n"));
            }
            // In the language of the interface.
            const QString box = language == languageItalian()
                ? "Errore: Non è possibile inviare l'e-mail.\r\rProbabilmente non è possibile trovare "
                  "l'applicazione predefinita di gestione posta elettronica, oppure questa non è configurata "
                  "correttamente.     ("
                : "Errore: The e-mail cannot be sent.\r\rProbably the default e-mail application cannot be found, "
                  "or it is not set up correctly.     (";
            QCOMPARE(rig.boxes.texts(), error.isEmpty() ? QStringList() : QStringList{box + error + ")"});

            // Made once; Esc closes it without a mail.
            QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
            QTest::mouseClick(w.memoList().imgMail, Qt::LeftButton);
            QVERIFY(!QApplication::activeModalWidget());
            QCOMPARE(w.findChildren<TfrmEmail*>().size(), 1);
            QCOMPARE(rig.mailer.sent.size(), 1);
        }
    }

    // The notice at the first hide to the tray, centred where the main window
    // was; OK, Esc and the close box all record its box, and once ticked it
    // stays away, after a restart too.
    void trayNotice()
    {
        const std::pair<QString, bool> rows[] = {{"OK", true}, {"Esc", true}, {"close box", true}, {"OK", false}};
        for (const auto& [way, tick] : rows) {
            TrayIcon::pinAvailable(true);
            MemoListRig rig;
            TfrmReminder& w = rig.start();
            w.show();
            w.move(700, 500);
            const QRect main = w.frameGeometry();
            w.close();
            TfrmMessaggioTrayIcon* notice = w.trayNotice();
            QVERIFY(notice && notice->isVisible() && w.isHidden());
            QCOMPARE(notice->pos(), Centra_Finestra(main, notice->frameGeometry().size(), w.screen()->geometry()));
            QVERIFY(!notice->chkMess->isChecked());
            if (tick)
                QTest::mouseClick(notice->chkMess, Qt::LeftButton);
            if (way == "OK")
                QTest::mouseClick(notice->btnChiudi, Qt::LeftButton);
            else if (way == "Esc")
                QTest::keyClick(notice, Qt::Key_Escape);
            else
                notice->close();
            QVERIFY(!notice->isVisible());
            QCOMPARE(w.state().settings.Vis_mess_trayicon, tick ? 1 : 0);

            w.show();
            w.close();
            QCOMPARE(notice->isVisible(), !tick);
            w.writeSettings();
            rig.start().show();
            rig.window->close();
            QCOMPARE(rig.window->trayNotice() != nullptr, !tick);
            TrayIcon::pinAvailable(std::nullopt);
        }
    }
};

BRIVO_REGISTER_TEST(TestMailNotice)
#include "tst_mail_notice.moc"
