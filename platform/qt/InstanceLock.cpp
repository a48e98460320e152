#include "platform/qt/InstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

InstanceLock::InstanceLock(const QString& programName, const QString& folder)
    : path_(QDir(folder.isEmpty() ? DefaultLockFolder() : folder).filePath(FileName(programName))),
      lock_(std::make_unique<QLockFile>(path_)) {
    // Age alone never makes the lock stale: the first instance may run for weeks. A lock whose
    // process has died is still recognised and taken over.
    lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryLock() { return lock_->isLocked() || lock_->tryLock(0); }

bool InstanceLock::isLocked() const { return lock_->isLocked(); }

void InstanceLock::unlock() { lock_->unlock(); }

QString InstanceLock::FileName(const QString& programName) {
    return QStringLiteral("%1-%2.lock").arg(programName).arg(::getuid());
}

QString InstanceLock::DefaultLockFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
    return QDir::tempPath();
}

QString ProgramBaseName(const QString& executablePath) {
    return QFileInfo(executablePath).completeBaseName();
}

}  // namespace platform
