#include <gtest/gtest.h>

#include <QSignalSpy>

#include "chrome/ProgressBar.h"

namespace {

QImage render(chrome::ProgressBar& bar) {
    return bar.grab().toImage();
}

class ProgressBarTest : public ::testing::Test {
  protected:
    ProgressBarTest() { bar.resize(200, 22); }
    chrome::ProgressBar bar;
};

TEST_F(ProgressBarTest, ValueIsClampedAndSignalledOnlyWhenItChanges) {
    struct Case {
        int set;
        int expected;
        bool signalled;
    };
    const Case cases[] = {{45, 45, true},    {45, 45, false}, {150, 100, true},
                          {100, 100, false}, {-5, 0, true},   {0, 0, false}};
    for (const Case& c : cases) {
        QSignalSpy spy(&bar, &chrome::ProgressBar::valueChanged);
        bar.setValue(c.set);
        EXPECT_EQ(bar.value(), c.expected) << c.set;
        ASSERT_EQ(spy.count(), c.signalled ? 1 : 0) << c.set;
        if (c.signalled) {
            EXPECT_EQ(spy.at(0).at(0).toInt(), c.expected);
        }
    }
}

TEST_F(ProgressBarTest, FillFollowsTheValue) {
    bar.setValue(45);
    const QImage image = render(bar);
    const QColor inside = image.pixelColor(bar.width() * 30 / 100, bar.height() / 2);
    const QColor beyond = image.pixelColor(bar.width() * 70 / 100, bar.height() / 2);
    EXPECT_GT(inside.green(), inside.red() + 40) << "the bar's colour up to 45%";
    EXPECT_LT(beyond.value(), 60) << "the dark track after 45%";
}

TEST_F(ProgressBarTest, CaptionIsDrawnOnTheBar) {
    bar.setValue(45);
    const QImage plain = render(bar);
    bar.setCaption(QStringLiteral("45%"));
    EXPECT_EQ(bar.caption(), "45%");
    EXPECT_NE(render(bar), plain);
}

TEST_F(ProgressBarTest, ResetEmptiesValueAndCaption) {
    const QImage fresh = render(bar);
    bar.setValue(70);
    bar.setCaption(QStringLiteral("70%"));
    QSignalSpy values(&bar, &chrome::ProgressBar::valueChanged);
    QSignalSpy captions(&bar, &chrome::ProgressBar::captionChanged);
    bar.reset();
    EXPECT_EQ(bar.value(), 0);
    EXPECT_TRUE(bar.caption().isEmpty());
    ASSERT_EQ(values.count(), 1);
    EXPECT_EQ(values.at(0).at(0).toInt(), 0);
    EXPECT_EQ(captions.count(), 1);
    EXPECT_EQ(render(bar), fresh);
}

}  // namespace
