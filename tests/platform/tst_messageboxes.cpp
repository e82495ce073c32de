#include "platform/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

struct Boxes : QtMessageBoxes {
    using QtMessageBoxes::QtMessageBoxes;
    using QtMessageBoxes::show;
};

// A click through the button's window, where modality applies.
void clickOnScreen(QWidget* button)
{
    QWidget* window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button->mapTo(window, button->rect().center()));
}

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

    // A question of the main window stands over the dialog of it that asks
    // and waits for its answer there, while a window of its own, as a
    // warning is, can still be answered.
    void warningsStayFree()
    {
        QWidget main;
        main.show();
        QDialog dialog(&main);
        dialog.setWindowModality(Qt::WindowModal);
        auto* dialogButton = new QPushButton(QStringLiteral("dialog"), &dialog);
        dialog.show();
        QWidget warning(nullptr, Qt::Tool);
        auto* warningButton = new QPushButton(QStringLiteral("warning"), &warning);
        warning.show();
        QVERIFY(QTest::qWaitForWindowExposed(&warning) && QTest::qWaitForWindowExposed(&dialog));
        QStringList clicked;
        for (QPushButton* b : {dialogButton, warningButton})
            connect(b, &QPushButton::clicked, [&clicked, b] { clicked << b->text(); });
        const QWidget* over = nullptr;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            over = box->parentWidget();
            clickOnScreen(dialogButton);
            clickOnScreen(warningButton);
            box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(Boxes(&main).show(MessageKind::Question, QStringLiteral("Sveglie"), QStringLiteral("?"), false),
            Answer::Yes);
        QCOMPARE(over, &dialog);
        QCOMPARE(clicked, QStringList{QStringLiteral("warning")});
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
