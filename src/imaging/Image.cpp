#include "imaging/Image.h"

#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <optional>

#include "imaging/Gif.h"

namespace imaging {

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr double kScreenDpi = 96.0;

// An SVG length in inches, by the CSS units (96 px to the inch); nothing for relative units.
std::optional<double> lengthInches(QStringView text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*([+]?[0-9]*\.?[0-9]+(?:[eE][-+]?[0-9]+)?)\s*(px|pt|pc|mm|cm|in)?\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    if (unit.isEmpty() || unit == u"px") return value / kScreenDpi;
    if (unit == u"pt") return value / 72.0;
    if (unit == u"pc") return value / 6.0;
    if (unit == u"mm") return value / 25.4;
    if (unit == u"cm") return value / 2.54;
    return value;  // in
}

// The size the picture is meant to have, in inches. Read from the root element because Qt's
// renderer turns absolute units into pixels at 90 dpi, where CSS and the offices use 96.
QSizeF nominalInches(const QByteArray& svg, const QSvgRenderer& renderer) {
    QXmlStreamReader xml(svg);
    while (!xml.atEnd() && !xml.isStartElement()) xml.readNext();
    std::optional<double> width, height;
    QSizeF viewBox;
    if (xml.isStartElement()) {
        const auto attributes = xml.attributes();
        width = lengthInches(attributes.value(QLatin1String("width")));
        height = lengthInches(attributes.value(QLatin1String("height")));
        const auto box =
            attributes.value(QLatin1String("viewBox"))
                .toString()
                .split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
        if (box.size() == 4) viewBox = QSizeF(box[2].toDouble(), box[3].toDouble());
    }
    if (width && height) return {*width, *height};
    if (viewBox.width() > 0 && viewBox.height() > 0) {
        const double aspect = viewBox.height() / viewBox.width();
        if (width) return {*width, *width * aspect};
        if (height) return {*height / aspect, *height};
        return viewBox / kScreenDpi;
    }
    return QSizeF(renderer.defaultSize()) / kScreenDpi;
}

Image renderSvg(const QByteArray& svg, double dpi) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    const QSizeF inches = nominalInches(svg, renderer);
    if (!(inches.width() > 0 && inches.height() > 0)) return {};
    const double longest = std::max(inches.width(), inches.height()) * dpi;
    if (longest > kMaxRenderSide) dpi *= kMaxRenderSide / longest;
    const QSize pixels(std::max(1, int(std::lround(inches.width() * dpi))),
                       std::max(1, int(std::lround(inches.height() * dpi))));
    QImage bitmap(pixels, QImage::Format_RGB32);
    if (bitmap.isNull()) return {};
    bitmap.fill(Qt::white);
    // The pixel size was rounded; the resolution follows it so the nominal size stays exact.
    bitmap.setDotsPerMeterX(int(std::lround(pixels.width() / inches.width() / kMetresPerInch)));
    bitmap.setDotsPerMeterY(int(std::lround(pixels.height() / inches.height() / kMetresPerInch)));
    QPainter painter(&bitmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    return Image(bitmap);
}

QImage onWhite(const QImage& image) {
    if (!image.hasAlphaChannel()) return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull()) return flat;
    flat.setDotsPerMeterX(image.dotsPerMeterX());
    flat.setDotsPerMeterY(image.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

double dpiOf(int dotsPerMetre) {
    return dotsPerMetre > 0 ? dotsPerMetre * kMetresPerInch : kScreenDpi;
}

const char* qtFormatName(Format format) {
    switch (format) {
        case Format::Png:
            return "png";
        case Format::Gif:
            return "gif";
        case Format::Jpeg:
            return "jpeg";
        case Format::Bmp:
            return "bmp";
        case Format::Tiff:
            return "tiff";
    }
    return "";
}

SaveResult writeWithQt(QIODevice& device, const QImage& image, Format format) {
    QImageWriter writer(&device, qtFormatName(format));
    if (format == Format::Jpeg) writer.setQuality(kJpegQuality);
    // Lossless LZW keeps TIFF files of charts small.
    if (format == Format::Tiff) writer.setCompression(1);
    if (!writer.write(image)) return {false, writer.errorString()};
    return {true, {}};
}

}  // namespace

QString extension(Format format) {
    switch (format) {
        case Format::Png:
            return QStringLiteral(".png");
        case Format::Gif:
            return QStringLiteral(".gif");
        case Format::Jpeg:
            return QStringLiteral(".jpg");
        case Format::Bmp:
            return QStringLiteral(".bmp");
        case Format::Tiff:
            return QStringLiteral(".tiff");
    }
    return {};
}

bool tiffAvailable() {
    return QImageWriter::supportedImageFormats().contains("tiff");
}

Image::Image(QImage bitmap) : m_bitmap(std::move(bitmap)) {}

Image Image::fromPicture(const office::Picture& picture, double dpi) {
    if (picture.isVector() && dpi > 0) {
        Image rendered = renderSvg(picture.svg, dpi);
        if (!rendered.isNull()) return rendered;
    }
    return Image(picture.bitmap);
}

Image Image::fromClipboard(const office::Clipboard& clipboard, double dpi) {
    using office::Clipboard;
    for (const auto format : {Clipboard::Format::Metafile, Clipboard::Format::Bitmap}) {
        if (!clipboard.hasFormat(format)) continue;
        if (const auto picture = clipboard.picture(format)) {
            const Image image = fromPicture(*picture, dpi);
            if (!image.isNull()) return image;
        }
    }
    return {};
}

Image Image::load(const QString& path) {
    QImageReader reader(path);
    return Image(reader.read());
}

double Image::dpiX() const {
    return dpiOf(m_bitmap.dotsPerMeterX());
}
double Image::dpiY() const {
    return dpiOf(m_bitmap.dotsPerMeterY());
}
double Image::width() const {
    return m_bitmap.width() * 72.0 / dpiX();
}
double Image::height() const {
    return m_bitmap.height() * 72.0 / dpiY();
}

SaveResult Image::save(const QString& path, Format format) const {
    if (isNull()) return {false, QStringLiteral("There is no image to save")};
    if (format == Format::Tiff && !tiffAvailable())
        return {false, QStringLiteral("Cannot write TIFF files: the Qt image formats plugin "
                                      "(qt6-image-formats-plugins) is not installed")};
    const bool opaqueFormat =
        format == Format::Jpeg || format == Format::Bmp || format == Format::Gif;
    const QImage image = opaqueFormat ? onWhite(m_bitmap) : m_bitmap;
    if (image.isNull()) return {false, QStringLiteral("Out of memory preparing the image")};

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, QStringLiteral("Cannot create %1: %2").arg(path, file.errorString())};
    SaveResult result =
        format == Format::Gif ? writeGif(file, image) : writeWithQt(file, image, format);
    if (!result) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return {false, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    return result;
}

}  // namespace imaging
