#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "WordDesktop.h"
#include "chrome/SwitchKnob.h"
#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"
#include "startup/Program.h"
#include "word/DialogWord.h"

namespace {

using namespace wordtest;

template <typename T>
T* window() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
    return nullptr;
}

// Batch mode as the program starts it: "Continue" with the Word destination opens the dialog,
// whose confirmation appends the checked items and closes the main form; the express paste
// exports the previewed item by the form's paste format.
TEST(Wiring, MainFormReachesTheWordExport) {
    Fixture f(desktop());
    f.t.features = startup::standardFeatures();
    startup::startUp("/112", f.t.run);
    QPointer<mainform::UserformObj> form = window<mainform::UserformObj>();
    ASSERT_NE(form, nullptr);
    auto& list = *form->list();
    for (int i = 0; i < list.rowCount(); ++i) list.setChecked(i, list.row(i).text == "Wide");
    form->findChild<chrome::SwitchKnob*>("SwitchKnob4")->setPosition(1);

    // Express paste of the selected row, as an embedded object.
    for (int i = 0; i < list.rowCount(); ++i)
        if (list.row(i).text == "Tall") list.selectRow(i);
    form->OptionFormat_Click(2);
    form->PasteExpressDisplayed();
    EXPECT_TRUE(f.blocks().contains("F:embedded")) << f.blocks().join(' ').toStdString();
    EXPECT_TRUE(form->isVisible());

    form->OptionFormat_Click(0);
    form->PasteIT_Click();
    auto* dialog = window<word::DialogWord>();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ContinueOk"), Qt::LeftButton);
    EXPECT_EQ(f.blocks().mid(f.blocks().size() - 3), (QStringList{"P*", "P", "I:metafile"}));
    EXPECT_EQ(f.last(Block::Kind::InlineShape).shape.source->item, "Wide");
    EXPECT_FALSE(form->isVisible());
    QApplication::processEvents();
    flushDeletes();
    delete form.data();  // when closing did not delete it
}

}  // namespace
