#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "chrome/AboutWindow.h"
#include "chrome/DropShadow.h"
#include "chrome/HelpWindow.h"
#include "chrome/TitleBar.h"

namespace {

TEST(DropShadow, WindowGetsAShadowBandAndKeepsItsContentSize) {
    QWidget window;
    window.resize(200, 100);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(10, 120, 200));
    window.setPalette(palette);

    chrome::DropShadow* shadow = chrome::applyDropShadow(&window);
    ASSERT_NE(shadow, nullptr);
    const QMargins band = chrome::shadowMargins(&window);
    EXPECT_GT(band.bottom(), band.top()) << "light comes from above";
    EXPECT_EQ(window.size(), QSize(200, 100).grownBy(band));
    EXPECT_EQ(chrome::frameRect(&window).size(), QSize(200, 100));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(chrome::applyDropShadow(&window), shadow);
    EXPECT_EQ(window.size(), QSize(200, 100).grownBy(band)) << "a second call adds nothing";

    const QImage image = window.grab().toImage();
    const QRect frame = chrome::frameRect(&window);
    EXPECT_EQ(image.pixelColor(frame.center()), QColor(10, 120, 200));
    const int x = frame.center().x();
    const QColor below = image.pixelColor(x, frame.bottom() + 3);
    const QColor above = image.pixelColor(x, frame.top() - 3);
    EXPECT_GT(below.alpha(), 30) << "shadow under the window";
    EXPECT_LT(below.lightness(), 40);
    EXPECT_GT(below.alpha(), above.alpha());
    EXPECT_LT(image.pixelColor(0, 0).alpha(), 10) << "the band fades out";
}

TEST(DropShadow, NoShadowMeansNoBand) {
    QWidget window;
    window.resize(50, 40);
    EXPECT_TRUE(chrome::shadowMargins(&window).isNull());
    EXPECT_EQ(chrome::frameRect(&window), window.rect());
}

TEST(HelpWindow, ShowsTheTextWithItsLineBreaksAndCloses) {
    chrome::HelpWindow help;
    EXPECT_EQ(help.objectName(), "HelpForm");
    EXPECT_TRUE(help.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QString text = QStringLiteral(" First line.\r\n\r\n1. Second\r\n2. Third");
    help.showText(text);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.text(), text);
    auto* view = help.findChild<QPlainTextEdit*>(QStringLiteral("HelpText"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_EQ(view->document()->blockCount(), 4);
    EXPECT_EQ(view->toPlainText(), QStringLiteral(" First line.\n\n1. Second\n2. Third"));

    help.showText(QStringLiteral("Other"));
    EXPECT_EQ(view->toPlainText(), "Other") << "a new text replaces the old one";

    auto* close = help.findChild<QAbstractButton*>(QStringLiteral("CloseHelp"));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
}

TEST(HelpWindow, TitleBarCloseHidesItForTheNextText) {
    chrome::HelpWindow help;
    help.showText(QStringLiteral("a"));
    auto* close = help.findChild<QAbstractButton*>(QStringLiteral("TitleClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(help.findChild<QAbstractButton*>(QStringLiteral("TitleMin"))->isVisible(), false);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    help.showText(QStringLiteral("b"));
    EXPECT_TRUE(help.isVisible());
}

TEST(AboutWindow, CloseButtonEndsTheWindow) {
    QPointer<chrome::AboutWindow> about = new chrome::AboutWindow();
    EXPECT_EQ(about->objectName(), "About");
    EXPECT_TRUE(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    about->show();
    auto* close = about->findChild<QAbstractButton*>(QStringLiteral("CloseAbout"));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull()) << "the window deletes itself on close";
}

}  // namespace
