#pragma once

// The layout window `LayoutForm`: per workbook, where pasted items go on a slide.

#include <QDialog>
#include <array>

#include "run/RunState.h"
#include "run/Services.h"

class QLabel;
class QRadioButton;
class QSlider;

namespace layout {

// A slider from 0 to 1 with the value it shows beside it.
class LayoutSlider : public QWidget {
    Q_OBJECT
  public:
    explicit LayoutSlider(QWidget* parent = nullptr);
    double position() const;
    void setPosition(double position);
    QString shownValue() const;
    void setShownValue(double value);
    QSlider* slider() const { return slider_; }

  signals:
    void changed();

  private:
    QSlider* slider_;
    QLabel* value_;
};

class LayoutForm : public QDialog {
    Q_OBJECT
  public:
    // Groups of the window, in the order of the state-sheet cells O1, P1, R1.
    enum Group { Top = 0, Width = 1, Align = 2 };

    LayoutForm(run::Services& services, run::RunState& state, QWidget* parent = nullptr);

    void Form_Load();
    void Option_Click(Group group, int index);
    void Slider_Change(Group group);
    void CloseLayout_Click();

    QRadioButton* option(Group group, int index) const { return options_[group][index]; }
    LayoutSlider* slider(Group group) const { return sliders_[group]; }

  private:
    run::Services& services_;
    run::RunState& state_;
    std::array<std::array<QRadioButton*, 2>, 3> options_{};
    std::array<LayoutSlider*, 3> sliders_{};
};

// Shows the window, modal to the program's other windows; it deletes itself when closed.
LayoutForm* showLayoutForm(run::Services& services, run::RunState& state);

}  // namespace layout
