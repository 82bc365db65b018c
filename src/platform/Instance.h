#pragma once

// Whether another copy of the program is running: a lock file in the runtime folder,
// held for the life of the process.

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

class InstanceLock {
  public:
    // `folder` empty: the user's runtime folder.
    explicit InstanceLock(const QString& folder = {});
    // True when this process holds the lock now (or already did); false when another does.
    bool acquire();
    QString path() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
