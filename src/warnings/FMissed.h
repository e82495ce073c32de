#pragma once

#include "engine/MissedReminders.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTreeWidget;
struct AppState;
struct Services;

// "Promemoria persi": the memos and alarm clocks that a gap between ticks
// made the person miss, each with its date and time, and the way to the
// memo list. Made at the first notice and kept.
class TfrmMissed : public QDialog {
    Q_OBJECT
public:
    TfrmMissed(AppState& state, Services& services, std::function<void()> showMainWindow);

    // Lists missed below what is still shown (a closed window starts
    // afresh) and shows the window.
    void Aggiungi(const MissedList& missed);
    // One line per reminder, as the window lists them.
    QStringList lines(const MissedList& missed) const;
    // 1 done; 0 for a language it does not know, texts left as they were.
    int Testi_Lingua();

    QTreeWidget* lstPersi; // when, what
    QPushButton* btnApri;

private:
    QStringList columns(const MissedReminder& m) const;

    AppState& state;
    Services& services;
    const std::function<void()> showMainWindow;
};
