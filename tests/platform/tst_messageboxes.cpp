#include "platform/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct Seen {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers the next modal box by pressing a button (NoButton = the Escape
// key) and notes what it showed.
void answerNextBox(QMessageBox::StandardButton press, Seen& seen, const QString& screenshot = QString())
{
    QTimer::singleShot(0, [press, &seen, screenshot] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
        // Pictures to look at, when asked for.
        const QString folder = qEnvironmentVariable("BRIVO_SCREENSHOT_DIR");
        if (!screenshot.isEmpty() && !folder.isEmpty())
            box->grab().save(folder + u'/' + screenshot);
        if (press == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(press)->click();
    });
}

} // namespace

class TestMessageBoxes : public QObject {
    Q_OBJECT
private slots:
    void questions_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << false << int(QMessageBox::Yes) << int(Answer::Yes);
        QTest::newRow("no") << false << int(QMessageBox::No) << int(Answer::No);
        QTest::newRow("escape is no") << false << int(QMessageBox::NoButton) << int(Answer::No);
        QTest::newRow("cancel: yes") << true << int(QMessageBox::Yes) << int(Answer::Yes);
        QTest::newRow("cancel: no") << true << int(QMessageBox::No) << int(Answer::No);
        QTest::newRow("cancel: cancel") << true << int(QMessageBox::Cancel) << int(Answer::Cancel);
        QTest::newRow("cancel: escape is cancel") << true << int(QMessageBox::NoButton) << int(Answer::Cancel);
    }

    void questions()
    {
        QFETCH(bool, withCancel);
        QFETCH(int, press);
        QFETCH(int, answer);
        QtMessageBoxes boxes;
        Seen seen;
        answerNextBox(QMessageBox::StandardButton(press), seen,
            QTest::currentDataTag() == QByteArray("cancel: yes") ? QStringLiteral("messagebox-question.png")
                                                                 : QString());
        const QString text = QStringLiteral("Sei sicuro di voler cancellare la sveglia selezionata? ");
        const Answer got = withCancel ? boxes.confirmOrCancel(text) : (boxes.Conferma(text) ? Answer::Yes : Answer::No);
        QCOMPARE(int(got), answer);
        QCOMPARE(seen.caption, QStringLiteral("Brivo Reminder"));
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.icon, QMessageBox::Question);
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
        if (withCancel)
            buttons |= QMessageBox::Cancel;
        QCOMPARE(seen.buttons, buttons);
        QCOMPARE(seen.defaultButton, QMessageBox::Yes);
    }

    void informationAndError_data()
    {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shownCaption");
        QTest::addColumn<QString>("shownText");
        const QString text = QStringLiteral("File dati corrotto e/o illeggibile!");
        QTest::newRow("information") << false << QString() << "Brivo Reminder" << text;
        QTest::newRow("information with caption") << false << QString("Sveglie") << "Sveglie" << text;
        QTest::newRow("error") << true << QString() << "Brivo Reminder"
                               << "Errore: " + text;
        QTest::newRow("error with caption") << true << QString("Opzioni") << "Opzioni"
                                            << "Errore: " + text;
    }

    void informationAndError()
    {
        QFETCH(bool, error);
        QFETCH(QString, caption);
        QFETCH(QString, shownCaption);
        QFETCH(QString, shownText);
        QtMessageBoxes boxes;
        Seen seen;
        answerNextBox(
            QMessageBox::Ok, seen, error && caption.isEmpty() ? QStringLiteral("messagebox-error.png") : QString());
        const QString text = QStringLiteral("File dati corrotto e/o illeggibile!");
        if (error)
            boxes.Errore(text, caption);
        else
            boxes.information(text, caption);
        QCOMPARE(seen.caption, shownCaption);
        QCOMPARE(seen.text, shownText);
        QCOMPARE(seen.icon, error ? QMessageBox::Critical : QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
