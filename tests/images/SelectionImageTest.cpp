#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "images/ExportFixture.h"
#include "images/PasteToImagesFiles.h"
#include "startup/Program.h"

namespace {

using test::ExportFixture;

// The desktop with another selection on the active sheet, or another sheet active.
QByteArray desktopWith(const QByteArray& selection, const QByteArray& activeSheet = "Data") {
    QByteArray json = test::ExportDesktop;
    json.replace(R"("selection": { "kind": "range", "address": "A1:B3" })", selection);
    json.replace(R"("activeSheet": "Data")", R"("activeSheet": ")" + activeSheet + '"');
    return json;
}

struct Saved {
    QStringList messages;
    QStringList files;
    QSize size;
};

Saved exportSelection(ExportFixture& f, std::vector<int> numbers = {12345}) {
    size_t next = 0;
    images::ExportSelectionToImageFile(
        f.t.services, f.t.state, [&] { return numbers.at(std::min(next++, numbers.size() - 1)); });
    const QString folder = f.t.services.folders.images();
    Saved s{f.t.prompt.texts(), ExportFixture::files(folder), {}};
    if (!s.files.isEmpty()) s.size = QImage(QDir(folder).filePath(s.files.last())).size();
    return s;
}

TEST(SelectionImage, ChartsAndSingleRangesAreSavedAndConfirmed) {
    struct Case {
        const char* what;
        QByteArray selection;
        QByteArray activeSheet;
        QSize size;
    };
    const Case cases[] = {
        {"chart area", R"("selection": { "kind": "chartArea", "chart": "Chart 2" })", "Data",
         test::Chart2Pixels},
        {"chart sheet", R"("selection": { "kind": "chartArea" })", "Sales", QSize(960, 600)},
        // Through a temporary chart of the range's size: 2 x 3 cells.
        {"range", R"("selection": { "kind": "range", "address": "A1:B3" })", "Data",
         QSize(128, 60)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExportFixture f(desktopWith(c.selection, c.activeSheet));
        const Saved s = exportSelection(f);
        const QString path =
            QDir(f.t.services.folders.images()).filePath(QStringLiteral("Corvane12345.png"));
        EXPECT_EQ(s.messages, QStringList{"Selection saved as " + path});
        EXPECT_EQ(s.files, QStringList{"Corvane12345.png"});
        EXPECT_EQ(s.size, c.size);
    }
}

TEST(SelectionImage, TheTemporaryChartGoesAndTheRangeStaysSelected) {
    ExportFixture f;
    exportSelection(f);
    auto data = f.t.state.office.workbook->sheet(QStringLiteral("Data"));
    QStringList names;
    for (const auto& co : data->chartObjects()) names << co->name();
    EXPECT_EQ(names, (QStringList{"Chart 1", "Chart 2"}));
    const auto selection = f.t.state.office.excel->selection();
    ASSERT_EQ(selection.kind, office::Selection::Kind::Range);
    EXPECT_EQ(selection.range->address(), QStringLiteral("$A$1:$B$3"));
}

TEST(SelectionImage, NothingCopiedSaysSoAndWritesNothing) {
    const QByteArray selections[] = {
        R"("selection": { "kind": "chartPart", "chart": "Chart 1", "part": "PlotArea" })",
        R"("selection": { "kind": "range", "address": "A1:A2,C1:C2" })",
    };
    for (const auto& selection : selections) {
        ExportFixture f(desktopWith(selection));
        // Something copied earlier must not be saved as this selection.
        f.t.state.office.workbook->sheet(QStringLiteral("Sales"))->chart()->copy();
        const Saved s = exportSelection(f);
        EXPECT_EQ(s.messages,
                  QStringList{"Nothing was saved: select a chart, or a range of one area, and try "
                              "again."});
        EXPECT_TRUE(s.files.isEmpty());
    }
}

TEST(SelectionImage, ARepeatedNumberNeverOverwritesAnEarlierFile) {
    ExportFixture f(desktopWith(R"("selection": { "kind": "chartArea", "chart": "Chart 2" })"));
    const QString folder = f.t.services.folders.images();
    QDir().mkpath(folder);
    QFile earlier(QDir(folder).filePath(QStringLiteral("Corvane12345.png")));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    const Saved s = exportSelection(f, {12345, 12345, 20000});
    EXPECT_EQ(s.files, (QStringList{"Corvane12345.png", "Corvane20000.png"}));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
}

TEST(SelectionImage, ARangeThatCannotGoThroughATemporaryChartIsReported) {
    // A chart left with the temporary chart's name makes the naming fail.
    QByteArray json = test::ExportDesktop;
    json.replace("\"Chart 2\"", "\"ChartVolumeTallowDevEXPORT\"");
    ExportFixture f(json);
    const Saved s = exportSelection(f);
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].startsWith("The selection could not be saved: "));
    EXPECT_TRUE(s.files.isEmpty());
    EXPECT_EQ(f.t.state.office.workbook->sheet(QStringLiteral("Data"))->chartObjects().size(), 2u);
}

}  // namespace

namespace {

TEST(RangePlacement, CellsArePlacedInPointsWithoutHiddenRowsAndColumns) {
    QByteArray json = test::ExportDesktop;
    json.replace(R"("cells": {)", R"("hiddenRows": [2], "hiddenColumns": ["B"], "cells": {)");
    auto host = test::hostFromJson(json);
    auto data = test::activeWorkbook(*host)->sheet(QStringLiteral("Data"));
    struct Case {
        const char* address;
        QRectF points;
    };
    const Case cases[] = {{"A1", {0, 0, 48, 15}},
                          {"C3:D4", {48, 15, 96, 30}},  // B and row 2 take no room
                          {"A1:C3", {0, 0, 96, 30}}};
    for (const auto& c : cases) {
        const office::Range r = data->range(QString::fromLatin1(c.address));
        EXPECT_EQ(QRectF(r.left(), r.top(), r.width(), r.height()), c.points) << c.address;
    }
    // A chart placed in points has that size, and its export writes it at that size.
    auto chart = data->addChartObject(48, 15, 96, 30);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("c.png"));
    chart->chart()->exportFile(path);
    EXPECT_EQ(QImage(path).size(), QSize(128, 40));
    EXPECT_THROW(chart->chart()->exportFile(QDir(dir.path()).filePath("c.unknown")), office::Error);
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("c.unknown")));
}

}  // namespace

namespace {

TEST(SelectionImage, TheCode111SavesTheSelectedChartUnderTheOutputRoot) {
    QByteArray json = test::ExportDesktop;
    json.replace(R"("selection": { "kind": "range", "address": "A1:B3" })",
                 R"("selection": { "kind": "chartArea", "chart": "Chart 1" })");
    test::TestRun t(test::hostFromJson(json));
    t.features = startup::standardFeatures();
    startup::startUp(QStringLiteral("/111"), t.run);
    const QString folder = t.services.folders.images();
    const QStringList files = QDir(folder).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression("^Corvane[1-9][0-9]{4}\\.png$").match(files[0]).hasMatch());
    EXPECT_EQ(t.prompt.texts(),
              QStringList{"Selection saved as " + QDir(folder).filePath(files[0])});
    EXPECT_EQ(QImage(QDir(folder).filePath(files[0])).size(), test::Chart1Pixels);
}

}  // namespace
