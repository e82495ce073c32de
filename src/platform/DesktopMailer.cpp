#include "platform/DesktopMailer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
// Simple MAPI's codes.
constexpr quint32 MAPI_E_FAILURE = 2;
constexpr quint32 MAPI_E_ATTACHMENT_NOT_FOUND = 11;
constexpr quint32 MAPI_E_ATTACHMENT_OPEN_FAILURE = 12;
// As Simple MAPI answers when there is no mail system at all.
constexpr MapiResults noMailSystem{1, 0, 0};
} // namespace

QString DesktopMailer::mailtoUrl(const MailMessage& mail)
{
    // Built here rather than with --subject and --body: xdg-email encodes
    // each line it reads and adds its own CR LF, so a CR LF body would reach
    // the mail with every CR doubled.
    return QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(mail.address, "@"))
        + QStringLiteral("?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(mail.subject))
        + QStringLiteral("&body=") + QString::fromLatin1(QUrl::toPercentEncoding(mail.body));
}

MapiResults DesktopMailer::results(int exitCode)
{
    switch (exitCode) {
    case 0: // handed to the composer; what the user does there is the user's
        return {};
    case 2: // a file to attach is missing
        return {0, MAPI_E_ATTACHMENT_NOT_FOUND, 0};
    case 3: // no mail program could be found
        return noMailSystem;
    case 5: // a file to attach cannot be read
        return {0, MAPI_E_ATTACHMENT_OPEN_FAILURE, 0};
    default: // 1, a call it does not take; 4, the mail program failed
        return {0, MAPI_E_FAILURE, 0};
    }
}

void DesktopMailer::sendMail(const MailMessage& mail, std::function<void(const MapiResults&)> done)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty()) {
        done(noMailSystem);
        return;
    }
    QStringList arguments;
    if (!mail.attachment.isEmpty())
        arguments << QStringLiteral("--attach") << mail.attachment;
    arguments << mailtoUrl(mail);
    // No parent and no pipes: a mail program that xdg-email runs in the
    // foreground may outlive this program, and must not be killed with it.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process, [process, done](int code, QProcess::ExitStatus status) {
        done(status == QProcess::NormalExit ? results(code) : MapiResults{0, MAPI_E_FAILURE, 0});
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        done(noMailSystem);
        process->deleteLater();
    });
    process->start(program, arguments);
}
