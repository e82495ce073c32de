#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running copy per user: a lock file in the user's runtime folder, named
// after the title. The lock of a copy that crashed is taken over.
class SingleInstance {
public:
    // lockFolder empty: the user's runtime folder.
    explicit SingleInstance(const QString& title, const QString& lockFolder = {});
    // True when this process is the one running copy; holds the lock until destroyed.
    bool acquire();
    QString lockPath() const;

private:
    QString path;
    std::unique_ptr<QLockFile> lock;
};
