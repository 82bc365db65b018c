#include <gtest/gtest.h>

#include "WordDesktop.h"
#include "word/PWordNewFile.h"

namespace {

using namespace wordtest;

const QStringList Existing = {"P'Intro'", "P'Body'"};

struct FormatCase {
    int pasteFormat;
    QStringList added;  // what one chart adds after the existing paragraphs
    bool finished;      // sized, captioned and shadowed by the dialog's options
};

class Formats : public ::testing::TestWithParam<FormatCase> {};

// Every item goes to the end of the document after a page break, whatever the insertion point;
// pictures alone get an extra empty paragraph; embedded and linked objects float at the text
// width and never get a caption or a shadow.
TEST_P(Formats, AppendOneItemPerPageAtTheEnd) {
    const auto& c = GetParam();
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data", true, "Sales")};
    f.t.state.exportCount = 1;
    f.t.state.wordSameWidth = 0;
    f.t.state.wordCaption = 1;
    f.t.state.wordShadow = 1;
    auto run = f.wordRun();
    f.t.state.word = f.t.host->attachWord();
    word::ExportToWord(run, c.pasteFormat);

    EXPECT_EQ(f.blocks(), Existing + c.added);
    const auto kind = c.pasteFormat >= 2 ? Block::Kind::FloatingShape : Block::Kind::InlineShape;
    const auto& item = f.last(kind);
    ASSERT_TRUE(item.shape.source.has_value());
    EXPECT_EQ(item.shape.source->item, "Wide");
    EXPECT_EQ(item.shadowFormat.has_value(), c.finished);
    // Floating objects fill the text width (612 - 2 x 72); the others keep their size.
    EXPECT_DOUBLE_EQ(item.shape.width, c.pasteFormat >= 2 ? 468 : 240);
    EXPECT_EQ(f.form->events, QStringList{"close"});
    EXPECT_EQ(f.office().word().activations, 1);
    EXPECT_EQ(f.t.state.word, nullptr);  // released
}

INSTANTIATE_TEST_SUITE_P(
    Word, Formats,
    ::testing::Values(FormatCase{0, {"P*", "P", "I:metafile", "C:Sales 1"}, true},
                      FormatCase{1, {"P*", "I:editable", "C:Sales 1"}, true},
                      FormatCase{2, {"P*", "P", "F:embedded"}, false},
                      FormatCase{3, {"P*", "P", "F:linked"}, false}));

TEST(BatchExport, TakesCheckedRowsOnVisibleSheetsInListOrder) {
    Fixture f(desktop());
    f.form->items.rows = {chartSheetRow("Trend"), chartRow("Wide", "Data", false),
                          chartRow("H", "Hidden"), rangeRow("Totals", "Data"),
                          chartRow("Tall", "Data")};
    f.t.state.exportCount = 4;
    f.t.state.word = f.t.host->attachWord();
    auto run = f.wordRun();
    word::ExportPicturesToWord(run);

    EXPECT_EQ(f.blocks(), Existing + QStringList({"P*", "P", "I:metafile", "P*", "P", "I:bitmap",
                                                  "P*", "P", "I:metafile"}));
    QStringList items;
    for (const auto& b : f.document().content)
        if (b.kind == Block::Kind::InlineShape) items << b.shape.source->item;
    EXPECT_EQ(items, (QStringList{"Trend", "$A$1:$B$3", "Tall"}));
    // Each exported row was selected in turn; the list rests on its first row.
    EXPECT_EQ(f.form->items.selections, (std::vector<int>{0, 3, 4, 0}));
    EXPECT_EQ(f.t.state.progress.exportDone, 3);
}

// An item that is gone from its sheet leaves its page empty instead of repeating the item
// before it.
TEST(BatchExport, MissingItemPastesNothing) {
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data"), chartRow("Gone", "Data")};
    f.t.state.word = f.t.host->attachWord();
    auto run = f.wordRun();
    word::ExportPicturesToWord(run);
    EXPECT_EQ(f.blocks(), Existing + QStringList({"P*", "P", "I:metafile", "P*", "P", "P"}));
}

struct SizeCase {
    const char* chart;
    int sameWidth;
    double width, height;
};

class Sizes : public ::testing::TestWithParam<SizeCase> {};

// Same width: the text width, and the height by the item's proportions up to half the text
// height (792 - 2 x 72 = 648).
TEST_P(Sizes, FollowTheSameWidthOption) {
    const auto& c = GetParam();
    Fixture f(desktop());
    f.form->items.rows = {chartRow(c.chart, "Data")};
    f.t.state.wordSameWidth = c.sameWidth;
    f.t.state.word = f.t.host->attachWord();
    auto run = f.wordRun();
    word::ExportPicturesToWord(run);
    const auto& shape = f.last(Block::Kind::InlineShape).shape;
    EXPECT_DOUBLE_EQ(shape.width, c.width);
    EXPECT_DOUBLE_EQ(shape.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Word, Sizes,
                         ::testing::Values(SizeCase{"Wide", 0, 240, 135},
                                           SizeCase{"Wide", 1, 468, 468 * 135.0 / 240},
                                           SizeCase{"Tall", 0, 96, 435},
                                           SizeCase{"Tall", 1, 468, 324}));

TEST(BatchExport, CaptionsOnlyForNonEmptyCaptionsWithOneLabelPerText) {
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data", true, "Sales"),
                          chartRow("Tall", "Data", true, ""),
                          chartSheetRow("Trend", true, "Sales")};
    f.t.state.wordCaption = 1;
    f.t.state.word = f.t.host->attachWord();
    auto run = f.wordRun();
    word::ExportEditableToWord(run);
    EXPECT_EQ(f.blocks(), Existing + QStringList({"P*", "I:editable", "C:Sales 1", "P*",
                                                  "I:editable", "P*", "I:editable", "C:Sales 2"}));
    EXPECT_EQ(f.office().word().captionLabels, std::vector<QString>{"Sales"});
}

// A range pasted as an editable object comes as a table: the sizing and the shadow must not
// fall on the picture an earlier item left in the document.
TEST(BatchExport, TableItemLeavesEarlierShapesAlone) {
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data"), rangeRow("Totals", "Data")};
    f.t.state.wordSameWidth = 1;
    f.t.state.wordShadow = 1;
    f.t.state.word = f.t.host->attachWord();
    auto run = f.wordRun();
    word::ExportEditableToWord(run);
    EXPECT_EQ(f.blocks(), Existing + QStringList({"P*", "I:editable", "P*", "T"}));
    const auto& first = f.last(Block::Kind::InlineShape);
    EXPECT_DOUBLE_EQ(first.shape.width, 468);
    EXPECT_DOUBLE_EQ(first.shape.height, 468 * 135.0 / 240);
    EXPECT_EQ(f.last(Block::Kind::Table).table,
              (std::vector<std::vector<QString>>{
                  {"Region", "Sales"}, {"North", "12.5"}, {"South", "7"}}));
}

TEST(BatchExport, ScreenUpdatingOnForEveryFormatButPicturesBeforeTheLoop) {
    for (int format : {0, 1, 2, 3}) {
        Fixture f(desktop());
        f.t.state.word = f.t.host->attachWord();
        auto run = f.wordRun();
        word::ExportToWord(run, format);
        const auto log = test::screenUpdatingLog(*f.t.host);
        EXPECT_EQ(log.size(), format == 0 ? 1u : 2u) << format;
    }
}

struct StartCase {
    const char* word;
    const char* message;
};

class StartFailures : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartFailures, WarnWithTheFormMinimisedAndOpenNoDialog) {
    const auto& c = GetParam();
    Fixture f(desktop(c.word));
    f.form->items.rows = {chartRow("Wide", "Data")};
    auto run = f.wordRun();
    EXPECT_EQ(word::StartWordExport(run), nullptr);
    EXPECT_EQ(f.t.prompt.texts(), QStringList{c.message});
    EXPECT_EQ(f.t.prompt.messages().front().icon, platform::Icon::Warning);
    EXPECT_TRUE(f.t.prompt.messages().front().systemModal);
    EXPECT_EQ(f.form->events, (QStringList{"minimise", "restore"}));
}

INSTANTIATE_TEST_SUITE_P(
    Word, StartFailures,
    ::testing::Values(StartCase{R"({"running": false})",
                                "The action requires an open Word document"},
                      StartCase{R"({"documents": [{"name": "A.docx"}]})",
                                "No active Word document open. Press OK to continue"}));

}  // namespace
