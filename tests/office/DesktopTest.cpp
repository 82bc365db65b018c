#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "Memory.h"

namespace {

using namespace officetest;
using office::memory::loadDesktop;

TEST(Desktop, KeysNotGivenTakeTheirDefaults) {
    auto o = desktop(R"({"excel": {"workbooks": [{"name": "B.xlsx", "sheets": [
        {"name": "S", "charts": [{"name": "C", "topLeft": "B2", "bottomRight": "D9"}]}],
        "names": [{"name": "N", "refersTo": "=S!$A$1"}]}]}})");
    auto excel = o->attachExcel();
    EXPECT_EQ(excel->version(), "16.0");
    EXPECT_TRUE(excel->displayAlerts());
    EXPECT_TRUE(excel->screenUpdating());
    EXPECT_EQ(excel->windowState(), -4137);
    EXPECT_EQ(excel->activeWorkbook(), nullptr);  // absent: Excel runs without an active workbook
    EXPECT_EQ(excel->selection().kind, office::Selection::Kind::None);
    EXPECT_EQ(excel->getOpenFilename("*.xls*", "Open"), "False");

    auto wb = o->excel().workbookList().at(0);
    EXPECT_EQ(wb->fullName(), "B.xlsx");
    EXPECT_FALSE(wb->protectStructure());
    auto s = wb->findSheet("S");
    EXPECT_EQ(wb->activeSheet(), s);
    EXPECT_EQ(s->type(), office::xlWorksheet);
    EXPECT_EQ(s->visible(), office::xlSheetVisible);
    EXPECT_EQ(s->selection.areas, std::vector<office::CellRect>{office::CellRect{}});
    auto co = s->chartList().at(0);
    EXPECT_TRUE(co->visible());
    EXPECT_EQ(co->chartImpl()->data.kind, "column");
    EXPECT_EQ(co->bottomRightCell().address(), "$D$9");
    EXPECT_TRUE(wb->nameList().at(0)->visible());

    EXPECT_EQ(errorOf([&] { o->attachPowerPoint(); }), office::errors::NotRunning);
    EXPECT_EQ(errorOf([&] { o->attachWord(); }), office::errors::NotRunning);
    EXPECT_FALSE(o->memoryClipboard().content());
}

TEST(Desktop, AttachingGivesOneInstanceAndFailsWhenNotRunning) {
    auto o =
        desktop(R"({"excel": {"running": false}, "powerpoint": {}, "word": {"running": true}})");
    EXPECT_EQ(errorOf([&] { o->attachExcel(); }), office::errors::NotRunning);
    EXPECT_EQ(o->attachPowerPoint(), o->attachPowerPoint());
    EXPECT_EQ(o->attachWord(), o->attachWord());
    EXPECT_EQ(o->attachPowerPoint()->activePresentation(), nullptr);
    EXPECT_EQ(&o->pacer(), &o->pacer());
}

struct BadDesktop {
    const char* json;
    const char* message;  // what the error must say, after the file name
};

void PrintTo(const BadDesktop& c, std::ostream* os) {
    *os << c.message;
}

class Refused : public ::testing::TestWithParam<BadDesktop> {};

TEST_P(Refused, NamingTheKey) {
    const auto& c = GetParam();
    const std::string error = loadError(c.json);
    EXPECT_EQ(error.rfind("t.json: ", 0), 0u) << error;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
}

#define WB(body) R"({"excel": {"workbooks": [{"name": "B.xlsx", )" body "}]}}"
#define SHEET(body) WB(R"("sheets": [{"name": "S", )" body "}]")

INSTANTIATE_TEST_SUITE_P(
    Desktop, Refused,
    ::testing::Values(
        BadDesktop{R"({"exel": {}})", "exel: unknown key"},
        BadDesktop{WB(R"("shets": [])"), "excel.workbooks[0].shets: unknown key"},
        BadDesktop{R"({"excel": {"displayAlerts": "yes"}})",
                   "excel.displayAlerts: expected true or false"},
        BadDesktop{R"({"excel": {"windowState": 1.5}})",
                   "excel.windowState: expected a whole number"},
        BadDesktop{R"({"excel": {"workbooks": {}}})", "excel.workbooks: expected a list"},
        BadDesktop{R"({"excel": {"workbooks": [3]}})", "excel.workbooks[0]: expected an object"},
        BadDesktop{R"({"excel": {"openFilename": true}})",
                   "excel.openFilename: expected a path or false"},
        BadDesktop{R"({"excel": {"activeWorkbook": "Gone.xlsx"}})",
                   "excel.activeWorkbook: names no open workbook"},
        BadDesktop{R"({"excel": {"workbooks": [{"name": "A", "sheets": [{"name": "S"}]},
                                                {"name": "a", "sheets": [{"name": "S"}]}]}})",
                   "excel.workbooks[1].name: duplicate workbook name"},
        BadDesktop{WB(R"("sheets": [])"),
                   "excel.workbooks[0].sheets: a workbook holds at least one sheet"},
        BadDesktop{WB(R"("sheets": [{"name": "S"}, {"name": "s"}])"),
                   "excel.workbooks[0].sheets[1].name: duplicate sheet name"},
        BadDesktop{WB(R"("sheets": [{"name": "a/b"}])"),
                   "sheets[0].name: \"a/b\" is not a valid sheet name"},
        BadDesktop{WB(R"("sheets": [{"type": "worksheet"}])"), "sheets[0].name: missing"},
        BadDesktop{SHEET(R"("type": "dialog")"), "sheets[0].type: expected worksheet or chart"},
        BadDesktop{SHEET(R"("visible": 1)"),
                   "excel.workbooks[0].sheets[0].visible: expected -1, 0 or 2"},
        BadDesktop{SHEET(R"("visible": true)"), "sheets[0].visible: expected -1, 0 or 2"},
        BadDesktop{SHEET(R"("cells": {"A0": 1})"), "sheets[0].cells.A0: bad cell address"},
        BadDesktop{SHEET(R"("cells": {"B2:C3": 1})"), "sheets[0].cells.B2:C3: bad cell address"},
        BadDesktop{SHEET(R"("cells": {"A1": null})"),
                   "sheets[0].cells.A1: expected a string, a number, true or false"},
        BadDesktop{SHEET(R"("numberFormats": [{"range": "D:", "format": "0"}])"),
                   "sheets[0].numberFormats[0].range: bad address"},
        BadDesktop{SHEET(R"("numberFormats": [{"range": "D:E"}])"),
                   "sheets[0].numberFormats[0].format: missing"},
        BadDesktop{SHEET(R"("hiddenRows": [0])"), "sheets[0].hiddenRows[0]: expected a row number"},
        BadDesktop{SHEET(R"("hiddenColumns": ["3"])"),
                   "sheets[0].hiddenColumns[0]: expected column letters"},
        BadDesktop{SHEET(R"("charts": [{"name": "C", "bottomRight": "B2"}])"),
                   "sheets[0].charts[0].topLeft: missing"},
        BadDesktop{SHEET(R"("charts": [{"name": "C", "topLeft": "C3", "bottomRight": "B2"}])"),
                   "sheets[0].charts[0].bottomRight: lies above or left of topLeft"},
        BadDesktop{
            SHEET(
                R"("charts": [{"name": "C", "topLeft": "A1", "bottomRight": "B2", "kind": "donut"}])"),
            "sheets[0].charts[0].kind: expected column, bar, line or pie"},
        BadDesktop{
            SHEET(
                R"("charts": [{"name": "C", "topLeft": "A1", "bottomRight": "B2", "source": "A1:"}])"),
            "sheets[0].charts[0].source: bad address"},
        BadDesktop{SHEET(R"("charts": [{"name": "C", "topLeft": "A1", "bottomRight": "B2"},
                                       {"name": "c", "topLeft": "A1", "bottomRight": "B2"}])"),
                   "sheets[0].charts[1].name: duplicate chart name"},
        BadDesktop{SHEET(R"("type": "chart")"), "sheets[0].chart: missing"},
        BadDesktop{SHEET(R"("type": "chart", "chart": {}, "cells": {})"),
                   "sheets[0].cells: unknown key"},
        BadDesktop{SHEET(R"("visible": 0)"), "excel.workbooks[0].sheets: no sheet is visible"},
        BadDesktop{
            WB(R"("activeSheet": "H", "sheets": [{"name": "S"}, {"name": "H", "visible": 2}])"),
            "excel.workbooks[0].activeSheet: the sheet \"H\" is hidden"},
        BadDesktop{WB(R"("activeSheet": "X", "sheets": [{"name": "S"}])"),
                   "activeSheet: names no sheet"},
        BadDesktop{
            WB(R"("sheets": [{"name": "S"}], "selection": {"kind": "chartArea", "chart": "Chart 9"})"),
            "excel.workbooks[0].selection.chart: no chart \"Chart 9\""},
        BadDesktop{
            WB(R"("sheets": [{"name": "S"}], "selection": {"kind": "range", "address": "B2:"})"),
            "excel.workbooks[0].selection.address: bad address"},
        BadDesktop{WB(R"("sheets": [{"name": "S"}], "selection": {"kind": "cell"})"),
                   "selection.kind: expected range, chartArea, chartPart or shape"},
        BadDesktop{WB(R"("sheets": [{"name": "T", "type": "chart", "chart": {}}],
                         "selection": {"kind": "range", "address": "A1"})"),
                   "selection.kind: on a chart sheet expected chartArea or chartPart"},
        BadDesktop{WB(R"("sheets": [{"name": "S", "selection": {"kind": "shape", "name": "P"}}])"),
                   "sheets[0].selection: the active sheet's selection is the workbook's"},
        BadDesktop{WB(R"("sheets": [{"name": "S"}], "names": [{"name": "N", "refersTo": "S!A1"}])"),
                   "names[0].refersTo: expected a formula starting with \"=\""},
        BadDesktop{
            WB(R"("sheets": [{"name": "S"}], "names": [{"name": "N", "refersTo": "=$A$1"}])"),
            "names[0].refersTo: a reference needs its sheet"},
        BadDesktop{
            WB(R"("sheets": [{"name": "S"}], "names": [{"name": "N", "refersTo": "=S!$A$0"}])"),
            "names[0].refersTo: bad reference"},
        BadDesktop{WB(R"("sheets": [{"name": "S"}], "names": [{"name": "A1", "refersTo": "=1"}])"),
                   "names[0].name: \"A1\" is not a valid name"},
        BadDesktop{WB(R"("sheets": [{"name": "S"}], "names": [{"name": "N", "refersTo": "=1"},
                                                              {"name": "n", "refersTo": "=2"}])"),
                   "names[1].name: duplicate name"},
        BadDesktop{
            WB(R"("sheets": [{"name": "S"}], "names": [{"name": "Nope!N", "refersTo": "=1"}])"),
            "names[0].name: no sheet \"Nope\""},
        BadDesktop{R"({"powerpoint": {"activePresentation": "D.pptx"}})",
                   "powerpoint.activePresentation: names no open presentation"},
        BadDesktop{
            R"({"powerpoint": {"presentations": [{"name": "D", "window": {"slideIndex": 2},
                                                         "slides": [{}]}]}})",
            "powerpoint.presentations[0].window.slideIndex: expected a slide number from 1 to 1"},
        BadDesktop{
            R"({"powerpoint": {"presentations": [{"name": "D", "slides": [{"shapes": [{"kind": "gif"}]}]}]}})",
            "powerpoint.presentations[0].slides[0].shapes[0].kind: expected bitmap"},
        BadDesktop{
            R"({"powerpoint": {"presentations": [{"name": "D", "slides": [{"title": {"text": 3}}]}]}})",
            "powerpoint.presentations[0].slides[0].title.text: expected a string"},
        BadDesktop{
            R"({"word": {"documents": [{"name": "R", "content": [{"paragraph": "a", "table": []}]}]}})",
            "word.documents[0].content[0]: expected one of paragraph"},
        BadDesktop{R"({"word": {"documents": [{"name": "R", "pageSetup": {"gutter": 3}}]}})",
                   "word.documents[0].pageSetup.gutter: unknown key"},
        BadDesktop{R"({"word": {"activeDocument": "X.docx"}})",
                   "word.activeDocument: names no open document"},
        BadDesktop{R"({"macros": {"M": 1}})", "macros[\"M\"]: expected an object"},
        BadDesktop{R"({"macros": {"M": {"open": "D.pptx"}}})", "macros[\"M\"].open: unknown key"},
        BadDesktop{R"({"clipboard": {"kind": "text"}})",
                   "clipboard.kind: expected chart, chartPicture"}));

TEST(Desktop, SyntaxErrorsGiveLineAndOffset) {
    const std::string error = loadError("{\n  \"excel\": {\"running\": true,,\n}}");
    EXPECT_EQ(error.rfind("t.json: line 2, column ", 0), 0u) << error;
    EXPECT_NE(error.find("offset"), std::string::npos) << error;
    EXPECT_EQ(loadError("[1, 2]"), "t.json: expected an object at the top");
}

TEST(Desktop, MissingFileIsNamed) {
    try {
        loadDesktop("/nonexistent/desk.json");
        FAIL();
    } catch (const office::memory::DesktopError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("/nonexistent/desk.json: ", 0), 0u) << e.what();
    }
}

// Every key of `given` is in `dumped` with the same value; `dumped` may add keys of its own.
void expectKept(const QJsonValue& given, const QJsonValue& dumped, const QString& path) {
    if (given.isObject()) {
        ASSERT_TRUE(dumped.isObject()) << path.toStdString();
        const QJsonObject g = given.toObject(), d = dumped.toObject();
        for (auto it = g.begin(); it != g.end(); ++it) {
            ASSERT_TRUE(d.contains(it.key())) << (path + '.' + it.key()).toStdString();
            expectKept(it.value(), d[it.key()], path + '.' + it.key());
        }
    } else if (given.isArray()) {
        ASSERT_TRUE(dumped.isArray()) << path.toStdString();
        const QJsonArray g = given.toArray(), d = dumped.toArray();
        ASSERT_EQ(g.size(), d.size()) << path.toStdString();
        for (qsizetype i = 0; i < g.size(); ++i)
            expectKept(g[i], d[i], QStringLiteral("%1[%2]").arg(path).arg(i));
    } else {
        EXPECT_EQ(given, dumped) << path.toStdString();
    }
}

QJsonObject readJson(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QJsonDocument::fromJson(f.readAll()).object();
}

TEST(Desktop, DumpOfAnUntouchedDesktopKeepsEveryKey) {
    const QString path = QStringLiteral(CORVANE_FIXTURES "/every-key.json");
    auto o = loadDesktop(path);
    expectKept(readJson(path), QJsonDocument::fromJson(o->toJson()).object(), "");
}

class RoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTrip, LoadDumpLoadDumpIsStable) {
    auto first = loadDesktop(QString::fromUtf8(GetParam()));
    const QByteArray once = first->toJson();
    const QByteArray twice = Office::fromJson(once, "dump")->toJson();
    EXPECT_EQ(once, twice);
}

INSTANTIATE_TEST_SUITE_P(Desktop, RoundTrip,
                         ::testing::Values(CORVANE_FIXTURES "/every-key.json",
                                           CORVANE_FIXTURES "/four-items.json",
                                           CORVANE_FIXTURES "/no-items.json",
                                           CORVANE_FIXTURES "/no-workbook.json",
                                           CORVANE_SAMPLES "/sample-desktop.json"));

TEST(Desktop, ChangesReachTheDumpAndLoadBack) {
    auto o = workbook(
        R"({"name": "S", "cells": {"A1": "x"}}, {"name": "T", "type": "chart", "chart": {}})");
    auto excel = o->attachExcel();
    auto wb = active(*o);
    auto s = wb->findSheet("S");
    s->setCell(3, 2, 4.5);
    s->setCell(1, 1, office::Value{});
    s->setNumberFormat(office::CellRect{1, 4, office::MaxRows, 5}, "0");
    wb->addName("Block", "=S!R2C2:R3C3");
    auto added = wb->addWorksheet();
    added->setName("kukukukuVovezuv");
    added->setVisible(office::xlSheetVeryHidden);
    excel->setScreenUpdating(false);
    excel->setDisplayAlerts(false);
    excel->setWindowState(-4140);
    s->select();
    s->range("B3").select();
    s->copyRangePicture(office::CellRect{3, 2, 3, 2});

    const QByteArray json = o->toJson();
    auto again = Office::fromJson(json, "dump");
    EXPECT_EQ(again->toJson(), json);
    auto wb2 = active(*again);
    auto s2 = wb2->findSheet("S");
    EXPECT_EQ(s2->cell(3, 2), office::Value(4.5));
    EXPECT_FALSE(s2->usedRange()->contains(1, 1));
    EXPECT_EQ(s2->numberFormat(70000, 5), "0");
    EXPECT_EQ(wb2->findName("Block")->refersTo(), "=S!$B$2:$C$3");
    EXPECT_EQ(wb2->sheetList().front()->name(), "kukukukuVovezuv");
    EXPECT_EQ(wb2->sheetList().front()->visible(), office::xlSheetVeryHidden);
    auto excel2 = again->attachExcel();
    EXPECT_FALSE(excel2->screenUpdating());
    EXPECT_FALSE(excel2->displayAlerts());
    EXPECT_EQ(excel2->windowState(), -4140);
    EXPECT_EQ(excel2->selection().range->address(), "$B$3");
    ASSERT_TRUE(again->memoryClipboard().content());
    EXPECT_EQ(again->memoryClipboard().content()->kind, "rangePicture");
    EXPECT_EQ(again->memoryClipboard().content()->source.item, "$B$3");
}

TEST(Desktop, FinishWritesTheDumpWhenAskedTo) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.json");
    auto o = workbook(R"({"name": "S"})");
    o->finish();
    EXPECT_FALSE(QFile::exists(out));
    o->setDumpPath(out);
    active(*o)->findSheet("S")->setCell(1, 1, QStringLiteral("done"));
    o->finish();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), o->toJson());

    o->setDumpPath(dir.filePath("missing/folder/out.json"));
    EXPECT_THROW(o->finish(), office::memory::DesktopError);
}

}  // namespace
