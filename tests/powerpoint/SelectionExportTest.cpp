#include <gtest/gtest.h>

#include <QJsonArray>

#include "office/Error.h"
#include "powerpoint/SelectionExport.h"
#include "support/Slides.h"

namespace {

using test::SlidesRun;

QJsonObject range(const char* address) {
    return {{"kind", "range"}, {"address", address}};
}

struct SelectionCase {
    const char* name;
    std::function<void(QJsonObject&)> desktop;
    int mode;
    int slide;          // that receives the paste
    const char* shape;  // its kind; "" when nothing is pasted
    long long waited;
};

class SelectionExport : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionExport, PastesOntoTheSlideInViewAndGivesExcelBack) {
    const auto& c = GetParam();
    SlidesRun t(c.desktop);
    std::vector<std::vector<office::memory::Shape>> before;
    for (const auto& slide : t.deck().slides) before.push_back(slide->shapes);
    powerpoint::ExportSelectionToPowerPoint(t.services, t.state, c.mode);

    EXPECT_TRUE(t.prompt.messages().empty()) << t.prompt.texts().join('|').toStdString();
    for (int i = 1; i <= 5; ++i) {
        const auto& shapes = t.slide(i).shapes;
        if (i != c.slide || !*c.shape) {
            EXPECT_EQ(shapes, before[i - 1]) << "slide " << i;
            continue;
        }
        ASSERT_EQ(shapes.size(), before[i - 1].size() + 1);
        EXPECT_EQ(shapes.back().kind, QString::fromLatin1(c.shape));
        EXPECT_EQ(shapes.back().source->workbook, QStringLiteral("Sales.xlsx"));
    }
    EXPECT_EQ(t.waited(), c.waited);
    EXPECT_EQ(t.deck().window->slideIndex, c.slide);
    EXPECT_FALSE(t.deck().window->selectedShape);
    EXPECT_EQ(t.excel().windowState(), -4137);
    auto data = t.workbook().findSheet(QStringLiteral("Data"));
    if (t.workbook().activeSheetImpl() == data) {
        EXPECT_TRUE(data->hiddenRows.empty());
        EXPECT_TRUE(data->hiddenColumns.empty());
    }
    // A run of its own lets the applications go.
    EXPECT_FALSE(t.state.office.excel);
    EXPECT_FALSE(t.state.office.powerPoint);
}

INSTANTIATE_TEST_SUITE_P(
    Selection, SelectionExport,
    ::testing::Values(
        SelectionCase{"ChartAsPicture", {}, 0, 2, "metafile", 1000},
        SelectionCase{"ChartEmbedded", {}, 2, 2, "embedded", 1000},
        SelectionCase{"ChartLinked", {}, 3, 2, "linked", 1000},
        SelectionCase{"ChartEditable", {}, 1, 2, "editable", 2000},
        SelectionCase{"RangeAsBitmap",
                      [](QJsonObject& r) { test::setSelection(r, range("A1:B3")); }, 0, 2, "bitmap",
                      0},
        SelectionCase{"RangeEditable",
                      [](QJsonObject& r) { test::setSelection(r, range("A1:B3")); }, 1, 2, "table",
                      0},
        SelectionCase{"ChartSheet",
                      [](QJsonObject& r) {
                          QJsonObject wb = test::firstWorkbook(r);
                          wb.remove("selection");
                          wb["activeSheet"] = "Trend";
                          QJsonObject excel = r["excel"].toObject();
                          excel["workbooks"] = QJsonArray{wb};
                          r["excel"] = excel;
                      },
                      0, 2, "metafile", 100},
        SelectionCase{"NoSlideInViewGoesToTheLast",
                      [](QJsonObject& r) { test::setWindow(r, "slideIndex", QJsonValue()); }, 0, 5,
                      "metafile", 1000},
        // A part of a chart is not the chart: nothing is pasted and nothing moves.
        SelectionCase{"ChartPart",
                      [](QJsonObject& r) {
                          test::setSelection(
                              r, {{"kind", "chartPart"}, {"chart", "Revenue"}, {"part", "Legend"}});
                      },
                      0, 2, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Selection, ChartIsPlacedByTheStoredLayout) {
    SlidesRun t([](QJsonObject& r) { test::setLayoutCells(r, 0.5, 0.4, 0.25); });
    powerpoint::ExportSelectionToPowerPoint(t.services, t.state, 0);
    const auto& s = t.slide(2).shapes.back();
    EXPECT_DOUBLE_EQ(s.top, 270);
    EXPECT_DOUBLE_EQ(s.width, 288);
    EXPECT_DOUBLE_EQ(s.left, 180);
    EXPECT_EQ(t.powerPoint().changesWhileUnlocked, 0);
    EXPECT_EQ(t.powerPoint().lockedWindow, 0);
    EXPECT_NE(t.powerPoint().foregroundWindow, 0);
    EXPECT_FALSE(t.host->clipboard().hasFormat(office::Clipboard::Format::Any));
}

TEST(Selection, RangeIsCopiedAsItIs) {
    // Without a state sheet nothing is placed, and the clipboard keeps the copy.
    SlidesRun t([](QJsonObject& r) {
        test::removeSheet(r, "kukukukuVovezuv");
        test::setSelection(r, range("A1:B3"));
    });
    powerpoint::ExportSelectionToPowerPoint(t.services, t.state, 0);
    const auto& clip = t.office().memoryClipboard().content();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->kind, QStringLiteral("range"));
    EXPECT_EQ(t.slide(2).shapes.back().kind, QStringLiteral("bitmap"));
}

TEST(Selection, SlideShowEndsAndTheViewComesBack) {
    SlidesRun t([](QJsonObject& r) {
        test::setPowerPoint(r, "slideShowRunning", true);
        test::setWindow(r, "viewType", 7);
    });
    powerpoint::ExportSelectionToPowerPoint(t.services, t.state, 0);
    EXPECT_FALSE(t.powerPoint().slideShowRunning);
    EXPECT_EQ(t.state.powerPoint.savedViewType, 7);
    EXPECT_EQ(t.deck().window->viewType, 7);
    EXPECT_EQ(t.slide(2).shapes.size(), 2u);
}

TEST(Selection, OlderPowerPointMakesABlankSlideATitleSlide) {
    for (const char* version : {"14.0", "16.0"}) {
        SlidesRun t([&](QJsonObject& r) {
            test::setPowerPoint(r, "version", version);
            test::setWindow(r, "slideIndex", 4);
        });
        powerpoint::ExportSelectionToPowerPoint(t.services, t.state, 3);
        EXPECT_EQ(t.slide(4).layout, QLatin1String(version) == "14.0" ? 1 : 12) << version;
        EXPECT_EQ(t.slide(4).shapes.back().kind, QStringLiteral("linked"));
    }
}

TEST(Selection, RefusalsShowTheirMessage) {
    const struct {
        const char* name;
        std::function<void(QJsonObject&)> desktop;
        QString text;
        platform::Icon icon;
    } cases[] = {
        {"NotRunning", [](QJsonObject& r) { test::setPowerPoint(r, "running", false); },
         powerpoint::NoPowerPointText, platform::Icon::Exclamation},
        {"NoPresentation",
         [](QJsonObject& r) {
             test::setPowerPoint(r, "presentations", QJsonArray{});
             test::setPowerPoint(r, "activePresentation", QJsonValue());
         },
         powerpoint::NoPowerPointText, platform::Icon::Exclamation},
        {"MultipleAreas", [](QJsonObject& r) { test::setSelection(r, range("A1,B3")); },
         powerpoint::MultipleSelectionText, platform::Icon::None},
    };
    for (const auto& c : cases) {
        SlidesRun t(c.desktop);
        powerpoint::ExportSelectionToPowerPoint(t.services, t.state, 0);
        ASSERT_EQ(t.prompt.messages().size(), 1u) << c.name;
        EXPECT_EQ(t.prompt.messages()[0].text, c.text) << c.name;
        EXPECT_EQ(t.prompt.messages()[0].icon, c.icon) << c.name;
        EXPECT_TRUE(t.prompt.messages()[0].systemModal) << c.name;
        if (t.powerPoint().find("Deck.pptx")) {
            EXPECT_EQ(t.slide(2).shapes.size(), 1u) << c.name;
        }
        EXPECT_EQ(t.excel().windowState(), -4137) << c.name;
    }
}

TEST(Selection, ExpressPasteKeepsTheRunAndReturnsToTheStartSheet) {
    SlidesRun t;
    t.state.mainFormOpen = true;
    t.state.office.startSheetName = QStringLiteral("Trend");
    powerpoint::ExportSelectionToPowerPoint(t.services, t.state, 0);
    EXPECT_EQ(t.workbook().activeSheetImpl()->name(), QStringLiteral("Trend"));
    EXPECT_TRUE(t.state.office.excel);
    EXPECT_TRUE(t.state.office.powerPoint);
}

}  // namespace

namespace {

TEST(Selection, PowerPointWithoutActivePresentationFailsCleanly) {
    SlidesRun t([](QJsonObject& r) { test::setPowerPoint(r, "activePresentation", QJsonValue()); });
    EXPECT_THROW(powerpoint::ExportSelectionToPowerPoint(t.services, t.state, 0), office::Error);
    EXPECT_EQ(t.slide(2).shapes.size(), 1u);
    EXPECT_EQ(t.excel().windowState(), -4137);
}

}  // namespace
