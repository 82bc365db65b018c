#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QTest>

#include "chrome/ThemedButton.h"

namespace {

using Look = chrome::ThemedButton::Look;

class ThemedButtonTest : public ::testing::Test {
  protected:
    ThemedButtonTest() : button(QStringLiteral("Continue")) { button.resize(110, 30); }

    void enter() {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(&button, &event);
    }
    void leave() {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&button, &event);
    }
    QImage render() { return button.grab().toImage(); }
    // A point of the face away from the text and the border.
    QColor face() { return render().pixelColor(5, button.height() / 2); }

    chrome::ThemedButton button;
};

TEST_F(ThemedButtonTest, EachStateHasItsOwnLook) {
    const QImage normal = render();
    EXPECT_EQ(button.look(), Look::Normal);
    enter();
    EXPECT_EQ(button.look(), Look::Hover);
    const QImage hover = render();
    button.setDown(true);
    EXPECT_EQ(button.look(), Look::Pressed);
    const QImage pressed = render();
    button.setDown(false);
    button.setEnabled(false);
    EXPECT_EQ(button.look(), Look::Disabled);
    const QImage disabled = render();

    const QImage looks[] = {normal, hover, pressed, disabled};
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) EXPECT_NE(looks[i], looks[j]) << i << " vs " << j;
}

TEST_F(ThemedButtonTest, HoverIsLighterPressedDarkerDisabledGrey) {
    const int normal = face().lightness();
    enter();
    EXPECT_GT(face().lightness(), normal);
    leave();
    EXPECT_EQ(face().lightness(), normal);
    button.setDown(true);
    EXPECT_LT(face().lightness(), normal);
    button.setDown(false);
    button.setEnabled(false);
    EXPECT_LT(face().hslSaturation(), 20);
}

TEST_F(ThemedButtonTest, MouseDrivesThePressedLookAndTheClick) {
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    const QImage normal = render();
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 15));
    EXPECT_EQ(button.look(), Look::Pressed);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(20, 15));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(render(), normal);
}

TEST_F(ThemedButtonTest, DisabledWinsOverHoverAndPressed) {
    button.setEnabled(false);
    const QImage disabled = render();
    button.setEnabled(true);
    enter();
    button.setDown(true);
    button.setEnabled(false);
    EXPECT_EQ(button.look(), Look::Disabled);
    EXPECT_EQ(render(), disabled);
}

TEST_F(ThemedButtonTest, FaceFollowsTheThemeColour) {
    button.setThemeColor(QColor(200, 30, 30));
    const QColor red = face();
    EXPECT_GT(red.red(), red.green() + 80);
    EXPECT_GT(red.red(), red.blue() + 80);
    button.setThemeColor(QColor(30, 160, 30));
    const QColor green = face();
    EXPECT_GT(green.green(), green.red() + 60);
}

}  // namespace
