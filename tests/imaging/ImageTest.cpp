#include <gif_lib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <optional>

#include "imaging/Image.h"

namespace {

using imaging::Format;
using imaging::Image;

constexpr int kDotsPerMetre144 = 5669;  // 144 dpi

// Four flat quadrants: red, green / blue, white.
QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMetre144);
    image.setDotsPerMeterY(kDotsPerMetre144);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::white);
    return image;
}

int colourDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The pixels giflib itself decodes, as RGB.
QImage decodeGif(const QString& path, int* imageCount = nullptr, int* paletteSize = nullptr) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif) return {};
    QImage image;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& frame = gif->SavedImages[0];
        const ColorMapObject* map =
            frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        image = QImage(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
        for (int y = 0; y < frame.ImageDesc.Height; ++y) {
            for (int x = 0; x < frame.ImageDesc.Width; ++x) {
                const GifColorType c = map->Colors[frame.RasterBits[y * frame.ImageDesc.Width + x]];
                image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
            }
        }
        if (imageCount) *imageCount = gif->ImageCount;
        if (paletteSize) *paletteSize = map->ColorCount;
    }
    DGifCloseFile(gif, &error);
    return image;
}

class ImageTest : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ImageTest, EachFormatDecodesWithItsSizeColoursAndResolution) {
    struct Case {
        Format format;
        QByteArray magic;
        int tolerance;         // JPEG is lossy
        bool keepsResolution;  // GIF stores no resolution
    };
    const Case cases[] = {
        {Format::Png, "\x89PNG", 0, true},        {Format::Gif, "GIF8", 0, false},
        {Format::Jpeg, "\xFF\xD8\xFF", 12, true}, {Format::Bmp, "BM", 0, true},
        {Format::Tiff, "II*", 0, true},
    };
    const Image image(quadrants(120, 80));
    for (const Case& c : cases) {
        const QString file = path(QStringLiteral("chart") + imaging::extension(c.format));
        SCOPED_TRACE(file.toStdString());
        const auto result = image.save(file, c.format);
        ASSERT_TRUE(result) << result.message.toStdString();
        EXPECT_TRUE(readAll(file).startsWith(c.magic));

        const QImage decoded = QImageReader(file).read();
        ASSERT_EQ(decoded.size(), QSize(120, 80));
        const struct {
            QPoint at;
            QRgb colour;
        } probes[] = {{{30, 20}, qRgb(255, 0, 0)},
                      {{90, 20}, qRgb(0, 255, 0)},
                      {{30, 60}, qRgb(0, 0, 255)},
                      {{90, 60}, qRgb(255, 255, 255)}};
        for (const auto& probe : probes)
            EXPECT_LE(colourDistance(decoded.pixel(probe.at), probe.colour), c.tolerance);

        const Image loaded = Image::load(file);
        ASSERT_FALSE(loaded.isNull());
        EXPECT_NEAR(loaded.width(), c.keepsResolution ? 60.0 : 90.0, 0.1);
        EXPECT_NEAR(loaded.height(), c.keepsResolution ? 40.0 : 60.0, 0.1);
    }
    // Nothing but the five finished files: no temporary file is left over.
    EXPECT_EQ(entries(dir.path()).size(), 5);
}

TEST_F(ImageTest, GifDecodesWithGiflibExactlyForFewColours) {
    const QImage source = quadrants(33, 17);  // odd sizes catch row stride mistakes
    ASSERT_TRUE(Image(source).save(path("few.gif"), Format::Gif));
    int count = 0;
    const QImage decoded = decodeGif(path("few.gif"), &count);
    ASSERT_EQ(decoded.size(), source.size());
    EXPECT_EQ(count, 1);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            ASSERT_EQ(decoded.pixel(x, y), source.pixel(x, y)) << x << "," << y;
}

TEST_F(ImageTest, GifOfManyColoursKeepsAPaletteOf256AndNearColours) {
    QImage source(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) source.setPixel(x, y, qRgb(x, y, (x + y) / 2));
    ASSERT_TRUE(Image(source).save(path("many.gif"), Format::Gif));
    int palette = 0;
    const QImage decoded = decodeGif(path("many.gif"), nullptr, &palette);
    ASSERT_EQ(decoded.size(), source.size());
    EXPECT_LE(palette, 256);
    int worst = 0;
    for (int y = 0; y < 256; y += 5)
        for (int x = 0; x < 256; x += 5)
            worst = std::max(worst, colourDistance(decoded.pixel(x, y), source.pixel(x, y)));
    EXPECT_LE(worst, 40);
}

TEST_F(ImageTest, JpegIsWrittenAtQuality75) {
    // The quantisation tables are what the quality changes; compare them with Qt's own
    // encodings of the same picture.
    auto tables = [](const QByteArray& jpeg) {
        QByteArray all;
        for (qsizetype at = 2; at + 4 <= jpeg.size();) {
            if (uchar(jpeg[at]) != 0xFF) break;
            const uchar marker = uchar(jpeg[at + 1]);
            const int length = (uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]);
            if (marker == 0xDB) all += jpeg.mid(at + 4, length - 2);
            if (marker == 0xDA) break;
            at += 2 + length;
        }
        return all;
    };
    auto encoded = [](const QImage& image, int quality) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(quality);
        writer.write(image);
        return buffer.data();
    };
    const QImage source = quadrants(64, 64);
    ASSERT_TRUE(Image(source).save(path("q.jpg"), Format::Jpeg));
    const QByteArray saved = tables(readAll(path("q.jpg")));
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_EQ(saved, tables(encoded(source, 75)));
    EXPECT_NE(saved, tables(encoded(source, 85)));
    EXPECT_NE(saved, tables(encoded(source, 65)));
}

TEST_F(ImageTest, TransparencyIsFlattenedOnWhiteWhereTheFormatHasNoAlpha) {
    QImage clear(16, 16, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const struct {
        Format format;
        bool keepsAlpha;
    } cases[] = {{Format::Png, true},
                 {Format::Tiff, true},
                 {Format::Jpeg, false},
                 {Format::Bmp, false},
                 {Format::Gif, false}};
    for (const auto& c : cases) {
        const QString file = path(QStringLiteral("clear") + imaging::extension(c.format));
        SCOPED_TRACE(file.toStdString());
        ASSERT_TRUE(Image(clear).save(file, c.format));
        const QImage decoded = QImageReader(file).read();
        ASSERT_FALSE(decoded.isNull());
        const QRgb pixel = decoded.pixel(8, 8);
        if (c.keepsAlpha) {
            EXPECT_EQ(qAlpha(pixel), 0);
        } else {
            EXPECT_EQ(qAlpha(pixel), 255);
            EXPECT_LE(colourDistance(pixel, qRgb(255, 255, 255)), 2);
        }
    }
}

TEST_F(ImageTest, TiffIsReadableByLibtiff) {
    const QString tiffinfo = QStandardPaths::findExecutable(QStringLiteral("tiffinfo"));
    if (tiffinfo.isEmpty()) GTEST_SKIP() << "tiffinfo (libtiff-tools) is not installed";
    ASSERT_TRUE(Image(quadrants(120, 80)).save(path("t.tiff"), Format::Tiff));
    QProcess process;
    process.start(tiffinfo, {path("t.tiff")});
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().contains("Image Width: 120 Image Length: 80"));
}

TEST_F(ImageTest, FailedSavesLeaveNoFileAndKeepTheExistingOne) {
    const Image image(quadrants(20, 20));
    for (const Format format :
         {Format::Png, Format::Gif, Format::Jpeg, Format::Bmp, Format::Tiff}) {
        const QString file = path(QStringLiteral("missing/x") + imaging::extension(format));
        const auto result = image.save(file, format);
        EXPECT_FALSE(result) << file.toStdString();
        EXPECT_FALSE(result.message.isEmpty());
        EXPECT_FALSE(QFile::exists(file));
    }
    EXPECT_FALSE(Image().save(path("null.png"), Format::Png));
    EXPECT_FALSE(QFile::exists(path("null.png")));

    // Wider than JPEG and GIF allow: the encoder fails after the file was opened.
    const Image tooWide(QImage(70000, 1, QImage::Format_RGB32));
    for (const Format format : {Format::Jpeg, Format::Gif}) {
        const QString file = path(QStringLiteral("kept") + imaging::extension(format));
        {
            QFile existing(file);
            ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
            existing.write("previous");
        }
        EXPECT_FALSE(tooWide.save(file, format)) << file.toStdString();
        EXPECT_EQ(readAll(file), "previous");
    }
    EXPECT_EQ(entries(dir.path()).size(), 2);
}

TEST_F(ImageTest, SaveIntoAReadOnlyFolderFails) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString folder = path("locked");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(Image(quadrants(8, 8)).save(folder + "/x.png", Format::Png));
    EXPECT_TRUE(entries(folder).isEmpty());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(ImageTest, LoadOfAnUnreadableFileIsNull) {
    QFile garbage(path("garbage.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not an image at all");
    garbage.close();
    EXPECT_TRUE(Image::load(path("garbage.png")).isNull());
    EXPECT_TRUE(Image::load(path("absent.png")).isNull());
}

TEST(ImageFromPicture, BitmapIsTakenAsIsAtItsOwnResolution) {
    QImage bitmap = quadrants(300, 150);
    bitmap.setDotsPerMeterX(3780);  // 96 dpi, a screen bitmap
    bitmap.setDotsPerMeterY(3780);
    const Image image = Image::fromPicture(office::Picture{bitmap, {}});
    EXPECT_EQ(image.bitmap(), bitmap);
    EXPECT_NEAR(image.width(), 225.0, 0.1);
    EXPECT_NEAR(image.height(), 112.5, 0.1);
    EXPECT_TRUE(Image::fromPicture(office::Picture{}).isNull());
}

TEST(ImageFromPicture, VectorRendersAtTheResolutionOverItsNominalSize) {
    struct Case {
        const char* root;  // attributes of the svg element
        double userWidth;  // the user space the left-half rectangle is drawn in
        double userHeight;
        double dpi;
        QSize pixels;
        QSizeF points;
    };
    const Case cases[] = {
        {R"(width="4in" height="2in" viewBox="0 0 200 100")",
         200,
         100,
         150,
         {600, 300},
         {288, 144}},
        {R"(width="10cm" height="5cm" viewBox="0 0 200 100")",
         200,
         100,
         192,
         {756, 378},
         {283.46, 141.73}},
        {R"(width="72pt" height="36pt" viewBox="0 0 200 100")", 200, 100, 192, {192, 96}, {72, 36}},
        {R"(width="480" height="240")", 480, 240, 192, {960, 480}, {360, 180}},
        {R"(viewBox="0 0 300 100")", 300, 100, 192, {600, 200}, {225, 75}},
        {R"(width="6in" viewBox="0 0 300 100")", 300, 100, 100, {600, 200}, {432, 144}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.root);
        const QByteArray svg =
            QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" %1>)"
                           R"(<rect x="0" y="0" width="%2" height="%3" fill="#ff0000"/></svg>)")
                .arg(QLatin1String(c.root))
                .arg(c.userWidth / 2)
                .arg(c.userHeight)
                .toUtf8();
        const Image image = Image::fromPicture(office::Picture{{}, svg}, c.dpi);
        ASSERT_EQ(image.bitmap().size(), c.pixels);
        EXPECT_NEAR(image.width(), c.points.width(), 0.05);
        EXPECT_NEAR(image.height(), c.points.height(), 0.05);
        EXPECT_FALSE(image.bitmap().hasAlphaChannel());
        const QImage& bitmap = image.bitmap();
        EXPECT_EQ(bitmap.pixel(bitmap.width() / 4, bitmap.height() / 2), qRgb(255, 0, 0));
        EXPECT_EQ(bitmap.pixel(bitmap.width() * 3 / 4, bitmap.height() / 2), qRgb(255, 255, 255));
    }
}

TEST(ImageFromPicture, VectorIsPreferredAndABrokenOneFallsBackToTheBitmap) {
    const QByteArray svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="2in" height="1in"></svg>)";
    const QImage bitmap = quadrants(10, 10);
    EXPECT_EQ(Image::fromPicture(office::Picture{bitmap, svg}).bitmap().size(), QSize(384, 192));
    EXPECT_EQ(Image::fromPicture(office::Picture{bitmap, "<svg broken"}).bitmap(), bitmap);
    EXPECT_TRUE(Image::fromPicture(office::Picture{{}, "<svg broken"}).isNull());
}

TEST(ImageFromPicture, HugeVectorIsCappedButKeepsItsNominalSizeAndAspect) {
    const QByteArray svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="100in" height="40in"></svg>)";
    const Image image = Image::fromPicture(office::Picture{{}, svg});
    EXPECT_EQ(image.bitmap().size(),
              QSize(imaging::kMaxRenderSide, imaging::kMaxRenderSide * 2 / 5));
    EXPECT_NEAR(image.width(), 7200, 1);
    EXPECT_NEAR(image.height(), 2880, 1);
}

// A clipboard that offers each form it was given, as the offices' clipboards do.
class OfferingClipboard : public office::Clipboard {
  public:
    explicit OfferingClipboard(office::Picture offered) : offered_(std::move(offered)) {}
    bool hasFormat(Format format) const override { return bool(picture(format)); }
    std::optional<office::Picture> picture(Format format) const override {
        const bool bitmap = !offered_.bitmap.isNull() && format != Format::Metafile;
        const bool vector = offered_.isVector() && format != Format::Bitmap;
        if (!bitmap && !vector) return std::nullopt;
        return office::Picture{bitmap ? offered_.bitmap : QImage(),
                               vector ? offered_.svg : QByteArray()};
    }
    void clear() override { offered_ = {}; }

  private:
    office::Picture offered_;
};

TEST(ImageFromClipboard, TakesTheVectorFormWhenOfferedElseTheBitmap) {
    const QByteArray svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="2in" height="1in"></svg>)";
    const QImage bitmap = quadrants(10, 10);
    EXPECT_EQ(Image::fromClipboard(OfferingClipboard({bitmap, svg}), 100).bitmap().size(),
              QSize(200, 100));
    EXPECT_EQ(Image::fromClipboard(OfferingClipboard({bitmap, {}})).bitmap(), bitmap);
    EXPECT_EQ(Image::fromClipboard(OfferingClipboard({bitmap, "<svg broken"})).bitmap(), bitmap);
    EXPECT_TRUE(Image::fromClipboard(OfferingClipboard({})).isNull());
}

TEST_F(ImageTest, VectorSizeSurvivesATiffRoundTrip) {
    // The PDF export saves each picture as TIFF and sizes the page image from the loaded file.
    const QByteArray svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="12cm" height="8cm"></svg>)";
    const Image image = Image::fromPicture(office::Picture{{}, svg});
    ASSERT_TRUE(image.save(path("page.tiff"), Format::Tiff));
    const Image loaded = Image::load(path("page.tiff"));
    ASSERT_EQ(loaded.bitmap().size(), image.bitmap().size());
    EXPECT_NEAR(loaded.width() * 2.54 / 72, 12.0, 0.01);
    EXPECT_NEAR(loaded.height() * 2.54 / 72, 8.0, 0.01);
}

}  // namespace
