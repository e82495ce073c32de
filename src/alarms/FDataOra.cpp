#include "alarms/FDataOra.h"

#include "controls/CentraFinestra.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TfrmDataOra::TfrmDataOra(QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("frmDataOra"));
    setWindowTitle(QStringLiteral("Data"));
    setModal(true);
    calendar->setObjectName(QStringLiteral("mtcCalendario"));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar);
    // The calendar asking for another month's information: the next click
    // only arms the closing again.
    connect(calendar, &QCalendarWidget::currentPageChanged, this, [this] { Chiudi_Con_Click = false; });
    // Every part of the calendar counts for a click and for the keys.
    calendar->installEventFilter(this);
    for (QWidget* child : calendar->findChildren<QWidget*>())
        child->installEventFilter(this);
}

QDate TfrmDataOra::Scegli(QDate date, const QWidget* mainWindow, const QLocale& names, Qt::DayOfWeek firstDay)
{
    QLocale locale = names;
    calendar->setLocale(locale);
    calendar->setFirstDayOfWeek(firstDay);
    calendar->setSelectedDate(date);
    calendar->setCurrentPage(date.year(), date.month());
    adjustSize();
    const QScreen* screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
    move(Centra_Finestra(
        mainWindow ? mainWindow->frameGeometry() : QRect(), frameGeometry().size(), screen ? screen->size() : QSize()));
    exec();
    return calendar->selectedDate();
}

void TfrmDataOra::showEvent(QShowEvent* event)
{
    Chiudi_Con_Click = true;
    QDialog::showEvent(event);
    calendar->setFocus();
}

void TfrmDataOra::mtcCalendarioClick()
{
    clickPending = false;
    if (Chiudi_Con_Click)
        accept();
    Chiudi_Con_Click = true;
}

bool TfrmDataOra::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // After the calendar has handled the click, so a month it turned to is known.
        if (!clickPending) {
            clickPending = true;
            QTimer::singleShot(0, this, &TfrmDataOra::mtcCalendarioClick);
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
