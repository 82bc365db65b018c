#include "images/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace images {

namespace {
constexpr int MaxNameBytes = 255;
}

QString safeFileName(const QString& name, const QString& extension) {
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(name.size());
    for (const QChar c : name)
        out += (c.unicode() < 32 || c == QChar(0x7F) || refused.contains(c)) ? QChar('_') : c;
    if (out.startsWith('.')) out[0] = '_';
    if (out.isEmpty()) out = QStringLiteral("_");
    // Cut whole characters (never half a surrogate pair) until the name fits.
    const qsizetype room = MaxNameBytes - extension.toUtf8().size();
    while (out.size() > 1 && out.toUtf8().size() > room) {
        out.chop(1);
        if (!out.isEmpty() && out.back().isHighSurrogate()) out.chop(1);
    }
    return out;
}

bool isDirectlyInside(const QString& folder, const QString& path) {
    const QFileInfo info(path);
    return QDir::cleanPath(info.absolutePath()) == QDir::cleanPath(QDir(folder).absolutePath()) &&
           info.fileName() != QLatin1String("..") && info.fileName() != QLatin1String(".");
}

bool fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

std::optional<int> nextFreeNumber(const QString& folder, const QString& prefix,
                                  const QString& extension) {
    const QDir dir(folder);
    for (int n = 101; n <= 999; ++n)
        if (!QFileInfo::exists(dir.filePath(prefix + QString::number(n) + extension))) return n;
    return std::nullopt;
}

}  // namespace images
