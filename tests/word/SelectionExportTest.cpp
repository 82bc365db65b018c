#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "FailingWord.h"
#include "WordDesktop.h"
#include "word/PWordNewFile.h"
#include "word/PasteSelectionToWord.h"

namespace {

using namespace wordtest;

const QByteArray ChartArea = R"({"kind": "chartArea", "chart": "Wide"})";
const QByteArray Range = R"({"kind": "range", "address": "A1:B3"})";
const QByteArray Shape = R"({"kind": "shape", "name": "Picture 1"})";
const QByteArray ChartPart = R"({"kind": "chartPart", "chart": "Wide", "part": "Legend"})";

// "R.docx" with its selection: `text` selected in "Intro text".
QByteArray documentWith(const QByteArray& text) {
    return R"({"activeDocument": "R.docx", "documents": [{"name": "R.docx",
        "content": [{"paragraph": "Intro text"}, {"paragraph": "Body"}],
        "selection": {"text": ")" +
           text + R"(", "paragraph": 0, "start": 0}}]})";
}

struct PasteCase {
    const char* name;
    int code;  // 0 picture, 1 embedded, 2 linked, 3 table; 4 editable (main form only)
    QByteArray selection;
    QByteArray activeSheet;
    QStringList blocks;  // the document afterwards
    double width;        // of the pasted shape; 0 for a table, -1 for "as copied"
};

void paste(Fixture& f, int code) {
    if (code == 4)
        word::PasteSelectionEditable(f.t.services, f.t.state);
    else
        word::PasteSelectionForCode(f.t.services, f.t.state, code);
}

class Pastes : public ::testing::TestWithParam<PasteCase> {};

// The paste lands at the insertion point, after moving down a line for pictures, embedded
// objects and tables; charts and copied objects fill the text width (468) with their
// proportions, range pictures keep their size.
TEST_P(Pastes, LandAtTheInsertionPoint) {
    const auto& c = GetParam();
    Fixture f(desktop({}, c.selection, c.activeSheet));
    paste(f, c.code);
    EXPECT_TRUE(f.t.prompt.texts().isEmpty()) << f.t.prompt.texts().join('|').toStdString();
    EXPECT_EQ(f.blocks(), c.blocks);
    for (const auto& b : f.document().content) {
        if (b.kind != Block::Kind::InlineShape && b.kind != Block::Kind::FloatingShape) continue;
        if (c.width < 0)
            EXPECT_LT(b.shape.width, 468);
        else
            EXPECT_DOUBLE_EQ(b.shape.width, c.width);
        if (c.width == 468 && QByteArray(c.name) == "chartPicture") {
            EXPECT_DOUBLE_EQ(b.shape.height, 468 * 135.0 / 240);
        }
    }
    EXPECT_TRUE(f.office().word().visible);
    EXPECT_EQ(f.office().word().activations, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Word, Pastes,
    ::testing::Values(
        PasteCase{"chartPicture", 0, ChartArea, "Data", {"P'Intro'", "I:metafile", "P'Body'"}, 468},
        PasteCase{"chartSheetPicture", 0, {}, "Trend", {"P'Intro'", "I:metafile", "P'Body'"}, 468},
        PasteCase{"rangePicture", 0, Range, "Data", {"P'Intro'", "I:bitmap", "P'Body'"}, -1},
        PasteCase{"embeddedRange", 1, Range, "Data", {"P'Intro'", "P'Body'", "F:embedded"}, 468},
        PasteCase{
            "embeddedChart", 1, ChartArea, "Data", {"P'Intro'", "P'Body'", "F:embedded"}, 468},
        PasteCase{"linkedChartSheet", 2, {}, "Trend", {"P'Intro'", "F:linked", "P'Body'"}, 468},
        PasteCase{"table", 3, Range, "Data", {"P'Intro'", "T", "P'Body'"}, 0},
        PasteCase{"editableRange", 4, Range, "Data", {"P'In'", "T", "P'tro'", "P'Body'"}, 0},
        PasteCase{"editableChart",
                  4,
                  ChartArea,
                  "Data",
                  {"P'In'", "I:editable", "P'tro'", "P'Body'"},
                  468}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectionExport, RangePictureParagraphIsCentred) {
    Fixture f(desktop());
    word::PasteSelectionPicture(f.t.services, f.t.state);
    EXPECT_EQ(f.last(Block::Kind::InlineShape).alignment, office::wdAlignParagraphCenter);
}

TEST(SelectionExport, LinkedChartSheetKeepsItsProportionsAndAlertsStayOff) {
    Fixture f(desktop({}, {}, "Trend"));
    f.document().content[0].text = "Intro";
    f.t.state.office.excel->setDisplayAlerts(true);
    word::PasteSelectionLinked(f.t.services, f.t.state);
    const auto& shape = f.last(Block::Kind::FloatingShape).shape;
    EXPECT_DOUBLE_EQ(shape.height, 468 * 225.0 / 360);
    EXPECT_FALSE(f.t.state.office.excel->displayAlerts());  // left off, as for the other pastes
}

TEST(SelectionExport, TableHoldsTheRangeValues) {
    Fixture f(desktop({}, R"({"kind": "range", "address": "A2:B3"})"));
    f.t.state.office.excel->setDisplayAlerts(true);
    word::PasteSelectionTable(f.t.services, f.t.state);
    EXPECT_EQ(f.last(Block::Kind::Table).table,
              (std::vector<std::vector<QString>>{{"North", "12.5"}, {"South", "7"}}));
    EXPECT_TRUE(f.t.state.office.excel->displayAlerts());  // the table paste leaves it alone
}

struct QuestionCase {
    int code;
    const char* question;
};

class Questions : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(Questions, AskedOnlyForMoreThanOneCharacterAndNoPastesNothing) {
    const auto& c = GetParam();
    for (const QByteArray text : {"", "I", "In"}) {
        Fixture f(desktop(documentWith(text)));
        const auto before = f.blocks();
        f.t.prompt.answerNext(platform::Answer::No);
        paste(f, c.code);
        if (text.size() > 1) {
            ASSERT_EQ(f.t.prompt.texts(), QStringList{c.question});
            const auto& m = f.t.prompt.messages().front();
            EXPECT_EQ(m.buttons, platform::Buttons::YesNo);
            EXPECT_EQ(m.icon, platform::Icon::None);
            EXPECT_EQ(f.blocks(), before);
        } else {
            EXPECT_TRUE(f.t.prompt.texts().isEmpty()) << text.constData();
            EXPECT_NE(f.blocks(), before);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Word, Questions,
    ::testing::Values(
        QuestionCase{0, "Warning!Inseted object may override the current selected text"},
        QuestionCase{1, "Warning!Inseted object may override the current selected text."},
        QuestionCase{2, "Warning!Inseted object will override the current selected text."},
        QuestionCase{3, "Warning!Inseted object may override the current selected text."},
        QuestionCase{4, "Warning!Inseted object will override the current selected text."}));

// Yes: pictures move down a line first, so the selected text stays; linked objects replace it.
TEST(SelectionExport, YesKeepsOrReplacesTheSelectedText) {
    for (int code : {0, 2}) {
        Fixture f(desktop(documentWith("Intro"), ChartArea));
        f.t.prompt.answerNext(platform::Answer::Yes);
        paste(f, code);
        EXPECT_EQ(f.blocks().front(), code == 0 ? "P'Intro text'" : "P' text'") << code;
    }
}

struct RefusalCase {
    int code;
    QByteArray selection;
    QByteArray activeSheet;
    const char* message;
};

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, WarnAndPasteNothing) {
    const auto& c = GetParam();
    Fixture f(desktop({}, c.selection, c.activeSheet));
    const auto before = f.blocks();
    paste(f, c.code);
    EXPECT_EQ(f.t.prompt.texts(), QStringList{c.message});
    EXPECT_EQ(f.t.prompt.messages().front().icon, platform::Icon::Warning);
    EXPECT_EQ(f.blocks(), before);
    EXPECT_EQ(f.office().word().activations, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Word, Refusals,
    ::testing::Values(RefusalCase{3, ChartArea, "Data", "This icon refers to tables only"},
                      RefusalCase{3, {}, "Trend", "This icon refers to tables only"},
                      RefusalCase{0, Shape, "Data", "Nothing to paste, try again"},
                      RefusalCase{1, ChartPart, "Data", "Nothing to paste, try again"},
                      RefusalCase{4, Shape, "Data", "Nothing to paste, try again"}));

class NoDocument : public ::testing::TestWithParam<const char*> {};

TEST_P(NoDocument, RequiresAnOpenDocument) {
    for (int code : {0, 1, 2, 3, 4}) {
        Fixture f(desktop(GetParam()));
        paste(f, code);
        EXPECT_EQ(f.t.prompt.texts(), QStringList{"The action requires an open Word document"});
    }
}

INSTANTIATE_TEST_SUITE_P(Word, NoDocument,
                         ::testing::Values(R"({"running": false})", R"({"documents": []})"));

// The main form's paste format codes reach the matching operation.
TEST(SelectionExport, ExpressPasteFollowsThePasteFormat) {
    const QStringList expected = {"I:metafile", "I:editable", "F:embedded", "F:linked"};
    for (int format = 0; format < 4; ++format) {
        Fixture f(desktop(documentWith(""), ChartArea));
        word::PasteSelectionForFormat(f.t.services, f.t.state, format);
        EXPECT_TRUE(f.blocks().contains(expected[format])) << format;
    }
}

}  // namespace

namespace {

using namespace wordtest;

Fixture failing(const QByteArray& json) {
    auto inner = test::hostFromJson(json);
    auto& memory = dynamic_cast<Office&>(*inner);
    return Fixture(std::make_unique<FailingHost>(std::move(inner)), memory);
}

// Every format reports a failed paste with the same message, and Word is not brought forward.
TEST(SelectionExport, FailedPasteIsReportedForEveryFormat) {
    for (int code : {0, 1, 2, 3, 4}) {
        auto f = failing(desktop());
        paste(f, code);
        EXPECT_EQ(f.t.prompt.texts(),
                  QStringList{"Operation has failed!Please make sure that no graphic is selected"})
            << code;
        EXPECT_EQ(f.office().word().activations, 0) << code;
    }
}

// In a batch a failed paste is skipped: the other items still arrive and the export ends as
// usual.
TEST(BatchExport, FailedPastesAreSkipped) {
    auto f = failing(desktop());
    f.form->items.rows = {chartRow("Wide", "Data"), chartRow("Tall", "Data")};
    f.t.state.word = f.t.host->attachWord();
    auto run = f.wordRun();
    word::ExportEmbeddedToWord(run);
    EXPECT_TRUE(f.t.prompt.texts().isEmpty());
    EXPECT_EQ(f.blocks(), (QStringList{"P'Intro'", "P'Body'", "P*", "P", "P*", "P"}));
    EXPECT_EQ(f.form->events, QStringList{"close"});
}

}  // namespace
