#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

#include "powerpoint/PictureStyles.h"
#include "support/Slides.h"

namespace {

using office::memory::ReflectionFormat;
using office::memory::ShadowFormat;
using office::memory::Shape;
using test::SlidesRun;

// A picture pasted last on slide 2, styled through the newest shape's index (the title counts).
Shape styled(SlidesRun& t, int style, const QString& kind = QStringLiteral("bitmap")) {
    Shape s;
    s.kind = kind;
    s.width = 100;
    s.height = 50;
    t.slide(2).shapes.push_back(s);
    t.state.pictureStyle = style;
    powerpoint::ApplyPictureStyle(t.services, t.state,
                                  static_cast<int>(t.slide(2).shapes.size()) + 1);
    return t.slide(2).shapes.back();
}

TEST(PictureStyles, EachStyleMakesItsSettings) {
    SlidesRun t;
    const Shape none = styled(t, 0);
    EXPECT_FALSE(none.shadowFormat);
    EXPECT_FALSE(none.autoShapeType);

    const Shape all = styled(t, 1);
    EXPECT_EQ(all.shadowFormat, (ShadowFormat{25, 100, {}, {}, QStringLiteral("#000000")}));

    const Shape offset = styled(t, 2);
    EXPECT_EQ(offset.shadow, true);
    EXPECT_EQ(offset.shadowFormat,
              (ShadowFormat{{}, 100, 8.12132, 8.12132, QStringLiteral("#000000")}));

    const Shape rounded = styled(t, 3);
    EXPECT_EQ(rounded.autoShapeType, 5);
    EXPECT_EQ(rounded.adjustments, std::vector<double>{0.05});

    // A plain picture has no adjustment: that setting fails alone, the shadow after it is made.
    const Shape reflection = styled(t, 4);
    EXPECT_EQ(reflection.reflectionFormat, (ReflectionFormat{1, 20}));
    EXPECT_FALSE(reflection.adjustments);
    EXPECT_EQ(reflection.shadow, true);

    const Shape both = styled(t, 5);
    EXPECT_EQ(both.reflectionFormat, (ReflectionFormat{1, 20}));
    EXPECT_EQ(both.autoShapeType, 5);
    EXPECT_EQ(both.adjustments, std::vector<double>{0.05});
}

TEST(PictureStyles, FailingSettingsLeaveTheShapeOrSlideAsTheyWere) {
    SlidesRun t;
    // A linked object takes no outline; its shadow still comes.
    const Shape linked = styled(t, 5, QStringLiteral("linked"));
    EXPECT_FALSE(linked.autoShapeType);
    EXPECT_EQ(linked.shadow, true);

    const auto before = t.slide(2);
    t.state.pictureStyle = 5;
    powerpoint::ApplyPictureStyle(t.services, t.state, 9);
    EXPECT_EQ(t.slide(2), before);
}

TEST(PictureStyles, WindowResetsTheStyleAndTakesAClick) {
    SlidesRun t;
    t.state.pictureStyle = 4;
    auto* w = new powerpoint::PredefinedStyles(t.state);
    w->Form_Load();
    w->show();
    EXPECT_EQ(t.state.pictureStyle, 0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" Corvane 4.5"));
    auto* rounded = w->option(3);
    EXPECT_EQ(rounded->text(), QStringLiteral("Rounded corners"));
    QTest::mouseClick(rounded, Qt::LeftButton, {}, QPoint(6, rounded->height() / 2));
    EXPECT_EQ(t.state.pictureStyle, 3);
    EXPECT_TRUE(rounded->font().bold());
    EXPECT_FALSE(w->option(0)->font().bold());
    QTest::mouseClick(w->findChild<QWidget*>("Styles"), Qt::LeftButton);
    EXPECT_EQ(t.state.pictureStyle, 3);
    QApplication::processEvents();
}

}  // namespace
