#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>

#include "images/ExportFixture.h"
#include "images/FileNames.h"
#include "images/PasteToImagesFiles.h"

namespace {

using images::ImageFilesOptions;
using imaging::Format;
using test::ExportFixture;

struct Decoded {
    QByteArray format;
    QSize size;
};

Decoded decode(const QString& path) {
    // The format from the content, not from the name.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray format = QImageReader::imageFormat(&file);
    file.seek(0);
    QImageReader reader(&file, format);
    return {format, reader.read().size()};
}

TEST(ImageFiles, EachFormatDecodesWithThePicturesSize) {
    struct Case {
        Format format;
        const char* file;
        QByteArray decodedAs;
    };
    const Case cases[] = {{Format::Png, "Chart 1-Data.png", "png"},
                          {Format::Gif, "Chart 1-Data.gif", "gif"},
                          {Format::Jpeg, "Chart 1-Data.jpg", "jpeg"},
                          {Format::Bmp, "Chart 1-Data.bmp", "bmp"},
                          {Format::Tiff, "Chart 1-Data.tiff", "tiff"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        if (c.format == Format::Tiff && !imaging::tiffAvailable()) continue;
        ExportFixture f;
        f.list.rows = {test::chartRow("Chart 1", "Data")};
        auto run = f.exportRun();
        images::ExportCheckedItemsToImageFiles(run, {c.format, true, false});
        const QString folder = f.t.services.folders.images();
        ASSERT_EQ(ExportFixture::files(folder), QStringList{c.file});
        const Decoded d = decode(QDir(folder).filePath(c.file));
        EXPECT_EQ(d.format, c.decodedAs);
        EXPECT_EQ(d.size, test::Chart1Pixels);
        if (c.format == Format::Tiff) {
            const QString tiffinfo = QStandardPaths::findExecutable(QStringLiteral("tiffinfo"));
            if (tiffinfo.isEmpty()) continue;
            QProcess p;
            p.start(tiffinfo, {QDir(folder).filePath(c.file)});
            ASSERT_TRUE(p.waitForFinished());
            EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
            EXPECT_TRUE(p.readAllStandardOutput().contains("Image Width: 640 Image Length: 440"));
        }
    }
}

TEST(ImageFiles, NamesFollowTheSchemeAndSkipUncheckedAndHiddenRows) {
    struct Case {
        bool nameAndSheet;
        QStringList expected;
    };
    const Case cases[] = {
        {false, {"1.png", "3.png", "4.png"}},
        {true, {"Chart 2-Data.png", "Totals-Data.png", "{Chart Sheet}-Sales.png"}}};
    for (const auto& c : cases) {
        ExportFixture f;
        f.list.rows = {test::chartSheetRow("Sales"), test::chartRow("Chart 1", "Data", false),
                       test::chartRow("Chart 2", "Data"), test::rangeRow("Totals", "Data"),
                       test::chartRow("Chart 9", "Hidden")};
        auto run = f.exportRun();
        images::ExportCheckedItemsToImageFiles(run, {Format::Png, c.nameAndSheet, false});
        const QString folder = f.t.services.folders.images();
        EXPECT_EQ(ExportFixture::files(folder), c.expected);
        EXPECT_EQ(f.t.state.imageExportFolder, folder);
        EXPECT_TRUE(f.t.prompt.messages().empty()) << f.t.prompt.texts().join('|').toStdString();
        EXPECT_EQ(decode(QDir(folder).filePath(c.expected[0])).size,
                  c.nameAndSheet ? test::Chart2Pixels : QSize(480 * 2, 300 * 2));
        EXPECT_EQ(f.formClosed, 1);
        EXPECT_TRUE(f.t.state.office.excel->screenUpdating());
    }
}

TEST(ImageFiles, AnItemThatCannotBeCopiedIsNamedAndNeverGetsAnotherItemsPicture) {
    ExportFixture f;
    f.list.rows = {test::chartRow("Chart 1", "Data"), test::chartRow("Ghost", "Data"),
                   test::chartRow("Chart 2", "Data")};
    auto run = f.exportRun();
    images::ExportCheckedItemsToImageFiles(run, {Format::Png, false, false});
    EXPECT_EQ(ExportFixture::files(f.t.services.folders.images()), (QStringList{"1.png", "3.png"}));
    ASSERT_EQ(f.t.prompt.texts().size(), 1);
    EXPECT_EQ(f.t.prompt.texts()[0],
              QStringLiteral("These items could not be saved as image files:\rGhost (Data)"));
}

TEST(ImageFiles, OpensTheChosenFolderOnlyWhenAsked) {
    for (const bool open : {true, false}) {
        ExportFixture f;
        const QString chosen = QDir(f.root()).filePath(QStringLiteral("mine"));
        QDir().mkpath(chosen);
        f.t.state.imageExportFolder = chosen;
        f.list.rows = {test::chartRow("Chart 2", "Data")};
        auto run = f.exportRun();
        images::ExportCheckedItemsToImageFiles(run, {Format::Png, true, open});
        EXPECT_EQ(ExportFixture::files(chosen), QStringList{"Chart 2-Data.png"});
        EXPECT_EQ(f.t.shell.opened(), open ? QStringList{chosen} : QStringList{});
    }
}

TEST(ImageFiles, NamesNeverLeaveTheFolder) {
    struct Case {
        QString name;
        QString expected;
    };
    const Case cases[] = {
        {"Chart 2-Data", "Chart 2-Data"},
        {"../../etc/passwd", "_._.._etc_passwd"},
        {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
        {"..", "_."},
        {".hidden", "_hidden"},
        {"", "_"},
        {QString("tab\there"), "tab_here"},
        {"{Chart Sheet}-Sales", "{Chart Sheet}-Sales"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(images::safeFileName(c.name), c.expected) << c.name.toStdString();
        EXPECT_TRUE(images::isDirectlyInside(
            "/tmp/x", QDir("/tmp/x").filePath(images::safeFileName(c.name, ".png") + ".png")));
    }
    // Long names are cut to what a file system takes, on a character boundary.
    const QString longName = QString(300, QChar(0x00E9));  // two bytes each in UTF-8
    const QString cut = images::safeFileName(longName, ".png");
    EXPECT_LE(cut.toUtf8().size() + 4, 255);
    EXPECT_GT(cut.toUtf8().size() + 4, 250);
}

TEST(ImageFiles, AChartNamedLikeAPathIsWrittenInsideTheFolder) {
    QByteArray json = test::ExportDesktop;
    json.replace("\"Chart 2\"", "\"../Chart 2\"");
    ExportFixture f(json);
    f.list.rows = {test::chartRow("../Chart 2", "Data")};
    auto run = f.exportRun();
    images::ExportCheckedItemsToImageFiles(run, {Format::Png, true, false});
    EXPECT_EQ(ExportFixture::files(f.t.services.folders.images()),
              QStringList{"_._Chart 2-Data.png"});
    EXPECT_EQ(ExportFixture::files(f.root()), QStringList{});
}

}  // namespace
