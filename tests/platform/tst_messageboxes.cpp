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
    // What each kind of box shows and what a press answers; Esc presses the
    // No or Cancel button, as Qt documents. The helpers' captions and
    // prefixes are tested on the fake.
    void boxes()
    {
        using B = QMessageBox;
        const MessageKind q = MessageKind::Question;
        const struct {
            MessageKind kind;
            bool withCancel;
            int press;
            Answer answer;
        } rows[] = {
            {q, false, B::Yes, Answer::Yes},                       // yes
            {q, false, B::No, Answer::No},                         // no
            {q, true, B::No, Answer::No},                          // cancel: no
            {q, true, B::Cancel, Answer::Cancel},                  // cancel: cancel
            {MessageKind::Information, false, B::Ok, Answer::Yes}, // information
            {MessageKind::Error, false, B::Ok, Answer::Yes},       // error
        };
        for (const auto& [kind, withCancel, press, answer] : rows) {
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
                if (!folder.isEmpty() && ((withCancel && press == QMessageBox::Cancel) || kind == MessageKind::Error))
                    box->grab().save(folder + u'/' + (withCancel ? "messagebox-question.png" : "messagebox-error.png"));
                box->button(QMessageBox::StandardButton(press))->click();
            });
            QCOMPARE(Boxes().show(kind, QStringLiteral("Sveglie"), text, withCancel), answer);
            const int defaultButton = kind == MessageKind::Question ? QMessageBox::Yes : 0;
            QCOMPARE(
                seen, QStringList({"Sveglie", text, QString::number(buttons.toInt()), QString::number(defaultButton)}));
            const QMessageBox::Icon icons[] = {QMessageBox::Question, QMessageBox::Information, QMessageBox::Critical};
            QCOMPARE(icon, icons[int(kind)]);
        }
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
