#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "powerpoint/Dialog.h"
#include "powerpoint/SelectionExport.h"
#include "support/ListRows.h"
#include "support/Slides.h"

namespace {

using test::SlidesRun;

run::ListRow chart(const char* name, const char* slide = "") {
    return {QString::fromLatin1(name),
            {"Data", QString::fromLatin1(slide), "1", "", "Embedded", "1", "key"},
            true};
}

// The dialog as the main form's "Continue" opens it.
struct Opened : SlidesRun {
    explicit Opened(int pasteFormat, int exportCount,
                    const std::function<void(QJsonObject&)>& change = {}, bool predefined = false,
                    QString warning = {})
        : SlidesRun(change) {
        state.pasteFormat = pasteFormat;
        state.exportCount = exportCount;
        state.slideNumberWarning = warning;
        powerpoint::MainFormLink form;
        form.list = &list;
        form.predefinedSlides = [predefined] { return predefined; };
        form.unload = [this] { ++unloaded; };
        form.setActiveFile = [this](const QString& name) { activeFile = name; };
        dialog = powerpoint::openDialog(services, state, form);
    }
    ~Opened() {
        if (dialog) dialog->close();
        QApplication::processEvents();
    }
    template <typename T = QWidget>
    T* child(const char* name) {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    bool shown(const char* name) { return child(name)->isVisibleTo(dialog); }
    QString status() { return dialog->status(); }
    bool red() {
        return child<QLabel>("Label1")->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
    }

    test::ListRows list;
    QPointer<powerpoint::Dialog> dialog;
    int unloaded = 0;
    QString activeFile;
};

TEST(Dialog, ControlsFollowThePasteFormat) {
    const struct {
        int format;
        bool styles, shadow;
        const char* phrase;
    } cases[] = {{0, true, false, "Pictures"},
                 {1, false, true, "editable within PowerPoint"},
                 {2, false, true, "Excel embedded"},
                 {3, false, true, " embedded linked objects"}};
    for (const auto& c : cases) {
        Opened t(c.format, 2);
        EXPECT_EQ(t.shown("Styles"), c.styles) << c.format;
        EXPECT_EQ(t.shown("CheckShadow"), c.shadow) << c.format;
        EXPECT_EQ(t.status(), QStringLiteral("2 object(s) will be pasted to \rDeck.pptx\ras %1\r\r")
                                  .arg(QLatin1String(c.phrase)))
            << c.format;
        EXPECT_FALSE(t.red());
        EXPECT_EQ(t.child<QLabel>("Label1")->text(), QString(t.status()).replace('\r', '\n'));
        EXPECT_TRUE(t.shown("ContinueOk"));
        EXPECT_TRUE(t.dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

TEST(Dialog, NothingToExportHidesTheConfirmButton) {
    Opened t(0, 0);
    EXPECT_FALSE(t.shown("ContinueOk"));
    EXPECT_EQ(t.status(), QStringLiteral("No objects were selected for pasting"));
}

TEST(Dialog, SlideNumberWarningStopsPredefinedSlides) {
    Opened t(0, 1, {}, true, QStringLiteral("too high"));
    EXPECT_EQ(t.status(), QStringLiteral("too high"));
    EXPECT_TRUE(t.red());
    EXPECT_FALSE(t.child<QAbstractButton>("ContinueOk")->isEnabled());
    EXPECT_FALSE(t.shown("CreateBlankPPT"));
    EXPECT_FALSE(t.child<QCheckBox>("SlideTitle")->isEnabled());
}

TEST(Dialog, WithoutPowerPointSaysSoInRed) {
    for (bool running : {false, true}) {
        Opened t(0, 1, [&](QJsonObject& r) {
            test::setPowerPoint(r, "running", running);
            test::setPowerPoint(r, "presentations", QJsonArray{});
            test::setPowerPoint(r, "activePresentation", QJsonValue());
        });
        EXPECT_EQ(t.status(), powerpoint::NoPowerPointText) << running;
        EXPECT_TRUE(t.red());
        t.dialog->ContinueOk_Click();
        EXPECT_EQ(t.status(), powerpoint::NoPowerPointText);
    }
}

TEST(Dialog, CreateBlankPresentationGivesOneTitleSlide) {
    Opened t(0, 2);
    t.dialog->CreateBlankPPT_Click();
    auto p = t.powerPoint().find("Presentation1");
    ASSERT_TRUE(p);
    ASSERT_EQ(p->slideCount(), 1);
    EXPECT_EQ(p->slides[0]->layout, 1);
    EXPECT_EQ(t.powerPoint().activePresentationImpl(), p);
    EXPECT_EQ(t.child<QLineEdit>("Text2")->text(), QStringLiteral("Presentation1 "));
    EXPECT_EQ(t.activeFile, QStringLiteral("Presentation1"));
    EXPECT_TRUE(t.status().contains("\rPresentation1\r"));
    EXPECT_EQ(t.dialog->label1WidthTwips(), 100);
    EXPECT_TRUE(t.dialog->timerEnabled(1));
}

TEST(Dialog, OpeningAPresentationRechecksSlideNumbers) {
    Opened t(
        0, 1,
        [](QJsonObject& r) {
            r["macros"] = QJsonObject{{"0CorvaneHost.xlam!OpenExistingPPtfile",
                                       QJsonObject{{"opens", "/home/ana/Two.pptx"}}}};
            test::setPowerPoint(
                r, "files",
                QJsonObject{{"/home/ana/Two.pptx",
                             QJsonObject{{"slides", QJsonArray{QJsonObject{}, QJsonObject{}}}}}});
        },
        true);
    t.list.rows = {chart("Revenue", "2"), chart("Mix", "4"), chart("Unnumbered")};
    t.dialog->ThemedButton1_Click();
    EXPECT_EQ(t.excel().macroCalls(),
              std::vector<QString>{QStringLiteral("0CorvaneHost.xlam!OpenExistingPPtfile")});
    EXPECT_EQ(t.state.exportCount, 2);
    EXPECT_TRUE(t.status().startsWith("At least one Slide Number in the list is greater\r"));
    EXPECT_TRUE(t.red());
    EXPECT_FALSE(t.child<QAbstractButton>("ContinueOk")->isEnabled());
    EXPECT_TRUE(t.state.slideNumberWarning.isEmpty());
    EXPECT_EQ(t.child<QLineEdit>("Text2")->text(), QStringLiteral("Two.pptx"));
    EXPECT_EQ(t.activeFile, QStringLiteral("Two.pptx"));
    EXPECT_EQ(t.dialog->label1WidthTwips(), 10);
    EXPECT_TRUE(t.dialog->timerEnabled(2));
    EXPECT_FALSE(t.dialog->timerEnabled(1));

    // Numbers that fit: the summary, and the confirm button back.
    t.list.rows = {chart("Revenue", "2")};
    t.dialog->ThemedButton1_Click();
    EXPECT_FALSE(t.red());
    EXPECT_TRUE(t.status().startsWith("1 object(s) will be pasted to \rTwo.pptx\r"));
    EXPECT_TRUE(t.child<QAbstractButton>("ContinueOk")->isEnabled());
}

TEST(Dialog, TimersRevealTheStatusUpToItsWidth) {
    Opened t(0, 1);
    t.dialog->CreateBlankPPT_Click();
    int ticks = 0;
    while (t.dialog->timerEnabled(1) && ticks < 100) {
        t.dialog->Timer1_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 51);  // 100 + 51 x 150 passes 7692
    EXPECT_EQ(t.dialog->label1WidthTwips(), 7692);
}

TEST(Dialog, ConfirmExportsAndUnloads) {
    Opened t(0, 1);
    t.list.rows = {chart("Revenue")};
    t.child<QCheckBox>("SourceInc")->setChecked(true);
    t.dialog->ContinueOk_Click();
    QApplication::processEvents();
    EXPECT_FALSE(t.dialog);
    ASSERT_EQ(t.deck().slideCount(), 6);
    ASSERT_EQ(t.slide(6).shapes.size(), 2u);
    EXPECT_EQ(t.slide(6).shapes[0].kind, QStringLiteral("metafile"));
    EXPECT_EQ(t.slide(6).shapes[1].kind, QStringLiteral("label"));
    EXPECT_EQ(t.unloaded, 1);
    EXPECT_EQ(t.state.office.presentation, t.powerPoint().activePresentation());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->objectName() == QLatin1String("Progress"));
}

}  // namespace
