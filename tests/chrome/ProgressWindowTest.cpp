#include <gtest/gtest.h>

#include <QDialog>

#include "chrome/BarStep.h"
#include "chrome/ProgressBar.h"
#include "chrome/ProgressWindow.h"

namespace {

TEST(ProgressWindow, FourItemsStepByQuarters) {
    chrome::ProgressWindow window(3, 4);
    EXPECT_EQ(window.visibleAnimation(), 3);
    EXPECT_EQ(window.totalText(), "4");
    int done = 0;
    const char* captions[4] = {"25%", "50%", "75%", "100%"};
    for (int i = 0; i < 4; ++i) {
        window.AdvanceExportProgress(done, 4);
        EXPECT_EQ(done, i + 1);
        EXPECT_EQ(window.doneText(), QString::number(i + 1));
        EXPECT_EQ(window.bar()->caption(), captions[i]);
        EXPECT_EQ(window.bar()->value(), 25 * (i + 1));
    }
}

TEST(ProgressWindow, AStepClosesTheExportDialogs) {
    QDialog pdf, other;
    pdf.setObjectName("DialogPDF");
    other.setObjectName("About");
    pdf.show();
    other.show();
    chrome::ProgressWindow window(0, 2);
    int done = 0;
    window.AdvanceExportProgress(done, 2);
    EXPECT_FALSE(pdf.isVisible());
    EXPECT_TRUE(other.isVisible());
}

TEST(BarStep, PercentHoldsEveryCount) {
    EXPECT_EQ(chrome::barPercent(32767, 32767), 100);
    EXPECT_EQ(chrome::barPercent(400, 400), 100);
    EXPECT_EQ(chrome::barPercent(1, 3), 33);
    EXPECT_EQ(chrome::barPercent(5, 0), 0);
    EXPECT_EQ(chrome::barPercent(30000, 32767), 91);  // 30000 * 100 passes 16 bits
}

}  // namespace
