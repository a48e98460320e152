#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

// "Only one instance per user": a lock file named after the program and the user, held for
// the life of this object. A lock left by a crashed run (its process is gone) is taken over;
// a lock held by a running instance never goes stale, however long it runs.
class InstanceLock {
public:
    // `folder` defaults to DefaultLockFolder().
    explicit InstanceLock(const QString& programName, const QString& folder = QString());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock (it is the first instance). Does not wait.
    bool tryLock();
    bool isLocked() const;
    void unlock();
    QString path() const { return path_; }

    // "<program>-<uid>.lock".
    static QString FileName(const QString& programName);
    // The per-user runtime folder ($XDG_RUNTIME_DIR) when there is a usable one, else the
    // temporary folder (the user id in the name keeps users apart there).
    static QString DefaultLockFolder();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

// The running executable's name without folder and extension ("Tessmet.exe" -> "Tessmet").
QString ProgramBaseName(const QString& executablePath);

}  // namespace platform
