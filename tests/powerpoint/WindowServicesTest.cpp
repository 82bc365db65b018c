#include <gtest/gtest.h>

#include "powerpoint/WindowServices.h"
#include "support/Slides.h"

namespace {

using test::SlidesRun;

struct VersionCase {
    const char* version;
    const char* windowClass;
};

class WindowClass : public ::testing::TestWithParam<VersionCase> {};

TEST_P(WindowClass, FollowsTheMajorVersion) {
    EXPECT_EQ(powerpoint::WindowClassForVersion(QString::fromLatin1(GetParam().version)),
              QString::fromLatin1(GetParam().windowClass));
}

INSTANTIATE_TEST_SUITE_P(
    Lock, WindowClass,
    ::testing::Values(VersionCase{"8.0", "PP97FrameClass"}, VersionCase{"9.0", "PP9FrameClass"},
                      VersionCase{"12.0", "PP12FrameClass"}, VersionCase{"14.0", "PPTFrameClass"},
                      VersionCase{"16.0", "PPTFrameClass"}, VersionCase{"13.0", ""},
                      VersionCase{"17.0", ""}, VersionCase{"160", ""}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(Lock, LocksPowerPointsMainWindowAndRedrawsOnUnlock) {
    SlidesRun t;
    powerpoint::SetPowerPointScreenUpdating(t.services, t.state, false);
    const qint64 window = t.powerPoint().findWindow(QStringLiteral("PPTFrameClass"), {});
    ASSERT_NE(window, 0);
    EXPECT_EQ(t.powerPoint().lockedWindow, window);
    EXPECT_EQ(t.state.powerPoint.lockedWindow, window);
    powerpoint::SetPowerPointScreenUpdating(t.services, t.state, true);
    EXPECT_EQ(t.powerPoint().lockedWindow, 0);
    EXPECT_EQ(t.state.powerPoint.lockedWindow, 0);
    EXPECT_EQ(t.powerPoint().redraws, 1);
}

TEST(Lock, UnknownVersionOrNoWindowGoesOnWithoutLock) {
    for (const char* version : {"13.0", "17.0"}) {
        SlidesRun t([&](QJsonObject& root) { test::setPowerPoint(root, "version", version); });
        powerpoint::SetPowerPointScreenUpdating(t.services, t.state, false);
        EXPECT_EQ(t.powerPoint().lockedWindow, 0) << version;
    }
    SlidesRun t;
    t.deck().window.reset();
    powerpoint::SetPowerPointScreenUpdating(t.services, t.state, false);
    EXPECT_EQ(t.powerPoint().lockedWindow, 0);
    // Unlocking without a lock redraws nothing and raises nothing.
    powerpoint::SetPowerPointScreenUpdating(t.services, t.state, true);
    EXPECT_EQ(t.powerPoint().redraws, 0);
}

TEST(Front, FindsTheWindowByItsExactTitle) {
    SlidesRun t;
    qint64 handle = 0;
    EXPECT_FALSE(powerpoint::BringWindowToFront(t.powerPoint(), "Deck - PowerPoint", handle, 1));
    EXPECT_EQ(handle, 0);
    EXPECT_TRUE(
        powerpoint::BringWindowToFront(t.powerPoint(), "Deck.pptx - PowerPoint", handle, 1));
    EXPECT_NE(handle, 0);
    EXPECT_EQ(t.powerPoint().foregroundWindow, handle);
    EXPECT_EQ(t.deck().window->showState, 1);
    EXPECT_EQ(
        powerpoint::FindWindowByTitle(t.powerPoint(), "Deck.pptx - PowerPoint", "PP12FrameClass"),
        0);
}

TEST(Front, WaitAsksThePacer) {
    SlidesRun t;
    powerpoint::WaitWithEvents(t.services.pacer(), 1000);
    EXPECT_EQ(t.waited(), 1000);
}

}  // namespace
