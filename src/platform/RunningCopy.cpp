#include "platform/RunningCopy.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace {
// A request is a verb and a few paths; anything longer is not one of ours.
constexpr qsizetype maxLine = 64 * 1024;
// A start that connects and then says nothing is not waited for.
constexpr int requestWaitMs = 5000;

bool address(const QString& path, sockaddr_un& where)
{
    const QByteArray name = QFile::encodeName(path);
    std::memset(&where, 0, sizeof where);
    where.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof where.sun_path)
        return false;
    std::memcpy(where.sun_path, name.constData(), size_t(name.size()));
    return true;
}

// The other end's user, as the kernel saw it at connect.
bool sameUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

class Fd {
public:
    explicit Fd(int fd)
        : fd(fd)
    {
    }
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const
    {
        return fd;
    }
    int release()
    {
        return std::exchange(fd, -1);
    }

private:
    int fd;
};

// Waits for events on fd until deadline; false when the time is up.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const qint64 left = deadline.remainingTime();
        const int n = ::poll(&p, 1, int(qMin<qint64>(left, 60 * 1000)));
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
        if (deadline.hasExpired())
            return false;
    }
}
} // namespace

// One later start's connection: its request read as it comes, in as many
// pieces as it comes in, then the answer written and the connection closed.
class RunningCopy::Connection : public QObject {
public:
    Connection(RunningCopy& door, int fd)
        : QObject(&door)
        , door(door)
        , fd(fd)
        , reading(fd, QSocketNotifier::Read)
        , writing(fd, QSocketNotifier::Write)
    {
        writing.setEnabled(false);
        connect(&reading, &QSocketNotifier::activated, this, &Connection::read);
        connect(&writing, &QSocketNotifier::activated, this, &Connection::write);
        QTimer::singleShot(requestWaitMs, this, &Connection::end);
    }
    ~Connection() override
    {
        ::close(fd);
    }

private:
    void read()
    {
        char chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (n <= 0)
            return end(); // gone before a whole line
        request.append(chunk, n);
        const qsizetype lineEnd = request.indexOf('\n');
        if (lineEnd < 0) {
            if (request.size() > maxLine)
                end();
            return;
        }
        reading.setEnabled(false);
        if (lineEnd > maxLine)
            return end();
        // A verb may run an event loop of its own (a box), where this
        // connection's time may run out.
        const QPointer<Connection> alive(this);
        const Answer a = door.answer(request.left(lineEnd + 1));
        if (!alive)
            return;
        out = RunningCopy::line(QStringList{a.ok ? QStringLiteral("ok") : QStringLiteral("error")} + a.words);
        write();
    }

    void write()
    {
        while (!out.isEmpty()) {
            const ssize_t n = ::send(fd, out.constData(), size_t(out.size()), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno == EAGAIN) {
                writing.setEnabled(true);
                return;
            }
            if (n < 0)
                return end();
            out.remove(0, n);
        }
        end(); // after the answer is written
    }

    void end()
    {
        reading.setEnabled(false);
        writing.setEnabled(false);
        deleteLater();
    }

    RunningCopy& door;
    int fd;
    QSocketNotifier reading, writing;
    QByteArray request, out;
};

RunningCopy::RunningCopy(QObject* parent)
    : QObject(parent)
{
}

RunningCopy::~RunningCopy()
{
    if (listener < 0)
        return;
    // The socket file goes with the door, unless another copy has made its own since.
    struct stat there { };
    const QByteArray name = QFile::encodeName(listening);
    if (::lstat(name.constData(), &there) == 0 && quint64(there.st_dev) == device && quint64(there.st_ino) == inode)
        ::unlink(name.constData());
    ::close(listener);
}

bool RunningCopy::listen(const QString& path)
{
    sockaddr_un where;
    if (listener >= 0 || !address(path, where))
        return false;
    const QByteArray name = QFile::encodeName(path);
    // Only the holder of the lock gets here: a socket still there is a dead copy's.
    struct stat there { };
    if (::lstat(name.constData(), &there) == 0) {
        if (!S_ISSOCK(there.st_mode) || ::unlink(name.constData()) != 0)
            return false;
    }
    // Made in a folder of its own and given this user's rights before it
    // takes its name, so that nobody else can reach it even for a moment.
    QByteArray folder = name + ".XXXXXX";
    if (!::mkdtemp(folder.data()))
        return false;
    const QByteArray made = folder + "/s";
    sockaddr_un temporary;
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const bool ok = address(QFile::decodeName(made), temporary) && fd.get() >= 0
        && ::bind(fd.get(), reinterpret_cast<sockaddr*>(&temporary), sizeof temporary) == 0
        && ::chmod(made.constData(), S_IRUSR | S_IWUSR) == 0 && ::listen(fd.get(), 16) == 0
        && ::rename(made.constData(), name.constData()) == 0;
    if (!ok)
        ::unlink(made.constData());
    ::rmdir(folder.constData());
    if (!ok)
        return false;
    if (::lstat(name.constData(), &there) == 0) {
        device = quint64(there.st_dev);
        inode = quint64(there.st_ino);
    }
    listener = fd.release();
    listening = path;
    incoming = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    connect(incoming.get(), &QSocketNotifier::activated, this, &RunningCopy::accept);
    return true;
}

void RunningCopy::accept()
{
    for (;;) {
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return; // EAGAIN: none left
        }
        if (!sameUser(fd)) {
            ::close(fd);
            continue;
        }
        new Connection(*this, fd);
    }
}

RunningCopy::Answer RunningCopy::answer(const QByteArray& request) const
{
    const QStringList asked = words(request);
    const auto verb = verbs.constFind(asked.value(0));
    if (verb == verbs.constEnd())
        return Answer{false, {QStringLiteral("unknown request")}};
    return (*verb)(asked.mid(1));
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

std::optional<QStringList> RunningCopy::ask(const QString& path, const QStringList& request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    sockaddr_un where;
    if (!address(path, where))
        return std::nullopt;
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (fd.get() < 0)
        return std::nullopt;
    // A copy too busy to take connections up fills its queue: tried again until the time is up.
    while (::connect(fd.get(), reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
        if ((errno != EAGAIN && errno != EINTR) || deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(std::clamp<qint64>(deadline.remainingTime(), 1, 20));
    }
    // In a shared folder anybody may have made the socket: only this user's copy is told anything.
    if (!sameUser(fd.get()))
        return std::nullopt;
    QByteArray out = line(request);
    while (!out.isEmpty()) {
        const ssize_t n = ::send(fd.get(), out.constData(), size_t(out.size()), MSG_NOSIGNAL);
        if (n > 0)
            out.remove(0, n);
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && errno == EAGAIN) {
            if (!waitFor(fd.get(), POLLOUT, deadline))
                return std::nullopt;
        } else
            return std::nullopt;
    }
    QByteArray in;
    while (!in.contains('\n')) {
        if (!waitFor(fd.get(), POLLIN, deadline))
            return std::nullopt;
        char chunk[4096];
        const ssize_t n = ::recv(fd.get(), chunk, sizeof chunk, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0 || in.size() > maxLine)
            return std::nullopt;
        in.append(chunk, n);
    }
    return words(in.left(in.indexOf('\n') + 1));
}
