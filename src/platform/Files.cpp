#include "platform/Files.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>

namespace platform {

bool IsFileOpen(const QString& path) {
    if (path.trimmed().isEmpty()) return false;
    QFileInfo info(path);
    if (!info.exists() || !info.isFile()) return false;
    if (QFileInfo::exists(info.dir().filePath(QStringLiteral(".~lock.%1#").arg(info.fileName()))))
        return true;

    // Try for an exclusive lock, as the original open-for-exclusive-use did; any failure means
    // someone else has it (or we may not touch it), which counts as open.
    int fd = ::open(QFile::encodeName(info.absoluteFilePath()).constData(), O_RDWR);
    if (fd < 0) return true;
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    bool held = false;
    if (::fcntl(fd, F_GETLK, &fl) == -1 || fl.l_type != F_UNLCK) held = true;
    ::close(fd);
    return held;
}

OutputFolders OutputFolders::fromEnvironment() {
    QString root = qEnvironmentVariable("CORVANE_OUTPUT_ROOT");
    if (root.isEmpty()) root = QDir::homePath();
    return OutputFolders{root};
}

QString OutputFolders::html() const {
    return QDir(root).filePath(QStringLiteral("CorvaneHTML"));
}
QString OutputFolders::pdf() const {
    return QDir(root).filePath(QStringLiteral("CorvanePDF"));
}
QString OutputFolders::images() const {
    return QDir(root).filePath(QStringLiteral("CorvaneImages"));
}

}  // namespace platform
