#pragma once

#include <QDate>
#include <QDialog>
#include <QLocale>

class QCalendarWidget;

// The date picker: a month calendar that one click on a day closes; its
// headers and arrows only turn the page. There is no cancel: every way of
// closing leaves the calendar's date to the caller.
class TfrmDataOra : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDataOra(QWidget* parent = nullptr);

    // Shows the calendar on date, modally and centred over mainWindow, and
    // returns the date it shows when it closes. Day and month names follow
    // names; weeks start on firstDay.
    QDate Scegli(QDate date, const QWidget* mainWindow, const QLocale& names, Qt::DayOfWeek firstDay);

    QCalendarWidget* mtcCalendario() const
    {
        return calendar;
    }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A click on a day.
    void mtcCalendarioClick();
    bool headerEditing() const;

    QCalendarWidget* calendar;
    bool Chiudi_Con_Click = true;
    bool headerKey = false; // the key pressed now is the year field's or the month list's
};
