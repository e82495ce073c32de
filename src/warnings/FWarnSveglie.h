#pragma once

#include "warnings/WarningForm.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// The alarm warning window: the messages of the alarm clocks that rang, one
// line each, beside a picture of an alarm clock, with the first one's sound;
// it offers only closing.
class TfrmWarnSveglie : public WarningForm {
    Q_OBJECT
public:
    TfrmWarnSveglie(AppState& state, Services& services, const WarningHost& host);

    void showWarning() override; // FormShow
    // Alarm clocks are named by their index, which no memo command changes.
    void renumberKeys(const MemoIdMap&) override
    {
    }
    // The window's texts for Lingua_attuale; 0 for a language it does not know.
    int Testi_Lingua();

    QPlainTextEdit* memMess;
    QFrame* pnlImmagine;
    QLabel* imgSveglia;
    QToolButton* btnChiudi;

protected:
    bool previewKey(int key) override;
};
