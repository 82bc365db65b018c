#pragma once

#include <QImage>
#include <QString>

#include "office/Clipboard.h"
#include "office/Picture.h"

namespace imaging {

enum class Format { Png, Gif, Jpeg, Bmp, Tiff };

// The file name extension the exports give each format: ".png", ".gif", ".jpg", ".bmp", ".tiff".
QString extension(Format format);

// True when Qt can write TIFF here (the Qt image formats plugin is installed).
bool tiffAvailable();

inline constexpr int kJpegQuality = 75;
// Vector pictures are drawn at twice the screen's 96 dpi, which prints sharply.
inline constexpr double kPrintDpi = 192.0;
// No side of a rendered vector picture exceeds this; larger pictures get a lower resolution.
inline constexpr int kMaxRenderSide = 10000;

struct SaveResult {
    bool ok = false;
    QString message;  // why the save failed; empty on success
    explicit operator bool() const { return ok; }
};

// A bitmap with the resolution it is meant to be shown at (its dots per metre), so that it
// knows its nominal size as well as its pixel size.
class Image {
  public:
    Image() = default;
    explicit Image(QImage bitmap);

    // A bitmap picture is taken as is; a vector picture (preferred when both are set) is drawn
    // on white at `dpi` over its nominal size, keeping its aspect ratio. Null when the picture
    // is null or its SVG cannot be read and there is no bitmap.
    static Image fromPicture(const office::Picture& picture, double dpi = kPrintDpi);
    // The clipboard's picture, its vector form when it offers one; null when it holds none.
    static Image fromClipboard(const office::Clipboard& clipboard, double dpi = kPrintDpi);
    // Null when the file cannot be read as an image.
    static Image load(const QString& path);

    bool isNull() const { return m_bitmap.isNull(); }
    const QImage& bitmap() const { return m_bitmap; }
    int pixelWidth() const { return m_bitmap.width(); }
    int pixelHeight() const { return m_bitmap.height(); }

    // The nominal size in points (1/72 inch): pixels / dpi * 72, the dpi being the bitmap's
    // own (96 when it has none). A 96-dpi screen bitmap of 960 px is 720 points wide whatever
    // resolution a vector picture was drawn at, so width() * 2.54 / 72 is the printed size in
    // centimetres.
    double width() const;
    double height() const;
    double dpiX() const;
    double dpiY() const;

    // Writes the file under a temporary name and renames it when complete: on failure nothing
    // is left under `path` and a file already there is untouched. JPEG is written at quality
    // kJpegQuality; JPEG, BMP and GIF are flattened on white, PNG and TIFF keep transparency.
    SaveResult save(const QString& path, Format format) const;

  private:
    QImage m_bitmap;
};

}  // namespace imaging
