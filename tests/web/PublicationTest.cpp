#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "images/ExportFixture.h"

namespace {

TEST(Publication, PublishObjectsLoadAndDumpAsTheyWereGiven) {
    QByteArray json = test::ExportDesktop;
    json.replace(R"("names": [)", R"("publishObjects": [
        { "fileName": "/tmp/a.html", "sheet": "Data", "source": "A1:B3", "title": "T",
          "divId": "d1", "autoRepublish": true },
        { "sourceType": "chart", "fileName": "/tmp/a.html", "sheet": "Sales" } ],
      "names": [)");
    auto host = test::hostFromJson(json);
    const auto dumped = QJsonDocument::fromJson(test::dump(*host)).object();
    const auto list = dumped["excel"]["workbooks"][0]["publishObjects"].toArray();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].toObject(), (QJsonObject{{"sourceType", "range"},
                                               {"fileName", "/tmp/a.html"},
                                               {"sheet", "Data"},
                                               {"source", "A1:B3"},
                                               {"title", "T"},
                                               {"divId", "d1"},
                                               {"autoRepublish", true}}));
    EXPECT_EQ(list[1]["sourceType"].toString(), QStringLiteral("chart"));

    for (const char* bad : {R"({ "fileName": "/tmp/a.html", "sheet": "Nowhere" })",
                            R"({ "fileName": "/tmp/a.html", "sheet": "Data", "kind": 1 })",
                            R"({ "sheet": "Data" })"}) {
        QByteArray broken = test::ExportDesktop;
        broken.replace(R"("names": [)",
                       "\"publishObjects\": [" + QByteArray(bad) + "], \"names\": [");
        EXPECT_ANY_THROW(test::hostFromJson(broken)) << bad;
    }
}

TEST(Publication, AppendsToItsPageAndRefusesWhatItCannotPublish) {
    QTemporaryDir dir;
    const QString page = QDir(dir.path()).filePath(QStringLiteral("p.html"));
    auto host = test::hostFromJson(test::ExportDesktop);
    auto wb = test::activeWorkbook(*host);
    wb->addPublishObject(office::xlSourceRange, page, "Data", "A1:B1", office::xlHtmlStatic, {},
                         "First")
        ->publish(false);
    wb->addPublishObject(office::xlSourceRange, page, "Data", "A2:B2", office::xlHtmlStatic, {},
                         "<Second>")
        ->publish(false);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_EQ(html.count(QStringLiteral("<body>")), 1);
    EXPECT_LT(html.indexOf("First"), html.indexOf("&lt;Second&gt;"));
    EXPECT_LT(html.indexOf("&lt;Second&gt;"), html.indexOf("</body>"));

    auto chartOnWorksheet =
        wb->addPublishObject(office::xlSourceChart, page, "Data", {}, office::xlHtmlStatic, {}, {});
    EXPECT_THROW(chartOnWorksheet->publish(false), office::Error);
    auto badAddress = wb->addPublishObject(office::xlSourceRange, page, "Data", "nonsense",
                                           office::xlHtmlStatic, {}, {});
    EXPECT_THROW(badAddress->publish(false), office::Error);
    EXPECT_THROW(wb->addPublishObject(office::xlSourceRange, page, "Nowhere", "A1",
                                      office::xlHtmlStatic, {}, {}),
                 office::Error);
    badAddress->remove();
    EXPECT_EQ(wb->publishObjects().size(), 3u);
}

}  // namespace

namespace {

TEST(SheetDeletion, KeepsAVisibleSheetAndMovesTheActiveOne) {
    auto host = test::hostFromJson(test::ExportDesktop);
    auto wb = test::activeWorkbook(*host);
    auto added = wb->addWorksheet();  // before Data, and active
    added->remove();
    EXPECT_EQ(wb->activeSheet()->name(), QStringLiteral("Data"));
    EXPECT_EQ(wb->sheets().size(), 3u);
    wb->sheet(QStringLiteral("Sales"))->remove();
    // Data is the last visible sheet: Hidden is hidden.
    EXPECT_THROW(wb->sheet(QStringLiteral("Data"))->remove(), office::Error);
    EXPECT_EQ(wb->sheets().size(), 2u);

    QByteArray json = test::ExportDesktop;
    json.replace(R"("activeSheet": "Data")", R"("activeSheet": "Data", "protectStructure": true)");
    auto locked = test::hostFromJson(json);
    EXPECT_THROW(test::activeWorkbook(*locked)->sheet(QStringLiteral("Sales"))->remove(),
                 office::Error);
}

TEST(ChartPaste, AnEmptyClipboardCannotBePasted) {
    auto host = test::hostFromJson(test::ExportDesktop);
    host->clipboard().clear();
    auto data = test::activeWorkbook(*host)->sheet(QStringLiteral("Data"));
    auto chart = data->addChartObject(0, 0, 96, 30);
    EXPECT_THROW(chart->chart()->paste(), office::Error);
    chart->remove();
    EXPECT_EQ(data->chartObjects().size(), 2u);
}

}  // namespace
