#pragma once

#include "engine/WarningWindow.h"

#include <QDialog>
#include <QList>

struct AppState;
struct Services;
class QListWidget;

// A stay-on-top warning for due memos or ringing alarm clocks. On creation
// it takes every new queue entry of its kind, lists them and plays the
// sound; closing it stops the sound and marks it finished for the tick.
class SimpleWarning : public QDialog, public WarningWindow {
    Q_OBJECT
public:
    enum class Kind { Memo, Sveglia };
    SimpleWarning(Kind kind, AppState& state, Services& services);

    void showWarning() override;
    bool isShownOnScreen() const override;
    bool showsKey(qint32 key) const override;
    bool isFinished() const override;
    void release() override;

    QStringList lineTexts() const;

protected:
    void done(int result) override;

private:
    void takeEntries();
    void playSound();

    Kind kind;
    AppState& state;
    Services& services;
    QListWidget* list;
    QList<qint32> keys;
    bool Finestra_Chiusa = false;
};

class SimpleWarningFactory : public WarningWindowFactory {
public:
    SimpleWarningFactory(AppState& state, Services& services);
    WarningWindow* createMemoWarning() override;
    WarningWindow* createAlarmWarning() override;

private:
    AppState& state;
    Services& services;
};
