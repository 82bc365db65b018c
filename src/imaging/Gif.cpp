#include "imaging/Gif.h"

#include <gif_lib.h>

#include <memory>

namespace imaging {

namespace {

int writeToDevice(GifFileType* gif, const GifByteType* data, int length) {
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return int(device->write(reinterpret_cast<const char*>(data), length));
}

SaveResult gifFailure(const char* step, int error) {
    const char* why = GifErrorString(error);
    return {false, QStringLiteral("GIF %1 failed: %2")
                       .arg(QLatin1String(step), QString::fromLatin1(why ? why : "unknown error"))};
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

SaveResult writeGif(QIODevice& device, const QImage& image) {
    // The GIF screen and image sizes are 16-bit fields.
    if (image.width() > 0xFFFF || image.height() > 0xFFFF)
        return {false, QStringLiteral("GIF images cannot be larger than 65535 pixels a side")};

    // Charts have few colours and keep them exactly; a picture with more gets the nearest
    // colours of Qt's palette, without dither noise over flat areas.
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8,
                                           Qt::ThresholdDither | Qt::ThresholdAlphaDither);
    if (indexed.isNull())
        return {false, QStringLiteral("GIF: the image could not be reduced to 256 colours")};
    const QList<QRgb> table = indexed.colorTable();

    // giflib wants a palette of a power of two entries.
    int mapSize = 2;
    while (mapSize < table.size()) mapSize *= 2;
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(mapSize, nullptr));
    if (!map) return {false, QStringLiteral("GIF: out of memory for the palette")};
    for (int i = 0; i < mapSize; ++i) {
        const QRgb rgb = i < table.size() ? table[i] : qRgb(0, 0, 0);
        map->Colors[i] =
            GifColorType{GifByteType(qRed(rgb)), GifByteType(qGreen(rgb)), GifByteType(qBlue(rgb))};
    }

    int error = 0;
    GifFileType* gif = EGifOpen(&device, writeToDevice, &error);
    if (!gif) return gifFailure("open", error);

    auto close = [&](const char* step) {
        const int stepError = gif->Error;
        int closeError = 0;
        EGifCloseFile(gif, &closeError);  // frees gif in every case
        return gifFailure(step, stepError ? stepError : closeError);
    };
    if (EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map.get()) == GIF_ERROR)
        return close("screen description");
    if (EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_ERROR)
        return close("image description");
    for (int y = 0; y < indexed.height(); ++y) {
        if (EGifPutLine(gif, indexed.scanLine(y), indexed.width()) == GIF_ERROR)
            return close("line write");
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR) return gifFailure("close", error);
    return {true, {}};
}

}  // namespace imaging
