// What the file exports ask of the spreadsheet, against the suite's headless LibreOffice: chart
// pictures, geometry, temporary charts, sheets, hidden rows, publications, and the exports
// themselves run through the program's own functions.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "Soffice.h"
#include "images/ExportFixture.h"
#include "images/PasteToImagesFiles.h"
#include "office/libreoffice/LibreOffice.h"
#include "pdf/PdfExport.h"
#include "support/Program.h"
#include "web/PHTML.h"

namespace {

using office::CellRect;

// 80 mm x 50 mm, the fixture's charts, at 96 dpi.
constexpr QSize ChartPixels{302, 189};

class LibreOfficeFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        soffice = test::Soffice::shared();
        if (!soffice) GTEST_SKIP() << "Skipped: " << test::Soffice::reason().toStdString();
        test::closeAll(*soffice->session());
        path = QDir(soffice->folder())
                   .filePath(
                       QStringLiteral("files-%1.ods")
                           .arg(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        QFile::remove(path);
        test::buildFixture(*soffice->session(), path);
        test::closeAll(*soffice->session());
        host = office::libreoffice::makeHost(soffice->pipe());
        host->attachExcel()->openWorkbook(path);
        startup::attachOffice(*host, ctx);
        ASSERT_TRUE(ctx.workbook);
    }
    void TearDown() override {
        if (host) host->finish();
    }
    office::Sheet& sheet(const QString& name) {
        auto s = ctx.workbook->sheet(name);
        if (!s) throw std::runtime_error("no sheet " + name.toStdString());
        return *s;
    }
    std::shared_ptr<office::ChartObject> chart(const QString& sheetName, const QString& name) {
        for (const auto& co : sheet(sheetName).chartObjects())
            if (co->name() == name) return co;
        throw std::runtime_error("no chart " + name.toStdString());
    }

    test::Soffice* soffice = nullptr;
    QString path;
    std::unique_ptr<office::Host> host;
    office::OfficeContext ctx;
    QTemporaryDir out;
};

QSize pngSize(const QString& file) {
    QImageReader reader(file, "png");
    return reader.read().size();
}

TEST_F(LibreOfficeFiles, ChartExportWritesThePictureAtTheChartsSize) {
    const QString png = QDir(out.path()).filePath("revenue.png");
    chart("Data", "Revenue")->chart()->exportFile(png);
    const QSize size = pngSize(png);
    EXPECT_NEAR(size.width(), ChartPixels.width(), 2);
    EXPECT_NEAR(size.height(), ChartPixels.height(), 2);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"revenue.png"});

    // A type no writer knows, or a folder that is not there: an error and no file.
    for (const QString& bad : {QDir(out.path()).filePath("revenue.xyz"),
                               QDir(out.path()).filePath("missing/revenue.png")}) {
        EXPECT_THROW(chart("Data", "Revenue")->chart()->exportFile(bad), office::Error);
        EXPECT_FALSE(QFile::exists(bad));
    }
}

// Geometry in points, with hidden rows and columns taking no room, and shown again.
TEST_F(LibreOfficeFiles, RangeGeometryInPointsFollowsHiddenRowsAndColumns) {
    auto& data = sheet("Data");
    const QRectF a1 = data.rangeGeometry(CellRect{1, 1, 1, 1});
    EXPECT_EQ(a1.topLeft(), QPointF(0, 0));
    // Calc's default cell: 2.258 cm x 0.452 cm.
    EXPECT_NEAR(a1.width(), 64, 0.5);
    EXPECT_NEAR(a1.height(), 12.8, 0.5);
    const QRectF block = data.rangeGeometry(CellRect{2, 2, 5, 3});
    EXPECT_NEAR(block.left(), a1.width(), 0.1);
    EXPECT_NEAR(block.top(), a1.height(), 0.1);
    EXPECT_NEAR(block.width(), 2 * a1.width(), 0.1);
    // Calc keeps row heights in twips: a little rounding.
    EXPECT_NEAR(block.height(), 4 * a1.height(), 0.5);

    data.setRowsHidden(2, 3, true);
    data.setColumnsHidden(1, 1, true);
    const QRectF hidden = data.rangeGeometry(CellRect{1, 1, 5, 3});
    EXPECT_NEAR(hidden.height(), 3 * a1.height(), 0.5);
    EXPECT_NEAR(hidden.width(), 2 * a1.width(), 0.1);
    EXPECT_NEAR(data.rangeGeometry(CellRect{4, 2, 4, 2}).top(), a1.height(), 0.1);

    // As the exports show everything again: far more rows and columns than are used.
    data.setRowsHidden(1, 500000, false);
    data.setColumnsHidden(1, 200, false);
    const QRectF shown = data.rangeGeometry(CellRect{1, 1, 5, 3});
    EXPECT_NEAR(shown.width(), 3 * a1.width(), 0.5);
    EXPECT_NEAR(shown.height(), 5 * a1.height(), 0.5);
    EXPECT_THROW(data.setRowsHidden(3, 2, true), office::Error);
    EXPECT_THROW(data.setColumnsHidden(0, 2, true), office::Error);
}

// The path of a range through a temporary chart: added where the range lies, named, given the
// range's picture, exported, removed.
TEST_F(LibreOfficeFiles, TemporaryChartTakesThePastedPictureAndGoesAway) {
    auto& data = sheet("Data");
    const auto before = data.chartObjects().size();
    const QRectF at = data.rangeGeometry(CellRect{1, 1, 5, 3});
    // Copied first: the chart laid over the range would hide its cells.
    data.copyRangePicture(CellRect{1, 1, 5, 3});
    auto temp = data.addChartObject(at.left(), at.top(), at.width(), at.height());
    ASSERT_EQ(data.chartObjects().size(), before + 1);
    EXPECT_EQ(temp->topLeftCell().address(), "$A$1");
    EXPECT_EQ(temp->bottomRightCell().address(), "$C$5");

    temp->setName("CorvaneTemp");
    EXPECT_EQ(temp->name(), "CorvaneTemp");
    EXPECT_NO_THROW(chart("Data", "CorvaneTemp"));
    // A name another chart of the sheet has, or none, is refused.
    EXPECT_THROW(temp->setName("Costs"), office::Error);
    EXPECT_THROW(temp->setName("  "), office::Error);

    temp->chart()->paste();
    const QString png = QDir(out.path()).filePath("range.png");
    temp->chart()->exportFile(png);
    QImage picture(png, "png");
    ASSERT_FALSE(picture.isNull());
    EXPECT_NEAR(picture.width(), at.width() * 96 / 72, 2);
    EXPECT_NEAR(picture.height(), at.height() * 96 / 72, 2);
    // The table's own picture, not an empty chart: its cells' text leaves dark pixels.
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) dark += qGray(picture.pixel(x, y)) < 100;
    EXPECT_GT(dark, 20);
    // Nothing on the clipboard: nothing to paste.
    host->clipboard().clear();
    EXPECT_THROW(temp->chart()->paste(), office::Error);

    temp->remove();
    EXPECT_EQ(data.chartObjects().size(), before);
    EXPECT_THROW(chart("Data", "CorvaneTemp"), std::runtime_error);
    EXPECT_THROW(data.addChartObject(0, 0, 0, 10), office::Error);
}

TEST_F(LibreOfficeFiles, FontColourIndexIsThePalettesColour) {
    auto& data = sheet("Data");
    data.setFontColorIndex(CellRect{1, 1, 2, 1}, 2);
    data.setFontColorIndex(CellRect{3, 1, 3, 1}, 3);
    EXPECT_EQ(test::charColor(*soffice->session(), path, "Data", 1, 1), 0xFFFFFF);
    EXPECT_EQ(test::charColor(*soffice->session(), path, "Data", 2, 1), 0xFFFFFF);
    EXPECT_EQ(test::charColor(*soffice->session(), path, "Data", 3, 1), 0xFF0000);
    for (int bad : {0, 57})
        EXPECT_THROW(data.setFontColorIndex(CellRect{1, 1, 1, 1}, bad), office::Error);
}

// Sheets are removed, the view leaves a removed active sheet, and the last visible one stays.
TEST_F(LibreOfficeFiles, SheetsAreRemovedButNotTheLastVisibleOne) {
    sheet("Trend").activate();
    sheet("Trend").remove();
    EXPECT_FALSE(ctx.workbook->sheet("Trend"));
    EXPECT_EQ(ctx.workbook->activeSheet()->name(), "My data");
    sheet("My data").remove();
    EXPECT_EQ(ctx.workbook->activeSheet()->name(), "Data");
    EXPECT_THROW(sheet("Data").remove(), office::Error);
    sheet("Hidden").remove();
    QStringList names;
    for (const auto& s : ctx.workbook->sheets()) names << s->name();
    EXPECT_EQ(names, QStringList{"Data"});
}

// A page of publications: ranges as tables, the charts on them as pictures beside the page,
// later ones appended; removed objects are gone from the list.
TEST_F(LibreOfficeFiles, PublicationsWriteTablesAndChartPicturesIntoOnePage) {
    auto& wb = *ctx.workbook;
    const QString page = QDir(out.path()).filePath("page.htm");
    EXPECT_TRUE(wb.publishObjects().empty());
    sheet("Data").setRowsHidden(3, 3, true);
    auto first = wb.addPublishObject(office::xlSourceRange, page, "Data", "A1:C5",
                                     office::xlHtmlStatic, {}, "Table <one>");
    first->publish(false);
    auto second = wb.addPublishObject(office::xlSourceRange, page, "Data", "A1:J30",
                                      office::xlHtmlStatic, {}, {});
    second->publish(false);
    ASSERT_EQ(wb.publishObjects().size(), 2u);

    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_EQ(html.count("<div "), 2);
    EXPECT_EQ(html.count("</body>"), 1);
    EXPECT_TRUE(html.contains("Table &lt;one&gt;"));
    EXPECT_TRUE(html.contains("<td align=\"left\">Region</td>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<td align=\"right\">")) << html.toStdString();
    // The first table's rows: four, the hidden one left out.
    const QString firstTable = html.section("</table>", 0, 0);
    EXPECT_EQ(firstTable.count("<tr>"), 4);

    // The two charts of Data stand on the second range: two pictures of their size.
    static const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\""));
    QStringList pictures;
    for (auto it = img.globalMatch(html); it.hasNext();) pictures << it.next().captured(1);
    ASSERT_EQ(pictures.size(), 2) << html.toStdString();
    for (const auto& p : pictures) {
        EXPECT_TRUE(p.startsWith("page_files/"));
        const QSize size = pngSize(QDir(out.path()).filePath(p));
        EXPECT_NEAR(size.width(), ChartPixels.width(), 2);
        EXPECT_NEAR(size.height(), ChartPixels.height(), 2);
    }

    first->setAutoRepublish(true);
    EXPECT_TRUE(wb.publishObjects().front()->autoRepublish());
    first->remove();
    ASSERT_EQ(wb.publishObjects().size(), 1u);
    EXPECT_EQ(wb.publishObjects().front(), second);
    EXPECT_THROW(first->remove(), office::Error);

    // Calc has no chart sheets, a sheet that is not there publishes nothing.
    EXPECT_THROW(wb.addPublishObject(office::xlSourceChart, page, "Data", {}, 0, {}, {}),
                 office::Error);
    EXPECT_THROW(wb.addPublishObject(office::xlSourceRange, page, "Nowhere", "A1", 0, {}, {}),
                 office::Error);
}

// The checked items exported as image files and as a PDF through the program's own functions.
TEST_F(LibreOfficeFiles, ImageFilesAndPdfOfTheCheckedItems) {
    test::TestRun t(std::move(host));
    t.state.office = ctx;
    test::ListRows list;
    list.rows = {test::chartRow("Revenue", "Data"), test::chartRow("Costs", "Data", false),
                 test::chartRow("Line", "Trend", true, "The trend"),
                 test::rangeRow("Totals", "Data", true, "Totals")};
    images::ExportRun run{t.services, t.state, list, nullptr, {}};

    images::ExportCheckedItemsToImageFiles(run, {imaging::Format::Png, true, false});
    EXPECT_TRUE(t.prompt.texts().isEmpty()) << t.prompt.texts().join('|').toStdString();
    const QString folder = t.services.folders.images();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{"Line-Trend.png", "Revenue-Data.png", "Totals-Data.png"}));
    const QSize revenue = pngSize(QDir(folder).filePath("Revenue-Data.png"));
    EXPECT_NEAR(revenue.width(), ChartPixels.width(), 20);
    EXPECT_FALSE(pngSize(QDir(folder).filePath("Totals-Data.png")).isEmpty());

    run::PdfExportSettings settings;
    settings.open = false;
    pdf::YesPaste6PDF(run, settings);
    const QString pdfFile = QDir(t.services.folders.pdf()).filePath("CorvanePDF101.pdf");
    ASSERT_TRUE(QFile::exists(pdfFile)) << t.prompt.texts().join('|').toStdString();
    QFile f(pdfFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 3)
        << "one page per checked item";
    t.host->finish();
}

// The web page published by the workbook, as the program asks for it: the checked chart and
// range on the page with their pictures, and the spacer sheet gone again afterwards.
TEST_F(LibreOfficeFiles, PublishedWebPageHoldsTheCheckedItems) {
    test::TestRun t(std::move(host));
    t.state.office = ctx;
    test::ListRows list;
    list.rows = {test::chartRow("Revenue", "Data", true, "Revenue chart"),
                 test::rangeRow("Totals", "Data", true, "Totals table")};
    images::ExportRun run{t.services, t.state, list, nullptr, {}};
    run::WebExportSettings settings;
    settings.sameWidth = 0;
    settings.blankLines = 2;

    web::PublishWebPage(run, settings);
    EXPECT_TRUE(t.prompt.texts().isEmpty()) << t.prompt.texts().join('|').toStdString();
    const QString page = QDir(t.services.folders.html()).filePath("CorvaneHTML101.html");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains("Revenue chart"));
    EXPECT_TRUE(html.contains("Totals table"));
    EXPECT_TRUE(html.contains("<td align=\"left\">Region</td>")) << html.toStdString();
    EXPECT_EQ(html.count("<img "), 1) << html.toStdString();
    EXPECT_EQ(t.shell.opened(), QStringList{page});

    QStringList names;
    for (const auto& s : ctx.workbook->sheets()) names << s->name();
    EXPECT_EQ(names, (QStringList{"Data", "Trend", "Hidden", "My data"}));
    EXPECT_EQ(ctx.workbook->activeSheet()->name(), "Data");
    t.host->finish();
}

// A selected range saved as a picture goes through a temporary chart: the file holds the range's
// picture, the chart is gone afterwards and the range is selected again.
TEST_F(LibreOfficeFiles, SelectedRangeIsSavedThroughATemporaryChart) {
    test::TestRun t(std::move(host));
    t.state.office = ctx;
    auto& data = sheet("Data");
    const auto charts = data.chartObjects().size();
    data.range("A1:C5").select();

    images::ExportSelectionToImageFile(t.services, t.state, [] { return 12345; });
    const QString png = QDir(t.services.folders.images()).filePath("Corvane12345.png");
    ASSERT_EQ(t.prompt.texts(), QStringList{"Selection saved as " + png});
    const QSize size = pngSize(png);
    const QRectF at = data.rangeGeometry(CellRect{1, 1, 5, 3});
    EXPECT_NEAR(size.width(), at.width() * 96 / 72, 2);
    EXPECT_NEAR(size.height(), at.height() * 96 / 72, 2);
    EXPECT_EQ(data.chartObjects().size(), charts);
    const auto selection = ctx.excel->selection();
    ASSERT_EQ(selection.kind, office::Selection::Kind::Range);
    EXPECT_EQ(selection.range->address(), "$A$1:$C$5");
    t.host->finish();
}

// The real program on a selected chart, on LibreOffice and on the built-in office: a PNG of the
// chart, and the same messages.
TEST_F(LibreOfficeFiles, Code111SavesTheSelectedChartAsOnTheBuiltInOffice) {
    chart("Data", "Revenue")->select();
    ASSERT_EQ(ctx.excel->selection().kind, office::Selection::Kind::ChartArea);

    QTemporaryDir desktopDir;
    const QString desktop = desktopDir.filePath("desktop.json");
    {
        QFile d(desktop);
        ASSERT_TRUE(d.open(QIODevice::WriteOnly));
        d.write(R"({ "excel": { "activeWorkbook": "Book1.ods", "workbooks": [ {
            "name": "Book1.ods", "fullName": "/home/ana/Book1.ods", "activeSheet": "Data",
            "selection": { "kind": "chartArea", "chart": "Revenue" },
            "sheets": [ { "name": "Data", "type": "worksheet",
              "cells": { "A1": "Region", "B1": "Revenue", "A2": "North", "B2": 10 },
              "charts": [ { "name": "Revenue", "topLeft": "F3", "bottomRight": "J13",
                            "kind": "column", "title": "Revenue", "source": "A1:B2" } ] } ]
          } ] } })");
    }

    struct Outcome {
        QStringList messages;  // the file's path as PATH
        QString file;
    };
    // The messages of a run of "/111", the file's path in them as PATH.
    auto runCorvane = [](test::Corvane& corvane) {
        corvane.run("/111");
        Outcome o;
        static const QRegularExpression png(QStringLiteral("(/\\S+/Corvane\\d+\\.png)"));
        for (const QString& line : corvane.err.split('\n')) {
            if (!line.startsWith("Corvane: ")) continue;
            QString m = line;
            if (auto match = png.match(m); match.hasMatch()) {
                o.file = match.captured(1);
                m.replace(o.file, "PATH");
            }
            o.messages << m;
        }
        return o;
    };

    test::Corvane onLibreOfficeRun, builtInRun;
    const Outcome onLibreOffice = runCorvane(onLibreOfficeRun.libreOffice(soffice->pipe()));
    const Outcome builtIn = runCorvane(builtInRun.desktop(desktop));
    EXPECT_EQ(onLibreOffice.messages, QStringList{"Corvane: Selection saved as PATH"});
    EXPECT_EQ(onLibreOffice.messages, builtIn.messages);
    ASSERT_FALSE(onLibreOffice.file.isEmpty());
    const QSize size = pngSize(onLibreOffice.file);
    EXPECT_NEAR(size.width(), ChartPixels.width(), 20);
    EXPECT_NEAR(size.height(), ChartPixels.height(), 20);
    EXPECT_FALSE(pngSize(builtIn.file).isEmpty());
}

}  // namespace
