#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "chrome/ProgressWindow.h"
#include "powerpoint/BatchExport.h"
#include "powerpoint/SelectionExport.h"
#include "support/ListRows.h"
#include "support/Slides.h"

namespace {

using office::memory::Shape;
using test::SlidesRun;

// The main form's list as the export reads it.
run::ListRow item(const char* name, const char* sheet, const char* type, const char* slide = "",
                  const char* caption = "", bool checked = true) {
    return {
        QString::fromLatin1(name),
        {QString::fromLatin1(sheet), QString::fromLatin1(slide), "1", QString::fromLatin1(caption),
         QString::fromLatin1(type), "1", QString::fromLatin1(name) + QString::fromLatin1(sheet)},
        checked};
}

const auto Revenue = [](const char* slide = "", const char* caption = "") {
    return item("Revenue", "Data", "Embedded", slide, caption);
};
const auto Mix = [](const char* slide = "", const char* caption = "") {
    return item("Mix", "Data", "Embedded", slide, caption);
};

// One batch export on the slides desktop, with the main form recorded.
struct Batch : SlidesRun {
    explicit Batch(const std::function<void(QJsonObject&)>& change = {}) : SlidesRun(change) {
        form.list = &list;
        form.predefinedSlides = [this] { return predefined; };
        form.minimise = [this] { ++minimised; };
        form.restore = [this] { ++restored; };
        form.unload = [this] { ++unloaded; };
    }
    bool run(std::vector<run::ListRow> rows, int exportCount,
             powerpoint::SlideExportOptions options = {}) {
        list.rows = std::move(rows);
        state.exportCount = exportCount;
        progress = new chrome::ProgressWindow(0, exportCount);
        progress->setAttribute(Qt::WA_DeleteOnClose);
        progress->show();
        const bool done =
            powerpoint::ExportCheckedItemsToSlides(services, state, form, options, progress);
        QApplication::processEvents();
        return done;
    }
    // Kinds of the pasted shapes of each slide from `first` on.
    std::vector<QStringList> kindsFrom(int first) {
        std::vector<QStringList> out;
        for (int i = first; i <= deck().slideCount(); ++i) {
            QStringList kinds;
            for (const auto& s : slide(i).shapes) kinds << s.kind;
            out.push_back(kinds);
        }
        return out;
    }
    void expectGivenBack() {
        EXPECT_TRUE(excel().screenUpdating());
        EXPECT_EQ(excel().windowState(), -4137);
        EXPECT_FALSE(progress && progress->isVisible()) << "progress window left open";
        EXPECT_EQ(restored, 1);
        EXPECT_EQ(unloaded, 0);
        EXPECT_EQ(powerPoint().lockedWindow, 0);
    }

    test::ListRows list;
    powerpoint::MainFormLink form;
    QPointer<chrome::ProgressWindow> progress;
    bool predefined = false;
    int minimised = 0, restored = 0, unloaded = 0;
};

TEST(BatchExport, NewSlidesFollowTheLastInListOrder) {
    Batch t([](QJsonObject& r) { test::setWindow(r, "viewType", 7); });
    t.state.office.presentation = t.powerPoint().find("Deck.pptx");
    ASSERT_TRUE(t.run(
        {item("Table", "Data", "Range"), item("{Chart Sheet}", "Trend", "Chart"), Revenue()}, 3));
    ASSERT_EQ(t.deck().slideCount(), 8);
    for (int i = 6; i <= 8; ++i) {
        EXPECT_EQ(t.slide(i).layout, 11);
        EXPECT_TRUE(t.slide(i).title);
    }
    EXPECT_EQ(t.kindsFrom(6), (std::vector<QStringList>{{"bitmap"}, {"metafile"}, {"metafile"}}));
    EXPECT_EQ(t.slide(6).shapes[0].source->item, QStringLiteral("$A$1:$B$3"));
    EXPECT_EQ(t.slide(7).shapes[0].source->sheet, QStringLiteral("Trend"));
    EXPECT_EQ(t.slide(8).shapes[0].source->item, QStringLiteral("Revenue"));
    EXPECT_DOUBLE_EQ(t.slide(8).shapes[0].top, 94.5);
    EXPECT_EQ(t.state.progress.exportDone, 3);
    EXPECT_EQ(t.minimised, 1);
    EXPECT_EQ(t.unloaded, 1);
    EXPECT_TRUE(t.excel().screenUpdating());
    EXPECT_EQ(t.excel().windowState(), -4137);
    EXPECT_FALSE(t.progress && t.progress->isVisible());
    EXPECT_EQ(t.deck().window->viewType, 7);
    EXPECT_TRUE(t.prompt.messages().empty());
    // The sheet active at the end (the last chart's) shows its hidden rows again.
    EXPECT_TRUE(t.workbook().findSheet("Data")->hiddenRows.empty());
}

TEST(BatchExport, HiddenSheetRowLeavesItsSlideEmpty) {
    Batch t;
    t.state.office.presentation = t.powerPoint().find("Deck.pptx");
    ASSERT_TRUE(t.run({Revenue(), item("Secret", "Hidden", "Embedded"), Mix()}, 3));
    EXPECT_EQ(t.kindsFrom(6), (std::vector<QStringList>{{"metafile"}, {"metafile"}, {}}));
    EXPECT_EQ(t.slide(7).shapes[0].source->item, QStringLiteral("Mix"));
}

TEST(BatchExport, PredefinedSlidesTakeTheRowsNumbers) {
    const struct {
        const char* name;
        std::vector<run::ListRow> rows;
        int count;
        std::vector<QStringList> kinds;  // slides 1 to 5
    } cases[] = {
        // 3, empty, 1: the empty row is skipped; the export ends after its count.
        {"ThreeEmptyOne",
         {Revenue("3"), Mix(""), Mix("1"), Revenue("2")},
         2,
         {{"metafile"}, {"label"}, {"metafile"}, {}, {}}},
        {"SameSlideTwice",
         {Revenue("5"), Mix("5")},
         2,
         {{}, {"label"}, {}, {}, {"metafile", "metafile"}}},
    };
    for (const auto& c : cases) {
        Batch t;
        t.predefined = true;
        t.state.office.presentation = t.powerPoint().find("Deck.pptx");
        ASSERT_TRUE(t.run(c.rows, c.count)) << c.name;
        EXPECT_EQ(t.deck().slideCount(), 5) << c.name;
        EXPECT_EQ(t.kindsFrom(1), c.kinds) << c.name;  // slide 2 has a label of its own
    }
}

TEST(BatchExport, CaptionsAndSourceLabel) {
    Batch t;
    t.state.office.presentation = t.powerPoint().find("Deck.pptx");
    ASSERT_TRUE(t.run({Revenue("", "North and South"), Mix("", "")}, 2, {true, true, false}));
    EXPECT_EQ(t.slide(6).title->text, QStringLiteral("North and South"));
    EXPECT_EQ(t.slide(7).title->text, QString());
    for (int i : {6, 7}) {
        ASSERT_EQ(t.slide(i).shapes.size(), 2u);
        const Shape& label = t.slide(i).shapes[1];
        EXPECT_EQ(label.kind, QStringLiteral("label"));
        EXPECT_EQ(label.text, QStringLiteral("/home/ana/reports/Sales.xlsx"));
        ASSERT_TRUE(label.font);
        EXPECT_EQ(label.font->name, QStringLiteral("Tahoma"));
        EXPECT_EQ(label.font->size, 10);
        EXPECT_EQ(label.font->color, QStringLiteral("#B2B2B2"));
        EXPECT_EQ(label.wordWrap, false);
        EXPECT_DOUBLE_EQ(label.left, 20.25);
        EXPECT_DOUBLE_EQ(label.top, 518);
    }
}

TEST(BatchExport, ShadowFollowsTheChosenStyleOnTheItems) {
    Batch t;
    t.state.office.presentation = t.powerPoint().find("Deck.pptx");
    t.state.pictureStyle = 3;
    ASSERT_TRUE(t.run({Revenue(), Mix()}, 2, {false, true, true}));
    const Shape& first = t.slide(6).shapes[0];
    const Shape& second = t.slide(7).shapes[0];
    EXPECT_EQ(first.autoShapeType, 5) << "the chosen style on the first item";
    EXPECT_EQ(first.shadow, true);
    EXPECT_FALSE(second.autoShapeType) << "later items get the shadow style only";
    EXPECT_EQ(second.shadow, true);
    ASSERT_TRUE(second.shadowFormat);
    EXPECT_EQ(second.shadowFormat->offsetX, 8.12132);
    // The source label, added after the item, has no shadow.
    EXPECT_FALSE(t.slide(7).shapes[1].shadow);
    EXPECT_EQ(t.state.pictureStyle, 2);
}

TEST(BatchExport, EditableRangeKeepsThePlaceItPastedTo) {
    Batch t;
    t.state.office.presentation = t.powerPoint().find("Deck.pptx");
    t.state.pasteFormat = 1;
    ASSERT_TRUE(t.run({item("Table", "Data", "Range"), Revenue()}, 2));
    const Shape& table = t.slide(6).shapes[0];
    const Shape& chart = t.slide(7).shapes[0];
    EXPECT_EQ(table.kind, QStringLiteral("table"));
    EXPECT_DOUBLE_EQ(table.top, (540 - table.height) / 2) << "placed although the paste placed it";
    EXPECT_EQ(chart.kind, QStringLiteral("editable"));
    EXPECT_DOUBLE_EQ(chart.top, 94.5) << "the flag was not cleared for the next item";
    EXPECT_FALSE(t.state.powerPoint.placementDone);
}

TEST(BatchExport, MultipleAreasStopTheExportAndGiveEverythingBack) {
    Batch t;
    t.state.office.presentation = t.powerPoint().find("Deck.pptx");
    EXPECT_FALSE(t.run({Revenue(), item("Split", "Data", "Range"), Mix()}, 3));
    ASSERT_EQ(t.prompt.messages().size(), 1u);
    EXPECT_EQ(t.prompt.messages()[0].text, powerpoint::MultipleSelectionText);
    EXPECT_EQ(t.prompt.messages()[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(t.kindsFrom(6), (std::vector<QStringList>{{"metafile"}, {}, {}}));
    t.expectGivenBack();
}

TEST(BatchExport, AutomationErrorStopsAtTheItemAndGivesEverythingBack) {
    Batch t;
    t.state.office.presentation = t.powerPoint().find("Deck.pptx");
    EXPECT_FALSE(t.run({Revenue(), item("Gone", "Data", "Embedded"), Mix()}, 3));
    ASSERT_EQ(t.prompt.messages().size(), 1u);
    EXPECT_TRUE(t.prompt.texts()[0].contains("\"Gone\"")) << t.prompt.texts()[0].toStdString();
    EXPECT_EQ(t.kindsFrom(6), (std::vector<QStringList>{{"metafile"}, {}, {}}));
    t.expectGivenBack();
}

}  // namespace
