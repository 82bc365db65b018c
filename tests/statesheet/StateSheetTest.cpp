#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/Prompt.h"
#include "startup/Dispatch.h"
#include "statesheet/StateSheet.h"
#include "support/Desktop.h"
#include "support/Recorders.h"

namespace {

using office::Value;
using statesheet::StoredRow;

// One batch run on a desktop: attach, count, open, fill, and close.
struct BatchRun {
    explicit BatchRun(std::unique_ptr<office::Host> h) : host(std::move(h)) {
        startup::attachOffice(*host, ctx);
        ctx.itemCount = inventory::CountItems(*ctx.excel, *ctx.workbook);
    }
    bool open() {
        return statesheet::OpenMainForm(ctx, prompt, [&] { formShown = true; });
    }
    test::RecordingList fill() {
        statesheet::Session s{ctx, items, flags, progress};
        test::RecordingList list;
        statesheet::FillListFromStateSheet(s, list);
        return list;
    }
    test::RecordingList openAndFill() {
        EXPECT_TRUE(open());
        return fill();
    }
    void close(const test::RecordingList& list) {
        statesheet::SaveListToStateSheet(*ctx.workbook, list.rows);
    }
    // The next run on the desktop as this one leaves it, changed by `edit` first.
    BatchRun next(const std::function<void(QJsonObject&)>& edit = {}) {
        QJsonObject desktop = QJsonDocument::fromJson(test::dump(*host)).object();
        if (edit) edit(desktop);
        return BatchRun(test::hostFromJson(QJsonDocument(desktop).toJson()));
    }
    std::shared_ptr<office::Sheet> state() { return ctx.workbook->worksheet("kukukukuVovezuv"); }
    Value cell(const QString& a1) { return state()->range(a1).value(); }

    std::unique_ptr<office::Host> host;
    office::OfficeContext ctx;
    inventory::ItemTable items;
    statesheet::Flags flags;
    test::CountingProgress progress;
    platform::RecordingPrompt prompt;
    bool formShown = false;
};

// Edits the charts of Sheet1 of the first workbook of a dumped desktop.
void editCharts(QJsonObject& desktop, const std::function<void(QJsonArray&)>& edit) {
    QJsonObject excel = desktop["excel"].toObject();
    QJsonArray workbooks = excel["workbooks"].toArray();
    QJsonObject wb = workbooks[0].toObject();
    QJsonArray sheets = wb["sheets"].toArray();
    for (int i = 0; i < sheets.size(); ++i) {
        QJsonObject sheet = sheets[i].toObject();
        if (sheet["name"] != "Sheet1") continue;
        QJsonArray charts = sheet["charts"].toArray();
        edit(charts);
        sheet["charts"] = charts;
        sheets[i] = sheet;
    }
    wb["sheets"] = sheets;
    workbooks[0] = wb;
    excel["workbooks"] = workbooks;
    desktop["excel"] = excel;
}

QStringList keysOf(const std::vector<StoredRow>& rows) {
    QStringList out;
    for (const auto& r : rows) out << r.key;
    return out;
}

TEST(StateSheet, FirstRunCreatesTheSheetAndStoresEveryItem) {
    BatchRun run(test::loadFixture("four-items.json"));
    ASSERT_FALSE(statesheet::SheetExists(run.ctx.workbook.get(), "kukukukuVovezuv"));
    auto list = run.openAndFill();
    EXPECT_TRUE(run.formShown);
    ASSERT_TRUE(run.state());
    EXPECT_EQ(run.state()->visible(), office::xlSheetVeryHidden);
    EXPECT_EQ(run.ctx.workbook->findName("CorvaneReservedName01")->refersToRange().address(),
              "$A:$H");
    EXPECT_EQ(run.ctx.workbook->findName("CorvaneReservedName02")->refersToRange().address(),
              "$O$23:$V$30");
    EXPECT_EQ(run.state()->range("B5").numberFormat(), "@");
    EXPECT_EQ(run.state()->range("D5").numberFormat(), "0");
    EXPECT_TRUE(run.flags.firstUse);

    const auto stored = statesheet::readStoredRows(*run.ctx.workbook);
    EXPECT_EQ(keysOf(stored), QStringList({"Chart 1Sheet1", "Chart 2Sheet1", "{Chart Sheet}Chart1",
                                           "SalesSheet1"}));
    for (const auto& r : stored) {
        EXPECT_TRUE(r.checked);
        EXPECT_TRUE(r.order.isEmpty());
    }
    // The state sheet was added before the active sheet, as the office adds sheets.
    EXPECT_EQ(run.ctx.workbook->sheets()[0]->name(), "kukukukuVovezuv");
    EXPECT_EQ(run.cell("D3"), Value(3.0));
    EXPECT_EQ(run.cell("E1"), Value(true));

    // The list is built bottom-up: the last stored row ends on top.
    EXPECT_EQ(list.keys(), QStringList({"SalesSheet1", "{Chart Sheet}Chart1", "Chart 2Sheet1",
                                        "Chart 1Sheet1"}));
    EXPECT_EQ(list.rows.back().row, 1);
    EXPECT_EQ(list.selectAll, 1);
    EXPECT_EQ(list.previews, 1);
    EXPECT_EQ(run.progress.total, 4);
    EXPECT_EQ(run.progress.steps, 4);
    EXPECT_TRUE(run.progress.barShown);
    EXPECT_EQ(run.ctx.workbook->activeSheet()->name(), "Sheet1");
}

TEST(StateSheet, ScreenUpdatingIsOffWhileRowsAreWritten) {
    BatchRun run(test::loadFixture("four-items.json"));
    run.openAndFill();
    const auto log = test::screenUpdatingLog(*run.host);
    ASSERT_FALSE(log.empty());
    EXPECT_NE(std::find(log.begin(), log.end(), false), log.end());
    EXPECT_TRUE(log.back());
}

TEST(StateSheet, SecondRunRestoresOrderChecksSlidesAndCaptions) {
    BatchRun first(test::loadFixture("four-items.json"));
    auto list = first.openAndFill();
    // The user's list, top to bottom: Chart 2, Sales, Chart 1, the chart sheet.
    std::vector<StoredRow> rows;
    for (const QString key :
         {"Chart 2Sheet1", "SalesSheet1", "Chart 1Sheet1", "{Chart Sheet}Chart1"})
        for (const auto& r : list.rows)
            if (r.key == key) rows.push_back(r);
    rows[0].caption = "Second quarter";
    rows[1].checked = false;
    rows[2].slide = "7";
    list.rows = rows;
    first.close(list);

    BatchRun second = first.next();
    auto again = second.openAndFill();
    EXPECT_FALSE(second.flags.firstUse);
    const auto stored = statesheet::readStoredRows(*second.ctx.workbook);
    EXPECT_EQ(keysOf(stored), QStringList({"Chart 2Sheet1", "SalesSheet1", "Chart 1Sheet1",
                                           "{Chart Sheet}Chart1"}));
    EXPECT_EQ(stored[0].caption, "Second quarter");
    EXPECT_FALSE(stored[1].checked);
    EXPECT_EQ(stored[2].slide, "7");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(stored[i].order, QString::number(i + 1));
    EXPECT_EQ(again.selectAll, 2);
    EXPECT_EQ(second.prompt.messages().size(), 0u);
}

TEST(StateSheet, DeletedChartIsPurgedAndKeptCellsSurvive) {
    BatchRun first(test::loadFixture("four-items.json"));
    auto list = first.openAndFill();
    std::reverse(list.rows.begin(), list.rows.end());  // Chart 1 on top, so stored in row 1
    first.close(list);
    auto sheet = first.state();
    sheet->range("J2:P2").setValue(Value(QString("keep")));
    sheet->range("O1").setValue(Value(0.4));
    sheet->range("P1").setValue(Value(QString("Default")));
    sheet->range("R1").setValue(Value(0.1));
    const QString firstKey = statesheet::readStoredRows(*first.ctx.workbook)[0].key;
    ASSERT_EQ(firstKey, "Chart 1Sheet1");

    // The chart stored in row 1 goes away.
    BatchRun second = first.next([&](QJsonObject& d) {
        editCharts(d, [&](QJsonArray& charts) {
            for (int i = 0; i < charts.size(); ++i)
                if (firstKey == charts[i].toObject()["name"].toString() + "Sheet1")
                    charts.removeAt(i--);
        });
    });
    second.openAndFill();
    const auto stored = statesheet::readStoredRows(*second.ctx.workbook);
    EXPECT_EQ(stored.size(), 3u);
    EXPECT_FALSE(keysOf(stored).contains(firstKey));
    EXPECT_EQ(second.cell("J2"), Value(QString("keep")));
    EXPECT_EQ(second.cell("P2"), Value(QString("keep")));
    EXPECT_EQ(second.cell("O1"), Value(0.4));
    EXPECT_EQ(second.cell("P1"), Value(QString("Default")));
    EXPECT_EQ(second.cell("R1"), Value(0.1));
}

TEST(StateSheet, AddedAndRenamedChartsAreAppendedCheckedAsNew) {
    BatchRun first(test::loadFixture("four-items.json"));
    auto list = first.openAndFill();
    for (auto& r : list.rows) {
        r.checked = false;
        if (r.key == "Chart 2Sheet1") r.caption = "Old caption";
    }
    first.close(list);

    BatchRun second = first.next([](QJsonObject& d) {
        editCharts(d, [](QJsonArray& charts) {
            for (int i = 0; i < charts.size(); ++i) {
                QJsonObject c = charts[i].toObject();
                if (c["name"] == "Chart 2") {
                    c["name"] = "Renamed";
                    charts[i] = c;
                }
            }
            charts.append(
                QJsonObject{{"name", "Chart 9"}, {"topLeft", "J2"}, {"bottomRight", "M9"}});
        });
    });
    auto list2 = second.openAndFill();
    const auto stored = statesheet::readStoredRows(*second.ctx.workbook);
    ASSERT_EQ(stored.size(), 5u);
    // Purged first, so the three survivors close up, then the two new ones follow.
    EXPECT_EQ(keysOf(stored).mid(3), QStringList({"RenamedSheet1", "Chart 9Sheet1"}));
    for (int i = 3; i < 5; ++i) {
        EXPECT_TRUE(stored[i].checked);
        EXPECT_EQ(stored[i].order, "5");  // the old row count plus one, for each
        EXPECT_TRUE(stored[i].caption.isEmpty());
    }
    for (const auto& it : second.items)
        EXPECT_EQ(it.order == "New", it.key == "Chart 9Sheet1" || it.key == "RenamedSheet1")
            << it.key.toStdString();
    EXPECT_EQ(list2.selectAll, 2);
}

TEST(StateSheet, MultiAreaRangeIsFlagged) {
    BatchRun run(
        test::hostFromJson(R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
        "activeSheet":"Sheet1","sheets":[{"name":"Sheet1","type":"worksheet"}],
        "names":[{"name":"Pair","refersTo":"=Sheet1!$A$1:$A$2,Sheet1!$C$1:$C$2"},
                 {"name":"One","refersTo":"=Sheet1!$A$1:$A$2"}]}]}})"));
    auto list = run.openAndFill();
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].key, "PairSheet1");
    EXPECT_TRUE(list.rows[1].multiArea);
    EXPECT_FALSE(list.rows[0].multiArea);
    EXPECT_EQ(list.selectAll, 2);
}

const QByteArray ProtectedBook =
    R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
    "protectStructure":true,"activeSheet":"Sheet1","sheets":[{"name":"Sheet1","type":"worksheet",
    "charts":[{"name":"C1","topLeft":"A1","bottomRight":"C4"}]}STATE]}]}})";

TEST(StateSheet, ProtectedWorkbookWithoutStateSheetOnlyWarns) {
    BatchRun run(test::hostFromJson(QByteArray(ProtectedBook).replace("STATE", "")));
    EXPECT_FALSE(run.open());
    EXPECT_FALSE(run.formShown);
    EXPECT_FALSE(run.state());
    ASSERT_EQ(run.prompt.messages().size(), 1u);
    EXPECT_EQ(run.prompt.messages()[0].text,
              "              The workbook looks protected\r\rPlease remove the protection and "
              "reopen Corvane\r"
              "After that you may reprotect the workbook.\rThe message will not longer appear");
    EXPECT_EQ(run.prompt.messages()[0].icon, platform::Icon::Warning);
    EXPECT_TRUE(run.prompt.messages()[0].systemModal);
}

TEST(StateSheet, ProtectedWorkbookWithStateSheetOpens) {
    BatchRun run(test::hostFromJson(
        QByteArray(ProtectedBook)
            .replace("STATE", R"(,{"name":"kukukukuVovezuv","type":"worksheet","visible":2})")));
    EXPECT_TRUE(run.open());
    EXPECT_TRUE(run.formShown);
    EXPECT_TRUE(run.prompt.messages().empty());
}

TEST(StateSheet, SheetWithoutKeysIsRebuiltAsOnFirstUse) {
    BatchRun run(
        test::hostFromJson(R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
        "activeSheet":"Sheet1","sheets":[{"name":"Sheet1","type":"worksheet",
            "charts":[{"name":"C1","topLeft":"A1","bottomRight":"C4"}]},
          {"name":"kukukukuVovezuv","type":"worksheet","visible":2,
           "cells":{"A1":"C1","B1":"Sheet1","E1":false,"G1":1,"T1":"lost caption","O1":0.3}}]}]}})"));
    auto list = run.openAndFill();
    EXPECT_TRUE(run.flags.firstUse);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_TRUE(list.rows[0].checked);
    EXPECT_EQ(list.rows[0].key, "C1Sheet1");
    EXPECT_TRUE(office::isEmpty(run.cell("T1")));
    EXPECT_TRUE(office::isEmpty(run.cell("O1")));
}

TEST(StateSheet, ChartSheetActiveAtStartIsSelectedAgain) {
    auto host =
        test::hostFromJson(R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
        "activeSheet":"Pie","sheets":[
          {"name":"Pie","type":"chart","chart":{"kind":"pie","source":"Data!A1:B3"}},
          {"name":"Data","type":"worksheet","cells":{"A1":"x","B1":1}},
          {"name":"More","type":"worksheet"}]}]}})");
    BatchRun run(std::move(host));
    ASSERT_EQ(run.ctx.startSheetName, "Pie");
    struct Watch : test::CountingProgress {
        std::shared_ptr<office::Workbook> wb;
        QString during;
        void advance() override {
            during = wb->activeSheet()->name();
            CountingProgress::advance();
        }
    } watch;
    watch.wb = run.ctx.workbook;
    ASSERT_TRUE(run.open());
    statesheet::Session s{run.ctx, run.items, run.flags, watch};
    test::RecordingList list;
    statesheet::FillListFromStateSheet(s, list);
    EXPECT_EQ(run.flags.startChartSheetName, "Pie");
    EXPECT_EQ(office::xlWorksheet, run.ctx.workbook->sheet(watch.during)->type());
    EXPECT_EQ(run.ctx.workbook->activeSheet()->name(), "Pie");
}

TEST(StateSheet, PurgeDeletesExactlyTheStaleRowsWhateverTheirNumber) {
    // 400 live names and 1597 stale rows between them, the stale ones in runs and alone.
    QByteArray names = "[", cells = "{";
    QStringList live;
    int row = 0;
    for (int i = 0; i < 400; ++i) {
        if (i) names += ',';
        names += QStringLiteral(R"({"name":"Item_%1","refersTo":"=Sheet1!$A$1"})").arg(i).toUtf8();
        const int staleBefore = (i % 3 == 0) ? 1 : (i % 3 == 1 ? 5 : 6);
        for (int k = 0; k < staleBefore; ++k) {
            ++row;
            cells +=
                QStringLiteral(R"("A%1":"Gone","H%1":"Gone%2Sheet1",)").arg(row).arg(row).toUtf8();
        }
        ++row;
        cells += QStringLiteral(R"("A%1":"Item_%2","H%1":"Item_%2Sheet1","T%1":"cap %2",)")
                     .arg(row)
                     .arg(i)
                     .toUtf8();
        live << QStringLiteral("Item_%1Sheet1").arg(i);
    }
    cells += R"("J2":"j","P2":"p"})";
    names += ']';
    BatchRun run(
        test::hostFromJson(R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
        "activeSheet":"Sheet1","sheets":[{"name":"Sheet1","type":"worksheet"},
          {"name":"kukukukuVovezuv","type":"worksheet","visible":2,"cells":)" +
                           cells + R"(}],
        "names":)" + names +
                           "}]}}"));
    ASSERT_EQ(row, 1997);
    run.openAndFill();
    const auto stored = statesheet::readStoredRows(*run.ctx.workbook);
    EXPECT_EQ(keysOf(stored), live);
    EXPECT_EQ(stored[7].caption, "cap 7");
    EXPECT_EQ(run.cell("J2"), Value(QString("j")));
    EXPECT_EQ(run.cell("P2"), Value(QString("p")));
    EXPECT_EQ(run.state()->usedRange()->bottom, 400);
}

}  // namespace
