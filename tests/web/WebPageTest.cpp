#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include "images/ExportFixture.h"
#include "web/PHTML.h"

namespace {

using test::ExportFixture;

const QString LF = QStringLiteral("\n");

QString readUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// The page as a browser reads it: its text and its pictures.
struct Parsed {
    QString text;
    QStringList pictures;
};

Parsed parse(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    // Pictures stand in the text as object characters.
    Parsed p{doc.toPlainText().remove(QChar::ObjectReplacementCharacter).simplified(), {}};
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            p.pictures << QUrl::fromPercentEncoding(format.toImageFormat().name().toUtf8());
        }
    return p;
}

TEST(WebFragment, PiecesFollowTheSettings) {
    const QString image = "<div style='text-align: center;'> " + LF +
                          "<img style='width:700px; height:px;' alt='vfd'" + LF +
                          "src='HTML101/Temp2.png'></div>" + LF + LF;
    const QString title =
        "<div style='text-align: center;'><big><big><big>Sales<br></big></big></big></div><br><br>";
    struct Case {
        const char* what;
        double width, blankLines;
        bool titles;
        QString caption, expected;
    };
    const Case cases[] = {
        {"caption as title", 700, 10, true, "Sales", title + image + QString("<br>").repeated(10)},
        {"titles off", 700, 10, false, "Sales", image + QString("<br>").repeated(10)},
        {"empty caption", 700, 10, true, "", image + QString("<br>").repeated(10)},
        {"no blank lines", 700, 0, true, "", image},
        {"at most 100 blank lines", 700, 150, true, "", image + QString("<br>").repeated(100)},
        {"width factor 150", 1500, 1, true, "",
         QString(image).replace("width:700px", "width:1500px") + "<br>"},
        {"width of a fraction", 12.5, -3, true, "",
         QString(image).replace("width:700px", "width:12.5px")},
    };
    for (const auto& c : cases) {
        QString page = QStringLiteral("before");
        web::AppendItemFragment(page, c.width, c.blankLines, c.titles, "HTML101/Temp2.png",
                                c.caption);
        EXPECT_EQ(page, "before" + c.expected) << c.what;
    }
}

TEST(WebFragment, CaptionsAndPathsShowAsTyped) {
    QString page;
    web::AppendItemFragment(page, 700, 0, true, "HTML 101/it's & <that>.png",
                            "<b>Profit & 'loss'</b>");
    const Parsed p = parse(page);
    EXPECT_EQ(p.text, QStringLiteral("<b>Profit & 'loss'</b>"));
    EXPECT_EQ(p.pictures, QStringList{"HTML 101/it's & <that>.png"});
}

TEST(WebPage, BuildsPicturesNamedByListPositionAndAPageThatShowsThem) {
    ExportFixture f;
    f.list.rows = {test::chartRow("Chart 1", "Data", false),
                   test::chartRow("Chart 2", "Data", true, "Trend & <more>"),
                   test::chartRow("Chart 9", "Hidden"), test::chartSheetRow("Sales", false),
                   test::rangeRow("Totals", "Data", true, "Totals")};
    auto run = f.exportRun();
    web::BuildWebPage(run, {});
    const QString folder = f.t.services.folders.html();
    const QString page = QDir(folder).filePath(QStringLiteral("CorvaneHTML101.html"));
    EXPECT_EQ(ExportFixture::files(QDir(folder).filePath("HTML101")),
              (QStringList{"Temp2.png", "Temp5.png"}));
    EXPECT_EQ(QImage(QDir(folder).filePath("HTML101/Temp2.png")).size(), test::Chart2Pixels);

    const QString html = readUtf8(page);
    EXPECT_TRUE(html.startsWith(QStringLiteral("<meta charset=\"utf-8\">\n")));
    const Parsed p = parse(html);
    EXPECT_EQ(p.pictures, (QStringList{"HTML101/Temp2.png", "HTML101/Temp5.png"}));
    EXPECT_EQ(html.count(QStringLiteral("<img style='width:700px; height:px;'")), 2);
    EXPECT_EQ(p.text, QStringLiteral("Trend & <more> Totals"));
    EXPECT_EQ(f.t.shell.opened(), QStringList{page});
    EXPECT_TRUE(f.t.prompt.messages().empty());
    EXPECT_EQ(f.formClosed, 1);
}

TEST(WebPage, TakesTheNextFreeNumberOrSaysNoneIsLeft) {
    ExportFixture f;
    f.list.rows = {test::chartRow("Chart 2", "Data")};
    const QString folder = f.t.services.folders.html();
    QDir().mkpath(folder);
    for (int n : {101, 102})
        QFile(QDir(folder).filePath(QStringLiteral("CorvaneHTML%1.html").arg(n)))
            .open(QIODevice::WriteOnly);
    auto run = f.exportRun();
    web::BuildWebPage(run, {});
    EXPECT_TRUE(QFileInfo(QDir(folder).filePath("CorvaneHTML103.html")).size() > 0);
    EXPECT_EQ(ExportFixture::files(QDir(folder).filePath("HTML103")), QStringList{"Temp1.png"});

    for (int n = 104; n <= 999; ++n)
        QFile(QDir(folder).filePath(QStringLiteral("CorvaneHTML%1.html").arg(n)))
            .open(QIODevice::WriteOnly);
    for (const bool publish : {false, true}) {
        ExportFixture again;
        again.t.services.folders = f.t.services.folders;
        again.list.rows = {test::chartRow("Chart 2", "Data")};
        auto run2 = again.exportRun();
        publish ? web::PublishWebPage(run2, {}) : web::BuildWebPage(run2, {});
        EXPECT_EQ(again.t.prompt.texts(), QStringList{web::AllNumbersTaken.arg(folder)});
        EXPECT_FALSE(QDir(folder).exists("HTML104"));
        EXPECT_TRUE(test::activeWorkbook(*again.t.host)->publishObjects().empty());
        EXPECT_EQ(again.formClosed, 1);
    }
}

QByteArray desktopWithUserPublication() {
    QByteArray json = test::ExportDesktop;
    json.replace(R"("names": [)", R"("publishObjects": [ { "fileName": "/tmp/mine.html",
                   "sheet": "Data", "source": "A1:B3" } ],
      "names": [)");
    return json;
}

TEST(WebPublication, ReplacesEveryPublicationAndPublishesItemsWithSpacers) {
    struct Case {
        double blankLines;
        int spacers;
    };
    for (const Case c : {Case{3, 3}, Case{0, 0}}) {
        ExportFixture f(desktopWithUserPublication());
        f.list.rows = {test::chartRow("Chart 1", "Data", true, "Revenue"),
                       test::rangeRow("Totals", "Data", true, "Totals <sum>"),
                       test::chartSheetRow("Sales", true, "Share"),
                       test::chartRow("Chart 9", "Hidden")};
        run::WebExportSettings s;
        s.blankLines = c.blankLines;
        s.sameWidth = 0;
        auto run = f.exportRun();
        web::PublishWebPage(run, s);

        const QString folder = f.t.services.folders.html();
        const QString page = QDir(folder).filePath(QStringLiteral("CorvaneHTML101.html"));
        auto wb = test::activeWorkbook(*f.t.host);
        QStringList sources;
        for (const auto& p : wb->publishObjects()) {
            EXPECT_EQ(p->fileName(), page);
            sources << p->sheet() + '!' + p->source();
        }
        QStringList expected{web::SpacerSheet + "!B1:B4", "Data!$D$2:$H$12"};
        if (c.spacers) expected << web::SpacerSheet + "!$A$1:$A$3";
        expected << "Data!$A$1:$B$3";
        if (c.spacers) expected << web::SpacerSheet + "!$A$1:$A$3";
        expected << "Sales!";
        if (c.spacers) expected << web::SpacerSheet + "!$A$1:$A$3";
        EXPECT_EQ(sources, expected);
        EXPECT_FALSE(wb->sheet(web::SpacerSheet));
        EXPECT_EQ(wb->sheets().size(), 3u);

        const Parsed p = parse(readUtf8(page));
        EXPECT_TRUE(p.text.contains("Revenue")) << p.text.toStdString();
        EXPECT_TRUE(p.text.contains("Totals <sum> Month Sales Jan 10 Feb 12 Share"))
            << p.text.toStdString();
        // Chart 1 stands on its cells; the chart sheet is a picture of its own.
        ASSERT_EQ(p.pictures.size(), 2);
        for (const auto& picture : p.pictures)
            EXPECT_FALSE(QImage(QDir(folder).filePath(picture)).isNull()) << picture.toStdString();
        EXPECT_EQ(f.t.shell.opened(), QStringList{page});
        EXPECT_TRUE(f.t.prompt.messages().empty());
        EXPECT_EQ(f.list.selections, (std::vector<int>{0, 1, 2}));
    }
}

TEST(WebPublication, AStructureProtectedWorkbookIsReportedAndLeftAsItWas) {
    QByteArray json = desktopWithUserPublication();
    json.replace(R"("activeSheet": "Data")", R"("activeSheet": "Data", "protectStructure": true)");
    ExportFixture f(json);
    f.list.rows = {test::chartRow("Chart 1", "Data")};
    run::WebExportSettings s;
    s.sameWidth = 0;
    auto run = f.exportRun();
    web::PublishWebPage(run, s);
    ASSERT_EQ(f.t.prompt.texts().size(), 1);
    EXPECT_TRUE(f.t.prompt.texts()[0].startsWith("The web page could not be published: "));
    auto wb = test::activeWorkbook(*f.t.host);
    EXPECT_EQ(wb->sheets().size(), 3u);
    EXPECT_TRUE(f.t.shell.opened().isEmpty());
    EXPECT_EQ(f.formClosed, 1);
}

}  // namespace
