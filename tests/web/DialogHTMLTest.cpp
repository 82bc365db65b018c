#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "images/ExportFixture.h"
#include "images/NumberEntry.h"
#include "web/DialogHTML.h"

namespace {

using test::ExportFixture;

struct Dialog : test::OpenDialog<web::DialogHTML> {
    explicit Dialog(int exportCount)
        : OpenDialog(exportCount, {test::chartRow("Chart 2", "Data", true, "Trend")},
                     [](ExportFixture& f, platform::Chooser&, images::ExportTarget target) {
                         return new web::DialogHTML(f.t.services, f.t.state, target);
                     }) {}
    void type(const char* box, const QString& text) {
        child<QLineEdit>(box)->clear();
        QTest::keyClicks(child<QLineEdit>(box), text);
    }
};

TEST(DialogHTML, LoadsWithItsDefaults) {
    Dialog none(0);
    EXPECT_EQ(none.child<QLabel>("Label1")->text(), "No objects were selected for pasting");
    EXPECT_TRUE(none.child<QPushButton>("ContinueOk")->isHidden());

    Dialog d(1);
    EXPECT_EQ(d.dialog->windowTitle(), QStringLiteral("Paste to HTML"));
    EXPECT_EQ(d.child<QLabel>("Label1")->text(),
              "1 object(s) will be inserted in " +
                  QDir(d.f.t.services.folders.html()).filePath("CorvaneXXX.Html") + "\r\r");
    EXPECT_FALSE(d.child<QCheckBox>("Check1")->isEnabled());
    EXPECT_FALSE(d.child<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(d.child<QCheckBox>("Check2")->isChecked());
    const auto s = d.dialog->settings();
    EXPECT_EQ(s.pictureWidth, 700);
    EXPECT_EQ(s.blankLines, 10);
    EXPECT_EQ(s.titles, 1);
    EXPECT_EQ(s.sameWidth, 1);
    EXPECT_EQ(s.autoUpdate, 0);
}

TEST(DialogHTML, NumberBoxesKeepWhatTheExportCanUse) {
    struct Case {
        const char* box;
        QString typed;
        QString kept;
        double width, blankLines;
        QStringList warnings;
    };
    const Case cases[] = {
        {"TextBox10", "-", "", 700, 0, {}},
        {"TextBox10", "1a2", "12", 700, 12, {}},
        {"TextBox10", "7.9", "7.9", 700, 7, {}},
        {"txtAmount", "", "", 0, 10, {}},
        {"txtAmount", "150", "150", 1500, 10, {images::SizeFactorRange}},
        {"txtAmount", "x", "x", 0, 10, {"Type mismatch"}},
    };
    for (const auto& c : cases) {
        Dialog d(1);
        d.type(c.box, c.typed);
        EXPECT_EQ(d.child<QLineEdit>(c.box)->text(), c.kept) << c.typed.toStdString();
        const auto s = d.dialog->settings();
        EXPECT_EQ(s.pictureWidth, c.width) << c.typed.toStdString();
        EXPECT_EQ(s.blankLines, c.blankLines) << c.typed.toStdString();
        EXPECT_EQ(d.f.t.prompt.texts(), c.warnings) << c.typed.toStdString();
    }
}

TEST(DialogHTML, ClearingSameWidthSelectsThePublication) {
    Dialog d(1);
    auto* same = d.child<QCheckBox>("SameWidthHTNL");
    QTest::mouseClick(same, Qt::LeftButton, {}, QPoint(5, same->height() / 2));
    EXPECT_FALSE(d.child<QLineEdit>("txtAmount")->isEnabled());
    EXPECT_FALSE(d.child<QLabel>("Label2")->isEnabled());
    QTest::mouseClick(d.child<QPushButton>("ContinueOk"), Qt::LeftButton);
    EXPECT_EQ(d.f.t.state.web.sameWidth, 0);
    EXPECT_FALSE(test::activeWorkbook(*d.f.t.host)->publishObjects().empty());
    EXPECT_FALSE(QDir(d.f.t.services.folders.html()).exists("HTML101"));
    EXPECT_EQ(d.f.formClosed, 1);
}

TEST(DialogHTML, ConfirmBuildsThePageWithTheDefaults) {
    Dialog d(1);
    QTest::mouseClick(d.child<QPushButton>("ContinueOk"), Qt::LeftButton);
    const QString folder = d.f.t.services.folders.html();
    EXPECT_EQ(ExportFixture::files(QDir(folder).filePath("HTML101")), QStringList{"Temp1.png"});
    EXPECT_EQ(d.f.t.state.exportCount, 1);
    EXPECT_EQ(d.f.t.shell.opened(), QStringList{QDir(folder).filePath("CorvaneHTML101.html")});
    EXPECT_FALSE(d.dialog && d.dialog->isVisible());
}

}  // namespace
