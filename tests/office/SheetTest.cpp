#include <QStringList>

#include "Memory.h"

namespace {

using namespace officetest;
using office::CellRect;
using office::MaxRows;
using office::Value;

// Cells marked x:
//   A1:B3 a block, C4 touching it diagonally; F1 alone; J1:J2 with J4 below a blank row;
//   G10:G12 with H13 diagonal to G12; M20 alone at the far right of its ring.
const char* RegionSheet = R"({"name": "S", "cells": {
    "A1": "x", "B1": "x", "A2": "x", "B2": 1, "A3": true, "B3": "x", "C4": "x",
    "F1": "x", "J1": "x", "J2": "x", "J4": "x",
    "G10": "x", "G11": "x", "G12": "x", "H13": "x", "M20": 0}})";

struct RegionCase {
    const char* start;
    const char* region;
};

void PrintTo(const RegionCase& c, std::ostream* os) {
    *os << c.start;
}

class CurrentRegion : public ::testing::TestWithParam<RegionCase> {};

TEST_P(CurrentRegion, GrowsWhileTheRingHoldsAValue) {
    auto o = workbook(RegionSheet);
    auto s = sheet(*o, "S");
    EXPECT_EQ(s->range(GetParam().start).currentRegion().address(), GetParam().region)
        << GetParam().start;
}

INSTANTIATE_TEST_SUITE_P(
    Sheet, CurrentRegion,
    ::testing::Values(RegionCase{"A1", "$A$1:$C$4"},  // corner of the sheet
                      RegionCase{"B2", "$A$1:$C$4"},  // from inside
                      RegionCase{"C4", "$A$1:$C$4"},  // in by a diagonal
                      RegionCase{"D5", "$A$1:$D$5"},  // empty cell diagonal to C4
                      RegionCase{"F1", "$F$1"},       // alone
                      RegionCase{"E2", "$E$1:$F$2"},  // empty, below-left of F1
                      RegionCase{"J1", "$J$1:$J$2"},  // a blank row stops it
                      RegionCase{"J4", "$J$4"},       // the other side of it
                      RegionCase{"G10", "$G$10:$H$13"}, RegionCase{"H13", "$G$10:$H$13"},
                      RegionCase{"M20", "$M$20"},    // zero is a value
                      RegionCase{"P30", "$P$30"}));  // empty and alone

TEST(Sheet, CurrentRegionOfALongTable) {
    auto o = workbook(R"({"name": "S"})");
    auto s = sheet(*o, "S");
    office::Grid grid(32767, office::Row(8, Value(QStringLiteral("v"))));
    s->write(1, 1, grid);
    s->setCell(1, 20, QStringLiteral("caption"));  // column T stays out of reach
    EXPECT_EQ(s->currentRegion(1, 1), (CellRect{1, 1, 32767, 8}));
    EXPECT_EQ(s->currentRegion(32768, 9), (CellRect{1, 1, 32768, 9}));
}

TEST(Sheet, UsedRangeIsTheBoxOfFilledCells) {
    auto o = workbook(R"({"name": "S", "numberFormats": [{"range": "A1:Z99", "format": "0"}]})");
    auto s = sheet(*o, "S");
    EXPECT_FALSE(s->usedRange());  // formats alone do not count here
    EXPECT_EQ(s->usedRangeOrA1().address(), "$A$1");
    s->setCell(4, 3, 1.0);
    s->setCell(2, 6, QStringLiteral("x"));
    s->setCell(9, 2, false);
    EXPECT_EQ(*s->usedRange(), (CellRect{2, 2, 9, 6}));
    s->clearContents(CellRect{9, 1, 9, 5});
    s->setCell(2, 6, QString());  // writing empty text empties the cell
    EXPECT_EQ(*s->usedRange(), (CellRect{4, 3, 4, 3}));
}

TEST(Sheet, ValuesReadBackUnchanged) {
    auto o = workbook(R"({"name": "S"})");
    auto s = sheet(*o, "S");
    s->write(2, 2, {{QStringLiteral("text"), 12.5, true}, {QStringLiteral("0012"), false}});
    const auto g = s->read(CellRect{2, 2, 3, 4});
    EXPECT_EQ(g[0][0], Value(QStringLiteral("text")));
    EXPECT_EQ(g[0][1], Value(12.5));
    EXPECT_EQ(g[0][2], Value(true));
    EXPECT_EQ(g[1][0], Value(QStringLiteral("0012")));
    EXPECT_EQ(g[1][1], Value(false));
    EXPECT_TRUE(office::isEmpty(g[1][2]));
    EXPECT_EQ(errorOf([&] { s->write(MaxRows, 1, {{1.0}, {2.0}}); }), office::errors::Application);
}

TEST(Sheet, NumberFormatsLastOneWins) {
    auto o = workbook(R"({"name": "S"})");
    auto s = sheet(*o, "S");
    s->range("A:H").setNumberFormat("@");
    s->range("D:E").setNumberFormat("0");
    EXPECT_EQ(s->range("B5").numberFormat(), "@");
    EXPECT_EQ(s->range("D5").numberFormat(), "0");
    EXPECT_EQ(s->range("E1048576").numberFormat(), "0");
    EXPECT_EQ(s->range("I1").numberFormat(), "General");
    s->range("D5").clear();
    EXPECT_EQ(s->range("D5").numberFormat(), "General");
    EXPECT_EQ(s->range("D6").numberFormat(), "0");
    s->range("A:H").setNumberFormat("0.00");  // covers every earlier area
    EXPECT_EQ(s->formats().size(), 1u);
}

// Rows 1..10 hold "r1".."r10" in A; B5 holds 5.
QByteArray deletionDesktop() {
    QByteArray cells;
    for (int r = 1; r <= 10; ++r) cells += QStringLiteral(R"("A%1": "r%1", )").arg(r).toUtf8();
    return book(R"({"name": "Data", "cells": {)" + cells + R"("B5": 5},
                    "numberFormats": [{"range": "A3:A6", "format": "0"}, {"range": "C:C", "format": "@"}],
                    "hiddenRows": [4, 8],
                    "charts": [{"name": "Big", "topLeft": "E2", "bottomRight": "F7", "source": "A1:B10"},
                               {"name": "Low", "topLeft": "E9", "bottomRight": "F9", "source": "Other!A3:A4"},
                               {"name": "Gone", "topLeft": "E3", "bottomRight": "F4", "source": "A3:B4"}]},
                   {"name": "Other", "cells": {"A3": "stays"}},
                   {"name": "Pie", "type": "chart", "chart": {"source": "Data!A5:B10"}})",
                R"({"name": "Tail", "refersTo": "=Data!$A$8:$A$10"},
                   {"name": "Lost", "refersTo": "=Data!$A$3:$A$4"},
                   {"name": "Columns", "refersTo": "=Data!$C:$C"},
                   {"name": "Pair", "refersTo": "=Data!$A$1:$A$2,Data!$A$9:$A$10"},
                   {"name": "Half", "refersTo": "=Data!$A$1,Data!$A$6"},
                   {"name": "Elsewhere", "refersTo": "=Other!$A$3:$A$4"})");
}

TEST(Sheet, DeleteRowsShiftsEverythingBelowUp) {
    auto o = desktop(deletionDesktop());
    auto wb = active(*o);
    auto s = wb->findSheet("Data");
    // Out of order and overlapping: rows 3, 4 and 6 go.
    s->deleteRows({CellRect{6, 1, 6, 1}, CellRect{3, 1, 4, 2}, CellRect{4, 3, 4, 3}});

    QStringList column;
    for (const auto& row : s->read(CellRect{1, 1, 8, 1})) column << text(row[0]);
    EXPECT_EQ(column, QStringList({"r1", "r2", "r5", "r7", "r8", "r9", "r10", ""}));
    EXPECT_EQ(s->cell(3, 2), Value(5.0));

    EXPECT_EQ(s->numberFormat(3, 1), "0");  // A3:A6 kept only its row 5
    EXPECT_EQ(s->numberFormat(4, 1), "General");
    EXPECT_EQ(s->numberFormat(MaxRows, 3), "@");  // whole columns stay whole
    EXPECT_EQ(s->hiddenRows, (std::set<int>{5}));

    const auto charts = s->chartList();
    EXPECT_EQ(charts[0]->topLeftCell().address(), "$E$2");
    EXPECT_EQ(charts[0]->bottomRightCell().address(), "$F$4");
    EXPECT_EQ(charts[1]->topLeftCell().address(), "$E$6");
    EXPECT_EQ(charts[2]->topLeftCell().address(), "$E$3");  // its rows are gone: a one-row anchor
    EXPECT_EQ(charts[2]->bottomRightCell().address(), "$F$3");
    EXPECT_EQ(charts[0]->chartImpl()->data.source, "A1:B7");
    EXPECT_EQ(charts[1]->chartImpl()->data.source, "Other!A3:A4");  // another sheet's rows
    EXPECT_EQ(charts[2]->chartImpl()->data.source, "#REF!");
    EXPECT_EQ(wb->findSheet("Pie")->chartSheetChart()->data.source, "Data!A3:B7");
    EXPECT_EQ(wb->findSheet("Other")->cell(3, 1), Value(QStringLiteral("stays")));

    EXPECT_EQ(wb->findName("Tail")->refersTo(), "=Data!$A$5:$A$7");
    EXPECT_EQ(wb->findName("Columns")->refersToRange().address(), "$C:$C");
    EXPECT_EQ(wb->findName("Pair")->refersToRange().address(), "$A$1:$A$2,$A$6:$A$7");
    EXPECT_EQ(wb->findName("Elsewhere")->refersTo(), "=Other!$A$3:$A$4");
    EXPECT_EQ(wb->findName("Lost")->refersTo(), "=Data!#REF!");
    EXPECT_EQ(errorOf([&] { wb->findName("Lost")->refersToRange(); }), office::errors::Application);
    EXPECT_EQ(wb->findName("Half")->refersTo(), "=Data!$A$1,Data!#REF!");
    EXPECT_EQ(errorOf([&] { wb->findName("Half")->refersToRange(); }), office::errors::Application);

    // The dump shows the shifted state and loads again.
    const QByteArray json = o->toJson();
    EXPECT_EQ(Office::fromJson(json, "dump")->toJson(), json);
}

TEST(Sheet, DeleteRowsThroughAMultiAreaRange) {
    auto o = desktop(deletionDesktop());
    auto s = sheet(*o, "Data");
    s->range("A2,A4:A5,A9").deleteEntireRows();
    QStringList column;
    for (const auto& row : s->read(CellRect{1, 1, 6, 1})) column << text(row[0]);
    EXPECT_EQ(column, QStringList({"r1", "r3", "r6", "r7", "r8", "r10"}));
}

TEST(Sheet, DeletingEveryTenthRowOfABigSheet) {
    auto o = workbook(R"({"name": "S"})");
    auto s = sheet(*o, "S");
    const int rows = 32767;
    office::Grid grid;
    for (int r = 1; r <= rows; ++r) {
        office::Row row(9, Value(double(r)));
        grid.push_back(row);
    }
    s->write(1, 1, grid);
    std::vector<CellRect> stale;
    for (int r = 10; r <= rows; r += 10) stale.push_back(CellRect{r, 1, r, 1});
    s->deleteRows(stale);
    const int left = rows - static_cast<int>(stale.size());
    EXPECT_EQ(*s->usedRange(), (CellRect{1, 1, left, 9}));
    const auto g = s->read(CellRect{1, 9, left, 9});
    for (int i = 0; i < left; ++i) {
        const int original = i + 1 + i / 9;  // nine rows survive out of every ten
        ASSERT_EQ(g[i][0], Value(double(original))) << "row " << i + 1;
    }
}

TEST(Sheet, ChartSheetHasNoCells) {
    auto o = workbook(R"({"name": "S"}, {"name": "T", "type": "chart", "chart": {"kind": "pie"}})");
    auto t = sheet(*o, "T");
    EXPECT_EQ(t->type(), office::xlChart);
    EXPECT_EQ(t->chart()->name(), "T");
    EXPECT_TRUE(t->chartObjects().empty());
    EXPECT_EQ(errorOf([&] { t->cell(1, 1); }), office::errors::Application);
    EXPECT_EQ(errorOf([&] { t->usedRange(); }), office::errors::Application);
    EXPECT_EQ(errorOf([&] { sheet(*o, "S")->chart(); }), office::errors::Application);
    EXPECT_EQ(sheet(*o, "S")->chartObjects().size(), 0u);
}

}  // namespace
