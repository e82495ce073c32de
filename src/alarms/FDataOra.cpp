#include "alarms/FDataOra.h"

#include "controls/PlaceOver.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QSpinBox>
#include <QVBoxLayout>

TfrmDataOra::TfrmDataOra(QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("frmDataOra"));
    setWindowTitle(QStringLiteral("Data"));
    // Modal to the main window only: a warning that falls due meanwhile can be answered at once.
    setWindowModality(Qt::WindowModal);
    calendar->setObjectName(QStringLiteral("mtcCalendario"));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar);
    // A click that turned the page (a day of the next or the previous month)
    // only turns it; the month and year headers and the arrows never close.
    connect(calendar, &QCalendarWidget::currentPageChanged, this, [this] { Chiudi_Con_Click = false; });
    connect(calendar, &QCalendarWidget::clicked, this, &TfrmDataOra::mtcCalendarioClick);
    // Every part of the calendar counts for a press and for the keys.
    calendar->installEventFilter(this);
    for (QWidget* child : calendar->findChildren<QWidget*>())
        child->installEventFilter(this);
}

QDate TfrmDataOra::Scegli(QDate date, const QWidget* mainWindow, const QLocale& names, Qt::DayOfWeek firstDay)
{
    QLocale locale = names;
    calendar->setLocale(locale);
    setWindowTitle(locale.language() == QLocale::English ? QStringLiteral("Date") : QStringLiteral("Data"));
    calendar->setFirstDayOfWeek(firstDay);
    calendar->setSelectedDate(date);
    calendar->setCurrentPage(date.year(), date.month());
    adjustSize();
    placeOver(*this, mainWindow);
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
    if (Chiudi_Con_Click)
        accept();
    Chiudi_Con_Click = true;
}

bool TfrmDataOra::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        Chiudi_Con_Click = true;
    } else if (event->type() == QEvent::KeyRelease) {
        headerKey = false;
    } else if (event->type() == QEvent::KeyPress) {
        // The header's key stays the header's while it climbs to the
        // calendar, though the year field it ended has gone by then.
        headerKey = headerKey || headerEditing();
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (!headerKey && (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmDataOra::headerEditing() const
{
    // Enter and Esc end the year being typed or the month list, not the dialog.
    const QSpinBox* year = calendar->findChild<QSpinBox*>();
    return (year && year->isVisible()) || QApplication::activePopupWidget();
}
