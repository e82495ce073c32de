#pragma once

#include "dialogs/OpzioniCore.h"

#include <QDialog>

#include <functional>

struct AppState;
struct MemoPictures;
struct Services;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TA_EditCurr;
class THighlightLabel;

// The options dialog. Lists, language and sounds change the settings at
// once; the rest is stored when it closes, by any way: there is no cancel.
// Every opening marks the settings for the next save.
class TfrmOpzioni : public QDialog {
    Q_OBJECT
public:
    TfrmOpzioni(AppState& state, Services& services, const MemoPictures& pictures, QWidget* parent = nullptr);

    // Shows the dialog modally, centred over the main window.
    void Apri(const QWidget* mainWindow);

    // Lingua_attuale was changed from the language list.
    std::function<void()> OnLinguaCambiata;
    // Reads the calendar file at path into the program's lists, or writes
    // them to it; the main window's. Without it the two buttons are off.
    std::function<IcsOutcome(bool exporting, const QString& path)> OnFileIcs;

    // 1 = texts written; 0 = unknown language, texts unchanged.
    int Testi_Lingua();

    QGroupBox* gbxNuoviMemo;
    QRadioButton* rdbNessunOrario;
    QRadioButton* rdbOrarioComputer;
    QCheckBox* chkAttivaz_nuovi_memo;
    QCheckBox* chkConfCancell;
    QCheckBox* chkAutoAvvio;
    QCheckBox* chkNotifica_desktop;
    QLabel* lblPulsantiInc;
    TA_EditCurr* editMinuti_incOrari;
    QLabel* lblMinuti1;
    QLabel* lblMinutiAnticipo;
    TA_EditCurr* edit_min_Imm;
    QLabel* lblMinuti2;
    QLabel* lblPreavvAllarme;
    TA_EditCurr* edit_MinutiPreavv_allarme;
    QLabel* lblMinuti3;
    QLabel* lblColorazioni;
    QComboBox* cboColorazioni;
    QLabel* lblLingua;
    QComboBox* cboLingue;
    QGroupBox* gbxSuoni;
    QLabel* lblSuonoMemo;
    QComboBox* cboSuonoMemo;
    QToolButton* imgPlayMemo;
    QLabel* lblSuonoAllarmi;
    QComboBox* cboSuonoSveglie;
    QToolButton* imgPlayAllarme;
    QLabel* lblModEsecuzione;
    QRadioButton* rdbUnaVolta;
    QRadioButton* rdbRipetuto;
    QGroupBox* gbxCalDav;
    QLabel* lblCalDavUrl;
    QLineEdit* editCalDavUrl;
    QLabel* lblCalDavUtente;
    QLineEdit* editCalDavUtente;
    QPushButton* btnImporta;
    QPushButton* btnEsporta;
    QFrame* pnlFocus;
    THighlightLabel* hglLink;
    QLabel* lblVers_MANUALE;
    QPushButton* btnChiudi;

    void done(int result) override; // every way of closing stores the dialog

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate(const MemoPictures& pictures);
    void languageFailed(int result);
    void setRadios();
    void cboLingueChange();
    void suonoChange(const QComboBox* list, QString& setting);
    void imgPlayClick(const QString& setting);
    QGroupBox* buildCalDav(QWidget* parent);
    // Import... / Export...: a file chosen, handed to OnFileIcs, the outcome told.
    void fileIcs(bool exporting);
    void storeCalDav();

    AppState& state;
    Services& services;
    TestiOpzioni texts;
    QString icsFolder; // where the last calendar file was
};
