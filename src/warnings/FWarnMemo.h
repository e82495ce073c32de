#pragma once

#include "controls/GridTypes.h"
#include "warnings/WarningForm.h"

class Currency;
class QHBoxLayout;
class QLabel;
class QToolButton;
class TA_DBStringGrid;
class TA_EditCurr;

// The memo warning window: lists the memos that fell due, with their sound,
// and lets the user mark the selected ones done, delete them, postpone them
// by some minutes, or just close the window.
class TfrmWarnMemo : public WarningForm {
    Q_OBJECT
public:
    TfrmWarnMemo(AppState& state, Services& services, const WarningHost& host);

    void showWarning() override; // FormShow
    void renumberKeys(const MemoIdMap& newIds) override;
    // The window's texts for Lingua_attuale; 0 for a language it does not know.
    int Testi_Lingua();
    // Reloads dbsgMess from ListaMess.
    void Aggiorna_Lista();

    void btnOKClick();
    void btnEseguitoClick();
    void btnCancellaClick();
    void btnRicordamiClick();

    TA_DBStringGrid* dbsgMess;
    QToolButton* btnRicordami;
    TA_EditCurr* editMinuti;
    QLabel* lblMinuti;
    QToolButton* btnEseguito;
    QToolButton* btnCancella;
    QToolButton* btnOK;

protected:
    bool previewKey(int key) override;
    void FormCloseQuery() override;

private:
    // The action on every selected grid row, top to bottom: key K and queue
    // position P read back from the grid's data, memo the ArrMemo index of
    // the entry's memo or -1. Then the list is reloaded, or the window closes.
    void forSelectedRows(const std::function<void(qint32 K, qint32 P, qsizetype memo)>& action);
    void dbsgMessDrawCell(TA_DBStringGrid* Sender, int ACol, int ARow, const QRect& Rect, GridDrawState State);
    void editMinutiChangeFiltroUtente(const QString& Text_New, bool& Accettabile_on, Currency& Valore_out);

    QString createdAt; // the time of day in the caption
    QHBoxLayout* buttonBar = nullptr;
};
