// The program's own logic against a real, headless LibreOffice of the tests' own.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Soffice.h"
#include "inventory/Items.h"
#include "office/libreoffice/LibreOffice.h"
#include "platform/Prompt.h"
#include "startup/Dispatch.h"
#include "statesheet/StateSheet.h"
#include "support/Program.h"
#include "support/Recorders.h"

namespace {

using office::CellRect;
using office::Value;

// One run attached to the shared LibreOffice, on a fresh copy of a fixture workbook.
class LibreOffice : public ::testing::TestWithParam<std::string> {
  protected:
    static void SetUpTestSuite() {
        auto* soffice = test::Soffice::shared();
        if (!soffice) return;
        for (const QString& ext : {QStringLiteral("ods"), QStringLiteral("xlsx")})
            test::buildFixture(*soffice->session(), fixturePath(ext));
    }
    static QString fixturePath(const QString& ext) {
        return QDir(test::Soffice::shared()->folder()).filePath(QStringLiteral("fixture.") + ext);
    }

    void SetUp() override {
        soffice = test::Soffice::shared();
        if (!soffice) GTEST_SKIP() << "Skipped: " << test::Soffice::reason().toStdString();
        test::closeAll(*soffice->session());
        // Each test works on its own copy, so saves and deletions stay in it.
        path = QDir(soffice->folder())
                   .filePath(QStringLiteral("%1.%2").arg(
                       QString::fromStdString(
                           ::testing::UnitTest::GetInstance()->current_test_info()->name())
                           .replace('/', '_'),
                       QString::fromStdString(GetParam())));
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(fixturePath(QString::fromStdString(GetParam())), path));
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

    test::Soffice* soffice = nullptr;
    QString path;
    std::unique_ptr<office::Host> host;
    office::OfficeContext ctx;
};

INSTANTIATE_TEST_SUITE_P(Formats, LibreOffice, ::testing::Values("ods", "xlsx"),
                         [](const auto& info) { return info.param; });

TEST_P(LibreOffice, AttachFindsTheOpenedWorkbookAndItsSheets) {
    EXPECT_EQ(ctx.workbook->name(), QFileInfo(path).fileName());
    EXPECT_EQ(ctx.workbook->fullName(), path);
    EXPECT_EQ(ctx.startSheetName, "Data");
    EXPECT_FALSE(ctx.powerPoint);  // no presentation open: Impress counts as not running

    struct Expected {
        QString name;
        int index;
        int visible;
    };
    const std::vector<Expected> expected = {{"Data", 1, office::xlSheetVisible},
                                            {"Trend", 2, office::xlSheetVisible},
                                            {"Hidden", 3, office::xlSheetVeryHidden},
                                            {"My data", 4, office::xlSheetVisible}};
    const auto sheets = ctx.workbook->sheets();
    ASSERT_EQ(sheets.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name.toStdString());
        EXPECT_EQ(sheets[i]->name(), expected[i].name);
        EXPECT_EQ(sheets[i]->index(), expected[i].index);
        EXPECT_EQ(sheets[i]->visible(), expected[i].visible);
        EXPECT_EQ(sheets[i]->type(), office::xlWorksheet);
    }
    // The same sheet however it is reached.
    EXPECT_EQ(ctx.workbook->sheet("Trend"), sheets[1]);
    EXPECT_EQ(ctx.workbook->activeSheet(), sheets[0]);
    EXPECT_FALSE(ctx.workbook->protectStructure());
}

TEST_P(LibreOffice, InventoryListsChartsAndNamesOfVisibleSheets) {
    // Every chart object and every name that resolves to a range, hidden sheets included.
    EXPECT_EQ(inventory::CountItems(*ctx.excel, *ctx.workbook), 4 + 5);

    inventory::ItemTable items;
    inventory::BuildItemTable(*ctx.excel, *ctx.workbook, items, {});
    QStringList got;
    for (const auto& it : items)
        got << QStringLiteral("%1|%2|%3|%4").arg(it.type, it.sheet).arg(it.sheetOrder).arg(it.key);
    QStringList charts = got.filter("Embedded|");
    QStringList ranges = got.filter("Range|");
    ranges.sort();
    EXPECT_EQ(ranges, (QStringList{"Range|Data|1|BlockData", "Range|Data|1|PairData",
                                   "Range|Data|1|TotalsData", "Range|My data|4|LocalMy data"}));
    // Charts of the visible sheets only, in the order of their sheets.
    ASSERT_EQ(charts.size(), 3);
    EXPECT_TRUE(charts[0].startsWith("Embedded|Data|1|"));
    EXPECT_TRUE(charts[1].startsWith("Embedded|Data|1|"));
    EXPECT_TRUE(charts[2].startsWith("Embedded|Trend|2|"));
    if (GetParam() == "ods") {
        EXPECT_EQ(charts, (QStringList{"Embedded|Data|1|RevenueData", "Embedded|Data|1|CostsData",
                                       "Embedded|Trend|2|LineTrend"}));
    }
}

TEST_P(LibreOffice, NamesReadAsTheProgramWritesThem) {
    struct Case {
        QString name;
        QString refersTo;
        int areas;  // 0: no range
        QString sheet;
    };
    const std::vector<Case> cases = {
        {"Totals", "=Data!$A$1:$B$5", 1, "Data"},
        {"Pair", "=Data!$A$1:$A$2,Data!$C$1:$C$2", 2, "Data"},
        {"Rate", "=0.2", 0, {}},
        {"HiddenRef", "=Hidden!$A$1:$A$3", 1, "Hidden"},
        {"Data!Block", "=Data!$E$20:$F$22", 1, "Data"},
        {"'My data'!Local", "='My data'!$A$1:$A$2", 1, "My data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        auto n = ctx.workbook->findName(c.name);
        ASSERT_TRUE(n);
        EXPECT_TRUE(n->visible());
        if (c.areas == 0) {
            EXPECT_TRUE(n->refersTo().startsWith("=0.2")) << n->refersTo().toStdString();
            EXPECT_THROW(n->refersToRange(), office::Error);
            continue;
        }
        EXPECT_EQ(n->refersTo(), c.refersTo);
        const auto r = n->refersToRange();
        EXPECT_EQ(r.areaCount(), c.areas);
        EXPECT_EQ(r.worksheet().name(), c.sheet);
        EXPECT_EQ(r.sheet(), ctx.workbook->sheet(c.sheet));
    }
    // Resolved by the program's own lookup too.
    EXPECT_EQ(ctx.excel->range("Data!Block").address(), "$E$20:$F$22");
    EXPECT_TRUE(inventory::isMultiAreaRange(*ctx.workbook, "Data", "Pair"));
    EXPECT_FALSE(inventory::isMultiAreaRange(*ctx.workbook, "Data", "Totals"));
}

TEST_P(LibreOffice, CellsKeepTextNumbersAndFormats) {
    auto& data = sheet("Data");
    EXPECT_EQ(data.cell(1, 1), Value(QString("Region")));
    EXPECT_EQ(data.cell(2, 2), Value(12.5));
    EXPECT_EQ(data.cell(30, 30), Value());
    EXPECT_EQ(sheet("My data").cell(1, 1), Value(QString("00123")));

    // Written, then read back the way the state sheet does.
    auto& mine = sheet("My data");
    mine.setNumberFormat(CellRect{1, 3, office::MaxRows, 4}, "@");
    mine.setNumberFormat(CellRect{1, 5, office::MaxRows, 5}, "0");
    mine.write(3, 3,
               {{Value(QString("007")), Value(QString("=1+1")), Value(true)},
                {Value(QString("x")), Value(), Value(2.0)}});
    EXPECT_EQ(mine.read(CellRect{3, 3, 4, 5}),
              (office::Grid{{Value(QString("007")), Value(QString("=1+1")), Value(1.0)},
                            {Value(QString("x")), Value(), Value(2.0)}}));
    EXPECT_TRUE(office::toBool(mine.cell(3, 5)));
    EXPECT_EQ(mine.numberFormat(3, 3), "@");
    EXPECT_EQ(mine.numberFormat(3, 5), "0");
    EXPECT_EQ(mine.numberFormat(10, 10), "General");

    // Rows of different lengths touch nothing beyond themselves.
    mine.write(10, 1, {{Value(QString("a"))}, {Value(QString("b")), Value(QString("c"))}});
    EXPECT_EQ(
        mine.read(CellRect{10, 1, 11, 2}),
        (office::Grid{{Value(QString("a")), Value()}, {Value(QString("b")), Value(QString("c"))}}));
    // Off the sheet: refused, not cut short.
    EXPECT_THROW(mine.write(office::MaxRows, 1, {{Value(1.0)}, {Value(2.0)}}), office::Error);
}

TEST_P(LibreOffice, RegionsUsedRangeAndRowDeletion) {
    auto& data = sheet("Data");
    EXPECT_EQ(data.currentRegion(3, 2), (CellRect{1, 1, 5, 3}));
    EXPECT_EQ(data.usedRange(), (CellRect{1, 1, 22, 6}));
    auto empty = ctx.workbook->addWorksheet();
    EXPECT_EQ(empty->usedRange(), std::nullopt);
    EXPECT_EQ(empty->index(), 1);  // before the active sheet, and active now
    EXPECT_EQ(ctx.workbook->activeSheet(), empty);

    // Rows 2 and 4 go: South and West remain under the header.
    data.deleteRows({CellRect{2, 1, 2, 1}, CellRect{4, 1, 4, 1}});
    EXPECT_EQ(data.read(CellRect{1, 1, 4, 1}), (office::Grid{{Value(QString("Region"))},
                                                             {Value(QString("South"))},
                                                             {Value(QString("West"))},
                                                             {Value()}}));
    // A name below the deleted rows follows them.
    EXPECT_EQ(ctx.workbook->findName("Data!Block")->refersTo(), "=Data!$E$18:$F$20");
}

TEST_P(LibreOffice, ChartObjectsSitOverTheirCells) {
    const auto charts = sheet("Data").chartObjects();
    ASSERT_EQ(charts.size(), 2u);
    // "Revenue" was placed at 120 mm x 10 mm, 80 mm x 50 mm: default columns are 22.58 mm wide,
    // rows 4.52 mm high.
    EXPECT_EQ(charts[0]->topLeftCell().address(), "$F$3");
    EXPECT_EQ(charts[0]->bottomRightCell().address(), "$I$14");
    EXPECT_TRUE(charts[0]->visible());
    EXPECT_EQ(charts[0]->chart()->name(), charts[0]->name());
}

TEST_P(LibreOffice, SelectionKinds) {
    auto data = ctx.workbook->sheet("Data");
    data->range("B2:C3").select();
    auto s = ctx.excel->selection();
    ASSERT_EQ(s.kind, office::Selection::Kind::Range);
    EXPECT_EQ(s.range->address(), "$B$2:$C$3");
    EXPECT_EQ(s.range->sheet(), data);

    data->range("A1:A2,C1:C2").select();
    s = ctx.excel->selection();
    ASSERT_EQ(s.kind, office::Selection::Kind::Range);
    EXPECT_EQ(s.range->areaCount(), 2);

    auto chart = data->chartObjects().at(1);
    chart->select();
    s = ctx.excel->selection();
    ASSERT_EQ(s.kind, office::Selection::Kind::ChartArea);
    EXPECT_EQ(s.chartName, chart->name());
    ASSERT_TRUE(s.chart);
}

TEST_P(LibreOffice, CopiesLandOnTheClipboardAsPictures) {
    auto& clipboard = host->clipboard();
    auto data = ctx.workbook->sheet("Data");
    data->range("B2").select();

    data->chartObjects().at(0)->chart()->copy();
    ASSERT_TRUE(clipboard.hasFormat(office::Clipboard::Format::Bitmap));
    // No vector form: LibreOffice offers metafiles only.
    EXPECT_FALSE(clipboard.hasFormat(office::Clipboard::Format::Metafile));
    auto chart = clipboard.picture(office::Clipboard::Format::Any);
    ASSERT_TRUE(chart);
    // 80 mm x 50 mm at about 96 dpi.
    EXPECT_NEAR(chart->bitmap.width(), 302, 20);
    EXPECT_NEAR(chart->bitmap.height(), 189, 20);

    ctx.workbook->findName("Totals")->refersToRange().copyPicture();
    auto range = clipboard.picture(office::Clipboard::Format::Bitmap);
    ASSERT_TRUE(range);
    EXPECT_NE(range->bitmap.size(), chart->bitmap.size());
    EXPECT_LT(range->bitmap.width(), range->bitmap.height() * 3);

    // The user's selection stays where it was.
    EXPECT_EQ(ctx.excel->selection().range->address(), "$B$2");

    clipboard.clear();
    EXPECT_FALSE(clipboard.hasFormat(office::Clipboard::Format::Any));
    EXPECT_FALSE(clipboard.picture(office::Clipboard::Format::Any));
}

TEST_P(LibreOffice, ScreenUpdatingLocksTheControllersUntilTheRunEnds) {
    ctx.excel->setScreenUpdating(false);
    EXPECT_FALSE(ctx.excel->screenUpdating());
    EXPECT_TRUE(test::controllersLocked(*soffice->session(), path));
    ctx.excel->setScreenUpdating(true);
    EXPECT_FALSE(test::controllersLocked(*soffice->session(), path));
    // Left off at the end of a run: unlocked all the same.
    ctx.excel->setScreenUpdating(false);
    host->finish();
    EXPECT_FALSE(test::controllersLocked(*soffice->session(), path));
}

TEST_P(LibreOffice, WorksheetFunctionsAreCalcs) {
    EXPECT_EQ(inventory::nameWithoutSheet(*ctx.excel, "'My data'!Local"), "Local");
    EXPECT_EQ(ctx.excel->trim("  a   b "), "a b");
    EXPECT_EQ(ctx.excel->min({3, -1, 2}), -1);
    EXPECT_EQ(ctx.excel->max({3, -1, 2}), 3);
    EXPECT_FALSE(ctx.excel->version().isEmpty());
}

// A batch run, the workbook saved, closed and opened again, and a second run: the state sheet
// brings back checks, order, captions and slide numbers.
TEST_P(LibreOffice, StateSheetSurvivesSaveAndReopen) {
    platform::RecordingPrompt prompt;
    inventory::ItemTable items;
    statesheet::Flags flags;
    test::CountingProgress progress;
    ctx.itemCount = inventory::CountItems(*ctx.excel, *ctx.workbook);
    ASSERT_TRUE(statesheet::OpenMainForm(ctx, prompt, {}));
    auto state = ctx.workbook->worksheet(statesheet::StateSheetName);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->visible(), office::xlSheetVeryHidden);

    statesheet::Session session{ctx, items, flags, progress};
    test::RecordingList list;
    statesheet::FillListFromStateSheet(session, list);
    ASSERT_EQ(list.rows.size(), 7u);
    EXPECT_EQ(state->visible(), office::xlSheetVeryHidden);
    EXPECT_EQ(ctx.workbook->activeSheet()->name(), "Data");

    // The user unchecks one item, moves the last to the top, captions and numbers a slide.
    auto rows = list.rows;
    std::rotate(rows.rbegin(), rows.rbegin() + 1, rows.rend());
    rows[0].caption = "First caption";
    rows[0].slide = "3";
    rows[1].checked = false;
    statesheet::SaveListToStateSheet(*ctx.workbook, rows);

    // Saved in its own format, closed, opened again by a second run.
    test::saveAndClose(*soffice->session(), path);
    host.reset();
    host = office::libreoffice::makeHost(soffice->pipe());
    host->attachExcel()->openWorkbook(path);
    office::OfficeContext again;
    startup::attachOffice(*host, again);
    ASSERT_TRUE(again.workbook);
    again.itemCount = inventory::CountItems(*again.excel, *again.workbook);
    ASSERT_TRUE(statesheet::OpenMainForm(again, prompt, {}));
    inventory::ItemTable items2;
    statesheet::Flags flags2;
    statesheet::Session session2{again, items2, flags2, progress};
    test::RecordingList list2;
    statesheet::FillListFromStateSheet(session2, list2);

    EXPECT_FALSE(flags2.firstUse);
    ASSERT_EQ(list2.rows.size(), rows.size());
    // The list shows the rows in stored order; new rows would come first.
    QStringList want, got;
    for (const auto& r : rows)
        want << QStringLiteral("%1 %2 %3 %4").arg(r.key, r.caption, r.slide).arg(r.checked);
    for (const auto& r : list2.rows)
        got << QStringLiteral("%1 %2 %3 %4")
                   .arg(r.key, r.caption, r.slide)
                   .arg(r.checked && !r.multiArea ? 1 : r.checked);
    std::reverse(got.begin(), got.end());
    EXPECT_EQ(got, want);
    EXPECT_EQ(again.workbook->worksheet(statesheet::StateSheetName)->visible(),
              office::xlSheetVeryHidden);
    EXPECT_TRUE(prompt.messages().empty());
}

// The extension installs, and the macro the presentation dialog runs is found in it. Headless,
// its file chooser answers Cancel at once.
TEST_P(LibreOffice, ExtensionInstallsAndItsMacroRuns) {
    EXPECT_TRUE(test::addExtension(*soffice->session(), CORVANE_EXTENSION)
                    .contains("app.corvane.extension"));
    EXPECT_NO_THROW(ctx.excel->run("0CorvaneHost.xlam!OpenExistingPPtfile"));
}

// The real program, started as a user would, on the workbook open in LibreOffice: batch mode
// opens the main form and leaves the state sheet, hidden, in the workbook.
TEST_P(LibreOffice, ProgramRunsBatchModeOnTheOpenWorkbook) {
    test::Corvane corvane;
    corvane.libreOffice(soffice->pipe()).run("/112");
    EXPECT_EQ(corvane.exitCode, 0) << corvane.err.toStdString();
    EXPECT_TRUE(corvane.err.contains("Corvane: window UserformObj")) << corvane.err.toStdString();

    auto state = ctx.workbook->worksheet(statesheet::StateSheetName);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->visible(), office::xlSheetVeryHidden);
    EXPECT_EQ(statesheet::readStoredRows(*ctx.workbook).size(), 7u);
    EXPECT_EQ(ctx.workbook->activeSheet()->name(), "Data");
    EXPECT_TRUE(ctx.excel->screenUpdating());
    EXPECT_FALSE(test::controllersLocked(*soffice->session(), path));
}

// A protected workbook without a state sheet is left alone, with the warning.
TEST_P(LibreOffice, ProtectedWorkbookIsNotTouched) {
    test::protect(*soffice->session(), path);
    EXPECT_TRUE(ctx.workbook->protectStructure());
    platform::RecordingPrompt prompt;
    bool shown = false;
    EXPECT_FALSE(statesheet::OpenMainForm(ctx, prompt, [&] { shown = true; }));
    EXPECT_FALSE(shown);
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_TRUE(prompt.messages()[0].text.contains("The workbook looks protected"));
    EXPECT_FALSE(ctx.workbook->worksheet(statesheet::StateSheetName));
    EXPECT_EQ(ctx.workbook->sheets().size(), 4u);
}

// The user closes the workbook mid-run: calls on it fail as a missing object, LibreOffice itself
// is still there, and no workbook is active any more.
TEST_P(LibreOffice, ClosedWorkbookIsMissingNotDisconnected) {
    auto sheet = ctx.workbook->activeSheet();
    test::closeAll(*soffice->session());
    for (const auto& call : std::vector<std::function<void()>>{[&] { ctx.workbook->sheets(); },
                                                               [&] { sheet->cell(1, 1); }}) {
        try {
            call();
            ADD_FAILURE() << "a closed workbook answered";
        } catch (const office::Error& e) {
            EXPECT_NE(e.number(), office::errors::Disconnected) << e.what();
        }
    }
    EXPECT_FALSE(ctx.excel->activeWorkbook());
    EXPECT_FALSE(ctx.excel->version().isEmpty());
}

TEST_P(LibreOffice, UnknownMacroIsAnError) {
    try {
        ctx.excel->run("NoSuchMacroAnywhere");
        FAIL() << "a missing macro ran";
    } catch (const office::Error& e) {
        EXPECT_EQ(e.number(), office::errors::Application) << e.what();
        EXPECT_TRUE(e.description().contains("NoSuchMacroAnywhere")) << e.what();
    }
}

}  // namespace
