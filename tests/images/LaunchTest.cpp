#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "chrome/SwitchKnob.h"
#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"
#include "startup/Dispatch.h"
#include "startup/Program.h"
#include "support/TestRun.h"

namespace {

QWidget* topLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
}

void closeEverything() {
    QApplication::closeAllWindows();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Batch mode on the four-item desktop, every item checked, the main form open.
struct Batch {
    Batch() : t(test::loadFixture("four-items.json")) {
        t.features = startup::standardFeatures();
        startup::startUp(QStringLiteral("/112"), t.run);
        form = qobject_cast<mainform::UserformObj*>(topLevel(QStringLiteral("UserformObj")));
    }
    ~Batch() { closeEverything(); }
    test::TestRun t;
    mainform::UserformObj* form = nullptr;
};

TEST(FileExportLaunch, ContinueOpensTheDialogWhoseConfirmExportsAndClosesTheForm) {
    struct Case {
        int destination;
        const char* dialog;
        QString folder;  // under the output root
        QStringList expected;
    };
    const Case cases[] = {
        {2, "DialogHTML", "CorvaneHTML", {"CorvaneHTML101.html"}},
        {3, "DialogPDF", "CorvanePDF", {"CorvanePDF101.pdf"}},
        {4,
         "DialogImageFiles",
         "CorvaneImages",
         {"Chart 1-Sheet1.png", "Chart 2-Sheet1.png", "Sales-Sheet1.png",
          "{Chart Sheet}-Chart1.png"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialog);
        Batch b;
        ASSERT_TRUE(b.form);
        b.form->findChild<chrome::SwitchKnob*>("SwitchKnob4")->setPosition(c.destination);
        b.form->findChild<QAbstractButton*>("PasteIT")->click();
        QWidget* dialog = topLevel(QString::fromLatin1(c.dialog));
        ASSERT_TRUE(dialog);
        if (auto* open = dialog->findChild<QAbstractButton*>("Check2")) open->setChecked(false);
        QTest::mouseClick(dialog->findChild<QAbstractButton*>("ContinueOk"), Qt::LeftButton);
        QApplication::processEvents();
        const QDir folder(QDir(b.t.outputRoot.path()).filePath(c.folder));
        EXPECT_EQ(folder.entryList(QDir::Files, QDir::Name), c.expected);
        EXPECT_FALSE(topLevel(QStringLiteral("UserformObj")));
        EXPECT_FALSE(topLevel(QString::fromLatin1(c.dialog)));
        EXPECT_FALSE(topLevel(QStringLiteral("Progress")));
        EXPECT_EQ(b.t.state.progress.exportDone, 4);
    }
}

TEST(FileExportLaunch, ExpressPasteSavesThePreviewedItemAndKeepsTheFormOpen) {
    Batch b;
    ASSERT_TRUE(b.form);
    b.form->findChild<chrome::SwitchKnob*>("SwitchKnob4")->setPosition(4);
    auto* list = b.form->list();
    int row = -1;
    for (int i = 0; i < list->rowCount(); ++i)
        if (list->row(i).text == QLatin1String("Chart 2")) row = i;
    ASSERT_GE(row, 0);
    list->selectRow(row);
    b.form->PasteExpressDisplayed();
    const QDir folder(b.t.services.folders.images());
    const QStringList files = folder.entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(b.t.prompt.texts().last(), "Selection saved as " + folder.filePath(files[0]));
    EXPECT_TRUE(topLevel(QStringLiteral("UserformObj")));
}

}  // namespace
