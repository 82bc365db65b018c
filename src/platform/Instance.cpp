#include "platform/Instance.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

InstanceLock::InstanceLock(const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    path_ = QDir(dir).filePath(QStringLiteral("corvane.lock"));
}

bool InstanceLock::acquire() {
    if (lock_ && lock_->isLocked()) return true;
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0);  // a lock left by a crashed run is stale once its process is gone
    return lock_->tryLock(0);
}

}  // namespace platform
