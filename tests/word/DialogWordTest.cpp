#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "WordDesktop.h"
#include "word/DialogWord.h"

namespace {

using namespace wordtest;

struct Opened {
    word::DialogWord* dialog = nullptr;
    QLabel* label() const { return dialog->findChild<QLabel*>("Label1"); }
    QCheckBox* box(const char* name) const { return dialog->findChild<QCheckBox*>(name); }
    QPushButton* button(const char* name) const { return dialog->findChild<QPushButton*>(name); }
};

Opened open(Fixture& f) {
    auto run = f.wordRun();
    return {word::StartWordExport(run)};
}

struct FormatCase {
    int pasteFormat;
    const char* text;
    bool boxesEnabled;
};

class DialogFormats : public ::testing::TestWithParam<FormatCase> {};

// The message counts every checked row, a row on a hidden sheet too, and names the document.
TEST_P(DialogFormats, MessageAndOptions) {
    const auto& c = GetParam();
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data"), chartRow("H", "Hidden"),
                          chartRow("Tall", "Data", false)};
    f.t.state.pasteFormat = c.pasteFormat;
    auto d = open(f);
    ASSERT_NE(d.dialog, nullptr);
    EXPECT_EQ(d.dialog->windowTitle(), "Paste to Word");
    EXPECT_EQ(d.dialog->message(), QStringLiteral("2 object(s) will be pasted to\rR.docx\r as ") +
                                       c.text + "\r starting at the insertion point\r\r");
    EXPECT_EQ(d.label()->text().count('\n'), 5);
    for (const char* name : {"SameWidth", "AddCaption", "CheckShadow"}) {
        EXPECT_EQ(d.box(name)->isEnabled(), c.boxesEnabled) << name;
        EXPECT_FALSE(d.box(name)->isChecked()) << name;
    }
    EXPECT_TRUE(d.button("ContinueOk")->isVisible());
    delete d.dialog;
}

INSTANTIATE_TEST_SUITE_P(Word, DialogFormats,
                         ::testing::Values(FormatCase{0, "pictures", true},
                                           FormatCase{1, "Excel editable", true},
                                           FormatCase{2, "Excel embedded", false},
                                           FormatCase{3, "Linked embedded objects", false}));

TEST(DialogWord, NothingCheckedLeavesOnlyCancel) {
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data", false)};
    auto d = open(f);
    ASSERT_NE(d.dialog, nullptr);
    EXPECT_EQ(d.dialog->message(), "No objects were selected for pasting");
    EXPECT_FALSE(d.button("ContinueOk")->isVisible());
    QTest::mouseClick(d.button("SonicClick2"), Qt::LeftButton);
    EXPECT_FALSE(d.dialog->isVisible());
    EXPECT_EQ(f.blocks(), (QStringList{"P'Intro'", "P'Body'"}));
    EXPECT_TRUE(f.form->events.isEmpty());
    EXPECT_EQ(f.t.state.word, nullptr);
    flushDeletes();
}

// Confirmation stores the boxes and runs the export of the format chosen at that moment; the
// row on the hidden sheet, counted above, is not exported.
TEST(DialogWord, ContinueStoresTheOptionsAndExports) {
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data", true, "Sales"), chartRow("H", "Hidden")};
    auto d = open(f);
    ASSERT_NE(d.dialog, nullptr);
    d.box("AddCaption")->setChecked(true);
    d.box("CheckShadow")->setChecked(true);
    f.t.state.pasteFormat = 1;  // changed on the main form while the dialog is open
    QTest::mouseClick(d.button("ContinueOk"), Qt::LeftButton);
    EXPECT_EQ(f.t.state.wordSameWidth, 0);
    EXPECT_EQ(f.t.state.wordCaption, 1);
    EXPECT_EQ(f.t.state.wordShadow, 1);
    EXPECT_EQ(f.blocks(), (QStringList{"P'Intro'", "P'Body'", "P*", "I:editable", "C:Sales 1"}));
    EXPECT_EQ(f.t.state.progress.exportDone, 1);
    EXPECT_EQ(f.t.state.progress.exportTotal, 2);
    EXPECT_EQ(f.form->events, QStringList{"close"});
    flushDeletes();
}

TEST(DialogWord, DocumentClosedBeforeLoadIsReported) {
    Fixture f(desktop());
    f.form->items.rows = {chartRow("Wide", "Data")};
    f.t.state.word = f.t.host->attachWord();
    f.office().word().setActive(nullptr);
    auto* dialog = new word::DialogWord(f.wordRun());
    EXPECT_FALSE(dialog->Form_Load());
    flushDeletes();
    EXPECT_EQ(f.t.prompt.texts(), QStringList{"No active document open"});
    EXPECT_EQ(f.form->events, (QStringList{"minimise", "restore"}));
}

}  // namespace
