#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "images/ExportFixture.h"
#include "images/NumberEntry.h"
#include "pdf/DialogPDF.h"

namespace {

using test::ExportFixture;

struct Dialog : test::OpenDialog<pdf::DialogPDF> {
    explicit Dialog(int exportCount)
        : OpenDialog(exportCount, {test::chartRow("Chart 2", "Data", true, "Trend")},
                     [](ExportFixture& f, platform::Chooser& chooser, images::ExportTarget target) {
                         return new pdf::DialogPDF(f.t.services, f.t.state, chooser, target);
                     }) {}
};

TEST(DialogPDF, LoadsWithTheCountOrWithoutConfirm) {
    Dialog none(0);
    EXPECT_EQ(none.label(), QStringLiteral("No objects were selected for pasting"));
    EXPECT_TRUE(none.child<QPushButton>("ContinueOk")->isHidden());
    EXPECT_TRUE(QFileInfo(none.f.t.services.folders.pdf()).isDir());

    Dialog one(1);
    EXPECT_EQ(one.dialog->windowTitle(), QStringLiteral("Corvane to PDF"));
    EXPECT_EQ(one.label(), "1 object(s) will be inserted in " +
                               QDir(one.f.t.services.folders.pdf()).filePath("CorvaneXXX.pdf") +
                               "\r\r");
    const auto s = one.dialog->settings();
    EXPECT_EQ(s.sizeFactor, 70);
    EXPECT_FALSE(s.cover);
    EXPECT_TRUE(s.captions);
    EXPECT_TRUE(s.open);
    EXPECT_FALSE(s.source);
    EXPECT_FALSE(one.child<QLineEdit>("CoverText")->isEnabled());
}

TEST(DialogPDF, SizeFactorWarnsOnEachChangeButIsUsedAsTyped) {
    struct Case {
        const char* typed;
        QStringList warnings;
        double factor;
    };
    const Case cases[] = {
        {"150", {images::SizeFactorRange}, 150},
        {"abc", {"Type mismatch", "Type mismatch", "Type mismatch"}, 0},
        // "9" and "99" pass, "999" and "9999" are out of range, "99999" is no 16-bit number.
        {"99999", {images::SizeFactorRange, images::SizeFactorRange, "Overflow"}, 99999},
        {"50", {}, 50},
    };
    for (const auto& c : cases) {
        Dialog d(1);
        auto* box = d.child<QLineEdit>("txtAmount");
        box->clear();
        QTest::keyClicks(box, QString::fromUtf8(c.typed));
        EXPECT_EQ(d.f.t.prompt.texts(), c.warnings) << c.typed;
        EXPECT_EQ(d.dialog->settings().sizeFactor, c.factor) << c.typed;
    }
}

TEST(DialogPDF, CoverAndDestinationChoices) {
    Dialog d(1);
    auto* cover = d.child<QCheckBox>("CoverT");
    QTest::mouseClick(cover, Qt::LeftButton, {}, QPoint(5, cover->height() / 2));
    EXPECT_TRUE(d.child<QLineEdit>("CoverText")->isEnabled());
    QTest::mouseClick(cover, Qt::LeftButton, {}, QPoint(5, cover->height() / 2));
    EXPECT_FALSE(d.dialog->settings().cover);

    const QString before = d.label();
    d.dialog->SonicClick3_Click();  // cancelled
    EXPECT_EQ(d.label(), before);
    const QString chosen = QDir(d.f.root()).filePath(QStringLiteral("report.pdf"));
    d.chooser.answerNext(chosen);
    d.dialog->SonicClick3_Click();
    EXPECT_EQ(d.label(), "1 object(s) will be inserted in\r\r" + chosen);

    d.child<QCheckBox>("Check2")->setChecked(false);
    QTest::mouseClick(d.child<QPushButton>("ContinueOk"), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(chosen).size() > 0) << d.f.t.prompt.texts().join('|').toStdString();
    EXPECT_EQ(d.f.t.state.pdf.chosenFile, chosen);
    EXPECT_EQ(d.f.formClosed, 1);
    EXPECT_FALSE(d.dialog && d.dialog->isVisible());
}

}  // namespace
