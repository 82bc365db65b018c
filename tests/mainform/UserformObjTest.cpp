#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "chrome/SwitchKnob.h"
#include "mainform/Exports.h"
#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"
#include "startup/Dispatch.h"
#include "statesheet/StateSheet.h"
#include "support/Recorders.h"
#include "support/TestRun.h"

namespace {

using mainform::UserformObj;
namespace column = mainform::column;

// Records which export the form started, with the export count it had set.
class RecordingExports : public mainform::Exports {
  public:
    explicit RecordingExports(run::RunState& state) : state_(state) {}
    void openPowerPointDialog() override { record("powerPointDialog"); }
    void startWordExport() override { record("wordExport"); }
    void openWebDialog() override { record("webDialog"); }
    void openPdfDialog() override { record("pdfDialog"); }
    void openImageFilesDialog() override { record("imageFilesDialog"); }
    void showLayoutForm() override { record("layoutForm"); }
    void exportSelectionToPowerPoint(int f) override {
        record("selectionToPowerPoint" + QString::number(f));
    }
    void exportSelectionToWord(int f) override { record("selectionToWord" + QString::number(f)); }
    void exportSelectionToImageFile() override { record("selectionToImageFile"); }
    QStringList calls;
    int lastCount = -1;

  private:
    void record(const QString& what) {
        calls << what;
        lastCount = state_.exportCount;
    }
    run::RunState& state_;
};

// A batch-mode run on a desktop up to the loaded main form.
struct Form {
    explicit Form(std::unique_ptr<office::Host> host) : t(std::move(host)), exports(t.state) {
        startup::attachOffice(*t.host, t.state.office);
        t.state.office.itemCount =
            inventory::CountItems(*t.state.office.excel, *t.state.office.workbook);
        EXPECT_TRUE(statesheet::OpenMainForm(t.state.office, t.prompt, {}));
        form = new UserformObj(t.services, t.state, exports, progress,
                               [this] { splashClosed = true; });
        form->Form_Load();
        form->show();
    }
    ~Form() { delete form; }
    mainform::ListCharts& list() { return *form->list(); }
    template <typename T>
    T* child(const char* name) {
        return form->findChild<T*>(name);
    }
    int rowOf(const QString& key) {
        for (int i = 0; i < list().rowCount(); ++i)
            if (list().cell(i, column::Key) == key) return i;
        return -1;
    }
    QStringList column(int c) {
        QStringList out;
        for (int i = 0; i < list().rowCount(); ++i) out << list().cell(i, c);
        return out;
    }
    void close() {
        form->close();
        form = nullptr;
    }

    test::TestRun t;
    RecordingExports exports;
    test::CountingProgress progress;
    UserformObj* form = nullptr;
    bool splashClosed = false;
};

// A workbook with five items, whose state sheet stores them as `cells` says.
QByteArray fiveItems(const QByteArray& stateCells, int slides = 5) {
    QByteArray slideList;
    for (int i = 0; i < slides; ++i) slideList += QByteArray(i ? "," : "") + R"({"layout":12})";
    return R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx","fullName":"/w/B.xlsx",
        "activeSheet":"S1","sheets":[
          {"name":"S1","type":"worksheet","cells":{"A1":"x","B1":1,"A2":"y","B2":2},
           "charts":[{"name":"C1","topLeft":"D1","bottomRight":"F5","source":"A1:B2"},
                     {"name":"C2","topLeft":"D7","bottomRight":"F9","source":"A1:B2"}]},
          {"name":"S2","type":"worksheet","charts":[{"name":"C3","topLeft":"A1","bottomRight":"C3"}]},
          {"name":"Pie","type":"chart","chart":{"kind":"pie","source":"S1!A1:B2"}},
          {"name":"kukukukuVovezuv","type":"worksheet","visible":2,"cells":)" +
           stateCells + R"(}],
        "names":[{"name":"Pair","refersTo":"=S1!$A$1:$A$2,S1!$B$1:$B$2"}]}]},
      "powerpoint":{"activePresentation":"D.pptx","presentations":[{"name":"D.pptx","fullName":"/w/D.pptx",
        "window":{"viewType":9,"slideIndex":1},"slides":[)" +
           slideList + "]}]}}";
}

// Stored order: C3, Pie, C1, Pair, C2; C2 and Pie unchecked; Pair stored as checked.
const QByteArray StoredFive = R"({
    "A1":"C3","B1":"S2","D1":2,"E1":true,"F1":"Embedded","G1":1,"H1":"C3S2","T1":"third",
    "A2":"{Chart Sheet}","B2":"Pie","D2":3,"E2":false,"F2":"Chart","G2":2,"H2":"{Chart Sheet}Pie",
    "A3":"C1","B3":"S1","C3":"4","D3":1,"E3":true,"F3":"Embedded","G3":3,"H3":"C1S1","T3":"first",
    "A4":"Pair","B4":"S1","D4":1,"E4":true,"F4":"Range","G4":4,"H4":"PairS1",
    "A5":"C2","B5":"S1","D5":1,"E5":false,"F5":"Embedded","G5":5,"H5":"C2S1"})";

TEST(MainForm, LoadSortsByStoredOrderAndCounts) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    EXPECT_EQ(f.column(column::Key),
              QStringList({"C3S2", "{Chart Sheet}Pie", "C1S1", "PairS1", "C2S1"}));
    EXPECT_EQ(f.child<QLabel>("NbChecked")->text(), "2 Items checked!");
    EXPECT_EQ(f.child<QCheckBox>("Check1")->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(f.child<QLabel>("NbCharts")->text(), "5");
    EXPECT_EQ(f.child<QLineEdit>("Text1")->text(), "/w/B.xlsx ");
    EXPECT_EQ(f.child<QLineEdit>("Text2")->text(), "/w/D.pptx ");
    EXPECT_TRUE(f.splashClosed);
    EXPECT_TRUE(f.t.state.mainFormOpen);
    // Keys name the state-sheet row each list row came from.
    EXPECT_EQ(f.list().rowKey(f.rowOf("C1S1")), "K3");
    EXPECT_EQ(f.list().iconIndex(f.rowOf("{Chart Sheet}Pie")), 1);
    EXPECT_EQ(f.list().iconIndex(f.rowOf("C1S1")), 3);
    EXPECT_EQ(f.list().iconIndex(f.rowOf("PairS1")), 4);
}

TEST(MainForm, FirstUseSortsBySheetOrder) {
    Form f(test::hostFromJson(fiveItems("{}")));
    EXPECT_TRUE(f.t.state.stateSheet.firstUse);
    EXPECT_EQ(f.column(column::SheetOrder), QStringList({"1", "1", "1", "2", "3"}));
    EXPECT_EQ(f.child<QCheckBox>("Check1")->checkState(),
              Qt::PartiallyChecked);  // the pair never counts
    EXPECT_EQ(f.child<QLabel>("NbChecked")->text(), "4 Items checked!");
}

TEST(MainForm, MultiAreaRangeIsRedAndRefusesItsCheck) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    const int pair = f.rowOf("PairS1");
    EXPECT_EQ(f.list().rowColor(pair), mainform::colors::Red);
    EXPECT_FALSE(f.list().isChecked(pair));

    f.list().rowItem(pair)->setCheckState(0, Qt::Checked);  // as the user's click does
    EXPECT_FALSE(f.list().isChecked(pair));
    ASSERT_EQ(f.t.prompt.messages().size(), 1u);
    EXPECT_EQ(f.t.prompt.messages()[0].text, "You can't check a multiple range");
    EXPECT_TRUE(f.t.prompt.messages()[0].systemModal);

    auto* all = f.child<QCheckBox>("Check1");
    all->click();  // grey -> checked
    EXPECT_EQ(all->checkState(), Qt::Checked);
    EXPECT_FALSE(f.list().isChecked(pair));
    EXPECT_EQ(f.child<QLabel>("NbChecked")->text(), "4 Items checked!");
    all->click();
    EXPECT_EQ(f.child<QLabel>("NbChecked")->text(), "0 Items checked!");
    for (int i = 0; i < f.list().rowCount(); ++i)
        if (i != pair) {
            EXPECT_EQ(f.list().rowColor(i), mainform::colors::Grey);
        }
}

TEST(MainForm, CheckingByHandRecountsWithoutExclamation) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    const int c2 = f.rowOf("C2S1");
    f.list().rowItem(c2)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(f.child<QLabel>("NbChecked")->text(), "3 Items checked");
    EXPECT_EQ(f.list().rowColor(c2), mainform::colors::buttonText());
    f.list().rowItem(c2)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(f.list().rowColor(c2), mainform::colors::Grey);
}

TEST(MainForm, MovesCarryTheWholeRowButNotItsKey) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    f.list().rowItem(f.rowOf("C2S1"))->setCheckState(0, Qt::Unchecked);  // grey
    const int c1 = f.rowOf("C1S1");                                      // row 2, checked
    f.list().selectRow(c1);
    f.form->Up_Click();
    EXPECT_EQ(f.rowOf("C1S1"), c1 - 1);
    EXPECT_EQ(f.list().selectedRow(), c1 - 1);
    EXPECT_EQ(f.list().rowKey(c1 - 1), "K2");  // keys stay with the positions
    EXPECT_TRUE(f.list().isChecked(c1 - 1));
    EXPECT_FALSE(f.list().isChecked(c1));
    EXPECT_EQ(f.list().iconIndex(c1), 1);
    EXPECT_EQ(f.list().cell(c1 - 1, column::Caption), "first");

    f.list().selectRow(f.rowOf("C1S1"));
    f.form->Up_Click();
    EXPECT_EQ(f.rowOf("C1S1"), 0);
    f.form->Up_Click();  // first row: nothing
    EXPECT_EQ(f.rowOf("C1S1"), 0);
    f.list().selectRow(4);
    const QStringList before = f.column(column::Key);
    f.form->Down_Click();
    EXPECT_EQ(f.column(column::Key), before);
}

TEST(MainForm, HeaderClicksSortNumbersAsNumbersAndSlidesAsText) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    const QStringList slides = {"10", "9", "2", "", "-3"};
    for (int i = 0; i < 5; ++i) {
        f.list().setCell(i, column::Slide, slides[i]);
        f.list().setCell(i, column::SheetOrder, slides[i]);
    }
    f.form->listCharts_ColumnClick(column::SheetOrder);
    EXPECT_EQ(f.column(column::SheetOrder), QStringList({"", "-3", "2", "9", "10"}));
    f.form->listCharts_ColumnClick(column::Slide);
    EXPECT_EQ(f.column(column::Slide), QStringList({"", "-3", "10", "2", "9"}));
    f.form->listCharts_ColumnClick(column::Name);
    const QStringList once = f.column(column::Name);
    f.form->listCharts_ColumnClick(column::Name);
    EXPECT_EQ(f.column(column::Name), once);
}

TEST(MainForm, ItemsAddedSinceTheLastCloseComeLast) {
    QByteArray cells = StoredFive;
    cells.replace(
        R"("A5":"C2","B5":"S1","D5":1,"E5":false,"F5":"Embedded","G5":5,"H5":"C2S1")",
        R"("A5":"Gone","B5":"S1","D5":1,"E5":false,"F5":"Embedded","G5":5,"H5":"GoneS1")");
    Form f(test::hostFromJson(fiveItems(cells)));
    // Stored with the old row count plus one as its order, so it sorts after the others.
    EXPECT_EQ(f.list().cell(4, column::Key), "C2S1");
    EXPECT_EQ(f.list().cell(4, column::Order), "6");
    EXPECT_TRUE(f.list().isChecked(4));
}

struct EntryCase {
    const char* typed;  // each character typed in turn, or pasted at once when `paste`
    bool paste;
    const char* result;
};

class SlideNumberEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(SlideNumberEntry, LeavesANumberOrNothing) {
    const auto& c = GetParam();
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    f.form->OptionPredefSlides_Click();
    f.list().selectRow(1);
    auto* box = f.child<QLineEdit>("TextBox10");
    box->clear();
    if (c.paste)
        box->setText(c.typed);
    else
        QTest::keyClicks(box, c.typed);
    EXPECT_EQ(box->text(), c.result) << c.typed;
    EXPECT_EQ(f.list().cell(1, column::Slide), c.result) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(MainForm, SlideNumberEntry,
                         ::testing::Values(EntryCase{"12a", false, "12"},
                                           EntryCase{"a12", true, ""}, EntryCase{" 7 ", false, "7"},
                                           EntryCase{"-", false, ""},
                                           EntryCase{"2.5", false, "2.5"},
                                           EntryCase{"-4", false, "4"}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(MainForm, CaptionGoesToTheSelectedRowOnly) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    f.list().selectRow(3);
    f.child<QLineEdit>("SlideTitle")->setText("Margin by region");
    EXPECT_EQ(f.list().cell(3, column::Caption), "Margin by region");
    EXPECT_EQ(f.list().cell(0, column::Caption), "third");
}

TEST(MainForm, HelpIconsShowTheirTexts) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    f.form->HelpMe_Click(2);
    auto* help = f.form->findChild<QWidget*>("HelpForm");
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(f.form->helpTexts().at(2).left(40), " In its default mode, Corvane exports th");
    EXPECT_TRUE(f.form->helpTexts().at(0).contains("\r\n\r\n1. For documentation purpose"));
    EXPECT_EQ(f.form->helpTexts().size(), 4u);
}

TEST(MainForm, DestinationChangesKeepTheFormatCode) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    auto* linked = f.child<QRadioButton>("OptionFormat_3");
    linked->click();
    EXPECT_EQ(f.t.state.pasteFormat, 3);
    auto* knob = f.child<chrome::SwitchKnob>("SwitchKnob4");
    knob->setPosition(3);  // PDF
    EXPECT_FALSE(linked->isEnabled());
    EXPECT_TRUE(f.child<QRadioButton>("OptionFormat_0")->isEnabled());
    EXPECT_EQ(f.t.state.pasteFormat, 3);
    EXPECT_EQ(knob->color(), QColor(255, 0, 0));
    EXPECT_EQ(f.child<QLineEdit>("Text2")->text(), " ");
    EXPECT_EQ(f.child<QRadioButton>("OptionNewSlides")->text(), "Paste to new created pages");
    knob->setPosition(0);
    EXPECT_TRUE(linked->isEnabled());
    EXPECT_EQ(f.child<QLineEdit>("Text2")->text(), "D.pptx ");
    knob->setPosition(1);  // no word processor on this desktop
    EXPECT_EQ(f.child<QLineEdit>("Text2")->text(), "-none-");
    knob->setPosition(4);
    EXPECT_EQ(f.child<QRadioButton>("OptionNewSlides")->text(), "Paste to new created image files");
    EXPECT_FALSE(f.child<QRadioButton>("OptionPredefSlides")->isEnabled());
}

struct PredefinedCase {
    QStringList slides;  // for the rows C3, Pie, C1 (checked) in list order
    int count;
    bool warned;
};

class PredefinedLaunch : public ::testing::TestWithParam<PredefinedCase> {};

TEST_P(PredefinedLaunch, CountsAndWarns) {
    const auto& c = GetParam();
    Form f(test::hostFromJson(fiveItems(StoredFive)));  // five slides
    f.child<QRadioButton>("OptionPredefSlides")->click();
    f.list().setChecked(1, true);
    for (int i = 0; i < 3; ++i) f.list().setCell(i, column::Slide, c.slides[i]);
    f.list().setCell(4, column::Slide, "1");  // unchecked: not counted
    f.child<QAbstractButton>("PasteIT")->click();
    EXPECT_EQ(f.exports.calls, QStringList({"powerPointDialog"}));
    EXPECT_EQ(f.t.state.exportCount, c.count);
    EXPECT_EQ(!f.t.state.slideNumberWarning.isEmpty(), c.warned);
    if (c.warned) {
        EXPECT_EQ(f.t.state.slideNumberWarning,
                  "At least one Slide Number in the list is greater\rthan the number of slides in "
                  "the PowerPoint "
                  "file.\rExport can't take place ");
    }
}

INSTANTIATE_TEST_SUITE_P(MainForm, PredefinedLaunch,
                         ::testing::Values(PredefinedCase{{"2", "9", "4"}, 3, true},
                                           PredefinedCase{{"2", "5", "4"}, 3, false},
                                           PredefinedCase{{"2", "", "4"}, 2, false},
                                           PredefinedCase{{"5.5", "2.5", ""}, 2, true},
                                           PredefinedCase{{"4.5", "2.5", ""}, 2, false}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(MainForm, ContinueOpensTheDestinationsDialogWithTheCount) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    auto* knob = f.child<chrome::SwitchKnob>("SwitchKnob4");
    const char* dialogs[5] = {"powerPointDialog", "wordExport", "webDialog", "pdfDialog",
                              "imageFilesDialog"};
    for (int d = 0; d < 5; ++d) {
        knob->setPosition(d);
        f.child<QAbstractButton>("PasteIT")->click();
        EXPECT_EQ(f.exports.calls.last(), dialogs[d]);
        if (d != 1) {
            EXPECT_EQ(f.exports.lastCount, 2) << d;
        }
    }
}

TEST(MainForm, PredefinedModeGreysRowsWithoutSlideNumbers) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    f.child<QRadioButton>("OptionPredefSlides")->click();
    const int c1 = f.rowOf("C1S1"), c3 = f.rowOf("C3S2");
    EXPECT_EQ(f.list().rowColor(c1), mainform::colors::buttonText());  // checked, slide 4
    EXPECT_EQ(f.list().rowColor(c3), mainform::colors::Grey);          // checked, no slide
    f.child<QRadioButton>("OptionNewSlides")->click();
    EXPECT_EQ(f.list().rowColor(c3), mainform::colors::buttonText());
}

TEST(MainForm, AnimationsReachTheirLimits) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    EXPECT_TRUE(f.form->timerEnabled(2));
    for (int i = 0; i < 100 && f.form->timerEnabled(2); ++i) f.form->Timer1_Timer(2);
    EXPECT_EQ(f.form->previewWidthTwips(), 4296);
    EXPECT_FALSE(f.form->timerEnabled(2));
    f.form->OptionPredefSlides_Click();
    for (int i = 0; i < 100 && f.form->timerEnabled(4); ++i) f.form->Timer1_Timer(4);
    EXPECT_EQ(f.form->slidePanelWidthTwips(), 3135);
    f.form->OptionNewSlides_Click();
    for (int i = 0; i < 100 && f.form->timerEnabled(4); ++i) f.form->Timer1_Timer(4);
    EXPECT_EQ(f.form->slidePanelWidthTwips(), 0);
    f.form->AddCaption_Click();
    EXPECT_EQ(f.form->captionPanelWidthTwips(), 0);
    for (int i = 0; i < 100 && f.form->timerEnabled(5); ++i) f.form->Timer1_Timer(5);
    EXPECT_EQ(f.form->captionPanelWidthTwips(), 3615);
}

TEST(MainForm, PreviewShowsTheClickedItem) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    for (const QString key : {"{Chart Sheet}Pie", "C1S1", "C3S2"}) {
        f.form->listCharts_ItemClick(f.rowOf(key));
        EXPECT_FALSE(f.form->preview().isNull()) << key.toStdString();
    }
    EXPECT_TRUE(f.t.prompt.messages().empty());
    EXPECT_EQ(f.child<QLineEdit>("SlideTitle")->text(), "third");
}

TEST(MainForm, PreviewRefusesMultipleSelection) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    f.form->listCharts_ItemClick(f.rowOf("C1S1"));
    f.form->listCharts_ItemClick(f.rowOf("PairS1"));
    EXPECT_TRUE(f.form->preview().isNull());
    ASSERT_EQ(f.t.prompt.messages().size(), 1u);
    EXPECT_EQ(f.t.prompt.messages()[0].text,
              "Corvane does not support multiple selection. This item could not be pasted");
    EXPECT_EQ(f.t.prompt.messages()[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(f.child<QLineEdit>("SlideTitle")->text(), "first");  // the boxes keep their texts
}

TEST(MainForm, ExpressPasteSelectsTheItemAndExports) {
    Form f(test::hostFromJson(fiveItems(StoredFive)));
    f.list().selectRow(f.rowOf("C1S1"));
    f.form->PasteExpressDisplayed();
    EXPECT_EQ(f.exports.calls, QStringList({"selectionToPowerPoint0"}));
    const auto sel = f.t.state.office.excel->selection();
    EXPECT_EQ(sel.chartName, "C1");
    f.child<chrome::SwitchKnob>("SwitchKnob4")->setPosition(3);
    f.form->PasteExpressDisplayed();  // PDF: the selection only
    EXPECT_EQ(f.exports.calls.size(), 1);
}

TEST(MainForm, CloseWritesTheListBackForTheNextOpen) {
    auto f = std::make_unique<Form>(test::hostFromJson(fiveItems(StoredFive)));
    auto& list = f->list();
    list.selectRow(2);  // C1 to the top
    f->form->Up_Click();
    f->form->Up_Click();
    list.setCell(1, column::Caption, "now captioned");
    list.setCell(3, column::Slide, "7");
    f->t.state.office.excel->setScreenUpdating(false);
    f->close();
    auto& ctx = f->t.state.office;
    EXPECT_TRUE(ctx.excel->screenUpdating());
    EXPECT_TRUE(ctx.excel->displayAlerts());
    const auto stored = statesheet::readStoredRows(*ctx.workbook);
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored[0].key, "C1S1");
    EXPECT_EQ(stored[0].order, "1");
    EXPECT_EQ(stored[1].caption, "now captioned");
    EXPECT_EQ(stored[3].slide, "7");
    EXPECT_FALSE(stored[3].checked);  // the pair stays unchecked
    EXPECT_EQ(stored[4].order, "5");

    Form again(test::hostFromJson(test::dump(*f->t.host)));
    EXPECT_EQ(again.column(column::Key),
              QStringList({"C1S1", "C3S2", "{Chart Sheet}Pie", "PairS1", "C2S1"}));
    EXPECT_EQ(again.list().cell(1, column::Caption), "now captioned");
    EXPECT_EQ(again.list().cell(3, column::Slide), "7");
}

}  // namespace
