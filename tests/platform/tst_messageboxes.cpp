#include "platform/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

struct Boxes : QtMessageBoxes {
    using QtMessageBoxes::show;
};

} // namespace

class TestMessageBoxes : public QObject {
    Q_OBJECT
private slots:
    // What each kind of box shows and what a press answers (NoButton: the
    // Escape key). The helpers' captions and prefixes are tested on the fake.
    void boxes_data()
    {
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("press");
        QTest::addColumn<Answer>("answer");
        using B = QMessageBox;
        const MessageKind q = MessageKind::Question;
        QTest::newRow("yes") << q << false << int(B::Yes) << Answer::Yes;
        QTest::newRow("no") << q << false << int(B::No) << Answer::No;
        QTest::newRow("escape is no") << q << false << int(B::NoButton) << Answer::No;
        QTest::newRow("cancel: yes") << q << true << int(B::Yes) << Answer::Yes;
        QTest::newRow("cancel: no") << q << true << int(B::No) << Answer::No;
        QTest::newRow("cancel: cancel") << q << true << int(B::Cancel) << Answer::Cancel;
        QTest::newRow("cancel: escape is cancel") << q << true << int(B::NoButton) << Answer::Cancel;
        QTest::newRow("information") << MessageKind::Information << false << int(B::Ok) << Answer::Yes;
        QTest::newRow("error") << MessageKind::Error << false << int(B::Ok) << Answer::Yes;
    }

    void boxes()
    {
        QFETCH(MessageKind, kind);
        QFETCH(bool, withCancel);
        QFETCH(int, press);
        const QString text = QStringLiteral("Sei sicuro di voler cancellare la sveglia selezionata? ");
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        if (kind == MessageKind::Question)
            buttons = withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                 : QMessageBox::Yes | QMessageBox::No;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList seen; // caption, text, buttons, default button
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            icon = box->icon();
            seen << box->windowTitle() << box->text() << QString::number(box->standardButtons().toInt())
                 << QString::number(box->defaultButton() ? box->standardButton(box->defaultButton()) : 0);
            // Pictures to look at, when asked for.
            const QString folder = qEnvironmentVariable("BRIVO_SCREENSHOT_DIR");
            if (!folder.isEmpty()
                && (QTest::currentDataTag() == QByteArray("cancel: yes") || kind == MessageKind::Error))
                box->grab().save(folder + u'/' + (withCancel ? "messagebox-question.png" : "messagebox-error.png"));
            if (press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(press))->click();
        });
        QTEST(Boxes().show(kind, QStringLiteral("Sveglie"), text, withCancel), "answer");
        const int defaultButton = kind == MessageKind::Question ? QMessageBox::Yes : 0;
        QCOMPARE(
            seen, QStringList({"Sveglie", text, QString::number(buttons.toInt()), QString::number(defaultButton)}));
        const QMessageBox::Icon icons[] = {QMessageBox::Question, QMessageBox::Information, QMessageBox::Critical};
        QCOMPARE(icon, icons[int(kind)]);
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
