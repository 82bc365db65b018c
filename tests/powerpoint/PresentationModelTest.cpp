#include <gtest/gtest.h>

#include "office/Error.h"
#include "support/Slides.h"

namespace {

using test::SlidesRun;

// What the exports rely on in the built-in presentation application.
TEST(PresentationModel, SelectionFollowsTheSlideInView) {
    SlidesRun t;
    auto pp = t.host->attachPowerPoint();
    auto window = pp->activeWindow();
    auto deck = pp->activePresentation();
    EXPECT_EQ(window->viewSlideIndex(), 2);
    EXPECT_THROW(window->selectedShape(), office::Error);
    // A shape is selected only on the slide in view; the title counts first.
    EXPECT_THROW(deck->slide(1)->shape(1)->select(), office::Error);
    deck->slide(2)->shape(2)->select();
    EXPECT_EQ(window->selectedShape()->name(), QStringLiteral("TextBox 2"));
    deck->slide(2)->shape(1)->select();
    EXPECT_EQ(window->selectedShape()->name(), QStringLiteral("Title 1"));
    deck->slide(5)->select();
    EXPECT_EQ(window->viewSlideIndex(), 5);
    EXPECT_THROW(window->selectedShape(), office::Error);
    EXPECT_THROW(deck->slide(6), office::Error);
    EXPECT_THROW(deck->slide(5)->shape(2), office::Error);
}

TEST(PresentationModel, NewSlidesAndLayouts) {
    SlidesRun t;
    auto deck = t.host->attachPowerPoint()->activePresentation();
    deck->addSlide(1, office::ppLayoutBlank);
    EXPECT_FALSE(deck->slide(1)->hasTitle());
    EXPECT_EQ(t.deck().window->slideIndex, 3) << "the slide in view stays in view";
    deck->slide(1)->setLayout(office::ppLayoutTitleOnly);
    EXPECT_TRUE(deck->slide(1)->hasTitle());
    EXPECT_DOUBLE_EQ(deck->slide(1)->title()->width(), 648);
    deck->slide(1)->setLayout(office::ppLayoutBlank);
    EXPECT_THROW(deck->slide(1)->title(), office::Error);
    EXPECT_THROW(deck->addSlide(8, 11), office::Error);
}

TEST(PresentationModel, LockedAspectRatioScalesTheOtherSide) {
    SlidesRun t;
    auto shape = t.host->attachPowerPoint()->activePresentation()->slide(2)->shape(2);
    shape->setLockAspectRatio(true);
    shape->setWidth(300);
    EXPECT_DOUBLE_EQ(shape->height(), 60);
    shape->setLockAspectRatio(false);
    shape->setHeight(10);
    EXPECT_DOUBLE_EQ(shape->width(), 300);
    EXPECT_EQ(t.powerPoint().changesWhileUnlocked, 2);
}

}  // namespace
