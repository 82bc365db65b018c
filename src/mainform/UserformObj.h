#pragma once

// The batch-mode window: the item list with its checks, order, captions and slide numbers,
// the preview, the choice of destination, format and mode, and the launch of an export.

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <map>

#include "run/RunState.h"
#include "run/Services.h"
#include "statesheet/StateSheet.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QAbstractButton;

namespace chrome {
class SwitchKnob;
class HelpWindow;
}  // namespace chrome

namespace mainform {

class Exports;
class ListCharts;

// Destination codes, as the switch reports them.
enum Destination { PowerPoint = 0, Word = 1, Web = 2, Pdf = 3, Images = 4 };

class UserformObj : public QWidget {
    Q_OBJECT
  public:
    UserformObj(run::Services& services, run::RunState& state, Exports& exports,
                statesheet::LoadProgress& progress, std::function<void()> closeSplash,
                QWidget* parent = nullptr);
    ~UserformObj() override;

    // The load sequence; a failure ends it silently, leaving what was set up.
    void Form_Load();

    ListCharts* list() const { return listCharts_; }
    int destination() const;
    bool predefinedSlides() const;
    QPixmap preview() const { return preview_; }

    // The operations behind the controls, callable as the controls call them.
    void listCharts_ItemCheck(int row);
    void Check1_Click();
    void Up_Click();
    void Down_Click();
    void listCharts_ColumnClick(int column);
    void listCharts_ItemClick(int row);
    void listChartsShowPreview();
    void SlideTitle_Change();
    void TextBox10_Change();
    void AddCaption_Click();
    void Titles_Click();
    void HelpMe_Click(int index);
    void SwitchKnob4_Change();
    void OptionFormat_Click(int index);
    void OptionNewSlides_Click();
    void OptionPredefSlides_Click();
    void PasteIT_Click();
    void PositionSlide_Click();
    void PasteExpressDisplayed();
    void imgChart_DblClick();
    void Timer1_Timer(int index);

    // Launch steps.
    void LaunchNewSlides();
    void LaunchPredefinedSlides();
    void CountCheckedRows();

    // Panel sizes in twips, as the animations move them.
    int previewWidthTwips() const { return previewWidth_; }
    int captionPanelWidthTwips() const { return captionPanelWidth_; }
    int slidePanelWidthTwips() const { return slidePanelWidth_; }
    bool timerEnabled(int index) const;
    const std::map<int, QString>& helpTexts() const { return helpTexts_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Fill;
    void build();
    void Form_Unload();
    void recount(bool exclaim);
    void recolourForMode();
    void setPreview(const QPixmap& pixmap);
    bool copyPreviewItem(int row, bool forClick);
    void selectItemInExcel(int row);
    void showWarningMinimised(const QString& text);
    void applyPanelSizes();
    void enableTimers(std::initializer_list<int> on, std::initializer_list<int> off);
    void setMode(Destination d);
    void setBold(QAbstractButton* button, bool bold);
    void setSelectAllSilently(int state);

    run::Services& services_;
    run::RunState& state_;
    Exports& exports_;
    statesheet::LoadProgress& progress_;
    std::function<void()> closeSplash_;

    ListCharts* listCharts_ = nullptr;
    QCheckBox* Check1_ = nullptr;
    QLabel* NbCharts_ = nullptr;
    QLabel* NbChecked_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QLabel* Label7_ = nullptr;
    QLabel* imgChart_ = nullptr;
    QWidget* TitlesFrame_ = nullptr;
    QLineEdit* SlideTitle_ = nullptr;
    QCheckBox* Titles_ = nullptr;
    QWidget* SlideNb_ = nullptr;
    QLineEdit* TextBox10_ = nullptr;
    chrome::SwitchKnob* knob_ = nullptr;
    std::array<QLabel*, 5> Image1_{};
    std::array<QRadioButton*, 4> OptionFormat_{};
    QRadioButton* OptionNewSlides_ = nullptr;
    QRadioButton* OptionPredefSlides_ = nullptr;
    QGroupBox* modeGroup_ = nullptr;
    QAbstractButton* PositionSlide_ = nullptr;
    QLabel* PasteExpress_ = nullptr;
    QLabel* Gif89a2_ = nullptr;
    std::map<int, QLabel*> HelpMe_;
    chrome::HelpWindow* helpForm_ = nullptr;

    std::array<QTimer, 6> timers_;  // 1..5 used
    std::map<int, QString> helpTexts_;
    QPixmap preview_;
    bool listFilled_ = false;
    bool unloaded_ = false;
    bool iconAnimationAllowed_ = false;
    bool slidePanelOpening_ = false;
    int iconIndex_ = 1;
    int iconSize_ = 612;
    int previewWidth_ = 0;
    int captionPanelWidth_ = 3615;
    int slidePanelWidth_ = 0;
    int slideColumnWidth_ = 0;
};

}  // namespace mainform
