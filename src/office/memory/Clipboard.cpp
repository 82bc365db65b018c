#include "office/memory/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace office::memory {

namespace {

// A demo user can paste the copy into another program; headless runs and tests must never
// touch the desktop's clipboard.
bool mirrorsToDesktop() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace

void Clipboard::put(ClipContent content, Picture pictures) {
    content_ = std::move(content);
    pictures_ = std::move(pictures);
    if (!pictures_.bitmap.isNull() && mirrorsToDesktop())
        QGuiApplication::clipboard()->setImage(pictures_.bitmap);
}

void Clipboard::clear() {
    const bool mirrored = !pictures_.bitmap.isNull();
    content_.reset();
    pictures_ = {};
    if (mirrored && mirrorsToDesktop()) QGuiApplication::clipboard()->clear();
}

bool Clipboard::hasFormat(Format format) const {
    switch (format) {
        case Format::Bitmap:
            return !pictures_.bitmap.isNull();
        case Format::Metafile:
            return !pictures_.svg.isEmpty();
        case Format::Any:
            return !pictures_.isNull();
    }
    return false;
}

std::optional<Picture> Clipboard::picture(Format format) const {
    const bool bitmap = format != Format::Metafile && !pictures_.bitmap.isNull();
    if (bitmap) return Picture{pictures_.bitmap, {}};
    if (format != Format::Bitmap && !pictures_.svg.isEmpty()) return Picture{{}, pictures_.svg};
    return std::nullopt;
}

}  // namespace office::memory
