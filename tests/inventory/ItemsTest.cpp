#include <gtest/gtest.h>

#include <QStringList>

#include "inventory/Items.h"
#include "support/Desktop.h"

namespace {

using inventory::Item;

struct Inventory {
    explicit Inventory(std::unique_ptr<office::Host> h) : host(std::move(h)) {
        excel = host->attachExcel();
        workbook = excel->activeWorkbook();
    }
    int count() { return inventory::CountItems(*excel, *workbook); }
    inventory::ItemTable build() {
        inventory::ItemTable table;
        inventory::BuildItemTable(*excel, *workbook, table);
        return table;
    }
    std::unique_ptr<office::Host> host;
    std::shared_ptr<office::Excel> excel;
    std::shared_ptr<office::Workbook> workbook;
};

QStringList keys(const inventory::ItemTable& t) {
    QStringList out;
    for (const auto& i : t) out << i.key;
    return out;
}

// A workbook around the given sheets and names.
QByteArray workbookJson(const QByteArray& sheets, const QByteArray& names = "[]") {
    return R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx","fullName":"/tmp/B.xlsx",
           "activeSheet":"Sheet1","sheets":)" +
           sheets + R"(,"names":)" + names + "}]}}";
}

TEST(Inventory, FourItemsInCollectorOrderWithTheirKeys) {
    Inventory inv(test::loadFixture("four-items.json"));
    EXPECT_EQ(inv.count(), 4);
    const auto table = inv.build();
    EXPECT_EQ(keys(table), QStringList({"Chart 1Sheet1", "Chart 2Sheet1", "{Chart Sheet}Chart1",
                                        "SalesSheet1"}));
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0].type, "Embedded");
    EXPECT_EQ(table[2].type, "Chart");
    EXPECT_EQ(table[2].name, "{Chart Sheet}");
    EXPECT_EQ(table[2].sheet, "Chart1");
    EXPECT_EQ(table[2].sheetOrder, 2);
    EXPECT_EQ(table[3].type, "Range");
    EXPECT_EQ(table[3].sheetOrder, 1);
    for (const auto& item : table) {
        EXPECT_TRUE(item.checked);
        EXPECT_TRUE(item.slide.isEmpty());
        EXPECT_TRUE(item.order.isEmpty());
    }
}

TEST(Inventory, CollectorsRunAfterRowHookPerRow) {
    Inventory inv(test::loadFixture("four-items.json"));
    inventory::ItemTable table;
    QStringList seen;
    inventory::BuildItemTable(*inv.excel, *inv.workbook, table, [&](Item& item) {
        seen << item.key;
        item.order = "New";
    });
    EXPECT_EQ(seen, keys(table));
    for (const auto& item : table) EXPECT_EQ(item.order, "New");
}

// Each case: one workbook, what the counting pass counts, which keys the fill pass lists.
struct NamesCase {
    const char* what;
    QByteArray sheets;
    QByteArray names;
    int count;
    QStringList keys;
};

const QByteArray TwoSheets = R"([{"name":"Sheet1","type":"worksheet","cells":{"A1":1}},
                                 {"name":"Secret","type":"worksheet","visible":0},
                                 {"name":"Vault","type":"worksheet","visible":2}])";

class NamedRanges : public ::testing::TestWithParam<NamesCase> {};

TEST_P(NamedRanges, CountAndList) {
    const auto& c = GetParam();
    Inventory inv(test::hostFromJson(workbookJson(c.sheets, c.names)));
    EXPECT_EQ(inv.count(), c.count) << c.what;
    EXPECT_EQ(keys(inv.build()), c.keys) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Inventory, NamedRanges,
    ::testing::Values(
        NamesCase{"sheet-level name drops its prefix",
                  TwoSheets,
                  R"([{"name":"Sheet1!Block","refersTo":"=Sheet1!$E$20:$F$22"}])",
                  1,
                  {"BlockSheet1"}},
        NamesCase{
            "name on a hidden sheet is counted, not listed",
            TwoSheets,
            R"([{"name":"Hid","refersTo":"=Secret!$A$1:$B$2"},{"name":"Deep","refersTo":"=Vault!$A$1"}])",
            2,
            {}},
        NamesCase{"hidden name is counted, not listed",
                  TwoSheets,
                  R"([{"name":"Quiet","refersTo":"=Sheet1!$A$1","visible":false}])",
                  1,
                  {}},
        NamesCase{"constant and broken reference are neither",
                  TwoSheets,
                  R"([{"name":"Rate","refersTo":"=0.2"},{"name":"Lost","refersTo":"=#REF!$A$1"}])",
                  0,
                  {}},
        NamesCase{
            "reserved names are never items",
            R"([{"name":"Sheet1","type":"worksheet"},{"name":"kukukukuVovezuv","type":"worksheet","visible":2}])",
            R"([{"name":"CorvaneReservedName01","refersTo":"=kukukukuVovezuv!$A:$H"},
                      {"name":"CorvaneReservedName02","refersTo":"=kukukukuVovezuv!$O$23:$V$30"},
                      {"name":"AllVovezuv11111","refersTo":"=kukukukuVovezuv!$A$1"}])",
            0,
            {}},
        NamesCase{"multi-area name is an item",
                  TwoSheets,
                  R"([{"name":"Pair","refersTo":"=Sheet1!$A$1:$A$2,Sheet1!$C$1:$C$2"}])",
                  1,
                  {"PairSheet1"}},
        NamesCase{
            "names keep the order of the workbook's names",
            TwoSheets,
            R"([{"name":"Zeta","refersTo":"=Sheet1!$A$1"},{"name":"Alpha","refersTo":"=Sheet1!$B$1"}])",
            2,
            {"ZetaSheet1", "AlphaSheet1"}},
        NamesCase{"sheet-level name on a quoted sheet",
                  R"([{"name":"Sheet1","type":"worksheet"},{"name":"My data","type":"worksheet"}])",
                  R"([{"name":"'My data'!Block","refersTo":"='My data'!$A$1:$B$2"}])",
                  1,
                  {"BlockMy data"}}));

TEST(Inventory, NamesOnTheStateSheetAreNotItems) {
    Inventory inv(test::hostFromJson(workbookJson(
        R"([{"name":"Sheet1","type":"worksheet"},{"name":"kukukukuVovezuv","type":"worksheet","visible":2}])",
        R"([{"name":"Mine","refersTo":"=kukukukuVovezuv!$A$1:$B$2"}])")));
    EXPECT_EQ(inv.count(), 1);
    EXPECT_TRUE(inv.build().empty());
}

TEST(Inventory, VisibilityOfSheetsAndChartObjects) {
    const QByteArray sheets = R"([
        {"name":"Sheet1","type":"worksheet","charts":[{"name":"Only","topLeft":"A1","bottomRight":"C5","hidden":true}]},
        {"name":"Hidden","type":"worksheet","visible":0,"charts":[{"name":"C","topLeft":"A1","bottomRight":"C5"}]},
        {"name":"Pie","type":"chart","visible":0,"chart":{"kind":"pie","source":"Sheet1!A1:B2"}},
        {"name":"Bar","type":"chart","chart":{"kind":"bar","source":"Sheet1!A1:B2"}}])";
    Inventory inv(test::hostFromJson(workbookJson(sheets)));
    EXPECT_EQ(inv.count(), 4);  // the counting pass ignores visibility
    EXPECT_EQ(keys(inv.build()), QStringList({"OnlySheet1", "{Chart Sheet}Bar"}));
}

TEST(Inventory, CountingPassLeavesScreenUpdatingOn) {
    Inventory inv(test::loadFixture("four-items.json"));
    inv.excel->setScreenUpdating(false);
    inv.count();
    EXPECT_TRUE(inv.excel->screenUpdating());
}

TEST(Inventory, MoreItemsThanTheStoredFormatHoldsStopTheFill) {
    QByteArray names = "[";
    for (int i = 0; i <= inventory::MaxItems; ++i) {
        if (i) names += ',';
        names += QStringLiteral(R"({"name":"Item_%1","refersTo":"=Sheet1!$A$%2"})")
                     .arg(i)
                     .arg(i % 1000 + 1)
                     .toUtf8();
    }
    names += ']';
    Inventory inv(
        test::hostFromJson(workbookJson(R"([{"name":"Sheet1","type":"worksheet"}])", names)));
    EXPECT_EQ(inv.count(), inventory::MaxItems + 1);
    inventory::ItemTable table;
    EXPECT_THROW(inventory::BuildItemTable(*inv.excel, *inv.workbook, table),
                 inventory::TooManyItems);
    EXPECT_EQ(static_cast<int>(table.size()), inventory::MaxItems);
}

TEST(Inventory, MultiAreaLookupBySheetThenWorkbook) {
    Inventory inv(test::hostFromJson(
        workbookJson(R"([{"name":"Sheet1","type":"worksheet"}])",
                     R"([{"name":"Pair","refersTo":"=Sheet1!$A$1:$A$2,Sheet1!$C$1:$C$2"},
            {"name":"Sheet1!Local","refersTo":"=Sheet1!$A$1:$A$2,Sheet1!$D$1"},
            {"name":"Single","refersTo":"=Sheet1!$A$1:$B$2"}])")));
    EXPECT_TRUE(inventory::isMultiAreaRange(*inv.workbook, "Sheet1", "Pair"));
    EXPECT_TRUE(inventory::isMultiAreaRange(*inv.workbook, "Sheet1", "Local"));
    EXPECT_FALSE(inventory::isMultiAreaRange(*inv.workbook, "Sheet1", "Single"));
    EXPECT_FALSE(inventory::isMultiAreaRange(*inv.workbook, "Sheet1", "Missing"));
}

}  // namespace
