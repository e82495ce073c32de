#pragma once

#include "platform/Mailer.h"

#include <QString>
#include <QStringList>

class MessageBoxes;

// The recommend-by-mail window's texts in the current interface language.
struct TestiEmail {
    QString lblTitolo;
    QString btnChiudi;
    QStringList Memo; // one entry per line of the invitation
    QString hglInviaEMail;
    QString TestoEmail; // the body of the mail, CR LF line breaks
};

// Fills texts for lingua, the body ending with the download address.
// 1 = done; 0 = not a language of the program, texts left as they were.
int Testi_Email(const QString& lingua, const QString& linkEMail, TestiEmail& texts);

// The tray notice's texts.
struct TestiMessaggioTrayIcon {
    QString caption;
    QString lblMess;
    QString chkMess;
};

int Testi_MessaggioTrayIcon(const QString& lingua, const QString& nomeProgramma, TestiMessaggioTrayIcon& texts);

// Every line break (CR LF, a lone LF or a lone CR) as CR LF.
QString crlfLineBreaks(const QString& text);

// The failed step of a mail's three calls ("MapiLogOn error 00000001");
// empty when it was handed over or the user cancelled.
QString mapiErrorText(const MapiResults& results);

// Invia_Email: hands the mail, its body with CR LF line breaks, to the user's
// mail program; a failure is shown with Errore whenever it is known.
void Invia_Email(Mailer& mailer, MessageBoxes& boxes, MailMessage mail, const QString& lingua = {});
