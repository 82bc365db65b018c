#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include "images/ExportFixture.h"
#include "pdf/PdfExport.h"
#include "support/Poppler.h"

namespace {

using test::PointsPerCm;
using test::poppler;

using test::ExportFixture;

#define REQUIRE_POPPLER()                                                    \
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) \
    GTEST_SKIP() << "poppler-utils is not installed"

// Each page's size in centimetres.
std::vector<QSizeF> pageSizes(const QString& pdf) {
    std::vector<QSizeF> sizes;
    const auto info = poppler("pdfinfo", {"-f", "1", "-l", "99", pdf});
    if (!info) return sizes;
    static const QRegularExpression size(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)");
    for (auto it = size.globalMatch(*info); it.hasNext();) {
        const auto m = it.next();
        sizes.emplace_back(m.captured(1).toDouble() / PointsPerCm,
                           m.captured(2).toDouble() / PointsPerCm);
    }
    return sizes;
}

QString infoField(const QString& pdf, const QString& field) {
    const auto info = poppler("pdfinfo", {pdf});
    if (!info) return {};
    const QRegularExpression line("^" + field + R"(:\s*(.*)$)",
                                  QRegularExpression::MultilineOption);
    return line.match(*info).captured(1).trimmed();
}

// The text of each page.
QStringList pageTexts(const QString& pdf) {
    const auto text = poppler("pdftotext", {"-enc", "UTF-8", "-layout", pdf, "-"});
    if (!text) return {};
    QStringList pages = text->split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    for (auto& p : pages) p = p.simplified();
    return pages;
}

// The width in centimetres of each picture, from its pixels and the resolution it is shown at.
std::vector<double> pictureWidths(const QString& pdf) {
    std::vector<double> widths;
    const auto list = poppler("pdfimages", {"-list", pdf});
    if (!list) return widths;
    for (const QString& line : list->split('\n').mid(2)) {
        const QStringList f = line.simplified().split(' ');
        if (f.size() < 14 || f[2] != QLatin1String("image")) continue;
        widths.push_back(f[3].toDouble() / f[12].toDouble() * 2.54);
    }
    return widths;
}

struct Word {
    QString text;
    QPointF centre;  // centimetres from the top-left corner
    double bottom;   // centimetres from the top
};

// The words of each page, by pdftotext -bbox.
std::vector<std::vector<Word>> words(const QString& pdf) {
    std::vector<std::vector<Word>> pages;
    const auto html = poppler("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"});
    if (!html) return pages;
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = tag.globalMatch(*html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page")))
            pages.emplace_back();
        else if (!pages.empty())
            pages.back().push_back({m.captured(5),
                                    QPointF(m.captured(1).toDouble() + m.captured(3).toDouble(),
                                            m.captured(2).toDouble() + m.captured(4).toDouble()) /
                                        2 / PointsPerCm,
                                    m.captured(4).toDouble() / PointsPerCm});
    }
    return pages;
}

std::optional<Word> find(const std::vector<Word>& page, const QString& text) {
    for (const auto& w : page)
        if (w.text == text) return w;
    return std::nullopt;
}

run::PdfExportSettings settings(double sizeFactor = 70) {
    run::PdfExportSettings s;
    s.sizeFactor = sizeFactor;
    s.open = false;
    return s;
}

QString firstPdf(ExportFixture& f) {
    return QDir(f.t.services.folders.pdf()).filePath(QStringLiteral("CorvanePDF101.pdf"));
}

TEST(PdfPlacement, PicturesAreCappedAt18CmThenScaledAndCentred) {
    struct Case {
        double widthPt, heightPt, factor;
        double x, y, w, h;
    };
    // 720 points is 25.2 units before the cap.
    const Case cases[] = {
        {720, 360, 100, 1, 3, 18, 9},
        {720, 360, 70, 3.7, 4.35, 12.6, 6.3},
        {300, 150, 100, 4.75, 4.875, 10.5, 5.25},
    };
    for (const auto& c : cases) {
        const auto p = pdf::placePicture(c.widthPt, c.heightPt, c.factor);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->x, c.x, 1e-9);
        EXPECT_NEAR(p->y, c.y, 1e-9);
        EXPECT_NEAR(p->width, c.w, 1e-9);
        EXPECT_NEAR(p->height, c.h, 1e-9);
    }
    // A tall item keeps its proportions and is not clipped to the page.
    const auto tall = pdf::placePicture(360, 720, 100);
    ASSERT_TRUE(tall);
    EXPECT_NEAR(tall->width, 12.6, 1e-9);
    EXPECT_NEAR(tall->height, 25.2, 1e-9);
    EXPECT_NEAR(tall->y, (15 - 25.2) / 2, 1e-9);
    EXPECT_FALSE(pdf::placePicture(0, 100, 100));
}

TEST(PdfOutput, TheChosenFileOrTheNextFreeNumber) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    EXPECT_EQ(pdf::outputPath(folder, "/elsewhere/report.pdf"), QString("/elsewhere/report.pdf"));
    EXPECT_EQ(pdf::outputPath(folder, {}), QDir(folder).filePath("CorvanePDF101.pdf"));
    QFile(QDir(folder).filePath("CorvanePDF101.pdf")).open(QIODevice::WriteOnly);
    EXPECT_EQ(pdf::outputPath(folder, {}), QDir(folder).filePath("CorvanePDF102.pdf"));
    for (int n = 102; n <= 999; ++n)
        QFile(QDir(folder).filePath(QStringLiteral("CorvanePDF%1.pdf").arg(n)))
            .open(QIODevice::WriteOnly);
    EXPECT_FALSE(pdf::outputPath(folder, {}));
}

TEST(PdfExport, OnePagePerItemWithCaptionsSourceAndNumbers) {
    REQUIRE_POPPLER();
    ExportFixture f;
    f.list.rows = {test::chartRow("Chart 1", "Data", true, "Revenue"),
                   test::chartRow("Chart 2", "Data", false), test::chartSheetRow("Sales", true),
                   test::rangeRow("Totals", "Data", true, "Totals table")};
    auto s = settings();
    s.source = true;
    auto run = f.exportRun();
    pdf::YesPaste6PDF(run, s);

    const QString path = firstPdf(f);
    ASSERT_TRUE(QFile::exists(path)) << f.t.prompt.texts().join('|').toStdString();
    const auto sizes = pageSizes(path);
    ASSERT_EQ(sizes.size(), 3u);
    for (const auto& size : sizes) {
        EXPECT_NEAR(size.width(), 20, 0.01);
        EXPECT_NEAR(size.height(), 17, 0.01);
    }
    const QStringList pages = pageTexts(path);
    ASSERT_EQ(pages.size(), 3);
    const QString source = QStringLiteral("/home/ana/Book1.xlsx , ");
    EXPECT_TRUE(pages[0].contains("Revenue")) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(source + " Data") || pages[0].contains(source + "Data"));
    EXPECT_TRUE(pages[1].contains("Sales"));
    EXPECT_TRUE(pages[2].contains("Totals table"));
    // The number at the bottom left, the caption centred near the top, on a 17 cm page.
    const auto placed = words(path);
    ASSERT_EQ(placed.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const auto number = find(placed[static_cast<size_t>(i)], QString::number(i + 1));
        ASSERT_TRUE(number) << i;
        EXPECT_NEAR(number->centre.x(), 1, 0.1);
        EXPECT_NEAR(number->bottom, 17 - 0.5, 0.15);
    }
    const auto caption = find(placed[0], "Revenue");
    ASSERT_TRUE(caption);
    EXPECT_NEAR(caption->centre.x(), 10, 0.05);
    EXPECT_NEAR(caption->bottom, 17 - 14, 0.3);
    EXPECT_EQ(f.list.selections, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(infoField(path, "Creator"), QStringLiteral("Corvane"));
    EXPECT_TRUE(f.t.prompt.messages().empty());
    EXPECT_EQ(f.formClosed, 1);
}

TEST(PdfExport, CoverPageComesFirstAtItsOwnSizeAndIsNotNumbered) {
    REQUIRE_POPPLER();
    ExportFixture f;
    f.list.rows = {test::chartRow("Chart 1", "Data", true, "Revenue")};
    auto s = settings();
    s.cover = true;
    s.coverText = QStringLiteral("Quarterly ÄÖ report");
    s.captions = false;
    s.open = true;
    auto run = f.exportRun();
    pdf::YesPaste6PDF(run, s);
    const QString path = firstPdf(f);
    const auto sizes = pageSizes(path);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_NEAR(sizes[0].height(), 15, 0.01);
    EXPECT_NEAR(sizes[1].height(), 17, 0.01);
    const QStringList pages = pageTexts(path);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("Quarterly ÄÖ report")) << pages[0].toStdString();
    EXPECT_EQ(pages[1], QStringLiteral("1"));  // no caption: only the page number
    EXPECT_EQ(f.t.shell.opened(), QStringList{path});
}

TEST(PdfExport, SizeFactorScalesTheCappedWidth) {
    REQUIRE_POPPLER();
    for (const double factor : {100.0, 70.0}) {
        QByteArray json = test::ExportDesktop;
        // A chart object of 15 columns is 720 points wide: capped at 18.
        ExportFixture wide(json.replace("\"bottomRight\": \"H12\"", "\"bottomRight\": \"R12\""));
        wide.list.rows = {test::chartRow("Chart 1", "Data")};
        auto run = wide.exportRun();
        pdf::YesPaste6PDF(run, settings(factor));
        const auto widths = pictureWidths(firstPdf(wide));
        ASSERT_EQ(widths.size(), 1u);
        EXPECT_NEAR(widths[0], 18 * factor / 100, 0.05);
    }
}

TEST(PdfExport, AnItemThatCannotBeCopiedGetsAPageWithoutAnotherItemsPicture) {
    REQUIRE_POPPLER();
    ExportFixture f;
    f.list.rows = {test::chartRow("Chart 1", "Data"), test::chartRow("Ghost", "Data")};
    auto run = f.exportRun();
    pdf::YesPaste6PDF(run, settings());
    EXPECT_EQ(pageSizes(firstPdf(f)).size(), 2u);
    EXPECT_EQ(pictureWidths(firstPdf(f)).size(), 1u);
    EXPECT_EQ(f.t.prompt.texts(),
              QStringList{"These items could not be copied; their pages have no picture:\rGhost "
                          "(Data)"});
}

TEST(PdfExport, AFileThatCannotBeWrittenOrNoFreeNumberIsReportedAndWritesNothing) {
    ExportFixture f;
    f.list.rows = {test::chartRow("Chart 1", "Data")};
    auto s = settings();
    s.chosenFile = QDir(f.root()).filePath(QStringLiteral("missing/folder/report.pdf"));
    auto run = f.exportRun();
    pdf::YesPaste6PDF(run, s);
    ASSERT_EQ(f.t.prompt.messages().size(), 1u);
    EXPECT_EQ(f.t.prompt.messages()[0].text, pdf::BuildFailed);
    EXPECT_EQ(f.t.prompt.messages()[0].icon, platform::Icon::Exclamation);
    EXPECT_FALSE(QFile::exists(s.chosenFile));
    EXPECT_EQ(f.formClosed, 1);

    ExportFixture full;
    full.list.rows = {test::chartRow("Chart 1", "Data")};
    const QString folder = full.t.services.folders.pdf();
    QDir().mkpath(folder);
    for (int n = 101; n <= 999; ++n)
        QFile(QDir(folder).filePath(QStringLiteral("CorvanePDF%1.pdf").arg(n)))
            .open(QIODevice::WriteOnly);
    auto fullRun = full.exportRun();
    pdf::YesPaste6PDF(fullRun, settings());
    ASSERT_EQ(full.t.prompt.texts().size(), 1);
    EXPECT_TRUE(full.t.prompt.texts()[0].startsWith("Every file name from CorvanePDF101.pdf"));
    EXPECT_EQ(ExportFixture::files(folder).size(), 899);
    EXPECT_TRUE(QFileInfo(QDir(folder).filePath("CorvanePDF101.pdf")).size() == 0);
}

}  // namespace
