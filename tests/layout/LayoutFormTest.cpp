#include <gtest/gtest.h>

#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include "layout/Layout.h"
#include "layout/LayoutForm.h"
#include "support/Slides.h"

namespace {

using layout::LayoutForm;
using test::SlidesRun;

office::Value stored(SlidesRun& t, int column) {
    auto sheet = t.state.office.workbook->sheet(QStringLiteral("kukukukuVovezuv"));
    return sheet ? sheet->cell(1, column) : office::Value{};
}

// Radio buttons take clicks on their box and caption only.
void click(QAbstractButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

struct Window {
    explicit Window(SlidesRun& t) : form(layout::showLayoutForm(t.services, t.state)) {}
    ~Window() {
        if (form) form->close();
    }
    QPointer<LayoutForm> form;
};

TEST(LayoutForm, LoadsStoredSettings) {
    SlidesRun t(
        [](QJsonObject& root) { test::setLayoutCells(root, 0.4, QJsonValue(), "Default"); });
    Window w(t);
    const struct {
        LayoutForm::Group group;
        bool relative;
        double position;
    } expected[] = {{LayoutForm::Top, true, 0.4},
                    {LayoutForm::Width, false, 0.9},
                    {LayoutForm::Align, false, 0.1}};
    for (const auto& e : expected) {
        EXPECT_EQ(w.form->option(e.group, 1)->isChecked(), e.relative) << e.group;
        EXPECT_EQ(w.form->option(e.group, 1)->font().bold(), e.relative) << e.group;
        EXPECT_DOUBLE_EQ(w.form->slider(e.group)->position(), e.position) << e.group;
        EXPECT_EQ(w.form->slider(e.group)->shownValue(), QString::number(e.position)) << e.group;
        EXPECT_EQ(w.form->slider(e.group)->isEnabled(), e.relative) << e.group;
    }
    EXPECT_TRUE(w.form->isModal());
    EXPECT_TRUE(w.form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(LayoutForm, RelativeTopIsStoredAndComesBack) {
    SlidesRun t;
    {
        Window w(t);
        click(w.form->option(LayoutForm::Top, 1));
        EXPECT_TRUE(w.form->slider(LayoutForm::Top)->isEnabled());
        w.form->slider(LayoutForm::Top)->setPosition(0.4);
        EXPECT_EQ(w.form->slider(LayoutForm::Top)->shownValue(), QStringLiteral("0.4"));
        QTest::mouseClick(w.form->findChild<QWidget*>("CloseLayout"), Qt::LeftButton);
        EXPECT_FALSE(w.form && w.form->isVisible());
    }
    EXPECT_EQ(stored(t, layout::TopColumn), office::Value(0.4));
    EXPECT_EQ(stored(t, layout::WidthColumn), office::Value(QStringLiteral("Default")));
    EXPECT_EQ(stored(t, layout::HorizontalColumn), office::Value(QStringLiteral("Default")));
    Window again(t);
    EXPECT_TRUE(again.form->option(LayoutForm::Top, 1)->isChecked());
    EXPECT_DOUBLE_EQ(again.form->slider(LayoutForm::Top)->position(), 0.4);
    EXPECT_TRUE(again.form->slider(LayoutForm::Top)->isEnabled());
}

TEST(LayoutForm, DefaultOptionResetsTheSliderAndStoresDefault) {
    SlidesRun t([](QJsonObject& root) { test::setLayoutCells(root, "Default", 0.3, "Default"); });
    Window w(t);
    click(w.form->option(LayoutForm::Width, 0));
    EXPECT_DOUBLE_EQ(w.form->slider(LayoutForm::Width)->position(), 0.9);
    EXPECT_FALSE(w.form->slider(LayoutForm::Width)->isEnabled());
    EXPECT_TRUE(w.form->option(LayoutForm::Width, 0)->font().bold());
    EXPECT_FALSE(w.form->option(LayoutForm::Width, 1)->font().bold());
    w.form->CloseLayout_Click();
    EXPECT_EQ(stored(t, layout::WidthColumn), office::Value(QStringLiteral("Default")));
}

TEST(LayoutForm, CloseLayoutAddsAVeryHiddenStateSheet) {
    SlidesRun t([](QJsonObject& root) { test::removeSheet(root, "kukukukuVovezuv"); });
    Window w(t);
    w.form->CloseLayout_Click();
    auto sheet = t.state.office.workbook->sheet(QStringLiteral("kukukukuVovezuv"));
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->visible(), office::xlSheetVeryHidden);
    EXPECT_EQ(stored(t, layout::TopColumn), office::Value(QStringLiteral("Default")));
    EXPECT_EQ(t.state.office.workbook->activeSheet()->name(), QStringLiteral("Data"));
}

TEST(LayoutForm, ClosingOtherwiseStoresNothing) {
    SlidesRun t;
    Window w(t);
    click(w.form->option(LayoutForm::Align, 1));
    w.form->close();
    EXPECT_EQ(stored(t, layout::HorizontalColumn), office::Value(QStringLiteral("Default")));
}

TEST(LayoutForm, WithoutWorkbookSaysSoAndStoresNothing) {
    SlidesRun t;
    t.state.office.workbook.reset();
    Window w(t);
    EXPECT_FALSE(w.form->option(LayoutForm::Top, 1)->isChecked());
    w.form->CloseLayout_Click();
    ASSERT_EQ(t.prompt.messages().size(), 1u);
    EXPECT_TRUE(t.prompt.texts()[0].contains("workbook"));
}

}  // namespace
