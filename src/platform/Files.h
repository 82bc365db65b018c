#pragma once

#include <QString>

namespace platform {

// Whether another process holds the file open: the office's lock file beside it
// (".~lock.NAME#"), or a POSIX lock on the file itself. Empty paths and missing files: false.
bool IsFileOpen(const QString& path);

// The fixed output folders: CorvaneHTML, CorvanePDF and CorvaneImages in the user's home
// folder, or under CORVANE_OUTPUT_ROOT when it is set.
struct OutputFolders {
    QString root;
    static OutputFolders fromEnvironment();
    QString html() const;
    QString pdf() const;
    QString images() const;
};

}  // namespace platform
