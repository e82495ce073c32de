#pragma once

#include <QDateTime>
#include <QString>

// The sound name that stands for no sound.
inline QString noSoundName()
{
    return QStringLiteral("-nessun suono-");
}

// The user's preferences, kept in the registry under the settings key.
struct UserSettings {
    QString Tipo_colorazione;
    qint32 qt_aperture_prog = 0; // program starts, this one included once read
    qint32 Stay_on_top = 0;
    QString Lingua_attuale;
    qint32 Chiedi_conferma_esc = 0;
    qint32 Chiedi_conferma_cancellazione = 0;
    qint32 Orario_predefinito_nuovi_promemoria = 0;
    qint32 Incremento_orario_piu_meno = 5;
    qint32 Anticipo_per_memo_imminenti = 5;
    qint32 Preavviso_predefinito_memo = -5;
    qint32 Avvio_automatico = 0;
    qint32 Suono_allarme_ripeturamente = 0;
    qint32 Attivazione_nuovi_promemoria = 0;
    // The window's geometry: read at start, and to be set from the window
    // before every write.
    qint32 Height_pnlGen = 222;
    qint32 Width_Appl = 472;
    QString Suono_Memo;
    QString Suono_Sveglie;
    qint32 vis_banner = 0;
    qint32 Ultima_pos_Left = 0;
    qint32 Ultima_pos_Top = 0;
    bool positionKnown = false; // both Ultima_pos_ values were read as numbers
    qint32 Vis_mess_trayicon = 0;
    qint32 Notifica_desktop = 1; // a desktop notification beside each warning
    // The latest due check, so that the next start can tell what it missed.
    QDateTime Ultimo_controllo;
    // The code page this copy last wrote or read the store in
    // (StoreFile::codePageName), so a Windows-1252 store stays so.
    QString Codifica_archivio;
    // The CalDAV collection the memos are synced with (empty: no sync) and
    // the user name for it. The password is never kept here.
    QString CalDAV_URL;
    QString CalDAV_Utente;
};
