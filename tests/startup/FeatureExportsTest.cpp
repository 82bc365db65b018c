#include <gtest/gtest.h>

#include <functional>

#include "startup/FeatureExports.h"
#include "support/TestRun.h"

namespace {

using test::TestRun;

// One launch of the main form, the slot it must reach, and what a build without it says.
struct Launch {
    const char* name;
    std::function<void(mainform::Exports&)> call;
    const char* reached;  // "slot:number"
    const char* missing;
};

const Launch launches[] = {
    {"powerPointDialog", [](auto& e) { e.openPowerPointDialog(); }, "powerPointDialog:-1",
     "Export to slides"},
    {"wordExport", [](auto& e) { e.startWordExport(); }, "wordExport:-1", "Export to documents"},
    {"webDialog", [](auto& e) { e.openWebDialog(); }, "webDialog:-1", "Export to a web page"},
    {"pdfDialog", [](auto& e) { e.openPdfDialog(); }, "pdfDialog:-1", "Export to PDF"},
    {"imageFilesDialog", [](auto& e) { e.openImageFilesDialog(); }, "imageFilesDialog:-1",
     "Export to image files"},
    {"layout", [](auto& e) { e.showLayoutForm(); }, "layout:-1", "The layout window"},
    {"selectionToPowerPoint", [](auto& e) { e.exportSelectionToPowerPoint(3); }, "powerPoint:3",
     "Export to slides"},
    {"expressPasteToWord", [](auto& e) { e.exportSelectionToWord(2); }, "expressWord:2",
     "Export to documents"},
    {"selectionToImageFile", [](auto& e) { e.exportSelectionToImageFile(); }, "image:-1",
     "Export to image files"},
};

QString reachedBy(TestRun& t, const Launch& launch) {
    QString reached;
    auto& f = t.features;
    auto mark = [&](const char* slot, int n = -1) {
        reached = QStringLiteral("%1:%2").arg(QLatin1String(slot)).arg(n);
    };
    f.powerPointDialog = [&](startup::Run&) { mark("powerPointDialog"); };
    f.wordExport = [&](startup::Run&) { mark("wordExport"); };
    f.webDialog = [&](startup::Run&) { mark("webDialog"); };
    f.pdfDialog = [&](startup::Run&) { mark("pdfDialog"); };
    f.imageFilesDialog = [&](startup::Run&) { mark("imageFilesDialog"); };
    f.showLayoutForm = [&](startup::Run&) { mark("layout"); };
    f.selectionToPowerPoint = [&](startup::Run&, int n) { mark("powerPoint", n); };
    f.selectionToWord = [&](startup::Run&, int n) { mark("word", n); };
    f.expressPasteToWord = [&](startup::Run&, int n) { mark("expressWord", n); };
    f.selectionToImageFile = [&](startup::Run&) { mark("image"); };
    startup::FeatureExports exports(t.run);
    launch.call(exports);
    return reached;
}

TEST(FeatureExports, EachLaunchReachesItsOwnFeature) {
    for (const auto& launch : launches) {
        TestRun t(test::loadFixture("four-items.json"));
        EXPECT_EQ(reachedBy(t, launch), QLatin1String(launch.reached)) << launch.name;
        EXPECT_TRUE(t.prompt.messages().empty()) << launch.name;
    }
}

TEST(FeatureExports, AMissingFeatureSaysSoInsteadOfDoingNothing) {
    for (const auto& launch : launches) {
        TestRun t(test::loadFixture("four-items.json"));
        startup::FeatureExports exports(t.run);
        launch.call(exports);
        ASSERT_EQ(t.prompt.messages().size(), 1u) << launch.name;
        EXPECT_EQ(t.prompt.messages()[0].text,
                  QStringLiteral("%1 is not available in this version of Corvane yet.")
                      .arg(QLatin1String(launch.missing)))
            << launch.name;
    }
}

TEST(FeatureExports, ClosingRunsEveryFeaturesClose) {
    TestRun t(test::loadFixture("four-items.json"));
    int closed = 0;
    t.features.closeWindows = {[&](startup::Run&) { ++closed; },
                               [&](startup::Run&) { closed += 10; }};
    startup::FeatureExports(t.run).closeAll();
    EXPECT_EQ(closed, 11);
}

}  // namespace
