#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

// A small tmpfs of its own, mounted when the test runs as root (as CI does),
// to fill to the last byte. Unmounted when it goes.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes)
    {
        if (::geteuid() != 0 || !m_dir.isValid())
            return;
        m_mounted = QProcess::execute(
                        "mount", {"-t", "tmpfs", "-o", QString("size=%1k").arg(kilobytes), "tmpfs", m_dir.path()})
            == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute("umount", {m_dir.path()});
    }
    bool mounted() const
    {
        return m_mounted;
    }
    QString path() const
    {
        return m_dir.path();
    }
    // Writes a filler file until the disk has no byte left.
    void fill()
    {
        QFile f(fillerPath());
        if (!f.open(QIODevice::Append | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (f.write(block) == block.size()) {
        }
        while (f.write("x", 1) == 1) {
        }
    }
    // Gives back the last bytes of the filler.
    void freeUp(qint64 bytes)
    {
        QFile f(fillerPath());
        f.resize(qMax<qint64>(0, f.size() - bytes));
    }
    void empty()
    {
        QFile::remove(fillerPath());
    }

private:
    QString fillerPath() const
    {
        return m_dir.filePath("filler");
    }
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
