// LibreOffice's clipboard, read over UNO: the pictures a copy of a chart or a range offers.

#include <com/sun/star/datatransfer/DataFlavor.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>

#include "office/libreoffice/Host.h"

namespace office::libreoffice {

namespace {

// Bitmap flavours, best first. LibreOffice offers no SVG; its vector forms (metafiles) have no
// reader here, so the vector picture is never offered and the bitmap serves for both.
const char* const BitmapFlavours[] = {"image/png", "image/bmp", "application/x-openoffice-bitmap"};

bool isFlavour(const css::datatransfer::DataFlavor& f, const char* mime) {
    const QString type = qs(f.MimeType);
    const QString want = QLatin1String(mime);
    return type == want || type.startsWith(want + ';');
}

}  // namespace

bool UnoClipboard::hasFormat(Format format) const {
    if (format == Format::Metafile) return false;
    return guardedOnSession("Clipboard.Formats", [&](const Session& s) {
        auto contents = s.clipboard()->getContents();
        if (!contents.is()) return false;
        for (const auto& f : contents->getTransferDataFlavors())
            for (const char* mime : BitmapFlavours)
                if (isFlavour(f, mime)) return true;
        return false;
    });
}

std::optional<Picture> UnoClipboard::picture(Format format) const {
    if (format == Format::Metafile) return std::nullopt;
    return guardedOnSession("Clipboard.Picture", [&](const Session& s) -> std::optional<Picture> {
        auto contents = s.clipboard()->getContents();
        if (!contents.is()) return std::nullopt;
        const auto flavours = contents->getTransferDataFlavors();
        for (const char* mime : BitmapFlavours)
            for (const auto& f : flavours) {
                if (!isFlavour(f, mime)) continue;
                Sequence<sal_Int8> bytes;
                contents->getTransferData(f) >>= bytes;
                QImage image = QImage::fromData(
                    reinterpret_cast<const uchar*>(bytes.getConstArray()), bytes.getLength());
                if (!image.isNull()) return Picture{image, {}};
            }
        return std::nullopt;
    });
}

void UnoClipboard::clear() {
    guardedOnSession("Clipboard.Clear",
                     [&](const Session& s) { s.clipboard()->setContents(nullptr, nullptr); });
}

}  // namespace office::libreoffice
