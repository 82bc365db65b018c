#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"
#include "powerpoint/Dialog.h"
#include "startup/Program.h"
#include "support/Slides.h"

namespace {

using test::SlidesRun;

// Batch mode on the slides desktop with the features of the build.
struct BatchMode : SlidesRun {
    BatchMode() {
        features = startup::standardFeatures();
        startup::startUp(QStringLiteral("/112"), run);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<mainform::UserformObj*>(w)) form = f;
    }
    ~BatchMode() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QApplication::processEvents();
    }
    template <typename T = QWidget>
    T* top(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                return qobject_cast<T*>(w);
        return nullptr;
    }
    QPointer<mainform::UserformObj> form;
};

TEST(MainFormExport, ContinueOpensTheDialogWhichExportsTheCheckedRows) {
    BatchMode t;
    ASSERT_TRUE(t.form);
    t.form->findChild<QAbstractButton*>("PasteIT")->click();
    auto* dialog = t.top<powerpoint::Dialog>("Dialog");
    ASSERT_TRUE(dialog);
    const int count = t.state.exportCount;
    ASSERT_GT(count, 0);
    EXPECT_TRUE(dialog->status().startsWith(QString::number(count) +
                                            " object(s) will be pasted to \rDeck.pptx\r"));

    dialog->findChild<QAbstractButton*>("ContinueOk")->click();
    QApplication::processEvents();
    EXPECT_FALSE(t.top("Dialog"));
    EXPECT_FALSE(t.form && t.form->isVisible()) << "the export unloads the main form";
    ASSERT_EQ(t.deck().slideCount(), 5 + count);
    for (int i = 6; i <= 5 + count; ++i) EXPECT_EQ(t.slide(i).shapes.size(), 1u) << i;
    EXPECT_TRUE(t.excel().screenUpdating());
}

TEST(MainFormExport, ExpressPastePutsThePreviewedItemOnTheSlideInView) {
    BatchMode t;
    ASSERT_TRUE(t.form);
    auto& list = *t.form->list();
    int revenue = -1;
    for (int i = 0; i < list.rowCount(); ++i)
        if (list.row(i).text == QLatin1String("Revenue")) revenue = i;
    ASSERT_GE(revenue, 0);
    list.selectRow(revenue);
    t.form->PasteExpressDisplayed();
    ASSERT_EQ(t.slide(2).shapes.size(), 2u);
    EXPECT_EQ(t.slide(2).shapes[1].source->item, QStringLiteral("Revenue"));
    EXPECT_TRUE(t.form->isVisible());
    EXPECT_TRUE(t.state.office.excel) << "the form keeps its applications";
}

}  // namespace
