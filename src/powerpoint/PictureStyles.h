#pragma once

// The five ready-made looks of pasted pictures, and the window `PredefinedStyles` that picks one.

#include <QDialog>
#include <array>

#include "run/RunState.h"
#include "run/Services.h"

class QRadioButton;

namespace powerpoint {

// Style numbers: 0 none, 1 shadow all around, 2 shadow, 3 rounded corners, 4 reflection not
// rounded, 5 reflection rounded.
inline constexpr int StyleShadow = 2;

// Applies the run's picture style to that shape of the slide in view. Every setting runs with
// errors ignored, so one that the shape does not take leaves the others made.
void ApplyPictureStyle(run::Services& services, run::RunState& state, int shapeIndex);

class PredefinedStyles : public QDialog {
    Q_OBJECT
  public:
    explicit PredefinedStyles(run::RunState& state, QWidget* parent = nullptr);

    void Form_Load();
    void OptionStyle_Click(int index);
    void Styles_Click();

    QRadioButton* option(int index) const { return options_[index]; }

  private:
    run::RunState& state_;
    std::array<QRadioButton*, 6> options_{};
};

}  // namespace powerpoint
