#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "chrome/DropShadow.h"
#include "chrome/TitleBar.h"

namespace {

using chrome::TitleBar;

// A plain window with one label filling its layout, as the program's windows have.
struct Window {
    Window() : widget(std::make_unique<QWidget>()) {
        auto* layout = new QVBoxLayout(widget.get());
        label = new QLabel(QStringLiteral("contents"), widget.get());
        layout->addWidget(label);
        widget->resize(300, 160);
    }
    QAbstractButton* button(const char* name) const {
        return widget->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    TitleBar* bar() const { return widget->findChild<TitleBar*>(); }

    std::unique_ptr<QWidget> widget;
    QLabel* label;
};

TEST(TitleBar, InstallMakesTheWindowFramelessWithTheBarOnTopOfItsContents) {
    Window w;
    TitleBar* bar = chrome::installTitleBar(w.widget.get(), QStringLiteral("Corvane"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), "TitleBar");
    EXPECT_EQ(bar->caption(), "Corvane");
    EXPECT_TRUE(w.widget->windowFlags().testFlag(Qt::FramelessWindowHint));
    w.widget->show();
    EXPECT_EQ(w.widget->height(), 160 + TitleBar::barHeight) << "contents keep their room";
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 300, TitleBar::barHeight));
    EXPECT_GE(w.label->geometry().top(), bar->geometry().bottom());

    w.widget->resize(420, 240);
    EXPECT_EQ(bar->width(), 420) << "the bar follows the window's width";
}

TEST(TitleBar, InstallingAgainUpdatesTheOneBar) {
    Window w;
    chrome::installTitleBar(w.widget.get(), QStringLiteral("First"));
    const QMargins margins = w.widget->contentsMargins();
    const QSize size = w.widget->size();
    TitleBar* bar =
        chrome::installTitleBar(w.widget.get(), QStringLiteral("Second"), TitleBar::Close);
    EXPECT_EQ(w.widget->findChildren<TitleBar*>().size(), 1);
    EXPECT_EQ(bar->caption(), "Second");
    EXPECT_EQ(bar->buttons(), TitleBar::Buttons(TitleBar::Close));
    EXPECT_EQ(w.widget->contentsMargins(), margins);
    EXPECT_EQ(w.widget->size(), size);
}

TEST(TitleBar, OnlyTheAskedButtonsShow) {
    struct Case {
        TitleBar::Buttons which;
        bool min, max, close;
    };
    const Case cases[] = {{TitleBar::AllButtons, true, true, true},
                          {TitleBar::Close, false, false, true},
                          {TitleBar::Minimize | TitleBar::Close, true, false, true}};
    for (const Case& c : cases) {
        Window w;
        chrome::installTitleBar(w.widget.get(), QStringLiteral("Corvane"), c.which);
        w.widget->show();
        ASSERT_NE(w.button("TitleMin"), nullptr);
        ASSERT_NE(w.button("TitleMax"), nullptr);
        ASSERT_NE(w.button("TitleClose"), nullptr);
        EXPECT_EQ(w.button("TitleMin")->isVisible(), c.min) << int(c.which);
        EXPECT_EQ(w.button("TitleMax")->isVisible(), c.max) << int(c.which);
        EXPECT_EQ(w.button("TitleClose")->isVisible(), c.close) << int(c.which);
    }
}

TEST(TitleBar, ButtonsMinimiseMaximiseAndCloseTheirWindow) {
    Window w;
    chrome::installTitleBar(w.widget.get(), QStringLiteral("Corvane"));
    w.widget->show();

    QTest::mouseClick(w.button("TitleMin"), Qt::LeftButton);
    EXPECT_TRUE(w.widget->isMinimized());
    w.widget->showNormal();

    QTest::mouseClick(w.button("TitleMax"), Qt::LeftButton);
    EXPECT_TRUE(w.widget->isMaximized());
    QTest::mouseClick(w.button("TitleMax"), Qt::LeftButton);
    EXPECT_FALSE(w.widget->isMaximized());

    QTest::mouseClick(w.button("TitleClose"), Qt::LeftButton);
    EXPECT_FALSE(w.widget->isVisible());
}

TEST(TitleBar, DoubleClickMaximisesOnlyWithAMaximiseButton) {
    for (const bool withMax : {true, false}) {
        Window w;
        TitleBar* bar = chrome::installTitleBar(
            w.widget.get(), QStringLiteral("Corvane"),
            withMax ? TitleBar::AllButtons : TitleBar::Buttons(TitleBar::Close));
        w.widget->show();
        QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(40, 10));
        EXPECT_EQ(w.widget->isMaximized(), withMax);
    }
}

TEST(TitleBar, DraggingTheBarMovesTheWindow) {
    Window w;
    TitleBar* bar = chrome::installTitleBar(w.widget.get(), QStringLiteral("Corvane"));
    w.widget->move(100, 100);
    const QPoint start = w.widget->pos();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(60, 10));
    QTest::mouseMove(bar, QPoint(90, 50));
    EXPECT_EQ(w.widget->pos(), start + QPoint(30, 40));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(60, 10));
    const QPoint dropped = w.widget->pos();
    QTest::mouseMove(bar, QPoint(10, 10));
    EXPECT_EQ(w.widget->pos(), dropped) << "moving after the release drags nothing";
}

TEST(TitleBar, PaintsAGradientAndTheCaption) {
    TitleBar bar;
    bar.resize(300, TitleBar::barHeight);
    const QImage blank = bar.grab().toImage();
    const int x = 200;  // right of a short caption, left of the buttons
    EXPECT_NE(blank.pixel(x, 1), blank.pixel(x, TitleBar::barHeight - 2));
    EXPECT_GT(blank.pixelColor(x, 1).lightness(),
              blank.pixelColor(x, TitleBar::barHeight - 2).lightness());
    bar.setCaption(QStringLiteral("Corvane"));
    EXPECT_NE(bar.grab().toImage(), blank);
}

TEST(TitleBar, SitsInsideTheDropShadowWhicheverComesFirst) {
    for (const bool shadowFirst : {true, false}) {
        Window w;
        TitleBar* bar = nullptr;
        if (shadowFirst) chrome::applyDropShadow(w.widget.get());
        bar = chrome::installTitleBar(w.widget.get(), QStringLiteral("Corvane"));
        if (!shadowFirst) chrome::applyDropShadow(w.widget.get());
        w.widget->show();
        const QRect frame = chrome::frameRect(w.widget.get());
        EXPECT_NE(frame, w.widget->rect());
        EXPECT_EQ(bar->geometry(),
                  QRect(frame.topLeft(), QSize(frame.width(), TitleBar::barHeight)))
            << "shadow first: " << shadowFirst;
        EXPECT_GE(w.label->geometry().top(), bar->geometry().bottom());
        EXPECT_TRUE(frame.contains(w.label->geometry()));
    }
}

}  // namespace
