#include <gtest/gtest.h>

#include <QJsonArray>

#include "layout/Layout.h"
#include "office/Error.h"
#include "support/Slides.h"

namespace {

using test::SlidesRun;

// A picture of that size put last on slide 2 (title top 30, height 60, on a 720 x 540 slide),
// then read and placed as an export does.
struct Placed {
    office::memory::Shape shape;
    int unlockedChanges = 0;
};

Placed place(SlidesRun& t, double width, double height, int slide = 2) {
    office::memory::Shape s;
    s.kind = QStringLiteral("bitmap");
    s.width = width;
    s.height = height;
    s.left = 7;
    s.top = 9;
    t.slide(slide).shapes.push_back(s);
    t.state.powerPoint.currentSlideIndex = slide;
    t.state.office.presentation->slide(slide)->select();
    layout::ReadLayoutSettings(t.services, t.state);
    layout::PlacePastedShape(t.services, t.state, [&](bool on) {
        t.powerPoint().lockWindowUpdate(on ? 0 : t.powerPoint().findWindow({}, {}));
    });
    return {t.slide(slide).shapes.back(), t.powerPoint().changesWhileUnlocked};
}

struct PlacementCase {
    const char* name;
    QJsonValue o1, p1, r1;
    double width, height;  // of the picture
    double top, left, placedWidth, placedHeight;
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, MovesAndScalesTheNewestShape) {
    const auto& c = GetParam();
    SlidesRun t([&](QJsonObject& root) { test::setLayoutCells(root, c.o1, c.p1, c.r1); });
    const Placed p = place(t, c.width, c.height);
    EXPECT_DOUBLE_EQ(p.shape.top, c.top);
    EXPECT_DOUBLE_EQ(p.shape.left, c.left);
    EXPECT_DOUBLE_EQ(p.shape.width, c.placedWidth);
    EXPECT_DOUBLE_EQ(p.shape.height, c.placedHeight);
    EXPECT_TRUE(p.shape.lockAspectRatio);
    EXPECT_EQ(p.unlockedChanges, 0) << "moved while PowerPoint's window was drawing";
    EXPECT_FALSE(t.host->clipboard().hasFormat(office::Clipboard::Format::Any));
}

INSTANTIATE_TEST_SUITE_P(
    Layout, Placement,
    ::testing::Values(
        // Under the title (1.05 x 90 / 540 of 540), 0.9 of the width, centred.
        PlacementCase{"WorkedExample", "Default", "Default", "Default", 320, 160, 94.5, 36, 648,
                      324},
        PlacementCase{"EmptyCellsAreDefault", QJsonValue(), QJsonValue(), QJsonValue(), 320, 160,
                      94.5, 36, 648, 324},
        // Full width from the middle: the right edge cuts the width, the height follows.
        PlacementCase{"RightLimit", "Default", 1, 0.5, 320, 160, 94.5, 360, 360, 180},
        // A tall picture stops at 0.95 of the slide height, its width shrinking with it;
        // (720 - 104.625) rounds to 615, halved without remainder.
        PlacementCase{"BottomLimit", "Default", "Default", "Default", 100, 400, 94.5, 307, 104.625,
                      418.5},
        PlacementCase{"RelativeTop", 0.5, "Default", 0.1, 320, 160, 270, 72, 486, 243},
        PlacementCase{"RelativeWidth", 0.2, 0.5, "Default", 320, 160, 108, 180, 360, 180}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Layout, SettingTextOtherThanDefaultFailsThePlacementAndUnlocks) {
    SlidesRun t(
        [](QJsonObject& root) { test::setLayoutCells(root, "default", "Default", "Default"); });
    EXPECT_THROW(place(t, 320, 160), office::Error);
    EXPECT_EQ(t.powerPoint().lockedWindow, 0) << "PowerPoint's window left locked";
}

TEST(Layout, SlideWithoutTitleUsesTheLastTitleSeen) {
    SlidesRun t;
    // Before any title: the title values are 0 and the top is 0.
    EXPECT_DOUBLE_EQ(place(t, 320, 160, 4).shape.top, 0);
    // After slide 2's title (30 + 60), slide 4 takes it.
    place(t, 320, 160, 2);
    EXPECT_DOUBLE_EQ(place(t, 320, 160, 4).shape.top, 94.5);
}

TEST(Layout, NothingWithoutStateSheet) {
    SlidesRun t([](QJsonObject& root) { test::removeSheet(root, "kukukukuVovezuv"); });
    const Placed p = place(t, 320, 160);
    EXPECT_DOUBLE_EQ(p.shape.left, 7);
    EXPECT_DOUBLE_EQ(p.shape.top, 9);
    EXPECT_DOUBLE_EQ(p.shape.width, 320);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.state.layout.width));
}

TEST(Layout, ReadingStopsAtTheFirstErrorKeepingEarlierValues) {
    SlidesRun t;
    t.state.layout.width = 0.5;
    t.state.layout.titleTop = 11;
    t.deck().window.reset();  // no window: no selection to read the title from
    layout::ReadLayoutSettings(t.services, t.state);
    EXPECT_EQ(std::get<double>(t.state.layout.width), 0.5);
    EXPECT_EQ(t.state.layout.titleTop, 11);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.state.layout.top));
}

}  // namespace
