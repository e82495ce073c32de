#include "platform/RunningCopy.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {
// A request is a verb and a few paths; anything longer is not one of ours.
constexpr qint64 maxLine = 64 * 1024;
// A start that connects and then says nothing is not waited for.
constexpr int requestWaitMs = 5000;
} // namespace

RunningCopy::RunningCopy(QObject* parent)
    : QObject(parent)
{
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &RunningCopy::serve);
}

bool RunningCopy::listen(const QString& path)
{
    // Only the holder of the lock gets here: a socket still there is a dead copy's.
    QLocalServer::removeServer(path);
    return server.listen(path);
}

void RunningCopy::addVerb(const QString& verb, Verb answer)
{
    verbs.insert(verb, std::move(answer));
}

QByteArray RunningCopy::line(const QStringList& words)
{
    QByteArrayList encoded;
    for (const QString& w : words)
        encoded.append(QUrl::toPercentEncoding(w));
    return encoded.join(' ') + '\n';
}

QStringList RunningCopy::words(const QByteArray& line)
{
    QStringList result;
    const QByteArray trimmed = line.endsWith('\n') ? line.chopped(1) : line;
    for (const QByteArray& w : trimmed.split(' '))
        result.append(QString::fromUtf8(QByteArray::fromPercentEncoding(w)));
    return result;
}

void RunningCopy::serve()
{
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(requestWaitMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        const auto answerRequest = [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > maxLine)
                    socket->abort();
                return;
            }
            const QStringList request = words(socket->readLine(maxLine));
            const auto verb = verbs.constFind(request.value(0));
            Answer answer{false, {QStringLiteral("unknown request")}};
            if (verb != verbs.constEnd())
                answer = (*verb)(request.mid(1));
            const QString status = answer.ok ? QStringLiteral("ok") : QStringLiteral("error");
            socket->write(line(QStringList{status} + answer.words));
            socket->disconnectFromServer(); // after the answer is written
        };
        connect(socket, &QLocalSocket::readyRead, this, answerRequest);
        if (socket->bytesAvailable() > 0)
            answerRequest();
    }
}

std::optional<QStringList> RunningCopy::ask(const QString& path, const QStringList& request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return std::nullopt;
    socket.write(line(request));
    socket.flush();
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
    }
    return words(socket.readLine(maxLine));
}
