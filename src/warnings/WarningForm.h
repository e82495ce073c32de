#pragma once

#include "engine/WarningWindow.h"
#include "warnings/ListaMess.h"

#include <QWidget>

#include <functional>

struct AppState;
struct Services;
struct TColorazione;

// What the warning windows ask of the main window.
struct WarningHost {
    std::function<void()> Aggiorna_Griglia;   // redraw the memo list
    std::function<void()> endProgram;         // save and end, as a confirmed exit does
    std::function<qint64()> monotonicMs = {}; // for the key guard; empty: a steady clock of the process
};

// What the memo and alarm warning windows share: a stay-on-top tool window
// that takes its queue entries when created, sees keys before its controls,
// and on closing raises Finestra_Chiusa and stops the sound. The tick
// releases it. Keys of its first second do nothing: a person typing
// elsewhere must not dismiss a warning that they have not seen.
class WarningForm : public QWidget, public WarningWindow {
    Q_OBJECT
public:
    bool isShownOnScreen() const override;
    bool showsKey(qint32 key) const override;
    bool isFinished() const override;
    void release() override;

    // Warning windows read as alerts; once per program, before the first is shown.
    static void installAccessibility();

    const ListaMessList& lines() const
    {
        return ListaMess;
    }

protected:
    WarningForm(AppState& state, Services& services, const WarningHost& host, QSize clientSize);

    // Every STATO_NUOVO entry of kind tipo, in queue order, becomes a line
    // (made by makeLine; false stops taking) and STATO_MOSTRATO.
    void takeEntries(qint32 tipo, const std::function<bool(const REC_Avviso& entry, REC_Mess& line)>& makeLine);
    // Testi_Lingua's 0: the error box, then the program ends, both after the
    // tick that made the window.
    void reportLanguage(int result);
    // Shown after the current tick, so the timer goes on meanwhile.
    void reportError(const QString& text);
    const TColorazione* scheme() const;
    // Shown over the others, with a desktop notification of what it shows
    // (body) for a person who is looking at another screen or workspace.
    void showOnTop(const QString& body);

    // Esc, Enter and the others, before the focused control; true = handled.
    virtual bool previewKey(int key) = 0;
    virtual void FormCloseQuery()
    {
    }

    bool keysGuarded() const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    AppState& state;
    Services& services;
    const WarningHost host;
    ListaMessList ListaMess;
    bool Finestra_Chiusa = false;
    qint64 shownAtMs = -1;

private:
    void bringToFront();
    quint32 notification = 0;
};
