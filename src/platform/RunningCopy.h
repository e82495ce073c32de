#pragma once

#include <QHash>
#include <QLocalServer>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

// The running copy's door for later starts: a local socket beside the
// single-instance lock, for this user only. A later start sends one line and
// reads one line back, then the connection ends:
//   request  "<verb> <argument> <argument>..."
//   answer   "ok <argument>..." or "error <text>"
// Words are separated by one space and percent-encoded (UTF-8), so an
// argument may hold spaces, line ends or nothing at all.
class RunningCopy : public QObject {
    Q_OBJECT
public:
    // What a verb answers: the words after "ok", or an error text.
    struct Answer {
        bool ok = true;
        QStringList words;
    };
    using Verb = std::function<Answer(const QStringList& arguments)>;

    explicit RunningCopy(QObject* parent = nullptr);
    // Listens at path (the lock's owner only: a socket left by a copy that
    // crashed is replaced). False when the socket cannot be made.
    bool listen(const QString& path);
    void addVerb(const QString& verb, Verb answer);

    // A later start: sends the request to path and waits up to timeoutMs
    // for the answer line, split into words ("ok"/"error" first); nullopt
    // when nobody answers in time.
    static std::optional<QStringList> ask(const QString& path, const QStringList& request, int timeoutMs);

    static QByteArray line(const QStringList& words);
    static QStringList words(const QByteArray& line);

private:
    void serve();
    QLocalServer server;
    QHash<QString, Verb> verbs;
};
