#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

// The running copy's door for later starts: a local stream socket beside the
// single-instance lock, for this user only. A later start sends one line and
// reads one line back, then the connection ends:
//   request  "<verb> <argument> <argument>..."
//   answer   "ok <argument>..." or "error <text>"
// Words are separated by one space and percent-encoded (UTF-8), so an
// argument may hold spaces, line ends or nothing at all.
// A plain AF_UNIX socket rather than Qt Network: a start then maps neither
// it nor the Kerberos and proxy libraries behind it.
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
    ~RunningCopy() override;
    // Listens at path (the lock's owner only: a socket left by a copy that
    // crashed is replaced, any other kind of file is left alone). False when
    // the socket cannot be made.
    bool listen(const QString& path);
    void addVerb(const QString& verb, Verb answer);

    // A later start: sends the request to path and waits up to timeoutMs
    // for the answer line, split into words ("ok"/"error" first); nullopt
    // when nobody answers in time, or the one listening is another user.
    static std::optional<QStringList> ask(const QString& path, const QStringList& request, int timeoutMs);

    static QByteArray line(const QStringList& words);
    static QStringList words(const QByteArray& line);

private:
    class Connection;
    void accept();
    Answer answer(const QByteArray& request) const;

    int listener = -1;
    QString listening; // the path this copy made, removed at the end
    quint64 device = 0, inode = 0;
    std::unique_ptr<QSocketNotifier> incoming;
    QHash<QString, Verb> verbs;
};
