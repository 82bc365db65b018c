#pragma once

// The PowerPoint export dialog `Dialog`: what will be pasted where, the presentation to paste
// into, the style and layout windows, the three options, and the start of the batch export.

#include <QTimer>
#include <QWidget>

#include "powerpoint/BatchExport.h"
#include "run/RunState.h"
#include "run/Services.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QAbstractButton;

namespace powerpoint {

class Dialog : public QWidget {
    Q_OBJECT
  public:
    Dialog(run::Services& services, run::RunState& state, MainFormLink form,
           QWidget* parent = nullptr);

    void Form_Load();
    void ContinueOk_Click();
    void CreateBlankPPT_Click();
    void ThemedButton1_Click();
    void Styles_Click();
    void PositionSlide_Click();
    void SonicClick2_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // The status text of `Label1` as the program wrote it, carriage returns included.
    QString status() const { return status_; }
    // The status label's width in twips, as the timers reveal it.
    int label1WidthTwips() const { return label1Width_; }
    bool timerEnabled(int index) const;
    // The format phrase of a paste format.
    static QString formatPhrase(int pasteFormat);

  private:
    QString summary(const QString& presentationName) const;
    void setStatus(const QString& text, bool red);
    void setLabel1Width(int twips);
    void widen(QTimer& timer);

    run::Services& services_;
    run::RunState& state_;
    MainFormLink form_;
    QLabel* Label1_ = nullptr;
    QLabel* Label7_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QAbstractButton* CreateBlankPPT_ = nullptr;
    QAbstractButton* ThemedButton1_ = nullptr;
    QAbstractButton* Styles_ = nullptr;
    QAbstractButton* PositionSlide_ = nullptr;
    QCheckBox* SlideTitle_ = nullptr;
    QCheckBox* SourceInc_ = nullptr;
    QCheckBox* CheckShadow_ = nullptr;
    QAbstractButton* ContinueOk_ = nullptr;
    QAbstractButton* SonicClick2_ = nullptr;
    QTimer Timer1_;
    QTimer Timer2_;
    int label1Width_ = 7692;
    QString status_;
};

// Opens the dialog for the main form's "Continue".
Dialog* openDialog(run::Services& services, run::RunState& state, MainFormLink form);

// Closes the windows of the PowerPoint export that are open.
void closeWindows();

}  // namespace powerpoint
