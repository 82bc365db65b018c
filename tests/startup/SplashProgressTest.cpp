#include <gtest/gtest.h>

#include "chrome/ProgressBar.h"
#include "startup/CorvaneLoad.h"
#include "startup/Dispatch.h"
#include "startup/SplashProgress.h"
#include "statesheet/StateSheet.h"
#include "support/Recorders.h"
#include "support/TestRun.h"

namespace {

// The fill pass steps the splash bar once per listed item.
TEST(SplashProgress, FillAdvancesTheBarPerListedItem) {
    // Hidden items are counted but not listed: the bar ends below 100%.
    test::TestRun t(
        test::hostFromJson(R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx",
        "activeSheet":"S","sheets":[{"name":"S","type":"worksheet","charts":[
          {"name":"A","topLeft":"A1","bottomRight":"B2"},{"name":"B","topLeft":"A1","bottomRight":"B2"},
          {"name":"C","topLeft":"A1","bottomRight":"B2"}]},
          {"name":"H","type":"worksheet","visible":0,"charts":[{"name":"D","topLeft":"A1","bottomRight":"B2"}]}]}]}})"));
    startup::attachOffice(*t.host, t.state.office);
    t.state.office.itemCount =
        inventory::CountItems(*t.state.office.excel, *t.state.office.workbook);
    ASSERT_TRUE(statesheet::OpenMainForm(t.state.office, t.prompt, {}));
    startup::CorvaneLoad splash;
    startup::SplashProgress progress(t.state.progress, splash.bar(), t.services.pacer());
    statesheet::Session session{t.state.office, t.state.items, t.state.stateSheet, progress};
    test::RecordingList list;
    statesheet::FillListFromStateSheet(session, list);
    EXPECT_EQ(t.state.progress.loadTotal, 4);
    EXPECT_EQ(t.state.progress.loadDone, 3);
    EXPECT_FALSE(splash.bar()->isHidden());
    EXPECT_EQ(splash.bar()->value(), 75);
    EXPECT_EQ(splash.bar()->caption(), "75%");
}

}  // namespace
