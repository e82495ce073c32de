#include "dialogs/EmailNoticeCore.h"

#include "platform/MessageBoxes.h"
#include "state/Configuration.h"

int Testi_Email(const QString& lingua, const QString& linkEMail, TestiEmail& t)
{
    if (lingua == languageItalian()) {
        t.lblTitolo = QStringLiteral("Ti piace questo programma?");
        t.btnChiudi = QStringLiteral("Chiudi");
        t.Memo = {QStringLiteral("E' gratuito: perchè non lo consigli anche ai tuoi amici?"), QString(),
            QStringLiteral("Per inviare un messaggio con l'indirizzo del sito"),
            QStringLiteral("dal quale scaricarlo ed installarlo, clicca qui"), QStringLiteral("sotto!")};
        t.hglInviaEMail = QStringLiteral("Invia e-mail");
        t.TestoEmail = QStringLiteral("Ho trovato questo fantastico programmino, utilissimo per evitare di\r\n"
                                      "dimenticarsi le attività della giornata!.\r\n"
                                      "E' gratuito e lo  installi in un attimo scaricandolo direttamente da \r\n")
            + linkEMail;
        return 1;
    }
    if (lingua == languageEnglish()) {
        t.lblTitolo = QStringLiteral("Do you like this program?");
        t.btnChiudi = QStringLiteral("Close");
        t.Memo
            = {QStringLiteral("Do you like this program ? It's for free: why don't you recommend it to your friends?"),
                QString(), QStringLiteral("To send a message with the Internet address of the download Web site"),
                QStringLiteral("Just click below!")};
        t.hglInviaEMail = QStringLiteral("Send the e-mail");
        t.TestoEmail = QStringLiteral("Ciao ! Could this tool concern you ?\r\n"
                                      "I found this wonderful, small software (tool). It can help you to remember\r\n"
                                      "easily your everyday activities !\r\n"
                                      "It is free and you can download it quickly from\r\n")
            + linkEMail;
        return 1;
    }
    return 0;
}

int Testi_MessaggioTrayIcon(const QString& lingua, const QString& nomeProgramma, TestiMessaggioTrayIcon& t)
{
    // The label names the product in fixed words; only the caption uses the configured name.
    if (lingua == languageItalian()) {
        t.caption = nomeProgramma + QStringLiteral(" informazioni");
        t.lblMess = QStringLiteral("Brivo Reminder resterà attivo sulla barra delle icone per avvisarti quando "
                                   "necessario con i promemoria impostati.");
        t.chkMess = QStringLiteral("Non visualizzare più questo messaggio");
        return 1;
    }
    if (lingua == languageEnglish()) {
        t.caption = nomeProgramma + QStringLiteral(" alarm");
        t.lblMess
            = QStringLiteral("Brivo Reminder will remain activated into the tray bar for memos and clocks warnings");
        t.chkMess = QStringLiteral("Never show this message again");
        return 1;
    }
    return 0;
}

QString crlfLineBreaks(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString mapiErrorText(const MapiResults& r)
{
    const auto code = [](quint32 value) { return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper(); };
    if (r.logon != 0)
        return QStringLiteral("MapiLogOn error ") + code(r.logon);
    if (r.send > 1)
        return QStringLiteral("MapiSendMail error ") + code(r.send);
    if (r.logoff != 0)
        return QStringLiteral("MapiLogOff error ") + code(r.logoff);
    return QString();
}

void Invia_Email(Mailer& mailer, MessageBoxes& boxes, MailMessage mail, const QString& lingua)
{
    mail.body = crlfLineBreaks(mail.body);
    mailer.sendMail(mail, [&boxes, english = lingua == languageEnglish()](const MapiResults& results) {
        const QString error = mapiErrorText(results);
        if (error.isEmpty())
            return;
        if (english) {
            boxes.Errore(QStringLiteral("The e-mail cannot be sent.\r\rProbably the default e-mail application "
                                        "cannot be found, or it is not set up correctly.     (")
                + error + u')');
            return;
        }
        boxes.Errore(QStringLiteral("Non è possibile inviare l'e-mail.\r\rProbabilmente non è possibile trovare "
                                    "l'applicazione predefinita di gestione posta elettronica, oppure questa non è "
                                    "configurata correttamente.     (")
            + error + u')');
    });
}
