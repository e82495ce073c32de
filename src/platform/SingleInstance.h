#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running copy per user: a lock file named after the title in the user's
// runtime folder (else a folder of the user's cache), or in a folder given.
// The lock of a copy that crashed is taken over.
class SingleInstance {
public:
    // lockFolder empty: the user's runtime folder.
    explicit SingleInstance(const QString& title, const QString& lockFolder = {});
    // True when this process is the one running copy; holds the lock until destroyed.
    bool acquire();
    QString lockPath() const;
    // Where the running copy answers later starts (RunningCopy), beside the lock.
    QString socketPath() const;

private:
    QString path;
    std::unique_ptr<QLockFile> lock;
};
