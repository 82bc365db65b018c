#include <gtest/gtest.h>

#include "startup/Dispatch.h"
#include "startup/Messages.h"
#include "support/TestRun.h"

namespace {

using test::TestRun;

// Records which handler a code reached and with which number.
struct Routed {
    QString handler;
    int number = -1;
};

Routed route(TestRun& t, const QString& code) {
    Routed r;
    auto& f = t.features;
    f.showMainForm = [&](startup::Run&) { r.handler = "mainForm"; };
    f.showLayoutForm = [&](startup::Run&) { r.handler = "layout"; };
    f.showAbout = [&](startup::Run&) { r.handler = "about"; };
    f.selectionToPowerPoint = [&](startup::Run&, int n) { r = {"powerPoint", n}; };
    f.selectionToWord = [&](startup::Run&, int n) { r = {"word", n}; };
    f.selectionToImageFile = [&](startup::Run&) { r.handler = "image"; };
    startup::startUp(code, t.run);
    return r;
}

struct CodeCase {
    const char* code;
    const char* handler;
    int number;
};

class Codes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(Codes, ReachTheirHandler) {
    const auto& c = GetParam();
    TestRun t(test::loadFixture("four-items.json"));
    t.host->attachExcel()->activeWorkbook()->sheet("Sheet1")->range("K1").select();  // touches no
                                                                                     // chart
    const Routed r = route(t, c.code);
    EXPECT_EQ(r.handler, c.handler) << c.code;
    EXPECT_EQ(r.number, c.number) << c.code;
    EXPECT_TRUE(t.prompt.messages().empty()) << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    Dispatch, Codes,
    ::testing::Values(CodeCase{"/004", "about", -1}, CodeCase{"/922", "about", -1},
                      CodeCase{"/006", "layout", -1}, CodeCase{"/112", "mainForm", -1},
                      CodeCase{"/212", "powerPoint", 0}, CodeCase{"/312", "powerPoint", 1},
                      CodeCase{"/3122", "powerPoint", 2}, CodeCase{"/412", "powerPoint", 3},
                      CodeCase{"/512", "word", 0}, CodeCase{"/612", "word", 1},
                      CodeCase{"/712", "word", 2}, CodeCase{"/812", "word", 3},
                      CodeCase{"/111", "image", -1}, CodeCase{" /112", "", -1},
                      CodeCase{"/112 ", "", -1}, CodeCase{"/999", "", -1}, CodeCase{"", "", -1}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(Dispatch, WebPagesGoToTheDesktopWithoutAWorkbook) {
    TestRun t(test::loadFixture("no-workbook.json"));
    for (const QString code : {"/001", "/002", "/003"}) startup::startUp(code, t.run);
    EXPECT_EQ(t.shell.opened(),
              QStringList({startup::HelpAddress, startup::FaqAddress, startup::PurchaseAddress}));
    EXPECT_EQ(t.state.office.itemCount, 0);
}

TEST(Dispatch, SelectionCodesWithoutWorkbookEndSilently) {
    for (const QString code : {"/212", "/3122", "/512", "/812", "/111"}) {
        TestRun t(test::loadFixture("no-workbook.json"));
        EXPECT_EQ(route(t, code).handler, "") << code.toStdString();
        EXPECT_TRUE(t.prompt.messages().empty());
    }
}

TEST(Dispatch, AttachFillsTheContext) {
    TestRun t(test::loadFixture("four-items.json"));
    startup::startUp("/999", t.run);
    const auto& c = t.state.office;
    ASSERT_TRUE(c.excel);
    ASSERT_TRUE(c.workbook);
    EXPECT_EQ(c.workbook->name(), "Book1.xlsx");
    EXPECT_EQ(c.startSheetName, "Sheet1");
    EXPECT_FALSE(c.powerPoint);  // not running on this desktop
    EXPECT_EQ(c.itemCount, 4);
    EXPECT_TRUE(c.excel->displayAlerts());
}

TEST(Dispatch, HandlersNotInThisBuildSaySo) {
    TestRun t(test::loadFixture("four-items.json"));
    startup::startUp("/212", t.run);
    ASSERT_EQ(t.prompt.messages().size(), 1u);
    EXPECT_TRUE(t.prompt.messages()[0].text.contains("not available"));
}

// The selection of each case on Sheet1, whose charts cover D2:H12 and D14:H24.
struct ScanCase {
    const char* selection;
    bool refused;
};

class EmbeddedChartScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(EmbeddedChartScan, RefusesSelectionsOverCharts) {
    const auto& c = GetParam();
    TestRun t(test::loadFixture("four-items.json"));
    t.host->attachExcel()->activeWorkbook()->sheet("Sheet1")->range(c.selection).select();
    const Routed r = route(t, "/3122");
    if (c.refused) {
        EXPECT_EQ(r.handler, "") << c.selection;
        ASSERT_EQ(t.prompt.messages().size(), 1u);
        EXPECT_EQ(t.prompt.messages()[0].text, startup::messages::EmbeddedCharts);
        EXPECT_TRUE(t.prompt.messages()[0].systemModal);
        EXPECT_EQ(t.prompt.messages()[0].icon, platform::Icon::Warning);
    } else {
        EXPECT_EQ(r.handler, "powerPoint") << c.selection;
        EXPECT_EQ(r.number, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Dispatch, EmbeddedChartScan,
                         ::testing::Values(ScanCase{"A1:B3", false}, ScanCase{"H12", true},
                                           ScanCase{"D2", true}, ScanCase{"I1:J30", false},
                                           ScanCase{"A13:Z13", false}, ScanCase{"A1,E20", true},
                                           ScanCase{"A1:C30", false}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Dispatch, EmbeddedChartScanPassesChartSelections) {
    auto host =
        test::hostFromJson(R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
        "activeSheet":"S","selection":{"kind":"chartArea","chart":"C"},
        "sheets":[{"name":"S","type":"worksheet","charts":[{"name":"C","topLeft":"A1","bottomRight":"C4"}]}]}]}})");
    TestRun t(std::move(host));
    EXPECT_EQ(route(t, "/3122").handler, "powerPoint");
}

TEST(BatchMode, WithoutWorkbookAsksAndCancelEnds) {
    TestRun t(test::loadFixture("no-workbook.json"));
    EXPECT_EQ(route(t, "/112").handler, "");
    ASSERT_EQ(t.prompt.messages().size(), 1u);
    const auto& m = t.prompt.messages()[0];
    EXPECT_EQ(m.text, "Corvane didn't found an open Excel file \r\rWould you want to open one?");
    EXPECT_EQ(m.icon, platform::Icon::Question);
    EXPECT_EQ(m.buttons, platform::Buttons::OkCancel);
}

TEST(BatchMode, OkOpensTheFileDialogAndCancelInItSaysSo) {
    TestRun t(test::loadFixture("no-workbook.json"));
    t.prompt.answerNext(platform::Answer::Ok);
    EXPECT_EQ(route(t, "/112").handler, "");
    EXPECT_EQ(t.prompt.texts(), QStringList({startup::messages::NoWorkbook, "No file selected."}));
    EXPECT_FALSE(t.host->attachExcel()->activeWorkbook());
}

TEST(BatchMode, NoItemsWarns) {
    TestRun t(test::loadFixture("no-items.json"));
    EXPECT_EQ(route(t, "/112").handler, "");
    ASSERT_EQ(t.prompt.messages().size(), 1u);
    EXPECT_EQ(t.prompt.messages()[0].text, startup::messages::NoItems);
    EXPECT_FALSE(t.prompt.messages()[0].systemModal);
    EXPECT_EQ(t.prompt.messages()[0].icon, platform::Icon::Warning);
    EXPECT_FALSE(t.host->attachExcel()->activeWorkbook()->worksheet("kukukukuVovezuv"));
}

TEST(BatchMode, AnotherInstanceRunningEndsSilently) {
    TestRun t(test::loadFixture("four-items.json"));
    platform::InstanceLock other(t.lockFolder.path());
    ASSERT_TRUE(other.acquire());
    EXPECT_EQ(route(t, "/112").handler, "");
    EXPECT_TRUE(t.prompt.messages().empty());
}

TEST(BatchMode, OpensTheMainFormWithTheSplashUp) {
    TestRun t(test::loadFixture("four-items.json"));
    bool splashUp = false;
    t.features.showMainForm = [&](startup::Run& run) {
        splashUp = run.splash && run.splash->isVisible();
    };
    startup::startUp("/112", t.run);
    EXPECT_TRUE(splashUp);
    EXPECT_TRUE(t.host->attachExcel()->activeWorkbook()->worksheet("kukukukuVovezuv"));
}

TEST(BatchMode, TooManyItemsStopBeforeTheWorkbookIsTouched) {
    QByteArray names = "[";
    for (int i = 0; i <= inventory::MaxItems; ++i)
        names += QStringLiteral(R"(%1{"name":"Item_%2","refersTo":"=S!$A$1"})")
                     .arg(i ? "," : "")
                     .arg(i)
                     .toUtf8();
    TestRun t(
        test::hostFromJson(R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
        "activeSheet":"S","sheets":[{"name":"S","type":"worksheet"}],"names":)" +
                           names + "]}]}}"));
    EXPECT_EQ(route(t, "/112").handler, "");
    ASSERT_EQ(t.prompt.messages().size(), 1u);
    EXPECT_TRUE(t.prompt.messages()[0].text.contains("32767"));
    EXPECT_FALSE(t.host->attachExcel()->activeWorkbook()->worksheet("kukukukuVovezuv"));
}

}  // namespace
