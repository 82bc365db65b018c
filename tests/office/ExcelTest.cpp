#include "Memory.h"

namespace {

using namespace officetest;
using office::Selection;

struct TrimCase {
    const char* in;
    const char* out;
};

void PrintTo(const TrimCase& c, std::ostream* os) {
    *os << '"' << c.in << '"';
}

class Trim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(Trim, AsTheWorksheetFunction) {
    auto o = desktop(R"({"excel": {}})");
    EXPECT_EQ(o->attachExcel()->trim(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Excel, Trim,
                         ::testing::Values(TrimCase{"  Block", "Block"},
                                           TrimCase{"a   b  c ", "a b c"}, TrimCase{"     ", ""},
                                           TrimCase{"", ""},
                                           TrimCase{"a\t b", "a\t b"}));  // only spaces are trimmed

TEST(Excel, WorksheetFunctions) {
    auto o = desktop(R"({"excel": {}})");
    auto x = o->attachExcel();
    EXPECT_EQ(x->substitute("Data!Sub!Block", "!", "  "), "Data  Sub  Block");
    EXPECT_EQ(x->substitute("aAa", "a", "b"), "bAb");
    EXPECT_EQ(x->substitute("abc", "", "x"), "abc");
    EXPECT_EQ(x->rept(" ", 3), "   ");
    EXPECT_EQ(x->rept("ab", 0), "");
    EXPECT_EQ(errorOf([&] { x->rept("a", -1); }), office::errors::Application);
    EXPECT_EQ(x->min({}), 0.0);
    EXPECT_EQ(x->max({}), 0.0);
    EXPECT_EQ(x->min({3, -2, 7}), -2.0);
    EXPECT_EQ(x->max({3, -2, 7}), 7.0);
    // The item-name split of the inventory: the part after the last "!".
    const QString name = "'My data'!Block";
    const int len = static_cast<int>(name.size());
    EXPECT_EQ(x->trim(x->substitute(name, "!", x->rept(" ", len)).right(len)), "Block");
}

TEST(Excel, SheetsInOrderAndVisibility) {
    auto o = workbook(R"({"name": "A"}, {"name": "B"}, {"name": "C", "visible": 0})", {},
                      R"(, "activeSheet": "B")");
    auto wb = active(*o);
    auto a = wb->findSheet("A"), b = wb->findSheet("B"), c = wb->findSheet("C");
    EXPECT_EQ(a->index(), 1);
    EXPECT_EQ(c->index(), 3);
    EXPECT_EQ(errorOf([&] { b->setVisible(1); }), office::errors::Application);
    // Hiding the active sheet moves to the next visible one, searching right and then left.
    b->setVisible(office::xlSheetVeryHidden);
    EXPECT_EQ(wb->activeSheet(), a);
    EXPECT_EQ(errorOf([&] { a->setVisible(office::xlSheetHidden); }), office::errors::Application);
    EXPECT_EQ(a->visible(), office::xlSheetVisible);
    EXPECT_EQ(errorOf([&] { b->select(); }),
              office::errors::Application);  // hidden sheets cannot be selected
    c->setVisible(office::xlSheetVisible);
    c->select();
    EXPECT_EQ(wb->activeSheet(), c);
    a->setVisible(office::xlSheetHidden);
    EXPECT_EQ(wb->activeSheet(), c);
}

TEST(Excel, RenamingChecksTheName) {
    auto o = workbook(R"({"name": "Data"}, {"name": "Other"})");
    auto s = sheet(*o, "Data");
    for (const char* bad : {"other", "OTHER", "", "a:b", "a[1]", "'quoted", "History",
                            "a name that is far too long for a sheet"})
        EXPECT_EQ(errorOf([&] { s->setName(bad); }), office::errors::Application) << bad;
    EXPECT_EQ(s->name(), "Data");
    s->setName("data");  // its own name in another case
    EXPECT_EQ(s->name(), "data");
}

TEST(Excel, AddWorksheetGoesBeforeTheActiveSheet) {
    auto o = workbook(R"({"name": "Sheet1"}, {"name": "Sheet3"}, {"name": "Data"})", {},
                      R"(, "activeSheet": "Data")");
    auto wb = active(*o);
    auto added = wb->addWorksheet();
    EXPECT_EQ(added->name(), "Sheet2");
    EXPECT_EQ(added->index(), 3);
    EXPECT_EQ(wb->activeSheet(), added);
    EXPECT_EQ(wb->addWorksheet()->name(), "Sheet4");

    auto locked = workbook(R"({"name": "S"})", {}, R"(, "protectStructure": true)");
    EXPECT_EQ(errorOf([&] { active(*locked)->addWorksheet(); }), office::errors::Application);
}

TEST(Excel, SelectionKindsFromTheDesktop) {
    const QByteArray sheets =
        R"({"name": "S", "charts": [{"name": "Chart 1", "topLeft": "D2", "bottomRight": "H9"}]},
                                 {"name": "T", "type": "chart", "chart": {}})";
    struct Case {
        QByteArray selection;
        Selection::Kind kind;
        QString detail;
    };
    for (const auto& c :
         {Case{R"({"kind": "range", "address": "B2:D6,F1"})", Selection::Kind::Range,
               "$B$2:$D$6,$F$1"},
          Case{R"({"kind": "chartArea", "chart": "Chart 1"})", Selection::Kind::ChartArea,
               "Chart 1"},
          Case{R"({"kind": "chartPart", "chart": "Chart 1", "part": "PlotArea"})",
               Selection::Kind::ChartPart, "PlotArea"},
          Case{R"({"kind": "shape", "name": "Picture 3"})", Selection::Kind::Shape, "Picture 3"}}) {
        auto o = workbook(sheets, {}, R"(, "selection": )" + c.selection);
        const Selection s = o->attachExcel()->selection();
        EXPECT_EQ(s.kind, c.kind) << c.selection.constData();
        const QString detail = s.range                                ? s.range->address()
                               : s.kind == Selection::Kind::ChartPart ? s.part
                               : s.chart                              ? s.chartName
                                                                      : s.shapeName;
        EXPECT_EQ(detail, c.detail) << c.selection.constData();
        if (c.kind == Selection::Kind::ChartArea) {
            EXPECT_EQ(s.chart, sheet(*o, "S")->chartList()[0]->chart());
        }
    }
    auto onChartSheet = workbook(sheets, {}, R"(, "activeSheet": "T")");
    const Selection s = onChartSheet->attachExcel()->selection();
    EXPECT_EQ(s.kind, Selection::Kind::ChartArea);
    EXPECT_EQ(s.chartName, "T");
    EXPECT_EQ(s.chart, sheet(*onChartSheet, "T")->chart());
}

TEST(Excel, SelectCallsMoveTheSelection) {
    auto o = workbook(
        R"({"name": "S", "charts": [{"name": "Chart 1", "topLeft": "D2", "bottomRight": "H9"}]},
                         {"name": "U"})");
    auto x = o->attachExcel();
    auto s = sheet(*o, "S"), u = sheet(*o, "U");
    EXPECT_EQ(errorOf([&] { u->range("A1").select(); }),
              office::errors::Application);  // not the active sheet
    u->select();
    u->range("C3:D4").select();
    EXPECT_EQ(x->selection().range->address(), "$C$3:$D$4");
    EXPECT_EQ(x->activeSheet(), u);
    EXPECT_EQ(errorOf([&] { s->chartList()[0]->activate(); }), office::errors::Application);
    s->activate();
    EXPECT_EQ(x->selection().range->address(), "$A$1");  // each sheet keeps its own selection
    s->chartList()[0]->activate();
    EXPECT_EQ(x->selection().kind, Selection::Kind::ChartArea);
    s->chartList()[0]->select();
    EXPECT_EQ(x->selection().kind, Selection::Kind::Shape);
    EXPECT_EQ(x->selection().shapeName, "Chart 1");
    u->select();
    EXPECT_EQ(x->selection().range->address(), "$C$3:$D$4");
}

TEST(Excel, CopiesLandOnTheClipboard) {
    auto o = workbook(
        R"({"name": "S", "charts": [{"name": "Chart 1", "topLeft": "D2", "bottomRight": "H9"}]},
                         {"name": "T", "type": "chart", "chart": {}})");
    using office::memory::ClipContent;
    auto s = sheet(*o, "S");
    s->chartList()[0]->chart()->copy();
    EXPECT_EQ(*o->memoryClipboard().content(), (ClipContent{"chart", {"B.xlsx", "S", "Chart 1"}}));
    sheet(*o, "T")->chart()->copyPicture();
    EXPECT_EQ(*o->memoryClipboard().content(), (ClipContent{"chartPicture", {"B.xlsx", "T", "T"}}));
    s->range("A1:B5").copy();
    EXPECT_EQ(*o->memoryClipboard().content(),
              (ClipContent{"range", {"B.xlsx", "S", "$A$1:$B$5"}}));
    s->range("C3").copyPicture();
    EXPECT_EQ(*o->memoryClipboard().content(),
              (ClipContent{"rangePicture", {"B.xlsx", "S", "$C$3"}}));
    EXPECT_EQ(s->chartList()[0]->chart()->name(), "S Chart 1");
}

TEST(Excel, ScreenUpdatingLogKeepsEveryValueSet) {
    auto o = desktop(R"({"excel": {"screenUpdating": false}})");
    auto x = o->attachExcel();
    EXPECT_TRUE(o->screenUpdatingLog().empty());  // the desktop's value is not a call
    x->setScreenUpdating(true);
    x->setScreenUpdating(false);
    x->setScreenUpdating(false);
    x->setScreenUpdating(true);
    EXPECT_EQ(o->screenUpdatingLog(), (std::vector<bool>{true, false, false, true}));
}

TEST(Excel, OpeningWorkbooksAndRunningMacros) {
    auto o = desktop(R"({
        "excel": {"openFilename": "/home/ana/B.xlsx",
                  "files": {"/home/ana/B.xlsx": {"sheets": [{"name": "Plan"}]}}},
        "powerpoint": {"running": false, "files": {"/home/ana/Other.pptx": {"slides": [{}]}}},
        "macros": {"Host.xlam!Open": {"opens": "/home/ana/Other.pptx"}, "Host.xlam!Quiet": {}}})");
    auto x = o->attachExcel();
    const QString path =
        x->getOpenFilename("Excel Files *.xls* (*.xls*),", "Please choose a file to open");
    EXPECT_EQ(path, "/home/ana/B.xlsx");
    EXPECT_EQ(errorOf([&] { x->openWorkbook("/home/ana/Elsewhere.xlsx"); }),
              office::errors::Application);
    auto wb = x->openWorkbook(path);
    EXPECT_EQ(wb->name(), "B.xlsx");
    EXPECT_EQ(wb->fullName(), path);
    EXPECT_EQ(x->activeWorkbook(), wb);
    EXPECT_EQ(x->openWorkbook(path), wb);  // an open workbook is activated, not opened twice
    EXPECT_EQ(x->workbooks().size(), 1u);

    EXPECT_EQ(errorOf([&] { x->run("Host.xlam!Missing"); }), office::errors::Application);
    x->run("Host.xlam!Quiet");
    EXPECT_EQ(errorOf([&] { o->attachPowerPoint(); }), office::errors::NotRunning);
    x->run("Host.xlam!Open");
    auto pp = o->attachPowerPoint();
    ASSERT_TRUE(pp->activePresentation());
    EXPECT_EQ(pp->activePresentation()->name(), "Other.pptx");
    EXPECT_EQ(o->macroCalls(), (std::vector<QString>{"Host.xlam!Quiet", "Host.xlam!Open"}));

    const QByteArray json = o->toJson();
    EXPECT_EQ(Office::fromJson(json, "dump")->toJson(), json);
}

}  // namespace
