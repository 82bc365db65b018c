#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "images/DialogImageFiles.h"
#include "images/ExportFixture.h"

namespace {

using test::ExportFixture;

struct Dialog : test::OpenDialog<images::DialogImageFiles> {
    explicit Dialog(int exportCount)
        : OpenDialog(exportCount,
                     {test::chartRow("Chart 1", "Data", false), test::chartRow("Chart 2", "Data")},
                     [](ExportFixture& f, platform::Chooser& chooser, images::ExportTarget target) {
                         return new images::DialogImageFiles(f.t.services, f.t.state, chooser,
                                                             target);
                     }) {}
};

TEST(DialogImageFiles, LoadsWithItsDefaultsAndTheCountOrNoConfirm) {
    Dialog none(0);
    EXPECT_EQ(none.label(), QStringLiteral("No objects were selected for pasting"));
    EXPECT_TRUE(none.child<QPushButton>("ContinueOk")->isHidden());

    Dialog two(2);
    EXPECT_EQ(two.dialog->windowTitle(), QStringLiteral("Corvane to Files"));
    EXPECT_EQ(two.label(),
              "2 object(s) will be inserted in " + two.f.t.services.folders.images() + "\r\r");
    EXPECT_FALSE(two.child<QPushButton>("ContinueOk")->isHidden());
    EXPECT_TRUE(two.child<QRadioButton>("Png")->isChecked());
    EXPECT_TRUE(two.child<QRadioButton>("Option3")->isChecked());
    EXPECT_TRUE(two.child<QRadioButton>("Option3")->font().bold());
    EXPECT_TRUE(two.child<QCheckBox>("Check2")->isChecked());

    QTest::mouseClick(two.child<QRadioButton>("Option4"), Qt::LeftButton);
    EXPECT_TRUE(two.child<QRadioButton>("Option4")->font().bold());
    EXPECT_FALSE(two.child<QRadioButton>("Option3")->font().bold());
}

TEST(DialogImageFiles, ChangeDestinationTakesAFolderOrSaysFalse) {
    Dialog d(2);
    d.dialog->SonicClick3_Click();  // cancelled
    EXPECT_EQ(d.label(), QStringLiteral("2 image files will be saved to \r\rFalse"));
    EXPECT_TRUE(d.f.t.state.imageExportFolder.isEmpty());

    d.chooser.answerNext(QDir(d.f.root()).filePath(QStringLiteral("no such folder")));
    d.dialog->SonicClick3_Click();
    EXPECT_TRUE(d.label().endsWith("False"));
    EXPECT_TRUE(d.f.t.state.imageExportFolder.isEmpty());

    d.chooser.answerNext(d.f.root());
    d.dialog->SonicClick3_Click();
    EXPECT_EQ(d.label(), "2 image files will be saved to \r\r" + d.f.root());
    EXPECT_EQ(d.f.t.state.imageExportFolder, d.f.root());
    EXPECT_EQ(d.chooser.requests(), QStringList(3, QStringLiteral("Please choose a folder")));
}

TEST(DialogImageFiles, ConfirmExportsWithTheChosenFormatAndNamesAndCloses) {
    Dialog d(1);
    d.child<QRadioButton>("Jpeg")->click();
    d.child<QRadioButton>("Option4")->click();
    d.child<QCheckBox>("Check2")->setChecked(false);
    QTest::mouseClick(d.child<QPushButton>("ContinueOk"), Qt::LeftButton);
    EXPECT_EQ(ExportFixture::files(d.f.t.services.folders.images()), QStringList{"2.jpg"});
    EXPECT_TRUE(d.f.t.shell.opened().isEmpty());
    EXPECT_EQ(d.f.formClosed, 1);
    EXPECT_FALSE(d.dialog && d.dialog->isVisible());
}

}  // namespace
