#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "chrome/SwitchKnob.h"

namespace {

class SwitchKnobTest : public ::testing::Test {
  protected:
    SwitchKnobTest() { knob.resize(180, 180); }

    void click(int position) {
        QTest::mouseClick(&knob, Qt::LeftButton, {}, knob.positionPoint(position).toPoint());
    }
    void wheel(int deltaY) {
        const QPointF at = knob.knobCenter();
        QWheelEvent event(at, knob.mapToGlobal(at), QPoint(), QPoint(0, deltaY), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&knob, &event);
    }
    // A point inside the face, `fraction` of the radius from the centre towards `position`.
    QPoint towards(int position, double fraction) const {
        const QPointF c = knob.knobCenter();
        return (c + (knob.positionPoint(position) - c) * fraction).toPoint();
    }

    chrome::SwitchKnob knob;
};

TEST_F(SwitchKnobTest, StartsAtZeroWithFivePositionsAndTheDestinationColours) {
    EXPECT_EQ(knob.objectName(), "SwitchKnob");
    EXPECT_EQ(knob.position(), 0);
    ASSERT_EQ(knob.positionCount(), 5);
    const QColor expected[] = {QColor(0, 0, 255), QColor(255, 255, 255), QColor(0, 255, 0),
                               QColor(255, 0, 0), QColor(255, 255, 0)};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(knob.positionColor(i), expected[i]) << i;
}

TEST_F(SwitchKnobTest, ClickOnAMarkTurnsToItAndSignalsOnce) {
    QSignalSpy spy(&knob, &chrome::SwitchKnob::positionChanged);
    for (const int target : {3, 1, 4, 0, 2}) {
        spy.clear();
        click(target);
        EXPECT_EQ(knob.position(), target);
        ASSERT_EQ(spy.count(), 1) << target;
        EXPECT_EQ(spy.at(0).at(0).toInt(), target);
    }
    spy.clear();
    click(2);  // already there
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(SwitchKnobTest, ClickBetweenMarksPicksTheNearerOne) {
    // Slightly nearer to mark 3 than to mark 2, along the rim.
    const QPointF c = knob.knobCenter();
    const QPointF mid = (knob.positionPoint(2) - c) * 0.4 + (knob.positionPoint(3) - c) * 0.6;
    QTest::mouseClick(&knob, Qt::LeftButton, {}, (c + mid).toPoint());
    EXPECT_EQ(knob.position(), 3);
    // Below the knob, in the gap between the two ends, the nearer end wins.
    QTest::mouseClick(&knob, Qt::LeftButton, {}, (c + QPointF(-3, 60)).toPoint());
    EXPECT_EQ(knob.position(), 0);
}

TEST_F(SwitchKnobTest, DragFollowsThePointerOnlyWhileTheButtonIsDown) {
    QSignalSpy spy(&knob, &chrome::SwitchKnob::positionChanged);
    QTest::mousePress(&knob, Qt::LeftButton, {}, knob.positionPoint(0).toPoint());
    QTest::mouseMove(&knob, knob.positionPoint(2).toPoint());
    EXPECT_EQ(knob.position(), 2);
    QTest::mouseMove(&knob, knob.positionPoint(4).toPoint());
    EXPECT_EQ(knob.position(), 4);
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, knob.positionPoint(4).toPoint());
    QTest::mouseMove(&knob, knob.positionPoint(1).toPoint());
    EXPECT_EQ(knob.position(), 4);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 4);
}

struct KeyCase {
    int start;
    Qt::Key key;
    int expected;
};

TEST_F(SwitchKnobTest, KeysTurnOneStepOrToTheEndsAndStopThere) {
    const KeyCase cases[] = {
        {0, Qt::Key_Right, 1}, {2, Qt::Key_Up, 3},    {3, Qt::Key_Left, 2}, {3, Qt::Key_Down, 2},
        {0, Qt::Key_Left, 0},  {4, Qt::Key_Right, 4}, {3, Qt::Key_Home, 0}, {1, Qt::Key_End, 4},
    };
    for (const KeyCase& c : cases) {
        knob.setPosition(c.start);
        QSignalSpy spy(&knob, &chrome::SwitchKnob::positionChanged);
        QTest::keyClick(&knob, c.key);
        EXPECT_EQ(knob.position(), c.expected) << "from " << c.start << " key " << c.key;
        EXPECT_EQ(spy.count(), c.start == c.expected ? 0 : 1) << "from " << c.start;
    }
}

TEST_F(SwitchKnobTest, WheelTurnsOnePositionPerNotch) {
    wheel(120);
    EXPECT_EQ(knob.position(), 1);
    wheel(60);  // half a notch from a fine wheel: not yet
    EXPECT_EQ(knob.position(), 1);
    wheel(60);
    EXPECT_EQ(knob.position(), 2);
    wheel(-240);
    EXPECT_EQ(knob.position(), 0);
    wheel(-120);
    EXPECT_EQ(knob.position(), 0);
    wheel(3 * 120 + 4 * 120);
    EXPECT_EQ(knob.position(), 4);
}

TEST_F(SwitchKnobTest, PositionIsKeptInsideTheRange) {
    QSignalSpy spy(&knob, &chrome::SwitchKnob::positionChanged);
    knob.setPosition(9);
    EXPECT_EQ(knob.position(), 4);
    knob.setPosition(-1);
    EXPECT_EQ(knob.position(), 0);
    knob.setPosition(4);
    knob.setPositionCount(3);
    EXPECT_EQ(knob.position(), 2);
    EXPECT_EQ(spy.count(), 4);
    EXPECT_EQ(spy.last().at(0).toInt(), 2);
    knob.setPositionCount(1);
    EXPECT_EQ(knob.positionCount(), 2);
    // The positions that come back get colours and labels again.
    knob.setPositionCount(5);
    EXPECT_EQ(knob.positionColor(4), QColor(255, 255, 0));
    EXPECT_EQ(knob.positionLabel(4), "4");
}

TEST_F(SwitchKnobTest, FaceShowsTheColourOfThePositionAndThePointerPointsAtIt) {
    knob.setPositionColor(3, QColor(128, 0, 128));
    knob.setPosition(1);
    knob.setColor(QColor(90, 90, 90));  // recolours position 1 only
    EXPECT_EQ(knob.positionColor(0), QColor(0, 0, 255));
    for (int p = 0; p < knob.positionCount(); ++p) {
        knob.setPosition(p);
        const QImage image = knob.grab().toImage();
        // Opposite the pointer: bare face.
        const QPoint across = 2 * knob.knobCenter().toPoint() - towards(p, 0.5);
        EXPECT_EQ(image.pixelColor(across).rgb(), knob.positionColor(p).rgb()) << p;
        EXPECT_LT(qGray(image.pixel(towards(p, 0.6))), 60) << "no pointer at " << p;
        for (int q = 0; q < knob.positionCount(); ++q) {
            if (q == p) continue;
            EXPECT_EQ(image.pixelColor(towards(q, 0.6)).rgb(), knob.positionColor(p).rgb())
                << "pointer at " << p << " also shows at " << q;
        }
    }
}

TEST_F(SwitchKnobTest, LabelsAreDrawnBesideTheKnob) {
    const QImage before = knob.grab().toImage();
    knob.setPositionLabel(2, QStringLiteral("Html"));
    EXPECT_EQ(knob.positionLabel(2), "Html");
    EXPECT_NE(knob.grab().toImage(), before);
}

}  // namespace
